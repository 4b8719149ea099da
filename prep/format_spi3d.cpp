// lutprep's reading of Sony Pictures Imageworks 3D LUTs (.spi3d).
//
//   SPILUT 1.0         any letter case, anything after it
//   3 3                not used
//   n n n              points per axis, the same on each
//   ri gi bi r g b     one line per node: its index on each axis, then its
//   ...                output; in any order, each node once
// The lattice covers [0, 1] on each axis. As OpenColorIO does, lines that
// are not six fields are skipped, and the reading stops once every node is
// given.
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "lut/decimal_words.h"
#include "lut/exact_decimal.h"
#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

// The three lines before the nodes.
constexpr int kHeaderLines = 3;
// The return of the line that gives the last node: the loop stops, without
// fault.
constexpr int kAllGiven = 1;

struct Spi3dReading {
    int headerLines;
    PrepLut lut;
    // One byte per node: given yet.
    unsigned char *given;
    int64_t nodes;  // of the lattice
    int64_t nodesGiven;
    PrepError *error;
};

int ReadSize(const PrepLine &line, Spi3dReading *s) {
    int64_t n[3] = {};
    const char *p = line.begin;
    for (int i = 0; i < 3; i++) {
        if (ScanInteger(&p, line.end, 0, &n[i]) != kFieldNumber) {
            PrepSetError(s->error, line.number, "the size line needs three whole numbers, the points of each axis");
            return -1;
        }
    }
    if (n[0] != n[1] || n[0] != n[2]) {
        PrepSetError(s->error, line.number, "sizes %lld %lld %lld: the lattice must have as many points on each axis",
                     static_cast<long long>(n[0]), static_cast<long long>(n[1]), static_cast<long long>(n[2]));
        return -1;
    }
    if (n[0] < kPrepMinPoints || n[0] > kPrepMaxPoints) {
        PrepSetError(s->error, line.number, "size %lld: a lattice has %d to %d points per axis",
                     static_cast<long long>(n[0]), kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    int32_t points = static_cast<int32_t>(n[0]);
    if (PrepAllocLut(&s->lut, points, 0, s->error) != 0) return -1;
    s->nodes = PrepNodeCount(points);
    s->given = static_cast<unsigned char *>(calloc(static_cast<size_t>(s->nodes), 1));
    if (s->given == nullptr) {
        PrepSetError(s->error, line.number, "out of memory for a %d-point lattice", points);
        return -1;
    }
    return 0;
}

// A line of six fields, three whole numbers and three reals; false for any
// other line, which is skipped.
bool ScanNode(const PrepLine &line, int64_t index[3], float value[3]) {
    const char *p = line.begin;
    for (int i = 0; i < 3; i++) {
        if (ScanInteger(&p, line.end, 0, &index[i]) != kFieldNumber) return false;
    }
    // The rest is a row of three reals, read as the table formats read
    // theirs; the error of a line that is none is not wanted.
    PrepLine row = line;
    row.begin = p;
    return ScanRowNumbers(row, value, nullptr) == 3;
}

// The eight bytes from p on as one word, those from end on zero (no
// digit). Near the end they are read as the eight that end there, shifted
// down: the caller's line holds at least eight bytes before end.
uint64_t WordUpTo(const char *p, const char *end) {
    uint64_t word = 0;
    if (end - p >= 8) {
        memcpy(&word, p, sizeof word);
    } else if (p < end) {
        memcpy(&word, end - 8, sizeof word);
        word >>= 8 * (8 - (end - p));
    }
    return word;
}

// An index as nearly every file writes it, one to three digits and one
// space (the caller makes sure the line holds four bytes from p on):
// where the next field begins, or nullptr.
const char *UsualIndex(const char *p, int64_t *index) {
    uint32_t v = static_cast<uint32_t>(static_cast<unsigned char>(p[0])) - '0';
    if (v > 9u) return nullptr;
    for (int i = 1; i < 3; i++) {
        uint32_t digit = static_cast<uint32_t>(static_cast<unsigned char>(p[1])) - '0';
        if (digit > 9u) break;
        v = v * 10 + digit;
        p++;
    }
    if (p[1] != ' ') return nullptr;
    *index = v;
    return p + 2;
}

// A value as nearly every file writes it: one digit, a point and one to
// 15 more (after a minus sign or not), its digits read as words. The value
// is the one ScanRowNumbers gives for it, through the same conversions;
// where the field ends (at a space or the line's end), or nullptr for any
// other field or a value those conversions leave to from_chars.
const char *UsualValue(const char *p, const char *end, float *value) {
    bool negative = *p == '-';
    if (negative) p++;
    if (end - p < 3 || static_cast<unsigned char>(*p - '0') > 9u || p[1] != '.') return nullptr;
    uint64_t digits = static_cast<uint64_t>(*p - '0');
    const char *fraction = p + 2;
    uint64_t word = WordUpTo(fraction, end);
    int count = TakeEightDigits(&word, &digits);
    if (count == 8) {
        // A longer fraction ("0.1234567890") runs on a few digits more,
        // fewer steps one by one than as a word.
        constexpr int kMostDigits = 15;
        for (const char *q = fraction + count;
             q < end && count <= kMostDigits && static_cast<unsigned char>(*q - '0') <= 9u; q++, count++) {
            digits = digits * 10 + static_cast<uint64_t>(*q - '0');
        }
        if (count > kMostDigits) return nullptr;
    }
    const char *fieldEnd = fraction + count;
    if (count == 0 || (fieldEnd != end && *fieldEnd != ' ')) return nullptr;
    float v;
    if (!ExactDecimalFraction(digits, count, &v) && !DoubleDecimalFraction(digits, count, &v)) return nullptr;
    *value = negative ? -v : v;
    return fieldEnd;
}

// ScanNode for the usual line, "i j k r g b" with single spaces, as a
// table is written: false for any other line, which ScanNode reads then.
bool ScanUsualNode(const PrepLine &line, int64_t index[3], float value[3]) {
    // The shortest such line, "0 0 0 0.0 0.0 0.0", holds the longest
    // three indices and their spaces: they need no test of the end.
    constexpr ptrdiff_t kShortestLine = 17;
    if (line.end - line.begin < kShortestLine) return false;
    const char *p = line.begin;
    for (int i = 0; i < 3 && p != nullptr; i++) p = UsualIndex(p, &index[i]);
    // Every word read below lies within the line, which holds more than
    // eight bytes (WordUpTo).
    for (int i = 0; i < 3 && p != nullptr; i++) {
        p = p < line.end ? UsualValue(p, line.end, &value[i]) : nullptr;
        if (p != nullptr && i < 2) p = p < line.end ? p + 1 : nullptr;
    }
    return p == line.end;
}

int ReadNode(const PrepLine &line, Spi3dReading *s) {
    int64_t index[3];
    float value[3];
    if (!ScanUsualNode(line, index, value) && !ScanNode(line, index, value)) return 0;
    int64_t n = s->lut.points;
    for (int i = 0; i < 3; i++) {
        if (index[i] < 0 || index[i] >= n) {
            PrepSetError(s->error, line.number, "node %lld %lld %lld is outside the %lld-point lattice",
                         static_cast<long long>(index[0]), static_cast<long long>(index[1]),
                         static_cast<long long>(index[2]), static_cast<long long>(n));
            return -1;
        }
        if (!std::isfinite(value[i])) {
            PrepSetError(s->error, line.number, "a NaN or infinite value");
            return -1;
        }
    }
    int64_t node = index[0] + n * (index[1] + n * index[2]);
    if (s->given[node] != 0) {
        PrepSetError(s->error, line.number, "node %lld %lld %lld given twice", static_cast<long long>(index[0]),
                     static_cast<long long>(index[1]), static_cast<long long>(index[2]));
        return -1;
    }
    s->given[node] = 1;
    for (int c = 0; c < 3; c++) s->lut.values[3 * node + c] = value[c];
    return ++s->nodesGiven == s->nodes ? kAllGiven : 0;
}

int ReadSpi3dLine(void *state, const PrepLine &line) {
    Spi3dReading *s = static_cast<Spi3dReading *>(state);
    if (s->headerLines == kHeaderLines) return ReadNode(line, s);
    s->headerLines++;
    if (s->headerLines == 1) {
        // The magic word may run on into a version ("SPILUT1.0"): only the
        // line's first six bytes are matched.
        const char *rest = nullptr;
        constexpr ptrdiff_t kMagicBytes = 6;
        const char *magicEnd = line.end - line.begin < kMagicBytes ? line.end : line.begin + kMagicBytes;
        if (!MatchKeyword(line.begin, magicEnd, "SPILUT", &rest)) {
            PrepSetError(s->error, line.number, "not an spi3d file: the first line does not begin with SPILUT");
            return -1;
        }
        return 0;
    }
    return s->headerLines == kHeaderLines ? ReadSize(line, s) : 0;
}

// The first node not given, for the message.
void MissingNode(const Spi3dReading &s, int64_t index[3]) {
    int64_t n = s.lut.points;
    int64_t node = 0;
    while (s.given[node] != 0) node++;
    index[0] = node % n;
    index[1] = node / n % n;
    index[2] = node / (n * n);
}

int ParseSpi3d(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *, PrepError *error) {
    PrepFreeTransform(t);
    Spi3dReading s{};
    s.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, 0, ReadSpi3dLine, &s, &lastLine, error);
    if (result == 0 && s.given == nullptr) {
        PrepSetError(error, lastLine, "the file ends before its size line (the third)");
        result = -1;
    } else if (result == 0) {
        int64_t index[3];
        MissingNode(s, index);
        PrepSetError(error, lastLine, "%lld of %lld nodes given; node %lld %lld %lld is missing",
                     static_cast<long long>(s.nodesGiven), static_cast<long long>(s.nodes),
                     static_cast<long long>(index[0]), static_cast<long long>(index[1]),
                     static_cast<long long>(index[2]));
        result = -1;
    }
    free(s.given);
    if (result != kAllGiven) {
        PrepFreeLut(&s.lut);
        return -1;
    }
    s.lut.family = &kPrepFormatSpi3d;
    if (PrepAddLut(t, &s.lut, kPrepInterpDefault, error) != 0) return -1;
    t->family = &kPrepFormatSpi3d;
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatSpi3d = {
    .name = "spi3d",
    .extension = ".spi3d",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseSpi3d,
    .write = nullptr,
    .rowNode = nullptr,
};
