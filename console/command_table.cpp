#include "console/command_table.h"

#include <cstring>

#include "console/loop_commands.h"
#include "device/control_commands.h"
#include "device/info_commands.h"
#include "device/port_test_commands.h"
#include "lut/download_commands.h"
#include "lut/file_commands.h"
#include "selftest/selftest_commands.h"

// Matching order: the first keyword found in the word wins, so the order is
// part of the console's behaviour (a path holding "getName" behind "load:"
// reads the product name). The argument offset is the keyword's length.
const CommandRow CommandTable[kCommandCount] = {
    {"readSTD3DLut", 0, CmdReadSTD3DLut, false},
    {"devInit", 0, CmdDevInit, false},
    {"readMenu", 0, CmdReadMenu, false},
    {"getName", 0, CmdGetName, true},
    {"getUsbFileName", 0, CmdGetUsbFileName, true},
    {"getW25q_", kGetW25qArgOffset, CmdGetW25q, true},
    {"getS25F_", kGetS25FArgOffset, CmdGetS25F, true},
    {"usbtest", 0, CmdUsbTest, true},
    {"ethtest", 0, CmdEthTest, true},
    {"\xBC\xD3\xD4\xD8\xC6\xF7\xB2\xE2\xCA\xD4", 0, CmdLoaderTest, false},  // "加载器测试" in GBK
    {"getMcuVer", 0, CmdGetMcuVer, true},
    {"getSN", 0, CmdGetSN, true},
    {"setRGB", 0, CmdSetRGB, false},
    {"findVal", 0, CmdFindVal, false},
    {"setLut", 0, CmdSetLut, true},
    {"load:", kLoadPathOffset, CmdLoad, true},
    {"atoi:", kAtoiArgOffset, CmdAtoi, false},
    {"itoa", 0, CmdItoa, false},
    {"source:", kSourceArgOffset, CmdSource, true},
    {"LutCtrl:", kLutCtrlArgOffset, CmdLutCtrl, true},
    {"FPGA_RST", 0, CmdFpgaRst, true},
    {"RST_FPGA_TRUE", 0, CmdRstFpgaState, true},
    {"RST_FPGA_FALSE", 0, CmdRstFpgaState, true},
    {"FPGA_REG3:", kFpgaRegArgOffset, CmdFpgaReg3, true},
    {"FPGA_REG1:", kFpgaRegArgOffset, CmdFpgaReg1, true},
    {"FPGA_REG4:", kFpgaRegArgOffset, CmdFpgaReg4, true},
    {"getLMH0341FormatID", 0, CmdGetLMH0341FormatID, true},
    {"MCU_I2C1_Init", 0, CmdMcuI2c1Init, true},
    {"Clr3dlut", 0, CmdClr3dlut, true},
    {"printfChar", 0, CmdPrintfChar, false},
    {"Gamma10b:", kGamma10bArgOffset, CmdGamma10b, false},
    {"loadLog:", kLoadLogArgOffset, CmdLoadLog, false},
    {"float_mul", 0, CmdFloatMul, false},
    {"GetDevInfo:", kGetDevInfoArgOffset, CmdGetDevInfo, true},
    {"GetFPGAInfo:", kGetFPGAInfoArgOffset, CmdGetFPGAInfo, true},
    {"Bit2Bin:", kBit2BinArgOffset, CmdBit2Bin, false},
    {"SetMode:", kSetModeArgOffset, CmdSetMode, true},
};

const CommandRow *FindCommand(const char *word) {
    for (const CommandRow &row : CommandTable) {
        if (strstr(word, row.keyword) != nullptr) return &row;
    }
    return nullptr;
}
