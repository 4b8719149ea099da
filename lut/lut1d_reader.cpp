#include "lut/lut1d_reader.h"

#include <cstdio>
#include <cstring>

#include "lut/lut_tables.h"

namespace {

constexpr int kLineBufferSize = 256;  // a line is one read of at most 255 bytes

bool IsScanSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One scan of "%d\r": white space, an optional sign, decimal digits, then
// any white space. Digits beyond 32 bits wrap (unsigned arithmetic) instead
// of the library scan's undefined overflow. On failure nothing behind the
// failing character is consumed; callers stop their pass at the first
// failure, since every later scan would fail at the same place.
bool ScanDecimal(FILE *file, int32_t *value) {
    int c = fgetc(file);
    while (IsScanSpace(c)) c = fgetc(file);
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = (c == '-');
        c = fgetc(file);
    }
    if (c < '0' || c > '9') {
        if (c != EOF) ungetc(c, file);
        return false;
    }
    uint32_t magnitude = 0;
    while (c >= '0' && c <= '9') {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        c = fgetc(file);
    }
    while (IsScanSpace(c)) c = fgetc(file);
    if (c != EOF) ungetc(c, file);
    uint32_t bits = negative ? 0u - magnitude : magnitude;
    // Two's complement reinterpretation without an out-of-range conversion.
    *value = bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits)
                                 : -static_cast<int32_t>(~bits) - 1;
    return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Number of lines before the first line that begins with a digit (all lines
// when none does).
int CountHeaderLines(FILE *file) {
    char line[kLineBufferSize];
    int count = 0;
    while (fgets(line, sizeof line, file) != nullptr) {
        if (IsDigit(line[0])) break;
        ++count;
    }
    return count;
}

void SkipLines(FILE *file, int count) {
    char line[kLineBufferSize];
    for (int i = 0; i < count && fgets(line, sizeof line, file) != nullptr; ++i) {
    }
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

int32_t Read1dLutFile(const char *filePath) {
    FILE *file = fopen(filePath, "rb");
    if (file == nullptr) return kLut1dOpenFailed;

    if (strstr(filePath, ".hex") != nullptr || strstr(filePath, ".Hex") != nullptr) {
        ReadHexValues(file);
        fclose(file);
        return kLut1dHexRead;
    }
    if (strstr(filePath, ".lut") != nullptr || strstr(filePath, ".LUT") != nullptr) {
        int headerLines = CountHeaderLines(file);
        fclose(file);
        file = fopen(filePath, "rb");
        if (file == nullptr) return kLut1dOpenFailed;
        SkipLines(file, headerLines);
        ReadLutValues(file);
        fclose(file);
        return kLut1dLutRead;
    }
    fclose(file);
    return kLut1dUnknownKind;
}
