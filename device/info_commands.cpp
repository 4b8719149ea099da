#include "device/info_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdGetName(const char *) {}
void CmdGetUsbFileName(const char *) {}
void CmdGetW25q(const char *) {}
void CmdGetS25F(const char *) {}
void CmdGetMcuVer(const char *) {}
void CmdGetSN(const char *) {}
void CmdGetLMH0341FormatID(const char *) {}
void CmdGetDevInfo(const char *) {}
void CmdGetFPGAInfo(const char *) {}
