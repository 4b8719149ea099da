#include "console/command_table.h"

#include <cstring>
#include <iterator>

#include "console/control_words.h"
#include "console/download_words.h"
#include "console/file_commands.h"
#include "console/info_words.h"
#include "console/loop_commands.h"
#include "console/port_test_words.h"
#include "console/selftest_commands.h"

// Matching order: the first keyword found in the word wins, so the order is
// part of the console's behaviour (a path holding "getName" behind "load:"
// reads the product name).
const CommandRow CommandTable[] = {
    {"readSTD3DLut", CmdReadSTD3DLut, false},
    {"devInit", CmdDevInit, false},
    {"readMenu", CmdReadMenu, false},
    {"getName", CmdGetName, true},
    {"getUsbFileName", CmdGetUsbFileName, true},
    {"getW25q_", CmdGetW25q, true},
    {"getS25F_", CmdGetS25F, true},
    {"usbtest", CmdUsbTest, true},
    {"ethtest", CmdEthTest, true},
    {kLoaderTestKeyword, CmdLoaderTest, false},  // closes the device itself
    {"getMcuVer", CmdGetMcuVer, true},
    {"getSN", CmdGetSN, true},
    {"setRGB", CmdSetRGB, false},
    {"findVal", CmdFindVal, false},
    {"setLut", CmdSetLut, true},
    {"load:", CmdLoad, true},
    {"atoi:", CmdAtoi, false},
    {"itoa", CmdItoa, false},
    {"source:", CmdSource, true},
    {"LutCtrl:", CmdLutCtrl, true},
    {"FPGA_RST", CmdFpgaRst, true},
    {"RST_FPGA_TRUE", CmdRstFpgaTrue, true},
    {"RST_FPGA_FALSE", CmdRstFpgaFalse, true},
    {"FPGA_REG3:", CmdFpgaReg3, true},
    {"FPGA_REG1:", CmdFpgaReg1, true},
    {"FPGA_REG4:", CmdFpgaReg4, true},
    {"getLMH0341FormatID", CmdGetLMH0341FormatID, true},
    {"MCU_I2C1_Init", CmdMcuI2c1Init, true},
    {"Clr3dlut", CmdClr3dlut, true},
    {"printfChar", CmdPrintfChar, false},
    {"Gamma10b:", CmdGamma10b, false},
    {"loadLog:", CmdLoadLog, false},
    {"float_mul", CmdFloatMul, false},
    {"GetDevInfo:", CmdGetDevInfo, true},
    {"GetFPGAInfo:", CmdGetFPGAInfo, true},
    {"Bit2Bin:", CmdBit2Bin, false},
    {"SetMode:", CmdSetMode, true},
};

const size_t kCommandCount = std::size(CommandTable);

const CommandRow *FindCommand(const char *word) {
    for (const CommandRow &row : CommandTable) {
        if (strstr(word, row.keyword) != nullptr) return &row;
    }
    return nullptr;
}
