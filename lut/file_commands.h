// Commands that read or generate files and never touch the device.
#pragma once

void CmdLoadLog(const char *arg);
void CmdGamma10b(const char *arg);
void CmdBit2Bin(const char *arg);
