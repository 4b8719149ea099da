// Rows are formatted with std::to_chars into a fixed buffer that is handed
// to fwrite when nearly full: a 33-point table is 35937 rows, and printf per
// value would be most of a conversion's time. to_chars gives the shortest
// text that reads back as the same float, which is what makes the read-back
// check bit-exact.
#include "prep/text_write.h"

#include <charconv>
#include <cstring>

#include "lut/exact_decimal.h"
#include "lut/lut3d_reader.h"
#include "prep/text_scan.h"

PrepOutput *StartOutput(FILE *file) {
    static PrepOutput out;
    out.file = file;
    out.used = 0;
    out.failed = false;
    return &out;
}

namespace {

void Flush(PrepOutput *out) {
    if (out->used > 0 && !out->failed && fwrite(out->buffer, 1, out->used, out->file) != out->used) {
        out->failed = true;
    }
    out->used = 0;
}

}  // namespace

char *RowStart(PrepOutput *out) {
    if (sizeof out->buffer - out->used < kPrepRowRoom) Flush(out);
    return out->buffer + out->used;
}

void RowPart(PrepOutput *out, char *at) { out->used = static_cast<size_t>(at - out->buffer); }

void RowEnd(PrepOutput *out, char *at) {
    *at++ = '\n';
    RowPart(out, at);
}

int FinishOutput(PrepOutput *out, PrepError *error) {
    Flush(out);
    if (out->failed || fflush(out->file) != 0 || ferror(out->file)) {
        PrepSetError(error, 0, "write failed");
        return -1;
    }
    return 0;
}

namespace {

// Whether some multiple of step lies within [least, most].
template <uint32_t step>
bool HoldsMultiple(uint32_t least, uint32_t most) {
    return (least + step - 1) / step <= most / step;
}

// The fewest decimals, 1 to 9, at which some decimal lies within [least,
// most], those bounds being at 9 decimals; 0 for none. An interval that
// holds a k-decimal number holds one of every more decimals; most values
// need 8 or 9, and those are told first. The divisions are by constants.
int FewestDecimals(uint32_t least, uint32_t most) {
    if (least > most) return 0;
    if (!HoldsMultiple<10>(least, most)) return 9;
    if (!HoldsMultiple<100>(least, most)) return 8;
    if (HoldsMultiple<100000000>(least, most)) return 1;
    if (HoldsMultiple<10000000>(least, most)) return 2;
    if (HoldsMultiple<1000000>(least, most)) return 3;
    if (HoldsMultiple<100000>(least, most)) return 4;
    if (HoldsMultiple<10000>(least, most)) return 5;
    return HoldsMultiple<1000>(least, most) ? 6 : 7;
}

// The shortest decimal that reads back as v, for 0.001 <= v < 1, where
// to_chars writes it in fixed notation: "0." and the fewest decimals k for
// which a k-decimal number reads back as v, the nearest such one, as
// to_chars picks it. Told with integers instead of to_chars' general
// search, which was much of the time of writing a table: v is m / 2^s
// exactly, and the decimals that read back as v lie within half a step of
// its neighbours. Those bounds need s + 1 (25 or more) binary places, so no
// decimal of 9 places is ever one of them. nullptr where to_chars decides:
// no 9-decimal number reads back as v (below 0.01 it may need more), or the
// nearest k-decimal number lies outside while another lies inside.
char *PutUnitShortest(char *at, float v) {
    uint32_t bits = 0;
    memcpy(&bits, &v, sizeof bits);
    const uint64_t m = (bits & 0x7fffffu) | 0x800000u;
    const int s = 150 - static_cast<int>(bits >> 23);  // 24 to 33 in this range
    // The bounds times 10^9, in units of 2^-(s + 2): m * 10^9 * 4 < 2^64.
    // Below v the step is half as large at a power of two.
    constexpr uint64_t kTen9 = kIntegerPowersOfTen[9];
    const uint64_t low = (4 * m - (m == 0x800000u ? 1 : 2)) * kTen9, high = (4 * m + 2) * kTen9;
    const uint32_t least = static_cast<uint32_t>((low >> (s + 2)) + 1);
    const uint32_t most = static_cast<uint32_t>(high >> (s + 2));
    const int k = FewestDecimals(least, most);
    if (k == 0) return nullptr;
    // The nearest k-decimal number, halves to even, in units of 10^-k.
    const uint64_t x = m * kIntegerPowersOfTen[k];
    uint64_t n = x >> s;
    const uint64_t r = x & ((uint64_t{1} << s) - 1), half = uint64_t{1} << (s - 1);
    n += r > half || (r == half && (n & 1) != 0) ? 1 : 0;
    const uint64_t at9 = n * kIntegerPowersOfTen[9 - k];
    if (at9 < least || at9 > most) return nullptr;
    at[0] = '0';
    at[1] = '.';
    // Two digits at a time, from the last.
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    uint32_t digits = static_cast<uint32_t>(n);
    int i = k + 1;
    for (; i >= 3; i -= 2, digits /= 100) memcpy(at + i - 1, kPairs + 2 * (digits % 100), 2);
    if (i == 2) at[2] = static_cast<char>('0' + digits);
    return at + k + 2;
}

}  // namespace

