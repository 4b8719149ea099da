#include "lut/ramp_file.h"

#include <cstdio>

#include "platform/platform.h"

// Binary mode with explicit CR LF: the same bytes as a text-mode file
// written on Windows, whatever platform writes it.
int32_t WriteRampFile(const char *fileName) {
    PlatformReplacement output;
    if (PlatformCreateReplacement(output, fileName) == nullptr) return -1;
    for (int k = 0; k < kRampLines; ++k) fprintf(output.file, "%x\r\n", static_cast<unsigned>(k));
    // A failed write shows in the stream's error flag when it is closed.
    return PlatformFinishReplacement(output);
}
