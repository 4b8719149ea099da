// lutprep's reading of Discreet (Autodesk) 1D LUTs (.lut), and of the
// Houdini LUTs that share the extension.
//
// Comment lines ('#') and blank lines, then either a header
//   LUT: t n [depth]     t tables (1: one for red, green and blue; 3; 4,
//                        the last for alpha, not used) of n entries each
// or, in the old form, no header and one table of 256 entries. Then the
// tables one after the other, one whole number a line, from 0 to 65535;
// after them comment and blank lines only. The integers are code values of
// the output depth: the header's third number when given (256, 1024, 4096,
// 65536 for 8 to 16 bits; 65536f for half-float bit patterns), else the
// table's length (256, 1024, 4096 or 65536 entries). The entries spread
// evenly over input [0, 1], except in a table of 65536, whose entry k is the
// output for the input whose half-float bit pattern is k.
//
// OpenColorIO takes the depth from a "to" and a depth in the file's name
// ("log_10to16f.lut") before the table's length; the name does not reach
// this reader, so a depth taken from the length is reported as a guess. A
// file that is neither a Discreet LUT nor a Houdini one is refused with the
// reasons of both readers.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

// OpenColorIO reads lines of up to this many characters.
constexpr ptrdiff_t kMaxLineBytes = 200;
// The old form's one table.
constexpr int64_t kOldFormEntries = 256;
constexpr int64_t kMaxEntries = int64_t{1} << 20;
constexpr int64_t kMaxCode = 65535;
// A table this long is indexed by the input's half-float bit pattern.
constexpr int64_t kHalfDomainEntries = 65536;
// The return of a line that is not a Discreet LUT's first line: the loop
// stops and the Houdini reader tries the file.
constexpr int kNotDiscreet = 1;

struct Depth {
    const char *text;  // in the header
    int64_t entries;   // the table length that implies it
    double fullScale;  // 0: half-float bit patterns
};
const Depth kDepths[] = {
    {"256", 256, 255.0}, {"1024", 1024, 1023.0}, {"4096", 4096, 4095.0}, {"65536", 65536, 65535.0}, {"65536f", 0, 0.0},
};

struct DiscreetReading {
    bool recognised;
    int64_t tables;
    int64_t entries;
    const Depth *depth;
    int64_t headerLine;
    // tables x entries codes, table by table.
    float *codes;
    int64_t read;
    int64_t lastValueLine;
    PrepWarnings *warnings;
    PrepError *error;
};

// The depth of the output when the header gives none: the one the length
// implies, noted as a guess; -1 with *error set when it implies none.
int DepthOfLength(int64_t line, DiscreetReading *d) {
    for (const Depth &depth : kDepths) {
        if (depth.entries != d->entries) continue;
        NoteWarning(d->warnings, kPrepWarnBitDepth, line,
                    "no output depth in the header: %s entries taken as %s-code output (OpenColorIO takes a depth "
                    "named after 'to' in the file name first)",
                    depth.text, depth.text);
        d->depth = &depth;
        return 0;
    }
    PrepSetError(d->error, line,
                 "tables of %lld entries give no output depth: the header's third number must (256, 1024, 4096, "
                 "65536 or 65536f)",
                 static_cast<long long>(d->entries));
    return -1;
}

int StartTables(int64_t line, DiscreetReading *d) {
    if (d->depth == nullptr && DepthOfLength(line, d) != 0) return -1;
    d->codes = static_cast<float *>(malloc(static_cast<size_t>(d->tables * d->entries) * sizeof(float)));
    if (d->codes == nullptr) {
        PrepSetError(d->error, line, "out of memory for %lld tables of %lld entries", static_cast<long long>(d->tables),
                     static_cast<long long>(d->entries));
        return -1;
    }
    return 0;
}

int ReadHeader(const PrepLine &line, DiscreetReading *d) {
    d->headerLine = line.number;
    const char *p = line.begin + 4;
    if (p == line.end || !IsBlank(*p)) {
        PrepSetError(d->error, line.number, "the header must begin 'LUT: ' with a blank after the colon");
        return -1;
    }
    if (ScanInteger(&p, line.end, 0, &d->tables) != kFieldNumber ||
        (d->tables != 1 && d->tables != 3 && d->tables != 4)) {
        PrepSetError(d->error, line.number, "the header's first number, the tables, must be 1, 3 or 4");
        return -1;
    }
    if (ScanInteger(&p, line.end, 0, &d->entries) != kFieldNumber || d->entries < 2 || d->entries > kMaxEntries) {
        PrepSetError(d->error, line.number, "the header's second number, the entries of a table, must be 2 to %lld",
                     static_cast<long long>(kMaxEntries));
        return -1;
    }
    p = SkipBlanks(p, line.end);
    if (p != line.end) {
        const char *end = p;
        while (end < line.end && !IsBlank(*end)) end++;
        for (const Depth &depth : kDepths) {
            size_t n = strlen(depth.text);
            if (static_cast<size_t>(end - p) == n && memcmp(p, depth.text, n) == 0) d->depth = &depth;
        }
        if (d->depth == nullptr || SkipBlanks(end, line.end) != line.end) {
            PrepSetError(d->error, line.number,
                         "the header's third number, the output depth, must be 256, 1024, 4096, 65536 or 65536f");
            return -1;
        }
    }
    return StartTables(line.number, d);
}

