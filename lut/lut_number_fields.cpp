// The number fields of the LUT rows.
//
// The library's "%f" leaves a number beyond the range of float undefined, so
// the real field is matched here by the same rule formatted input uses, and
// only a complete number is converted. Matching and conversion are two
// steps over one LutNumberText, as a soft-float unpacks before it rounds:
// the matcher consumes what "%f" consumes (only the character that ends the
// number stays unread) and keeps what the value depends on; the value step
// rounds that to float.
//
// A number may be as long as the file: its digits are not kept as written
// but as a sign, at most kLutKeptDigits significant digits, a mark for any
// nonzero digit beyond them, and a power of the base. That is all a rounding
// to float can depend on, so the value of the rebuilt text is the value of
// the whole number.
#include "lut/lut_number_fields.h"

#include <cfloat>
#include <charconv>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <system_error>

#include "platform/ascii.h"

namespace {

// A power of the text handed to the conversion beyond this makes any kept
// mantissa overflow or vanish alike.
constexpr int64_t kTextPowerLimit = 1000000;
// The written exponent saturates here, and the digit power is held within
// kDigitPowerLimit (a number of 2^59 digits cannot be read), so that their
// sum neither overflows nor changes sides of kTextPowerLimit: a saturated
// exponent still outweighs any digit power.
constexpr int64_t kExponentLimit = int64_t{1} << 62;
constexpr int64_t kDigitPowerLimit = int64_t{1} << 59;

bool IsNanChar(int c) { return IsAsciiDigit(c) || IsAsciiAlpha(c) || c == '_'; }

void AddExponentDigit(int64_t *exponent, int c) {
    *exponent = *exponent < kExponentLimit / 10 ? *exponent * 10 + (c - '0') : kExponentLimit;
}

int64_t Clamp(int64_t v, int64_t limit) { return v > limit ? limit : v < -limit ? -limit : v; }

// The power of the base that the kept digits, read as an integer, are
// multiplied by: 10 for a decimal, 2 for a hexadecimal significand (whose
// digits are 4 bits each), held within kTextPowerLimit.
int64_t SignificandPower(const LutNumberText &n) {
    int64_t power = Clamp(n.power, kDigitPowerLimit) - (n.dropped ? 1 : 0);
    if (n.form == LutNumberText::kHexadecimal) power *= 4;
    return Clamp(power + n.exponent, kTextPowerLimit);
}

// Decimal significands of up to this many digits are below 2^24, so float
// holds them exactly.
constexpr int kExactDigits = 7;

// The character after the one just consumed.
int TakeAndPeek(LutInput *input) {
    TakeLutByte(input);
    return PeekLutByte(input);
}

// The rest of "inf" or "infinity" after its first letter; "infinity" ends
// itself, so nothing after it is read.
bool MatchInfinity(LutInput *input, LutNumberText *n) {
    static const char kInfinity[] = "infinity";
    n->form = LutNumberText::kInfinity;
    int length = 0;
    for (int c = PeekLutByte(input); length < 8 && AsciiLower(c) == kInfinity[length]; c = PeekLutByte(input)) {
        TakeLutByte(input);
        length++;
    }
    return length == 3 || length == 8;
}

// "nan", optionally followed by "(chars)"; the ')' ends the item.
bool MatchNan(LutInput *input, LutNumberText *n) {
    n->form = LutNumberText::kNan;
    int length = 0;
    int c = PeekLutByte(input);
    for (; length < 3 && AsciiLower(c) == "nan"[length]; c = PeekLutByte(input)) {
        TakeLutByte(input);
        length++;
    }
    if (length < 3) return false;
    if (c != '(') return true;
    bool tooLong = false;
    for (c = TakeAndPeek(input); c != ')'; c = TakeAndPeek(input)) {
        if (!IsNanChar(c)) return false;
        if (n->nanCount < kLutNanCharsKept) {
            n->nanChars[n->nanCount++] = static_cast<char>(c);
        } else {
            tooLong = true;
        }
    }
    TakeLutByte(input);
    n->nanClosed = !tooLong;
    return true;
}

// Takes a run of digits of the significand, before or after the point, and
// returns whether there was one. Within a block the run is found up to the
// NUL behind the block's bytes, then taken at once: leading zeros only
// place the point, up to kLutKeptDigits digits are kept, and of the others
// only whether one is nonzero is kept. Inlined into the matcher: the call
// alone cost a fifth of a read.
[[gnu::always_inline]] inline bool TakeDigits(LutInput *input, LutNumberText *n, bool hex, bool afterPoint) {
    bool any = false;
    for (int c = PeekLutByte(input); hex ? IsAsciiHexDigit(c) : IsAsciiDigit(c); c = PeekLutByte(input)) {
        any = true;
        const unsigned char *from = input->block + input->at;
        const unsigned char *to = from;
        if (hex) {
            while (IsAsciiHexDigit(*to)) ++to;
        } else {
            while (IsAsciiDigit(*to)) ++to;
        }
        input->at += static_cast<size_t>(to - from);
        if (n->digitCount == 0) {
            const unsigned char *zeros = from;
            while (from < to && *from == '0') ++from;
            if (afterPoint) n->power -= from - zeros;
        }
        int64_t room = kLutKeptDigits - n->digitCount;
        int kept = static_cast<int>(to - from < room ? to - from : room);
        uint64_t leading = n->leading;
        for (int i = 0; i < kept; i++) {
            leading = leading * 10u + (from[i] - static_cast<unsigned>('0'));
            n->digits[n->digitCount + i] = static_cast<char>(from[i]);
        }
        n->leading = leading;
        n->digitCount += kept;
        from += kept;
        if (afterPoint) {
            n->power -= kept;
        } else {
            n->power += to - from;
        }
        for (; from < to; ++from) n->dropped = n->dropped || *from != '0';
    }
    return any;
}

// The exponent after its mark ('e', or 'p' after "0x"): an optional sign
// and at least one decimal digit.
bool MatchExponent(LutInput *input, LutNumberText *n) {
    int c = TakeAndPeek(input);
    bool negative = c == '-';
    if (c == '+' || c == '-') c = TakeAndPeek(input);
    if (!IsAsciiDigit(c)) return false;
    int64_t exponent = 0;
    for (; IsAsciiDigit(c); c = TakeAndPeek(input)) AddExponentDigit(&exponent, c);
    n->exponent = negative ? -exponent : exponent;
    return true;
}

}  // namespace

