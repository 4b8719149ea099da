// The number fields of the LUT text files: the real-number field of the CSV
// and cube rows, and the wrapping decimal of the 3dl rows and the 1D files.
//
// Private to lut/: only lut/ sources and their tests include it.
#pragma once

#include <cstdint>

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
bool ScanLutFloat(LutInput *input, float *value);

// Matches one integer the way "%d" does: leading white space, an optional
// sign, then at least one digit; the character after the digits stays
// unread. The digits are gathered in unsigned arithmetic, which wraps, so
// no number is too large: *bits receives the low 32 bits (two's complement)
// of the number written. Returns false when no digit follows, having
// consumed what "%d" consumes.
bool ScanWrappedDecimal(LutInput *input, uint32_t *bits);