int ReadCode(const PrepLine &line, DiscreetReading *d) {
    if (d->read == d->tables * d->entries) {
        PrepSetError(d->error, line.number, "a line after the %lld table%s of %lld entries",
                     static_cast<long long>(d->tables), d->tables == 1 ? "" : "s", static_cast<long long>(d->entries));
        return -1;
    }
    const char *p = line.begin;
    int64_t code = 0;
    if (*p < '0' || *p > '9' || ScanInteger(&p, line.end, 0, &code) != kFieldNumber || p != line.end) {
        char word[32];
        QuoteField(line.begin, line.end, 0, word);
        PrepSetError(d->error, line.number, "'%s': a table line holds one whole number from 0 to 65535 alone", word);
        return -1;
    }
    if (code > kMaxCode) {
        PrepSetError(d->error, line.number, "%lld is above 65535 (OpenColorIO would keep its low 16 bits, %lld)",
                     static_cast<long long>(code), static_cast<long long>(code & kMaxCode));
        return -1;
    }
    d->codes[d->read++] = static_cast<float>(code);
    d->lastValueLine = line.number;
    return 0;
}

int ReadDiscreetLine(void *state, const PrepLine &line) {
    DiscreetReading *d = static_cast<DiscreetReading *>(state);
    bool comment = *line.begin == '#';
    bool inTables = d->codes != nullptr && d->read < d->tables * d->entries;
    if (comment && inTables) {
        PrepSetError(d->error, line.number, "a comment line within a table");
        return -1;
    }
    if (comment) return 0;
    const char *rest = nullptr;
    bool header =
        !d->recognised && line.end - line.begin >= 4 && MatchKeyword(line.begin, line.begin + 4, "LUT:", &rest);
    if (!d->recognised && !header && (*line.begin < '0' || *line.begin > '9')) return kNotDiscreet;
    if (line.end - line.begin > kMaxLineBytes) {
        PrepSetError(d->error, line.number, "a line of more than %lld characters",
                     static_cast<long long>(kMaxLineBytes));
        return -1;
    }
    if (d->recognised) return ReadCode(line, d);
    d->recognised = true;
    if (header) return ReadHeader(line, d);
    d->tables = 1;
    d->entries = kOldFormEntries;
    if (StartTables(line.number, d) != 0) return -1;
    return ReadCode(line, d);
}

// The value of a half-float bit pattern.
double HalfValue(uint32_t bits) {
    uint32_t exponent = bits >> 10 & 0x1Fu, mantissa = bits & 0x3FFu;
    double magnitude = exponent == 0 ? std::ldexp(static_cast<double>(mantissa), -24)
                       : exponent == 31
                           ? (mantissa == 0 ? INFINITY : NAN)
                           : std::ldexp(static_cast<double>(mantissa | 0x400u), static_cast<int>(exponent) - 25);
    return (bits & 0x8000u) != 0 ? -magnitude : magnitude;
}

// Entry k of table c of the output, in the output's scale; -1 with *error
// set for a half-float code that is no finite number.
int OutputValue(const DiscreetReading &d, const Depth &depth, int64_t k, int c, float *out, PrepError *error) {
    int64_t table = d.tables == 1 ? 0 : c;
    double code = d.codes[table * d.entries + k];
    if (depth.fullScale != 0.0) {
        *out = static_cast<float>(code / depth.fullScale);
        return 0;
    }
    double v = HalfValue(static_cast<uint32_t>(code));
    if (!std::isfinite(v)) {
        PrepSetError(error, d.headerLine, "entry %lld of table %d is a half-float NaN or infinity",
                     static_cast<long long>(k), static_cast<int>(table) + 1);
        return -1;
    }
    *out = static_cast<float>(v);
    return 0;
}

// The finite half-float bit patterns in increasing order of their values:
// the negative ones from -65504 up to the smallest, then 0 to 65504.
constexpr int64_t kHalfFinite = 0x7C00;
constexpr int64_t kHalfPoints = 2 * kHalfFinite - 1;
uint32_t HalfPatternAt(int64_t i) {
    return static_cast<uint32_t>(i < kHalfFinite - 1 ? 0xFBFF - i : i - (kHalfFinite - 1));
}

