// Device settings: one library call each.
#pragma once

#include <cstdint>

#include "device/session.h"

// The settings, shared by the console and by lutctl: each makes its one
// library call (with CurrentIndex where the call takes an index) and
// returns the result. None opens or closes the device, and none prints.
int32_t SetSourceMode(Session &session, int32_t code);   // KX_DEV_SetSourceMode
int32_t SetLutMode(Session &session, int32_t code);      // KX_DEV_SetLutCtrlStatus
int32_t SetFpgaReg1(Session &session, int32_t value);    // KX_DEV_SetFPGAREG1
int32_t SetFpgaReg3(Session &session, int32_t value);    // KX_DEV_Set3DLUT_Points
int32_t SetHdmiOut(Session &session, int32_t value);     // KX_DEV_Set_HDMIOutStatus, no index
int32_t SetDeviceMode(Session &session, int32_t value);  // KX_DEV_SetMode
int32_t ResetFpga(Session &session);                     // KX_DEV_SetFPGAReset
int32_t EraseLutFlash(Session &session);                 // KX_DEV_Set_W25QXX_All_Chip_Erase
int32_t InitMcuI2c1(Session &session);                   // KX_DEV_SetMCUI2C1Init
// KX_DEV_Set_FPGAResetStatus with CurrentIndex as the state.
int32_t SetFpgaResetState(Session &session);
// KX_DEV_SetChVal: red, green and blue. The library takes the levels as a
// writable array, so it is handed a copy.
int32_t SetChannelLevels(Session &session, const float (&levels)[3]);
