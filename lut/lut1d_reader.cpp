#include "lut/lut1d_reader.h"

#include <cstdio>
#include <cstring>

#include "lut/lut_lines.h"
#include "lut/lut_tables.h"

namespace {

// One scan of "%d\r", whose trailing white space the next scan skips as
// its leading white space. Digits beyond 32 bits wrap instead of the
// library scan's undefined overflow.
bool ScanDecimal(FILE *file, int32_t *value) {
    uint32_t bits;
    if (!ScanWrappedDecimal(file, &bits)) return false;
    // Two's complement reinterpretation without an out-of-range conversion.
    *value = bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits) : -static_cast<int32_t>(~bits) - 1;
    return true;
}

void ReadHexValues(FILE *file) {
    for (int i = 0; i < kLut1dHexValues; ++i) {
        if (!ScanDecimal(file, &Lut1dTable[i])) return;
    }
}

// The previous value starts at 0, so leading zeros store nothing.
void ReadLutValues(FILE *file) {
    int32_t previous = 0;
    int next = 0;
    for (int scan = 0; scan < kLut1dEntries; ++scan) {
        int32_t value;
        if (!ScanDecimal(file, &value)) return;
        if (value != previous) {
            Lut1dTable[next++] = value;
            previous = value;
        }
    }
}

}  // namespace

// On POSIX a directory opens like a file; its first read fails. A file that
// cannot be read is refused like one that cannot be opened.
int32_t Read1dLutFile(const char *filePath) {
    FILE *file = fopen(filePath, "rb");
    if (file == nullptr) return kLut1dOpenFailed;

    if (strstr(filePath, ".hex") != nullptr || strstr(filePath, ".Hex") != nullptr) {
        ReadHexValues(file);
        bool readFailed = ferror(file) != 0;
        fclose(file);
        return readFailed ? kLut1dOpenFailed : kLut1dHexRead;
    }
    if (strstr(filePath, ".lut") != nullptr || strstr(filePath, ".LUT") != nullptr) {
        // The header: the lines before the first one that begins with a
        // digit (every line when none does), counted by the 3D reader's
        // line rules.
        int64_t headerLines = 0;
        int64_t dataLines = 0;
        CountLutLines(file, &headerLines, &dataLines);
        bool readFailed = ferror(file) != 0;
        fclose(file);
        if (readFailed) return kLut1dOpenFailed;
        file = fopen(filePath, "rb");
        if (file == nullptr) return kLut1dOpenFailed;
        SkipLutLines(file, headerLines);
        ReadLutValues(file);
        readFailed = ferror(file) != 0;
        fclose(file);
        return readFailed ? kLut1dOpenFailed : kLut1dLutRead;
    }
    fclose(file);
    return kLut1dUnknownKind;
}