// The tables as a 1D LUT: entries evenly over [0, 1], or at the inputs of
// their half-float patterns.
int AddTables(const DiscreetReading &d, const Depth &depth, PrepTransform *t, PrepError *error) {
    bool halfDomain = d.entries == kHalfDomainEntries;
    int64_t points = halfDomain ? kHalfPoints : d.entries;
    PrepOp *op = PrepAddCurve(t, "1D LUT", static_cast<int32_t>(points), halfDomain, error);
    if (op == nullptr) return -1;
    for (int64_t i = 0; i < points; i++) {
        uint32_t pattern = halfDomain ? HalfPatternAt(i) : static_cast<uint32_t>(i);
        for (int c = 0; c < 3; c++) {
            if (OutputValue(d, depth, pattern, c, &op->curve.values[i][c], error) != 0) return -1;
            if (halfDomain) op->curve.positions[i][c] = static_cast<float>(HalfValue(pattern));
        }
    }
    return 0;
}

// Whether the source's last byte is a line feed.
bool EndsWithLineFeed(const PrepSource &source) {
    if (source.file == nullptr) return source.size > 0 && source.text[source.size - 1] == '\n';
    if (fseek(source.file, -1, SEEK_END) != 0) return false;
    return getc(source.file) == '\n';
}

// Everything after the lines were read.
int FinishDiscreet(const PrepSource &source, const DiscreetReading &d, int64_t lastLine, PrepTransform *t,
                   PrepError *error) {
    if (d.read < d.tables * d.entries) {
        PrepSetError(error, lastLine, "the file ends after %lld of the %lld values of %lld table%s of %lld entries",
                     static_cast<long long>(d.read), static_cast<long long>(d.tables * d.entries),
                     static_cast<long long>(d.tables), d.tables == 1 ? "" : "s", static_cast<long long>(d.entries));
        return -1;
    }
    // A file cut short within its last number reads as a smaller number.
    if (d.lastValueLine == lastLine && !EndsWithLineFeed(source)) {
        PrepSetError(error, lastLine, "the last value has no line end: the file may be cut short");
        return -1;
    }
    return AddTables(d, *d.depth, t, error);
}

// Where a file source starts, to read it again.
struct SourceMark {
    long offset;
};

int MarkSource(const PrepSource &source, SourceMark *mark, PrepError *error) {
    mark->offset = source.file != nullptr ? ftell(source.file) : 0;
    if (mark->offset < 0) {
        PrepSetError(error, 0, "cannot tell where the file stands");
        return -1;
    }
    return 0;
}

int RewindSource(const PrepSource &source, const SourceMark &mark, PrepError *error) {
    if (source.file == nullptr) return 0;
    clearerr(source.file);
    if (fseek(source.file, mark.offset, SEEK_SET) != 0) {
        PrepSetError(error, 0, "cannot read the file again from its start");
        return -1;
    }
    return 0;
}

// Not a Discreet LUT: the Houdini reader's, with both readers' reasons when
// it refuses the file too.
int ReadAsHoudini(const PrepSource &source, const SourceMark &mark, const PrepReadOptions &options, PrepTransform *t,
                  PrepWarnings *warnings, PrepError *error) {
    if (RewindSource(source, mark, error) != 0) return -1;
    PrepError houdini{};
    if (kPrepFormatHdl.parseTransform(source, options, t, warnings, &houdini) == 0) return 0;
    PrepSetError(error, houdini.line,
                 "neither a Discreet 1D LUT ('LUT: ' or a number first) nor a Houdini LUT (%.180s)", houdini.text);
    return -1;
}

int ParseDiscreet(const PrepSource &source, const PrepReadOptions &options, PrepTransform *t, PrepWarnings *warnings,
                  PrepError *error) {
    PrepFreeTransform(t);
    SourceMark mark{};
    if (MarkSource(source, &mark, error) != 0) return -1;
    DiscreetReading d{};
    d.warnings = warnings;
    d.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, 0, ReadDiscreetLine, &d, &lastLine, error);
    if (result == 0 && !d.recognised) result = kNotDiscreet;
    if (result == 0) result = FinishDiscreet(source, d, lastLine, t, error);
    free(d.codes);
    if (result == kNotDiscreet) return ReadAsHoudini(source, mark, options, t, warnings, error);
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = &kPrepFormatDiscreet;
    FinishWarnings(warnings, "[0, 1]");
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatDiscreet = {
    .name = "lut",
    .extension = ".lut",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseDiscreet,
    .write = nullptr,
    .rowNode = nullptr,
};
