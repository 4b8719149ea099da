// Device information queries: each opens the device, makes one query and
// prints one line; the loop closes the device after it.
#pragma once

// Argument offsets: the byte behind the keyword, counted from the word's
// first byte wherever the keyword stands.
constexpr int kGetW25qArgOffset = 8;       // "getW25q_"
constexpr int kGetS25FArgOffset = 8;       // "getS25F_"
constexpr int kGetDevInfoArgOffset = 11;   // "GetDevInfo:"
constexpr int kGetFPGAInfoArgOffset = 12;  // "GetFPGAInfo:"

void CmdGetName(const char *arg);
void CmdGetUsbFileName(const char *arg);
void CmdGetW25q(const char *arg);
void CmdGetS25F(const char *arg);
void CmdGetMcuVer(const char *arg);
void CmdGetSN(const char *arg);
void CmdGetLMH0341FormatID(const char *arg);
void CmdGetDevInfo(const char *arg);
void CmdGetFPGAInfo(const char *arg);
