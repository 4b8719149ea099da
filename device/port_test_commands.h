// Production self-tests of the USB and Ethernet control ports and the LEDs.
#pragma once

void CmdUsbTest(const char *arg);
void CmdEthTest(const char *arg);
// The full test, typed as the GBK word "加载器测试"; closes the device itself.
void CmdLoaderTest(const char *arg);
