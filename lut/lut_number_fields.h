// The number fields of the LUT text files: the real-number field of the CSV
// and cube rows, and the wrapping decimal of the 3dl rows and the 1D files.
//
// Private to lut/: only lut/ sources and their tests include it.
#pragma once

#include <cfloat>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <system_error>

#include "lut/decimal_words.h"
#include "lut/exact_decimal.h"
#include "lut/lut_lines.h"

// Far more significant digits than a rounding to float can depend on (a
// halfway point between two floats has at most 112 decimal digits).
constexpr int kLutKeptDigits = 160;
// The longest NAN(...) character sequence passed on; a longer one is
// dropped and the value is the plain NaN.
constexpr int kLutNanCharsKept = 64;

// A real-number field as the matcher found it: all that its value depends
// on, however long its text was.
struct LutNumberText {
    enum Form : uint8_t { kDecimal, kHexadecimal, kInfinity, kNan };
    Form form;
    bool negative;
    bool dropped;    // a nonzero digit beyond the kept ones
    bool nanClosed;  // NAN( ... ) closed, its characters all kept
    int digitCount;  // kept significant digits; 0 for a zero
    int nanCount;
    uint64_t leading;  // decimal: the kept digits as an integer, while they are at most 19
    int64_t power;     // the kept digits as an integer, times base^power
    int64_t exponent;  // the written exponent (of 10, or of 2 after "0x"), saturated
    char digits[kLutKeptDigits];
    char nanChars[kLutNanCharsKept];
};

// Matches one field as formatted input matches "%f": white space skipped,
// then the longest run of characters that begins a number (decimal with
// optional point and exponent, "0x" hexadecimal with optional binary
// exponent, INF, INFINITY, NAN or NAN(chars), letter case free, each
// optionally signed); the character after it stays unread. False when that
// run is not a whole number ("3.0e", "-", "0x", "infin") or the file ends
// first.
bool MatchLutNumber(LutInput *input, LutNumberText *text);

// The float nearest the number, rounded as strtof rounds: beyond the range
// of float an infinity, below it zero or a denormal.
float LutNumberValue(const LutNumberText &text);

// MatchLutNumber, then LutNumberValue into *value when it matched.
bool ScanLutFloatField(LutInput *input, float *value);

// The usual field of a LUT row, such as " 0.123456" or "-12.5": white
// space, an optional sign, then decimal digits with at most one point, at
// most kQuickDigits of them, ended by a character that cannot continue a
// number. Read straight from the block, where the whole field and the
// character after it lie; this is the same number the matcher would take
// and the same value, rounded once. Anything else (an exponent, "0x",
// INF, NAN, more digits, the end of the block) is left to the matcher:
// false, with nothing consumed.
constexpr int kQuickDigits = 19;  // below 10^19 < 2^64: the digits as one integer

// The digits from p on, appended to *digits; returns the byte after them.
// A digit is a byte whose distance above '0' is at most 9, unsigned.
[[gnu::always_inline]] inline const unsigned char *TakeQuickDigits(const unsigned char *p, uint64_t *digits) {
    uint64_t value = *digits;
    // Two digits a turn: half the turns, and the value's chain of
    // multiplications is no longer than with one.
    for (;;) {
        uint32_t high = static_cast<uint32_t>(p[0]) - '0';
        if (high > 9) break;
        uint32_t low = static_cast<uint32_t>(p[1]) - '0';
        if (low > 9) {
            value = value * 10 + high;
            ++p;
            break;
        }
        value = value * 100 + (high * 10 + low);
        p += 2;
    }
    *digits = value;
    return p;
}

// The bytes from the start of a field's digits that TakeUnitFraction
// reads: "0.", at most nine digits and the byte after them.
constexpr int kUnitFieldBytes = 12;

