#include "lut/fpga_update.h"

#include <cstdio>
#include <cstring>

uint8_t FirmwareBuffer[kFirmwareBufferSize];

int32_t MakeFpgaUpdateFile(const char *filePath) {
    char outputName[kFpgaNameBufferSize] = {};
    snprintf(outputName, sizeof outputName, "%s", kFpgaUpdateFileName);

    FILE *source = fopen(filePath, "rb");
    if (source == nullptr) return -1;
    // Reading to the end (rather than seeking) also finds the length of a
    // source that cannot seek; one byte more than the buffer holds tells a
    // source that does not fit.
    size_t sourceLength = fread(FirmwareBuffer, 1, sizeof FirmwareBuffer, source);
    bool tooLong = sourceLength == sizeof FirmwareBuffer && fgetc(source) != EOF;
    bool readFailed = ferror(source) != 0;
    fclose(source);
    if (tooLong || readFailed) return -1;

    memset(FirmwareBuffer, 0xFF, kFpgaBlankedPrefix);

    FILE *output = fopen(outputName, "wb");
    if (output == nullptr) return -1;
    size_t written = fwrite(FirmwareBuffer, 1, sourceLength, output);
    // Buffered bytes that do not reach the disk show up only when closing.
    bool closed = fclose(output) == 0;
    return written == sourceLength && closed ? 0 : -1;
}
