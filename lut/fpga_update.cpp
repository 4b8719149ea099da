#include "lut/fpga_update.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

// The whole source during a conversion: static, as it is large, and read
// by nothing else.
static uint8_t FirmwareBuffer[kFirmwareBufferSize];

int32_t MakeFpgaUpdateFile(const char *filePath) {
    char outputName[kFpgaNameBufferSize] = {};
    snprintf(outputName, sizeof outputName, "%s", kFpgaUpdateFileName);

    FILE *source = PlatformOpenRegularFile(filePath);
    if (source == nullptr) return -1;
    // Reading to the end (rather than seeking) finds the length in the same
    // step; one byte more than the buffer holds tells a source that does
    // not fit.
    size_t sourceLength = fread(FirmwareBuffer, 1, sizeof FirmwareBuffer, source);
    bool tooLong = sourceLength == sizeof FirmwareBuffer && fgetc(source) != EOF;
    bool readFailed = ferror(source) != 0;
    fclose(source);
    // An empty file is no bitstream, and its image would replace a good one
    // with nothing.
    if (tooLong || readFailed || sourceLength == 0) return -1;

    memset(FirmwareBuffer, 0xFF, kFpgaBlankedPrefix);

    PlatformReplacement output;
    if (PlatformCreateReplacement(output, outputName) == nullptr) return -1;
    if (fwrite(FirmwareBuffer, 1, sourceLength, output.file) != sourceLength) {
        PlatformDiscardReplacement(output);
        return -1;
    }
    return PlatformFinishReplacement(output);
}
