#include "device/control_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdSetRGB(const char *) {}
void CmdSource(const char *) {}
void CmdLutCtrl(const char *) {}
void CmdFpgaRst(const char *) {}
void CmdRstFpgaState(const char *) {}
void CmdFpgaReg3(const char *) {}
void CmdFpgaReg1(const char *) {}
void CmdFpgaReg4(const char *) {}
void CmdMcuI2c1Init(const char *) {}
void CmdClr3dlut(const char *) {}
void CmdSetMode(const char *) {}
