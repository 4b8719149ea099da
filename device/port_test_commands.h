// Production self-tests of the USB and Ethernet control ports and the LEDs.
#pragma once

#include <cstdint>

#include "device/device_api_shapes.h"
#include "device/session.h"

// The two control ports of the self-test.
enum TestPortId : int32_t { kUsbTestPort, kEthTestPort };

// LED states of KX_DEV_Set_IndicatorLEDStatus.
constexpr int32_t kLedsRed = 1;
constexpr int32_t kLedsGreen = 2;

// The four identity readings of one port, in reading order: each call's
// result and its reply (zeroed before the call, so empty after a failure).
enum IdentityReadingId : int32_t { kReadMcuVersion, kReadSerial, kReadName, kReadW25qId, kIdentityReadingCount };
struct IdentityReadings {
    int32_t result[kIdentityReadingCount];
    char reply[kIdentityReadingCount][kReplySize];
};

// The port's test open (KX_DEV_TestUSB_Init or KX_DEV_TestETH_Init); its
// result. Nothing is printed; the close is the caller's.
int32_t OpenTestPort(Session &session, TestPortId port);

// The four readings through an opened port, every one made whatever the
// earlier ones gave: the MCU version (4, 0), the serial number and the name
// (CurrentIndex), the W25Qxxx manufacturer ID (2, 0x90). Returns whether
// all four succeeded. Prints nothing.
bool ReadPortIdentity(Session &session, TestPortId port, IdentityReadings &readings);

// All indicator LEDs in one colour (kLedsRed, kLedsGreen); the call's result.
int32_t ShowLeds(Session &session, int32_t state);

void CmdUsbTest(Session &session, const char *arg);
void CmdEthTest(Session &session, const char *arg);
// The full test, typed as the GBK word "加载器测试"; closes the device itself.
void CmdLoaderTest(Session &session, const char *arg);
