// Device information queries: each opens the device, makes one query and
// prints one line; the loop closes the device after it.
#pragma once

void CmdGetName(const char *arg);
void CmdGetUsbFileName(const char *arg);
void CmdGetW25q(const char *arg);
void CmdGetS25F(const char *arg);
void CmdGetMcuVer(const char *arg);
void CmdGetSN(const char *arg);
void CmdGetLMH0341FormatID(const char *arg);
void CmdGetDevInfo(const char *arg);
void CmdGetFPGAInfo(const char *arg);
