// The production self-test's operations on the USB and Ethernet control
// ports and the LEDs, and its rules, shared by the console and lutctl.
#pragma once

#include <cstdint>

#include "device/device_api_shapes.h"
#include "device/device_selectors.h"
#include "device/session.h"

// The two control ports of the self-test.
enum TestPortId : int32_t { kUsbTestPort, kEthTestPort };

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

// The LEDs are shown only when the Ethernet test port opened (its open
// result is zero or positive), whatever the USB port gave.
bool SelftestShowsLeds(int32_t ethOpenResult);

// The ports' verdict: a pass needs both ports, each opened with all four
// readings successful.
bool SelftestPasses(bool usbPassed, bool ethPassed);
