// The real-number field of the CSV and cube rows.
//
// The library's "%f" leaves a number beyond the range of float undefined, so
// the field is matched here by the same rule formatted input uses, and only
// a complete number is converted, by strtof, whose overflow (HUGE_VALF) and
// underflow (a tiny value or zero) are defined. The characters are read one
// at a time and only the one that ends the number is pushed back, so what
// the scan consumes is what "%f" consumes.
//
// A number may be as long as the file: its digits are not kept as written
// but as a sign, at most kKeptDigits significant digits, a mark for any
// nonzero digit beyond them, and a power of the base. That is all a rounding
// to float can depend on, so strtof of the rebuilt text gives the value of
// the whole number.
#include "lut/lut3d_reader.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Far more significant digits than a rounding to float can depend on (a
// halfway point between two floats has at most 112 decimal digits).
constexpr int kKeptDigits = 160;
// A power beyond this makes any kept mantissa overflow or vanish alike.
constexpr int64_t kPowerLimit = 1000000;
// The longest NAN(...) character sequence passed on; a longer one is
// dropped and the result is the plain NaN.
constexpr int kNanCharsKept = 64;

bool IsSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDecimalDigit(int c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(int c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool IsNanChar(int c) {
    return IsDecimalDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
char Lower(int c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// The mantissa of a decimal or hexadecimal number as it is read.
struct Mantissa {
    char digits[kKeptDigits + 2];  // significant digits, a sticky '1', NUL
    int count;
    bool significant;  // a nonzero digit was read
    bool dropped;      // a nonzero digit beyond the kept ones was read
    int64_t power;     // the kept digits as an integer, times base^power
};

void AddDigit(Mantissa *m, int c, bool afterPoint) {
    if (!m->significant && c == '0') {
        if (afterPoint) m->power--;
        return;
    }
    m->significant = true;
    if (m->count < kKeptDigits) {
        m->digits[m->count++] = static_cast<char>(c);
        if (afterPoint) m->power--;
    } else {
        if (c != '0') m->dropped = true;
        if (!afterPoint) m->power++;
    }
}

// Exponent digits, saturated: beyond kPowerLimit the result no longer
// depends on them.
void AddExponentDigit(int64_t *exponent, int c) {
    if (*exponent < kPowerLimit) *exponent = *exponent * 10 + (c - '0');
}

int64_t Clamp(int64_t v) {
    return v > kPowerLimit ? kPowerLimit : v < -kPowerLimit ? -kPowerLimit : v;
}

// Writes the integer v (|v| <= kPowerLimit) at text[*at].
void AppendInt(char *text, int *at, int64_t v) {
    if (v < 0) {
        text[(*at)++] = '-';
        v = -v;
    }
    char reversed[24];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n > 0) text[(*at)++] = reversed[--n];
}

enum State {
    kStart,        // nothing yet
    kSigned,       // a sign
    kZero,         // a leading 0: a decimal or the start of "0x"
    kDecInt,       // decimal digits
    kDecPoint,     // a point, no digit yet
    kDecFrac,      // digits and a point
    kExpMark,      // the exponent's e
    kExpSign,      // and its sign
    kExpDigits,    // and its digits
    kHexMark,      // "0x"
    kHexInt,       // hexadecimal digits
    kHexPoint,     // "0x." without a digit
    kHexFrac,      // hexadecimal digits and a point
    kBinMark,      // the binary exponent's p
    kBinSign,      // and its sign
    kBinDigits,    // and its digits
    kInfinity,     // a prefix of "infinity"
    kNan,          // a prefix of "nan"
    kNanChars,     // "nan(" and its characters
    kDone,         // a complete number that nothing can extend
};

// Whether the item read so far, ending in state s, is a whole number.
bool IsMatching(State s, int literalLength) {
    switch (s) {
    case kZero:
    case kDecInt:
    case kDecFrac:
    case kExpDigits:
    case kHexInt:
    case kHexFrac:
    case kBinDigits:
    case kDone:
        return true;
    case kInfinity:
        return literalLength == 3;  // "inf"; "infinity" ends in kDone
    case kNan:
        return literalLength == 3;
    default:
        return false;
    }
}

}  // namespace

bool ScanLutFloat(FILE *file, float *value) {
    int c = getc(file);
    while (IsSpace(c)) c = getc(file);

    Mantissa m = {};
    bool negative = false;
    bool hex = false;
    bool infinity = false;
    bool nan = false;
    int64_t exponent = 0;
    bool exponentNegative = false;
    int literalLength = 0;  // characters of "infinity" or "nan" matched
    char nanChars[kNanCharsKept + 1];
    int nanCount = 0;
    bool nanTooLong = false;
    static const char kInfinityText[] = "infinity";

    State s = kStart;
    // Each turn takes c into the item and reads the next character, or
    // pushes c back as the one character after the item. An item that ends
    // itself ("infinity", "nan(...)") reads nothing after it.
    while (c != EOF) {
        State next = kDone;
        bool taken = true;
        switch (s) {
        case kStart:
            if (c == '+' || c == '-') {
                negative = c == '-';
                next = kSigned;
                break;
            }
            [[fallthrough]];
        case kSigned:
            if (c == '0') {
                next = kZero;
            } else if (IsDecimalDigit(c)) {
                AddDigit(&m, c, false);
                next = kDecInt;
            } else if (c == '.') {
                next = kDecPoint;
            } else if (Lower(c) == 'i') {
                infinity = true;
                literalLength = 1;
                next = kInfinity;
            } else if (Lower(c) == 'n') {
                nan = true;
                literalLength = 1;
                next = kNan;
            } else {
                taken = false;
            }
            break;
        case kZero:
            if (Lower(c) == 'x') {
                hex = true;
                next = kHexMark;
                break;
            }
            [[fallthrough]];
        case kDecInt:
            if (IsDecimalDigit(c)) {
                AddDigit(&m, c, false);
                next = kDecInt;
            } else if (c == '.') {
                next = kDecFrac;
            } else if (Lower(c) == 'e') {
                next = kExpMark;
            } else {
                taken = false;
            }
            break;
        case kDecPoint:
        case kDecFrac:
            if (IsDecimalDigit(c)) {
                AddDigit(&m, c, true);
                next = kDecFrac;
            } else if (s == kDecFrac && Lower(c) == 'e') {
                next = kExpMark;
            } else {
                taken = false;
            }
            break;
        case kExpMark:
        case kBinMark:
            if (c == '+' || c == '-') {
                exponentNegative = c == '-';
                next = s == kExpMark ? kExpSign : kBinSign;
                break;
            }
            [[fallthrough]];
        case kExpSign:
        case kExpDigits:
        case kBinSign:
        case kBinDigits:
            if (IsDecimalDigit(c)) {
                AddExponentDigit(&exponent, c);
                next = s == kExpMark || s == kExpSign || s == kExpDigits ? kExpDigits : kBinDigits;
            } else {
                taken = false;
            }
            break;
        case kHexMark:
        case kHexInt:
            if (IsHexDigit(c)) {
                AddDigit(&m, c, false);
                next = kHexInt;
            } else if (c == '.') {
                next = s == kHexMark ? kHexPoint : kHexFrac;
            } else if (s == kHexInt && Lower(c) == 'p') {
                next = kBinMark;
            } else {
                taken = false;
            }
            break;
        case kHexPoint:
        case kHexFrac:
            if (IsHexDigit(c)) {
                AddDigit(&m, c, true);
                next = kHexFrac;
            } else if (s == kHexFrac && Lower(c) == 'p') {
                next = kBinMark;
            } else {
                taken = false;
            }
            break;
        case kInfinity:
            if (Lower(c) == kInfinityText[literalLength]) {
                literalLength++;
                next = literalLength == 8 ? kDone : kInfinity;
            } else {
                taken = false;
            }
            break;
        case kNan:
            if (literalLength < 3 && Lower(c) == "nan"[literalLength]) {
                literalLength++;
                next = kNan;
            } else if (literalLength == 3 && c == '(') {
                next = kNanChars;
            } else {
                taken = false;
            }
            break;
        case kNanChars:
            if (c == ')') {
                next = kDone;
            } else if (IsNanChar(c)) {
                if (nanCount < kNanCharsKept) {
                    nanChars[nanCount++] = static_cast<char>(c);
                } else {
                    nanTooLong = true;
                }
                next = kNanChars;
            } else {
                taken = false;
            }
            break;
        case kDone:
            taken = false;
            break;
        }
        if (!taken) {
            ungetc(c, file);
            break;
        }
        s = next;
        if (s == kDone) break;
        c = getc(file);
    }
    if (!IsMatching(s, literalLength)) return false;

    // The item rebuilt for strtof: sign, kept digits, sticky digit, power.
    char text[8 + kKeptDigits + 2 + 24 + kNanCharsKept];
    int at = 0;
    if (negative) text[at++] = '-';
    if (infinity) {
        text[at++] = 'i';
        text[at++] = 'n';
        text[at++] = 'f';
    } else if (nan) {
        text[at++] = 'n';
        text[at++] = 'a';
        text[at++] = 'n';
        if (s == kDone && !nanTooLong) {
            text[at++] = '(';
            for (int i = 0; i < nanCount; i++) text[at++] = nanChars[i];
            text[at++] = ')';
        }
    } else if (!m.significant) {
        text[at++] = '0';
    } else {
        if (hex) {
            text[at++] = '0';
            text[at++] = 'x';
        }
        for (int i = 0; i < m.count; i++) text[at++] = m.digits[i];
        int64_t power = m.power;
        if (m.dropped) {
            text[at++] = '1';
            power--;
        }
        int64_t signedExponent = exponentNegative ? -exponent : exponent;
        text[at++] = hex ? 'p' : 'e';
        AppendInt(text, &at, Clamp(hex ? power * 4 + signedExponent : power + signedExponent));
    }
    text[at] = '\0';
    *value = strtof(text, nullptr);
    return true;
}
