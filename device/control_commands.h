// Device control commands: one library call and one line each.
#pragma once

// Argument offsets: the byte behind the keyword, counted from the word's
// first byte wherever the keyword stands.
constexpr int kSourceArgOffset = 7;    // "source:"
constexpr int kLutCtrlArgOffset = 8;   // "LutCtrl:"
constexpr int kFpgaRegArgOffset = 10;  // "FPGA_REG3:", "FPGA_REG1:", "FPGA_REG4:"
constexpr int kSetModeArgOffset = 8;   // "SetMode:"

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
