#include "lut/lut1d_reader.h"

#include <cstring>

#include "lut/lut_lines.h"
#include "lut/lut_number_fields.h"

namespace {

// Static since its block is large.
LutInput Input;

// One scan of "%d\r", whose trailing white space the next scan skips as
// its leading white space. Digits beyond 32 bits wrap instead of the
// library scan's undefined overflow.
bool ScanDecimal(LutInput *input, int32_t *value) {
    uint32_t bits;
    if (!ScanWrappedDecimal(input, &bits)) return false;
    // Modular since C++20: the low 32 bits as two's complement.
    *value = static_cast<int32_t>(bits);
    return true;
}

void ReadHexValues(LutInput *input, int32_t (&table)[kLut1dEntries]) {
    for (int i = 0; i < kLut1dHexValues; ++i) {
        if (!ScanDecimal(input, &table[i])) return;
    }
}

// The previous value starts at 0, so leading zeros store nothing.
void ReadLutValues(LutInput *input, int32_t (&table)[kLut1dEntries]) {
    int32_t previous = 0;
    int next = 0;
    for (int scan = 0; scan < kLut1dEntries; ++scan) {
        int32_t value;
        if (!ScanDecimal(input, &value)) return;
        if (value != previous) {
            table[next++] = value;
            previous = value;
        }
    }
}

}  // namespace

// A file that cannot be read is refused like one that cannot be opened.
int32_t Read1dLutFile(const char *filePath, int32_t (&table)[kLut1dEntries]) {
    if (!OpenLutInput(&Input, filePath)) return kLut1dOpenFailed;

    if (strstr(filePath, ".hex") != nullptr || strstr(filePath, ".Hex") != nullptr) {
        ReadHexValues(&Input, table);
        bool readFailed = Input.failed;
        CloseLutInput(&Input);
        return readFailed ? kLut1dOpenFailed : kLut1dHexRead;
    }
    if (strstr(filePath, ".lut") != nullptr || strstr(filePath, ".LUT") != nullptr) {
        // The header: the lines before the first one that begins with a
        // digit (every line when none does), counted by the 3D reader's
        // line rules.
        LutLineCount count = CountLutLines(&Input);
        bool readFailed = Input.failed;
        CloseLutInput(&Input);
        if (readFailed) return kLut1dOpenFailed;
        if (!OpenLutInput(&Input, filePath)) return kLut1dOpenFailed;
        SkipLutLines(&Input, count.headerLines);
        ReadLutValues(&Input, table);
        readFailed = Input.failed;
        CloseLutInput(&Input);
        return readFailed ? kLut1dOpenFailed : kLut1dLutRead;
    }
    CloseLutInput(&Input);
    return kLut1dUnknownKind;
}
