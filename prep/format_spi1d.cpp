// lutprep's reading of Sony Pictures Imageworks 1D LUTs (.spi1d).
//
// A header of keyword lines, then the table between braces:
//   Version 1          required; no other version exists
//   From lo hi         the input at the first and the last entry (0 1)
//   Length n           required: n entries
//   Components c       required: 1 (one value for red, green and blue),
//                      2 (red and green; blue comes out 0) or 3
//   {                  alone on its line
//   v ...              n lines of c reals, evenly spaced over [lo, hi]
//   }                  optional; lines after it are not read
// Keywords are matched in their own letter case, as OpenColorIO matches
// them; other lines of the header are ignored. Input outside [lo, hi] is
// clamped to the end entries.
#include <cmath>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

// OpenColorIO's bounds for a 1D table.
constexpr int64_t kMinLength = 2;
constexpr int64_t kMaxLength = int64_t{1} << 20;
// The return of a line that ends the table: the loop stops, without fault.
constexpr int kTableEnd = 1;

struct Spi1dReading {
    int64_t versionLine;
    int64_t lengthLine;
    int64_t componentsLine;
    int64_t length;
    int64_t components;
    float from[2];
    // The table, once its brace is read.
    PrepOp *op;
    int64_t rows;
    PrepTransform *t;
    PrepError *error;
};

// A keyword at the very start of the line, in its own case, followed by a
// blank or the end.
bool StartsWithKeyword(const PrepLine &line, const char *keyword, const char **rest) {
    size_t n = strlen(keyword);
    if (static_cast<size_t>(line.end - line.begin) < n || memcmp(line.begin, keyword, n) != 0) return false;
    if (line.begin + n != line.end && !IsBlank(line.begin[n])) return false;
    *rest = line.begin + n;
    return true;
}

int ScanHeaderInteger(const char *p, const PrepLine &line, const char *name, int64_t lo, int64_t hi, int64_t *out,
                      PrepError *error) {
    if (ScanInteger(&p, line.end, 0, out) != kFieldNumber || SkipBlanks(p, line.end) != line.end || *out < lo ||
        *out > hi) {
        PrepSetError(error, line.number, "%s needs one whole number from %lld to %lld", name,
                     static_cast<long long>(lo), static_cast<long long>(hi));
        return -1;
    }
    return 0;
}

int ReadFrom(const char *p, const PrepLine &line, Spi1dReading *s) {
    for (int i = 0; i < 2; i++) {
        if (ScanReal(&p, line.end, 0, false, &s->from[i]) != kFieldNumber || !std::isfinite(s->from[i])) {
            PrepSetError(s->error, line.number, "From needs two numbers, the input of the first and the last entry");
            return -1;
        }
    }
    if (SkipBlanks(p, line.end) != line.end) {
        PrepSetError(s->error, line.number, "From takes two numbers, this line holds more");
        return -1;
    }
    if (!(s->from[0] < s->from[1])) {
        PrepSetError(s->error, line.number, "From: the first input is not below the last");
        return -1;
    }
    return 0;
}

// The brace that opens the table: the header must be complete.
int OpenTable(const PrepLine &line, Spi1dReading *s) {
    if (line.begin + 1 != line.end) {
        PrepSetError(s->error, line.number, "values on the '{' line: the table begins on the next line");
        return -1;
    }
    const char *missing = s->versionLine == 0  ? "Version"
                          : s->lengthLine == 0 ? "Length"
                                               : (s->componentsLine == 0 ? "Components" : nullptr);
    if (missing != nullptr) {
        PrepSetError(s->error, line.number, "no %s line before the table", missing);
        return -1;
    }
    s->op = PrepAddCurve(s->t, "1D LUT", static_cast<int32_t>(s->length), false, s->error);
    if (s->op == nullptr) return -1;
    for (int c = 0; c < 3; c++) {
        s->op->curve.min[c] = s->from[0];
        s->op->curve.max[c] = s->from[1];
    }
    return 0;
}

int ReadHeaderLine(const PrepLine &line, Spi1dReading *s) {
    if (*line.begin == '{') return OpenTable(line, s);
    const char *rest = nullptr;
    if (StartsWithKeyword(line, "Version", &rest)) {
        s->versionLine = line.number;
        int64_t version = 0;
        if (ScanInteger(&rest, line.end, 0, &version) != kFieldNumber || version != 1) {
            PrepSetError(s->error, line.number, "not Version 1, the only version of the format");
            return -1;
        }
    } else if (StartsWithKeyword(line, "From", &rest)) {
        return ReadFrom(rest, line, s);
    } else if (StartsWithKeyword(line, "Length", &rest)) {
        s->lengthLine = line.number;
        return ScanHeaderInteger(rest, line, "Length", kMinLength, kMaxLength, &s->length, s->error);
    } else if (StartsWithKeyword(line, "Components", &rest)) {
        s->componentsLine = line.number;
        return ScanHeaderInteger(rest, line, "Components", 1, 3, &s->components, s->error);
    }
    return 0;
}

// One entry: exactly the header's count of components.
int ReadEntry(const PrepLine &line, Spi1dReading *s) {
    if (s->rows == s->length) {
        PrepSetError(s->error, line.number, "more than the %lld entries of Length (line %lld)",
                     static_cast<long long>(s->length), static_cast<long long>(s->lengthLine));
        return -1;
    }
    float v[3] = {};
    const char *p = line.begin;
    int n = 0;
    float value = 0.0f;
    FieldResult field = kFieldEnd;
    while (n <= s->components && (field = ScanReal(&p, line.end, 0, false, &value)) == kFieldNumber) {
        if (!std::isfinite(value)) {
            PrepSetError(s->error, line.number, "a NaN or infinite value");
            return -1;
        }
        if (n < s->components) v[n] = value;
        n++;
    }
    if (field == kFieldBad || n != s->components) {
        PrepSetError(s->error, line.number, "an entry of Components %lld needs %lld number%s",
                     static_cast<long long>(s->components), static_cast<long long>(s->components),
                     s->components == 1 ? "" : "s");
        return -1;
    }
    float *row = s->op->curve.values[s->rows++];
    // One component feeds all three channels; with two, blue stays 0.
    for (int c = 0; c < 3; c++) row[c] = s->components == 1 ? v[0] : v[c];
    return 0;
}

int ReadSpi1dLine(void *state, const PrepLine &line) {
    Spi1dReading *s = static_cast<Spi1dReading *>(state);
    if (s->op == nullptr) return ReadHeaderLine(line, s);
    if (*line.begin == '}') return kTableEnd;
    return ReadEntry(line, s);
}

int ParseSpi1d(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *, PrepError *error) {
    PrepFreeTransform(t);
    Spi1dReading s{};
    s.from[1] = 1.0f;
    s.t = t;
    s.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, 0, ReadSpi1dLine, &s, &lastLine, error);
    if (result == kTableEnd) result = 0;
    if (result == 0 && s.op == nullptr) {
        PrepSetError(error, lastLine, "no '{' line: the file holds no table");
        result = -1;
    } else if (result == 0 && s.rows < s.length) {
        PrepSetError(error, lastLine, "%lld entries; Length %lld (line %lld) needs %lld",
                     static_cast<long long>(s.rows), static_cast<long long>(s.length),
                     static_cast<long long>(s.lengthLine), static_cast<long long>(s.length));
        result = -1;
    }
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = &kPrepFormatSpi1d;
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatSpi1d = {
    .name = "spi1d",
    .extension = ".spi1d",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseSpi1d,
    .write = nullptr,
    .rowNode = nullptr,
};
