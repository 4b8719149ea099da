// Rows are formatted with std::to_chars into a fixed buffer that is handed
// to fwrite when nearly full: a 33-point table is 35937 rows, and printf per
// value would be most of a conversion's time. to_chars gives the shortest
// text that reads back as the same float, which is what makes the read-back
// check bit-exact.
#include "prep/text_write.h"

#include <charconv>
#include <cstring>

#include "lut/decimal_words.h"
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
    if (least > most) return nullptr;
    // The fewest decimals k at which some decimal lies within [least, most]:
    // an interval that holds a k-decimal number holds one of every more
    // decimals. Its width is a step of v, below 6 * 10^-8, so it holds one
    // multiple of 10^-7 at most, and where it holds one that is the nearest
    // to v at k places, its zeros the places it goes without. The divisions
    // are by constants.
    int k = 7;
    uint64_t at9 = 0;
    const uint32_t hundreds = (least + 99) / 100;
    if (hundreds * 100 <= most) {
        at9 = hundreds * 100;
        for (uint32_t t = hundreds; t % 10 == 0; t /= 10) k--;  // t is below 10^7, not 0: k stays 1 or more
    } else {
        k = (least + 9) / 10 * 10 <= most ? 8 : 9;
        // The nearest k-decimal number, halves to even, in units of 10^-k.
        const uint64_t x = m * kIntegerPowersOfTen[k];
        uint64_t n = x >> s;
        const uint64_t r = x & ((uint64_t{1} << s) - 1), half = uint64_t{1} << (s - 1);
        n += r > half || (r == half && (n & 1) != 0) ? 1 : 0;
        at9 = n * kIntegerPowersOfTen[9 - k];
        if (at9 < least || at9 > most) return nullptr;
    }
    // All nine decimals, k of them kept: the zeros after them lie past the
    // end returned, within the room a value may use.
    const uint32_t decimals = static_cast<uint32_t>(at9);
    const uint32_t first = decimals / 100000000;
    const uint64_t rest = EightDigitsText(decimals - first * 100000000);
    at[0] = '0';
    at[1] = '.';
    at[2] = static_cast<char>('0' + first);
    memcpy(at + 3, &rest, sizeof rest);
    static_assert(3 + sizeof rest <= kPrepValueRoom);
    return at + k + 2;
}

}  // namespace

char *PutFloatRest(char *at, float v) {
    if (v >= 0.001f && v < 1.0f) {
        char *end = PutUnitShortest(at, v);
        if (end != nullptr) return end;
    }
    // The ends of the box's range, which a clamped table holds often, as
    // to_chars writes them, without its general search. +0 for -0: a row
    // that begins with a sign is no data line to the box.
    if (v == 0.0f || v == 1.0f) {
        *at = v == 0.0f ? '0' : '1';
        return at + 1;
    }
    return std::to_chars(at, at + kPrepValueRoom, v).ptr;
}

char *PutInt(char *at, int64_t v) { return std::to_chars(at, at + kPrepValueRoom, v).ptr; }

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
