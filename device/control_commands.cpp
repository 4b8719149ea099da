#include "device/control_commands.h"

#include <cstdio>
#include <cstring>

#include "console/loop_state.h"
#include "device/device_api.h"
#include "device/device_command_support.h"

// FPGA reset states sent by "RST_FPGA_TRUE" and "RST_FPGA_FALSE".
constexpr int32_t kFpgaHeldInReset = 2;
constexpr int32_t kFpgaReleased = 1;

// Keeps the call's result for "setLut" and prints the matching line.
static void Report(int32_t result, const char *successLine, const char *failureLine) {
    LastStatus = result;
    fputs(result < 0 ? failureLine : successLine, stdout);
}

// "setRGB": sends the fixed RgbLevels with CurrentIndex, without opening or
// closing the device.
void CmdSetRGB(const char *) {
    Report(DeviceApi.KX_DEV_SetChVal(DeviceContext, CurrentIndex, RgbLevels), "set RGB success\n",
           "set RGB failure\n");
}

// "source:NAME": the source code of NAME (default 0) with CurrentIndex.
void CmdSource(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetSourceMode(DeviceContext, CurrentIndex, SourceCode(arg)),
           "set Source Mode success.\n", "set Source Mode failure!\n");
}

// "LutCtrl:NAME": the LUT mode code of NAME (default 1) with CurrentIndex.
void CmdLutCtrl(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetLutCtrlStatus(DeviceContext, CurrentIndex, LutModeCode(arg)),
           "set LUT status success.\n", "set LUT status failure!\n");
}

// "FPGA_RST": one FPGA reset.
void CmdFpgaRst(const char *) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetFPGAReset(DeviceContext, CurrentIndex), "FPGA Reset success.\n",
           "FPGA Reset failure!\n");
}

// "RST_FPGA_TRUE" / "RST_FPGA_FALSE": CurrentIndex becomes the reset state
// (2 when the word holds "RST_FPGA_TRUE", else 1) before the open, whatever
// follows, and is sent as that state.
void CmdRstFpgaState(const char *) {
    CurrentIndex = strstr(CommandBuffer, "RST_FPGA_TRUE") != nullptr ? kFpgaHeldInReset : kFpgaReleased;
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_Set_FPGAResetStatus(DeviceContext, CurrentIndex), "FPGA Reset setting success.\n",
           "FPGA Reset setting failure!\n");
}

// "FPGA_REG3:N": the decimal N through the point-count register entry.
void CmdFpgaReg3(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_Set3DLUT_Points(DeviceContext, CurrentIndex, DecimalArgument(arg)),
           "FPGA REG3 Set success.\n", "FPGA REG3 Set failure!\n");
}

// "FPGA_REG1:N": the decimal N to FPGA register 1.
void CmdFpgaReg1(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetFPGAREG1(DeviceContext, CurrentIndex, DecimalArgument(arg)),
           "FPGA REG1 Set success.\n", "FPGA REG1 Set failure!\n");
}

// "FPGA_REG4:N": the decimal N as the HDMI output state; no index.
void CmdFpgaReg4(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_Set_HDMIOutStatus(DeviceContext, DecimalArgument(arg)), "FPGA REG4 Set success.\n",
           "FPGA REG4 Set failure!\n");
}

// "MCU_I2C1_Init": initialises the MCU's I2C port 1.
void CmdMcuI2c1Init(const char *) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetMCUI2C1Init(DeviceContext, CurrentIndex), "MCU I2C1 Init success.\n",
           "MCU I2C1 Init failure!\n");
}

// "Clr3dlut": erases the flash that holds the 3D LUTs. The success line's
// "earse" is the box's established wording.
void CmdClr3dlut(const char *) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_Set_W25QXX_All_Chip_Erase(DeviceContext, CurrentIndex), "3D-LUT flash earse success.\n",
           "3D-LUT flash erase failure!\n");
}

// "SetMode:N": the decimal N as the device mode.
void CmdSetMode(const char *arg) {
    if (OpenDevice() < 0) return;
    Report(DeviceApi.KX_DEV_SetMode(DeviceContext, CurrentIndex, DecimalArgument(arg)), "Set Mode Set success.\n",
           "Set Mode Set failure!\n");
}
