#include "device/control_settings.h"

#include "device/device_api.h"

int32_t SetSourceMode(Session &session, int32_t code) {
    return DeviceApi.KX_DEV_SetSourceMode(session.DeviceContext, session.CurrentIndex, code);
}

int32_t SetLutMode(Session &session, int32_t code) {
    return DeviceApi.KX_DEV_SetLutCtrlStatus(session.DeviceContext, session.CurrentIndex, code);
}

int32_t SetFpgaReg1(Session &session, int32_t value) {
    return DeviceApi.KX_DEV_SetFPGAREG1(session.DeviceContext, session.CurrentIndex, value);
}

int32_t SetFpgaReg3(Session &session, int32_t value) {
    return DeviceApi.KX_DEV_Set3DLUT_Points(session.DeviceContext, session.CurrentIndex, value);
}

int32_t SetHdmiOut(Session &session, int32_t value) {
    return DeviceApi.KX_DEV_Set_HDMIOutStatus(session.DeviceContext, value);
}

int32_t SetDeviceMode(Session &session, int32_t value) {
    return DeviceApi.KX_DEV_SetMode(session.DeviceContext, session.CurrentIndex, value);
}

int32_t ResetFpga(Session &session) {
    return DeviceApi.KX_DEV_SetFPGAReset(session.DeviceContext, session.CurrentIndex);
}

int32_t EraseLutFlash(Session &session) {
    return DeviceApi.KX_DEV_Set_W25QXX_All_Chip_Erase(session.DeviceContext, session.CurrentIndex);
}

int32_t InitMcuI2c1(Session &session) {
    return DeviceApi.KX_DEV_SetMCUI2C1Init(session.DeviceContext, session.CurrentIndex);
}

int32_t SetFpgaResetState(Session &session) {
    return DeviceApi.KX_DEV_Set_FPGAResetStatus(session.DeviceContext, session.CurrentIndex);
}

int32_t SetChannelLevels(Session &session, const float (&levels)[3]) {
    float copy[3] = {levels[0], levels[1], levels[2]};
    return DeviceApi.KX_DEV_SetChVal(session.DeviceContext, session.CurrentIndex, copy);
}
