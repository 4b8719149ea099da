// The console's production self-test words: the USB and Ethernet control
// ports and the LEDs.
#pragma once

#include "device/session.h"

void CmdUsbTest(Session &session, const char *arg);
void CmdEthTest(Session &session, const char *arg);
// The full test, typed as the GBK word "加载器测试"; closes the device itself.
void CmdLoaderTest(Session &session, const char *arg);
