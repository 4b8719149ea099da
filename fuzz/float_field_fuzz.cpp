// The real-number field of the CSV and cube rows (ScanLutFloat), against
// itself and the C library.
//
// Input: a mode byte, then the field's text. Mode bit 0x80 starts the text
// (mode & 0x3F) + 1 bytes before the end of the input's block, so that a
// number is taken across a refill.
//
// Checked: a failed scan stores nothing; the quick path for plain decimals
// either takes the very number the matcher takes, to the same bit, or
// consumes nothing; and on a complete number (strtof reads the whole text)
// the scan reads it whole and gives strtof's value, bit for bit.
//
// The known differences from strtof, left out of the comparison:
// - What a field takes: as "%f" does, the longest run that begins a number,
//   failing when that run is not one ("1e+", "0x", "infin", an unclosed
//   "nan("), where strtof backs up to the number before it. Only complete
//   numbers are compared, which leaves these out.
// - NAN(chars) with more than kLutNanCharsKept characters: the plain NaN,
//   its payload dropped; strtof reads the payload. Such a NaN is compared
//   as a NaN only.
// - The decimal point: always '.', where strtof takes the locale's. The
//   target never leaves the "C" locale.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_support.h"
#include "lut/lut_number_fields.h"

namespace {

constexpr float kUntouched = -1234.5f;

uint32_t Bits(float f) {
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    return bits;
}

struct Scan {
    bool ok;
    float value;
    int64_t stop;  // offset of the first byte left unread
};

// Large: not on the stack.
LutInput Input;

// One scan on a fresh input whose first block is already read, as a row's
// later fields find it.
template <typename Scanner>
Scan Run(const std::string &text, size_t before, Scanner scanner) {
    FuzzStartLutInput(&Input, text, before);
    PeekLutByte(&Input);
    Scan scan = {false, kUntouched, 0};
    scan.ok = scanner(&Input, &scan.value);
    scan.stop = LutInputOffset(&Input);
    CloseLutInput(&Input);
    return scan;
}

bool LongNanSequence(const std::string &text) {
    size_t open = text.find('(');
    return open != std::string::npos && text.size() - open - 2 > static_cast<size_t>(kLutNanCharsKept);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    uint8_t mode = data[0];
    std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    size_t before = (mode & 0x80) != 0 ? (mode & 0x3Fu) + 1u : 0;

    Scan field = Run(text, before, [](LutInput *input, float *value) { return ScanLutFloat(input, value); });
    if (!field.ok) FUZZ_CHECK(Bits(field.value) == Bits(kUntouched));
    FUZZ_CHECK(field.stop >= 0 && field.stop <= static_cast<int64_t>(text.size()));

    Scan quick = Run(text, before, [](LutInput *input, float *value) { return ScanQuickDecimal(input, value); });
    Scan matched = Run(text, before, [](LutInput *input, float *value) { return ScanLutFloatField(input, value); });
    if (quick.ok) {
        FUZZ_CHECK(matched.ok);
        FUZZ_CHECK(Bits(quick.value) == Bits(matched.value));
        FUZZ_CHECK(quick.stop == matched.stop);
    } else {
        FUZZ_CHECK(quick.stop == 0);
        FUZZ_CHECK(Bits(quick.value) == Bits(kUntouched));
    }

    if (text.empty() || memchr(text.data(), '\0', text.size()) != nullptr) return 0;
    char *end = nullptr;
    float expected = strtof(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return 0;
    FUZZ_CHECK(field.ok);
    FUZZ_CHECK(field.stop == static_cast<int64_t>(text.size()));
    if (std::isnan(expected)) {
        FUZZ_CHECK(std::isnan(field.value));
        if (!LongNanSequence(text)) FUZZ_CHECK(Bits(field.value) == Bits(expected));
    } else {
        FUZZ_CHECK(Bits(field.value) == Bits(expected));
    }
    return 0;
}