// The magnitude of a field that is "0." and 7 to 9 digits, ended by a byte
// that cannot continue a number, into *magnitude; the byte after it. Most
// values of a table written as the shortest text of each float are such
// fields ("0.12345678"). The digits are read as one word, their count
// (which no branch could predict) taken without a branch, and their value
// multiplied by 10^-count in double, a fraction of a division's time.
// nullptr, nothing stored, for anything else and for a product near
// halfway between two floats (no field of 7 to 9 digits is, but the loop
// of ScanQuickDecimal would read it right). p has kUnitFieldBytes bytes of
// the block from it on.
[[gnu::always_inline]] inline const unsigned char *TakeUnitFraction(const unsigned char *p, float *magnitude) {
    uint16_t lead;
    memcpy(&lead, p, sizeof lead);
    uint64_t d;
    const uint64_t notDigits = MarkNonDigits(p + 2, &d);
    // The first seven bytes digits: the marks up to the eighth are right.
    if (lead != ('0' | '.' << 8) || (notDigits & 0x0080808080808080) != 0) return nullptr;
    // Seven digits: the byte after them shifted out, a leading zero in.
    // Shifts and masks, not branches.
    const uint64_t eighthNot = notDigits >> 63;
    uint64_t digits = EightDigitsValue(d << 8 * eighthNot);
    const uint64_t ninthValue = static_cast<uint64_t>(p[10]) - '0';
    const uint64_t ninth = (eighthNot ^ 1) & (ninthValue <= 9 ? 1 : 0);
    const uint64_t withNinth = 0 - ninth;
    digits = ((digits * 10 + ninthValue) & withNinth) | (digits & ~withNinth);
    const uint64_t count = 8 - eighthNot + ninth;
    const unsigned char *after = p + 2 + count;
    // Only 'E' and 'e' are 'e' with the bit of lower case set, as with 'x';
    // white space, the usual end, is below them all.
    const int c = *after;
    if (c > ' ' && (IsAsciiDigit(c) || (c | 0x20) == 'e' || (c | 0x20) == 'x')) return nullptr;
    // Below 10^9 times 10^-9 or more: zero or far within float's range.
    const double product = static_cast<double>(static_cast<int64_t>(digits)) * kDoubleTenthPowers[count];
    return RoundNearToFloat(product, kTenthPowerProductUlps, magnitude) ? after : nullptr;
}

[[gnu::always_inline]] inline bool ScanQuickDecimal(LutInput *input, float *value) {
    const unsigned char *p = input->block + input->at;
    const unsigned char *end = input->block + input->end;
    while (IsAsciiSpace(*p)) ++p;  // the NUL behind the block's bytes ends it
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (end - p >= kUnitFieldBytes) {
        float magnitude;
        const unsigned char *after = TakeUnitFraction(p, &magnitude);
        if (after != nullptr) {
            *value = negative ? -magnitude : magnitude;
            input->at = static_cast<size_t>(after - input->block);
            return true;
        }
    }
    const unsigned char *first = p;
    uint64_t digits = 0;
    p = TakeQuickDigits(p, &digits);
    int64_t integerDigits = p - first;
    int64_t fractionDigits = 0;
    if (*p == '.') {
        const unsigned char *fraction = ++p;
        p = TakeQuickDigits(p, &digits);
        fractionDigits = p - fraction;
    }
    int c = *p;
    if (p >= end || integerDigits + fractionDigits == 0 || integerDigits + fractionDigits > kQuickDigits ||
        AsciiLower(c) == 'e' || AsciiLower(c) == 'x') {
        return false;
    }
    float magnitude;
    if (!ExactDecimalFraction(digits, fractionDigits, &magnitude) &&
        !DoubleDecimalFraction(digits, fractionDigits, &magnitude) &&
        std::from_chars(reinterpret_cast<const char *>(first), reinterpret_cast<const char *>(p), magnitude,
                        std::chars_format::fixed)
                .ec != std::errc{}) {
        return false;
    }
    *value = negative ? -magnitude : magnitude;
    input->at = static_cast<size_t>(p - input->block);
    return true;
}

// One real field: the usual form straight from the block, anything else by
// the matcher. Forced inline in the row loops, since it is most of a LUT
// file's reading time and a call's saving and restoring of registers cost
// a tenth of a field.
[[gnu::always_inline]] inline bool ScanLutFloat(LutInput *input, float *value) {
    return ScanQuickDecimal(input, value) || ScanLutFloatField(input, value);
}

// Matches one integer the way "%d" does: leading white space, an optional
// sign, then at least one digit; the character after the digits stays
// unread. The digits are gathered in unsigned arithmetic, which wraps, so
// no number is too large: *bits receives the low 32 bits (two's complement)
// of the number written. Returns false when no digit follows, having
// consumed what "%d" consumes.
bool ScanWrappedDecimal(LutInput *input, uint32_t *bits);
