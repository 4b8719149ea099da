#include "device/info_queries.h"

#include "device/device_api.h"

int32_t QueryName(Session &session, char *reply) {
    return DeviceApi.KX_DEV_GetName(session.DeviceContext, session.CurrentIndex, reply);
}

int32_t QuerySerial(Session &session, char *reply) {
    return DeviceApi.KX_DEV_GetSN(session.DeviceContext, session.CurrentIndex, reply);
}

int32_t QueryMcuVersion(Session &session, char *reply) {
    return DeviceApi.KX_DEV_GetDevicePara(session.DeviceContext, kSelectMcuVersion, 0, reply);
}

int32_t QueryUsbFileName(Session &session, char *reply) {
    return DeviceApi.KX_DEV_GetDevicePara(session.DeviceContext, kSelectUsbFileName, 0, reply);
}

int32_t QueryLmh0341Format(Session &session, char *reply) {
    return DeviceApi.KX_DEV_GetLMH0341Format(session.DeviceContext, session.CurrentIndex, reply);
}

int32_t QueryW25qId(Session &session, int32_t param, char *reply) {
    return DeviceApi.KX_DEV_GetDevicePara(session.DeviceContext, kSelectW25qId, param, reply);
}

int32_t QueryS25fId(Session &session, int32_t param, char *reply) {
    return DeviceApi.KX_DEV_GetDevicePara(session.DeviceContext, kSelectS25FId, param, reply);
}

int32_t QueryDevicePara(Session &session, int32_t selector, int32_t param, char *reply) {
    return DeviceApi.KX_DEV_GetDevicePara(session.DeviceContext, selector, param, reply);
}

int32_t QueryFpgaPara(Session &session, int32_t selector, int32_t param, char *reply) {
    return DeviceApi.KX_DEV_GetFPGAPara(session.DeviceContext, selector, param, reply);
}
