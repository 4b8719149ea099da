#include "console/file_commands.h"

#include <cstdio>

#include "lut/fpga_update.h"
#include "lut/gamma_file.h"
#include "lut/lut1d_reader.h"
#include "lut/ramp_file.h"
#include "platform/platform.h"

// "loadLog:<path>": reads a hex 1D LUT file and, only when it was read as
// hex, writes the ramp file; any other reader result (lut file, unknown
// extension, no such file) gives the open failure line. The values read are
// kept here from one word to the next and sent nowhere.
void CmdLoadLog(Session &, const char *arg) {
    static int32_t logLut[kLut1dEntries];
    if (Read1dLutFile(arg, logLut) != kLut1dHexRead) {
        PlatformConsolePrintf("Log Lut File Open fail!\n");
        return;
    }
    if (WriteRampFile(kRampFileName) != 0) {
        PlatformConsolePrintf("Log Lut file regenerate fail!\n");
        return;
    }
    PlatformConsolePrintf("Log Lut file regenerate success.\n");
}

// "Gamma10b:<exponent>": writes the 1024-entry curve for the exponent to
// Gamma10b_<argument without points>.hex. A name that would not fit is
// refused and nothing is written; a name that leaves the current directory,
// or a file that cannot be written, gives a failure line instead of the
// success line.
void CmdGamma10b(Session &, const char *arg) {
    char fileName[kGammaNameBufferSize];
    int32_t named = GammaFileName(arg, fileName);
    if (named == -1) {
        PlatformConsolePrintf("Gamma file name too long!\n");
        return;
    }
    if (named != 0 || WriteGammaFile(fileName, GammaExponent(arg)) != 0) {
        PlatformConsolePrintf("Gamma file generate fail!\n");
        return;
    }
    PlatformConsolePrintf("Gamma file generate success.\n");
}

// "Bit2Bin:<path>": converts the FPGA bitstream at path into the update
// image V2FpgaUpdate_.bnb and reports the result. The success line's
// "seccess" is the box's established wording.
void CmdBit2Bin(Session &, const char *arg) {
    if (MakeFpgaUpdateFile(arg) != 0) {
        PlatformConsolePrintf("Bin file generate fail!\n");
        return;
    }
    PlatformConsolePrintf("Bin file generate seccess!\n");
    PlatformConsolePrintf("Bin file name: %s.\n", kFpgaUpdateFileName);
}