char *PutFloat(char *at, float v) {
    // +0 for -0: a row that begins with a sign is no data line to the box.
    if (v == 0.0f) v = 0.0f;
    if (v >= 0.001f && v < 1.0f) {
        char *end = PutUnitShortest(at, v);
        if (end != nullptr) return end;
    }
    return std::to_chars(at, at + kPrepRowRoom / 4, v).ptr;
}

char *PutInt(char *at, int64_t v) { return std::to_chars(at, at + kPrepRowRoom / 4, v).ptr; }

char *PutText(char *at, const char *text) {
    size_t n = strlen(text);
    memcpy(at, text, n);
    return at + n;
}

namespace {

// Bytes of any length, through the rows' buffer.
void PutBytes(PrepOutput *out, const char *p, size_t n) {
    while (n > 0) {
        char *at = RowStart(out);
        size_t k = n < kPrepRowRoom ? n : kPrepRowRoom;
        memcpy(at, p, k);
        RowPart(out, at + k);
        p += k;
        n -= k;
    }
}

// What one read of the box holds besides the line end.
constexpr size_t kLineText = kLut3dLineBytes - 2;

}  // namespace

void PutNotes(PrepOutput *out, const char *notes, const char *keyword) {
    bool keywordDone = keyword == nullptr;
    for (const char *line = notes; line != nullptr && *line != '\0';) {
        const char *lf = strchr(line, '\n');
        const char *end = lf != nullptr ? lf : line + strlen(line);
        const char *rest = nullptr;
        size_t n = static_cast<size_t>(end - line);
        if (!keywordDone && n <= kLineText && MatchKeyword(line, end, keyword, &rest)) {
            keywordDone = true;
            PutBytes(out, line, n);
            RowEnd(out, RowStart(out));
        } else {
            // "# " and at most kLineText - 2 bytes a line.
            for (const char *p = line; p < end;) {
                size_t k = static_cast<size_t>(end - p) < kLineText - 2 ? static_cast<size_t>(end - p) : kLineText - 2;
                PutBytes(out, "# ", 2);
                PutBytes(out, p, k);
                RowEnd(out, RowStart(out));
                p += k;
            }
        }
        line = lf != nullptr ? lf + 1 : end;
    }
}

int CheckWritable(const PrepLut *lut, PrepError *error) {
    if (lut->values == nullptr || !PrepIsPlainLattice(lut)) {
        PrepSetError(error, 0, "only a plain lattice is written: resample it first");
        return -1;
    }
    int64_t values = 3 * PrepNodeCount(lut->points);
    for (int64_t i = 0; i < values; i++) {
        float v = lut->values[i];
        if (!(v >= 0.0f && v <= 1.0f)) {
            PrepSetError(error, 0, "value %.9g of node %lld outside [0, 1]: clamp it first", static_cast<double>(v),
                         static_cast<long long>(i / 3));
            return -1;
        }
    }
    return 0;
}
