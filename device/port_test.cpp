#include "device/port_test.h"

#include <cstring>

#include "device/device_api.h"

// The library's test entries of one control port.
struct TestPort {
    KX_DEV_TestUSB_Init_Proc init;
    KX_DEV_TestUSB_GetDevicePara_Proc getDevicePara;
    KX_DEV_TestUSB_GetSN_Proc getSN;
    KX_DEV_TestUSB_GetName_Proc getName;
};

static TestPort PortEntries(TestPortId port) {
    if (port == kUsbTestPort) {
        return {DeviceApi.KX_DEV_TestUSB_Init, DeviceApi.KX_DEV_TestUSB_GetDevicePara, DeviceApi.KX_DEV_TestUSB_GetSN,
                DeviceApi.KX_DEV_TestUSB_GetName};
    }
    return {DeviceApi.KX_DEV_TestETH_Init, DeviceApi.KX_DEV_TestETH_GetDevicePara, DeviceApi.KX_DEV_TestETH_GetSN,
            DeviceApi.KX_DEV_TestETH_GetName};
}

int32_t OpenTestPort(Session &session, TestPortId port) { return PortEntries(port).init(session.DeviceContext); }

bool ReadPortIdentity(Session &session, TestPortId port, IdentityReadings &readings) {
    memset(&readings, 0, sizeof readings);
    TestPort entries = PortEntries(port);
    int32_t *result = readings.result;
    result[kReadMcuVersion] =
        entries.getDevicePara(session.DeviceContext, kSelectMcuVersion, 0, readings.reply[kReadMcuVersion]);
    result[kReadSerial] = entries.getSN(session.DeviceContext, session.CurrentIndex, readings.reply[kReadSerial]);
    result[kReadName] = entries.getName(session.DeviceContext, session.CurrentIndex, readings.reply[kReadName]);
    result[kReadW25qId] =
        entries.getDevicePara(session.DeviceContext, kSelectW25qId, kW25qManufacturerId, readings.reply[kReadW25qId]);
    bool passed = true;
    for (int32_t r : readings.result) passed = passed && r >= 0;
    return passed;
}

int32_t ShowLeds(Session &session, int32_t state) {
    return DeviceApi.KX_DEV_Set_IndicatorLEDStatus(session.DeviceContext, state);
}

bool SelftestShowsLeds(int32_t ethOpenResult) { return ethOpenResult >= 0; }

bool SelftestPasses(bool usbPassed, bool ethPassed) { return usbPassed && ethPassed; }
