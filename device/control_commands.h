// Device control commands: one library call and one line each.
#pragma once

void CmdSetRGB(const char *arg);
void CmdSource(const char *arg);
void CmdLutCtrl(const char *arg);
void CmdFpgaRst(const char *arg);
// Both "RST_FPGA_TRUE" and "RST_FPGA_FALSE".
void CmdRstFpgaState(const char *arg);
void CmdFpgaReg3(const char *arg);
void CmdFpgaReg1(const char *arg);
void CmdFpgaReg4(const char *arg);
void CmdMcuI2c1Init(const char *arg);
void CmdClr3dlut(const char *arg);
void CmdSetMode(const char *arg);
