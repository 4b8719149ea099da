#include "console/control_words.h"

#include <cstdio>

#include "console/word_support.h"
#include "device/control_settings.h"
#include "platform/platform.h"

// Every word here but "setRGB" opens the device first; a failed open
// changes nothing (but the reset state), and the loop closes the device
// afterwards on every path. The call's result becomes LastStatus.

// FPGA reset states sent by "RST_FPGA_TRUE" and "RST_FPGA_FALSE".
constexpr int32_t kFpgaHeldInReset = 2;
constexpr int32_t kFpgaReleased = 1;

// Keeps the call's result for "setLut" and prints the matching line.
static void Report(Session &session, int32_t result, const char *successLine, const char *failureLine) {
    session.LastStatus = result;
    PlatformConsolePuts(result < 0 ? failureLine : successLine);
}

// The channel levels "setRGB" sends, red, green, blue.
static constexpr float kRgbLevels[3] = {1.0f, 0.3f, 0.6f};

// "setRGB": sends kRgbLevels with CurrentIndex, without opening or closing
// the device.
void CmdSetRGB(Session &session, const char *) {
    Report(session, SetChannelLevels(session, kRgbLevels), "set RGB success\n", "set RGB failure\n");
}

// "source:NAME": the source code of NAME (default 0) with CurrentIndex.
void CmdSource(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetSourceMode(session, SourceCode(arg)), "set Source Mode success.\n",
           "set Source Mode failure!\n");
}

// "LutCtrl:NAME": the LUT mode code of NAME (default 1) with CurrentIndex.
void CmdLutCtrl(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetLutMode(session, LutModeCode(arg)), "set LUT status success.\n", "set LUT status failure!\n");
}

// "FPGA_RST": one FPGA reset.
void CmdFpgaRst(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    Report(session, ResetFpga(session), "FPGA Reset success.\n", "FPGA Reset failure!\n");
}

// CurrentIndex becomes the reset state before the open, whatever follows,
// and is sent as that state; every later command passes it as its index.
static void FpgaResetStateWord(Session &session, int32_t state) {
    session.CurrentIndex = state;
    if (OpenDevice(session) < 0) return;
    Report(session, SetFpgaResetState(session), "FPGA Reset setting success.\n", "FPGA Reset setting failure!\n");
}

// "RST_FPGA_TRUE": holds the FPGA in reset. It is matched before
// "RST_FPGA_FALSE", so a word holding both holds it.
void CmdRstFpgaTrue(Session &session, const char *) { FpgaResetStateWord(session, kFpgaHeldInReset); }

// "RST_FPGA_FALSE": releases the FPGA.
void CmdRstFpgaFalse(Session &session, const char *) { FpgaResetStateWord(session, kFpgaReleased); }

// "FPGA_REG3:N": the decimal N through the point-count register entry.
void CmdFpgaReg3(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetFpgaReg3(session, DecimalArgument(arg)), "FPGA REG3 Set success.\n", "FPGA REG3 Set failure!\n");
}

// "FPGA_REG1:N": the decimal N to FPGA register 1.
void CmdFpgaReg1(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetFpgaReg1(session, DecimalArgument(arg)), "FPGA REG1 Set success.\n", "FPGA REG1 Set failure!\n");
}

// "FPGA_REG4:N": the decimal N as the HDMI output state; no index.
void CmdFpgaReg4(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetHdmiOut(session, DecimalArgument(arg)), "FPGA REG4 Set success.\n", "FPGA REG4 Set failure!\n");
}

// "MCU_I2C1_Init": initialises the MCU's I2C port 1.
void CmdMcuI2c1Init(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    Report(session, InitMcuI2c1(session), "MCU I2C1 Init success.\n", "MCU I2C1 Init failure!\n");
}

// "Clr3dlut": erases the flash that holds the 3D LUTs. The success line's
// "earse" is the box's established wording.
void CmdClr3dlut(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    Report(session, EraseLutFlash(session), "3D-LUT flash earse success.\n", "3D-LUT flash erase failure!\n");
}

// "SetMode:N": the decimal N as the device mode.
void CmdSetMode(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    Report(session, SetDeviceMode(session, DecimalArgument(arg)), "Set Mode Set success.\n", "Set Mode Set failure!\n");
}