bool MatchLutNumber(LutInput *input, LutNumberText *n) {
    // Field by field: the digit arrays are written only as far as they are
    // used.
    n->form = LutNumberText::kDecimal;
    n->negative = false;
    n->dropped = false;
    n->nanClosed = false;
    n->digitCount = 0;
    n->nanCount = 0;
    n->leading = 0;
    n->power = 0;
    n->exponent = 0;
    int c = PeekLutByte(input);
    while (IsAsciiSpace(c)) c = TakeAndPeek(input);
    if (c == '+' || c == '-') {
        n->negative = c == '-';
        c = TakeAndPeek(input);
    }
    if (AsciiLower(c) == 'i') return MatchInfinity(input, n);
    if (AsciiLower(c) == 'n') return MatchNan(input, n);
    if (!IsAsciiDigit(c) && c != '.') return false;

    // A leading 0 may begin "0x"; as a decimal digit it adds nothing.
    bool hex = false;
    bool integerDigits = false;
    if (c == '0') {
        c = TakeAndPeek(input);
        hex = AsciiLower(c) == 'x';
        if (hex) {
            n->form = LutNumberText::kHexadecimal;
            TakeLutByte(input);
        }
        integerDigits = !hex;
    }
    integerDigits = TakeDigits(input, n, hex, false) || integerDigits;
    bool fractionDigits = false;
    if (PeekLutByte(input) == '.') {
        TakeLutByte(input);
        fractionDigits = TakeDigits(input, n, hex, true);
    }
    if (!integerDigits && !fractionDigits) return false;
    if (AsciiLower(PeekLutByte(input)) == (hex ? 'p' : 'e')) return MatchExponent(input, n);
    return true;
}

float LutNumberValue(const LutNumberText &n) {
    float infinity = std::numeric_limits<float>::infinity();
    switch (n.form) {
    case LutNumberText::kInfinity:
        return n.negative ? -infinity : infinity;
    case LutNumberText::kNan: {
        // from_chars drops a NaN's payload; the C library's strtof keeps
        // the one it has always given, which differs between libraries.
        char text[1 + 4 + kLutNanCharsKept + 2];
        int at = 0;
        if (n.negative) text[at++] = '-';
        for (char ch : {'n', 'a', 'n'}) text[at++] = ch;
        if (n.nanClosed) {
            text[at++] = '(';
            for (int i = 0; i < n.nanCount; i++) text[at++] = n.nanChars[i];
            text[at++] = ')';
        }
        text[at] = '\0';
        return strtof(text, nullptr);
    }
    case LutNumberText::kDecimal:
    case LutNumberText::kHexadecimal:
        break;
    }
    if (n.digitCount == 0) return n.negative ? -0.0f : 0.0f;
    bool hex = n.form == LutNumberText::kHexadecimal;
    int64_t power = SignificandPower(n);

    // The usual LUT value ("0.123456"), exact in float (its own first path
    // of from_chars, at a fraction of the cost of the call).
    float exact;
    if (!hex && !n.dropped && n.digitCount <= kExactDigits && ExactDecimal(n.leading, power, &exact)) {
        return n.negative ? -exact : exact;
    }

    char text[kLutKeptDigits + 1 + 1 + 24];
    int at = 0;
    for (int i = 0; i < n.digitCount; i++) text[at++] = n.digits[i];
    if (n.dropped) text[at++] = '1';
    text[at++] = hex ? 'p' : 'e';
    char *end = std::to_chars(text + at, text + sizeof text, power).ptr;
    float magnitude = 0.0f;
    std::from_chars_result result =
        std::from_chars(text, end, magnitude, hex ? std::chars_format::hex : std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves a value beyond float to the caller: the number
        // lies far above 1 (infinity) or far below it (zero), and its
        // significand's length in powers of the base says which.
        int64_t digitPowers = (n.digitCount + (n.dropped ? 1 : 0)) * (hex ? 4 : 1);
        magnitude = digitPowers + power > 0 ? infinity : 0.0f;
    }
    return n.negative ? -magnitude : magnitude;
}

bool ScanLutFloatField(LutInput *input, float *value) {
    LutNumberText text;
    if (!MatchLutNumber(input, &text)) return false;
    *value = LutNumberValue(text);
    return true;
}

bool ScanWrappedDecimal(LutInput *input, uint32_t *bits) {
    int c = PeekLutByte(input);
    while (IsAsciiSpace(c)) {
        TakeLutByte(input);
        c = PeekLutByte(input);
    }
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        TakeLutByte(input);
        c = PeekLutByte(input);
    }
    if (!IsAsciiDigit(c)) return false;
    uint32_t magnitude = 0;
    while (IsAsciiDigit(c)) {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        TakeLutByte(input);
        c = PeekLutByte(input);
    }
    *bits = negative ? 0u - magnitude : magnitude;
    return true;
}
