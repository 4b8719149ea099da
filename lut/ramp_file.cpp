#include "lut/ramp_file.h"

#include <cstdio>

// Binary mode with explicit CR LF: the same bytes as a text-mode file
// written on Windows, whatever platform writes it.
int32_t WriteRampFile(const char *fileName) {
    FILE *file = fopen(fileName, "wb");
    if (file == nullptr) return -1;
    bool written = true;
    for (int k = 0; k < kRampLines; ++k) {
        if (fprintf(file, "%x\r\n", static_cast<unsigned>(k)) < 0) written = false;
    }
    if (fclose(file) != 0) written = false;
    return written ? 0 : -1;
}
