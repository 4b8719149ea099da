// lutprep's reading of Cinespace LUTs (.csp).
//
// Blank lines aside, line by line:
//   CSPLUTV100            any letter case, anything after it
//   1D or 3D              the kind of the main table
//   BEGIN METADATA        optional: free text up to END METADATA
//   ...
//   END METADATA
//   n                     three pre-LUTs, red, green, blue, each a count
//   x0 x1 ... x(n-1)      and, when n >= 2, a line of n inputs and a line
//   y0 y1 ... y(n-1)      of n outputs; 0 or 1 is the identity
//   m                     1D: m rows of three reals, evenly over [0, 1]
//   N N N                 3D: N^3 rows of three reals, red fastest
//
// A pre-LUT's outputs are positions in the main table, 0 its first entry
// and 1 its last. Between its points it is a smooth curve, not straight
// lines, as OpenColorIO draws it: on each interval a cubic through the two
// points whose slope at each point is the rise over the two intervals
// around it, the first and the last interval a quadratic that matches the
// slope of its inner point only. The curve is kept as a 1D table of
// kPrelutSamples entries over [first input, last input], as OpenColorIO
// keeps it. When every channel's outputs equal its inputs no pre-LUT is
// applied at all (not even the clamp to its input range), again as
// OpenColorIO does.
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <limits>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

// The most points of one pre-LUT read.
constexpr int64_t kMaxPrelutPoints = 65536;
// The entries of the table a pre-LUT's curve is kept as.
constexpr int32_t kPrelutSamples = 65536;
// The most entries of a 1D main table (OpenColorIO's bound).
constexpr int64_t kMaxCurvePoints = int64_t{1} << 20;
// How far a pre-LUT's output may lie from its input, relative to it, and
// still count as the identity.
constexpr double kIdentityTolerance = 1e-6;

enum CspStage { kMagic, kKind, kMetadataOrPrelut, kMetadata, kPrelutCount, kPrelutIn, kPrelutOut, kSize, kRows };

struct Prelut {
    int64_t points;  // 0 or 1: the identity
    float *in;
    float *out;
    int64_t outLine;
};

struct CspReading {
    CspStage stage;
    bool threeD;
    int64_t metadataLine;
    int channel;  // of the pre-LUT being read
    Prelut prelut[3];
    int64_t rows;  // read so far
    int64_t rowCount;
    PrepLut lut;    // 3D
    PrepOp *curve;  // 1D
    PrepTransform *t;
    PrepError *error;
};

// A magic word may run on into more text ("CSPLUTV100 x"): only its own
// bytes are matched, in any letter case.
bool BeginsWithWord(const PrepLine &line, const char *word, ptrdiff_t bytes) {
    const char *rest = nullptr;
    const char *end = line.end - line.begin < bytes ? line.end : line.begin + bytes;
    return MatchKeyword(line.begin, end, word, &rest);
}

bool IsLine(const PrepLine &line, const char *first, const char *second) {
    const char *rest = nullptr;
    const char *after = nullptr;
    return MatchKeyword(line.begin, line.end, first, &rest) && MatchKeyword(rest, line.end, second, &after) &&
           SkipBlanks(after, line.end) == line.end;
}

int ReadKind(const PrepLine &line, CspReading *s) {
    bool exact1d = line.end - line.begin == 2 && line.begin[0] == '1' && line.begin[1] == 'D';
    bool exact3d = line.end - line.begin == 2 && line.begin[0] == '3' && line.begin[1] == 'D';
    if (!exact1d && !exact3d) {
        bool otherCase =
            line.end - line.begin == 2 && (line.begin[0] == '1' || line.begin[0] == '3') && line.begin[1] == 'd';
        PrepSetError(s->error, line.number,
                     otherCase ? "the kind must be written 1D or 3D, upper case: OpenColorIO drops the table of any "
                                 "other spelling and applies only the pre-LUTs"
                               : "the second line must be the kind of the table, 1D or 3D");
        return -1;
    }
    s->threeD = exact3d;
    s->stage = kMetadataOrPrelut;
    return 0;
}

// A line of exactly count reals, into out.
int ScanReals(const PrepLine &line, int64_t count, float *out, const char *what, PrepError *error) {
    const char *p = line.begin;
    float value = 0.0f;
    int64_t n = 0;
    FieldResult field;
    while ((field = ScanReal(&p, line.end, 0, false, &value)) == kFieldNumber) {
        if (!std::isfinite(value)) {
            PrepSetError(error, line.number, "a NaN or infinite value");
            return -1;
        }
        if (n < count) out[n] = value;
        n++;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(p, line.end, 0, word);
        PrepSetError(error, line.number, "'%s' is not a number", word);
        return -1;
    }
    if (n != count) {
        PrepSetError(error, line.number, "%s needs %lld numbers, this line holds %lld", what,
                     static_cast<long long>(count), static_cast<long long>(n));
        return -1;
    }
    return 0;
}

int ScanCount(const PrepLine &line, int64_t lo, int64_t hi, const char *what, int64_t *out, PrepError *error) {
    const char *p = line.begin;
    if (ScanInteger(&p, line.end, 0, out) != kFieldNumber || SkipBlanks(p, line.end) != line.end || *out < lo ||
        *out > hi) {
        PrepSetError(error, line.number, "%s needs one whole number from %lld to %lld", what,
                     static_cast<long long>(lo), static_cast<long long>(hi));
        return -1;
    }
    return 0;
}

int ReadPrelutCount(const PrepLine &line, CspReading *s) {
    static const char *const kWhat[3] = {"the red pre-LUT's count", "the green pre-LUT's count",
                                         "the blue pre-LUT's count"};
    Prelut *p = &s->prelut[s->channel];
    if (ScanCount(line, 0, kMaxPrelutPoints, kWhat[s->channel], &p->points, s->error) != 0) return -1;
    if (p->points < 2) {
        s->stage = ++s->channel == 3 ? kSize : kPrelutCount;
        return 0;
    }
    p->in = static_cast<float *>(malloc(2 * static_cast<size_t>(p->points) * sizeof(float)));
    if (p->in == nullptr) {
        PrepSetError(s->error, line.number, "out of memory for a pre-LUT of %lld points",
                     static_cast<long long>(p->points));
        return -1;
    }
    p->out = p->in + p->points;
    s->stage = kPrelutIn;
    return 0;
}

int ReadPrelutValues(const PrepLine &line, CspReading *s) {
    Prelut *p = &s->prelut[s->channel];
    if (s->stage == kPrelutIn) {
        if (ScanReals(line, p->points, p->in, "the pre-LUT's line of inputs", s->error) != 0) return -1;
        for (int64_t k = 1; k < p->points; k++) {
            if (!(p->in[k] > p->in[k - 1])) {
                PrepSetError(s->error, line.number,
                             "the pre-LUT's inputs must increase: the %lld-th is not above "
                             "the one before",
                             static_cast<long long>(k + 1));
                return -1;
            }
        }
        s->stage = kPrelutOut;
        return 0;
    }
    if (ScanReals(line, p->points, p->out, "the pre-LUT's line of outputs", s->error) != 0) return -1;
    p->outLine = line.number;
    s->stage = ++s->channel == 3 ? kSize : kPrelutCount;
    return 0;
}

bool IsIdentity(const Prelut &p) {
    for (int64_t k = 0; k < p.points; k++) {
        double in = p.in[k], out = p.out[k];
        if (std::fabs(out - in) > kIdentityTolerance * std::fmax(std::fabs(in), std::fabs(out))) return false;
    }
    return true;
}

// The slope of the curve at interior point k.
double Slope(const Prelut &p, int64_t k) {
    return (static_cast<double>(p.out[k + 1]) - p.out[k - 1]) / (static_cast<double>(p.in[k + 1]) - p.in[k - 1]);
}

// The curve at x on the interval from point k to k + 1.
double CurveAt(const Prelut &p, int64_t k, double x) {
    double x0 = p.in[k], y0 = p.out[k], y1 = p.out[k + 1];
    double width = p.in[k + 1] - x0;
    double t = (x - x0) / width;
    double rise = y1 - y0;
    if (p.points == 2) return y0 + rise * t;
    if (k == 0) {
        // A quadratic through both ends with the inner end's slope.
        double inner = width * Slope(p, k + 1);
        return y0 + (2.0 * rise - inner) * t + (inner - rise) * t * t;
    }
    if (k == p.points - 2) {
        double inner = width * Slope(p, k);
        return y0 + inner * t + (rise - inner) * t * t;
    }
    double m0 = width * Slope(p, k), m1 = width * Slope(p, k + 1);
    double t2 = t * t, t3 = t2 * t;
    return (2.0 * t3 - 3.0 * t2 + 1.0) * y0 + (t3 - 2.0 * t2 + t) * m0 + (3.0 * t2 - 2.0 * t3) * y1 + (t3 - t2) * m1;
}

// One channel of the pre-LUT table: the curve sampled evenly over its
// inputs, or the identity over [0, 1] for a channel without points. -1 with
// *error set when the curve leaves float's range between far-apart points.
int SampleChannel(const Prelut &p, int c, PrepCurve *curve, PrepError *error) {
    int32_t n = curve->points;
    if (p.points < 2) {
        for (int32_t i = 0; i < n; i++) curve->values[i][c] = static_cast<float>(static_cast<double>(i) / (n - 1));
        return 0;
    }
    double lo = p.in[0], hi = p.in[p.points - 1];
    curve->min[c] = p.in[0];
    curve->max[c] = p.in[p.points - 1];
    int64_t k = 0;
    for (int32_t i = 0; i < n; i++) {
        double x = i == n - 1 ? hi : lo + (hi - lo) * (static_cast<double>(i) / (n - 1));
        while (k < p.points - 2 && x > p.in[k + 1]) k++;
        double y = CurveAt(p, k, x);
        if (!(std::fabs(y) <= std::numeric_limits<float>::max())) {
            PrepSetError(error, p.outLine, "the pre-LUT's curve leaves the range of numbers between its points");
            return -1;
        }
        curve->values[i][c] = static_cast<float>(y);
    }
    return 0;
}

// The pre-LUT operation, when any channel's pre-LUT is not the identity.
int AddPrelut(CspReading *s) {
    bool used = false;
    for (int c = 0; c < 3; c++) used = used || (s->prelut[c].points >= 2 && !IsIdentity(s->prelut[c]));
    if (!used) return 0;
    PrepOp *op = PrepAddCurve(s->t, "Pre-LUT", kPrelutSamples, false, s->error);
    if (op == nullptr) return -1;
    for (int c = 0; c < 3; c++) {
        if (SampleChannel(s->prelut[c], c, &op->curve, s->error) != 0) return -1;
    }
    return 0;
}

// The size line of the main table, after which its rows follow.
int ReadSize(const PrepLine &line, CspReading *s) {
    if (AddPrelut(s) != 0) return -1;
    if (!s->threeD) {
        if (ScanCount(line, 2, kMaxCurvePoints, "the 1D table's size", &s->rowCount, s->error) != 0) return -1;
        s->curve = PrepAddCurve(s->t, "1D LUT", static_cast<int32_t>(s->rowCount), false, s->error);
        if (s->curve == nullptr) return -1;
        s->stage = kRows;
        return 0;
    }
    int64_t n[3] = {};
    const char *p = line.begin;
    for (int i = 0; i < 3; i++) {
        if (ScanInteger(&p, line.end, 0, &n[i]) != kFieldNumber) {
            PrepSetError(s->error, line.number, "the 3D table's size line needs three whole numbers");
            return -1;
        }
    }
    if (SkipBlanks(p, line.end) != line.end || n[0] != n[1] || n[0] != n[2] || n[0] < kPrepMinPoints ||
        n[0] > kPrepMaxPoints) {
        PrepSetError(s->error, line.number,
                     "the 3D table's size line must give one size from %d to %d three times (the same on each axis)",
                     kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    if (PrepAllocLut(&s->lut, static_cast<int32_t>(n[0]), 0, s->error) != 0) return -1;
    s->rowCount = PrepNodeCount(s->lut.points);
    s->stage = kRows;
    return 0;
}

int ReadRow(const PrepLine &line, CspReading *s) {
    if (s->rows == s->rowCount) {
        PrepSetError(s->error, line.number, "a line after the table's %lld rows", static_cast<long long>(s->rowCount));
        return -1;
    }
    float *row = s->threeD ? s->lut.values + 3 * s->rows : s->curve->curve.values[s->rows];
    if (ScanReals(line, 3, row, "a row", s->error) != 0) return -1;
    s->rows++;
    return 0;
}

int ReadCspLine(void *state, const PrepLine &line) {
    CspReading *s = static_cast<CspReading *>(state);
    switch (s->stage) {
    case kMagic:
        if (!BeginsWithWord(line, "CSPLUTV100", 10)) {
            PrepSetError(s->error, line.number, "not a Cinespace LUT: the first line is not CSPLUTV100");
            return -1;
        }
        s->stage = kKind;
        return 0;
    case kKind:
        return ReadKind(line, s);
    case kMetadataOrPrelut:
        if (IsLine(line, "BEGIN", "METADATA")) {
            s->metadataLine = line.number;
            s->stage = kMetadata;
            return 0;
        }
        s->stage = kPrelutCount;
        return ReadPrelutCount(line, s);
    case kMetadata:
        if (IsLine(line, "END", "METADATA")) {
            s->stage = kPrelutCount;
        } else {
            PrepAddNote(s->t, line.begin, line.end);
        }
        return 0;
    case kPrelutCount:
        return ReadPrelutCount(line, s);
    case kPrelutIn:
    case kPrelutOut:
        return ReadPrelutValues(line, s);
    case kSize:
        return ReadSize(line, s);
    default:
        return ReadRow(line, s);
    }
}

// What the file lacks at its end, as the reason of a refusal; null when it
// is complete.
const char *Incomplete(const CspReading &s) {
    switch (s.stage) {
    case kMagic:
        return "an empty file: no CSPLUTV100 line";
    case kKind:
        return "the file ends before the kind of its table (1D or 3D)";
    case kMetadata:
        return "BEGIN METADATA without END METADATA";
    case kRows:
        return s.rows == s.rowCount ? nullptr : "the file ends before the table's last row";
    default:
        return "the file ends before its table";
    }
}

void FreeReading(CspReading *s) {
    for (int c = 0; c < 3; c++) free(s->prelut[c].in);
    PrepFreeLut(&s->lut);
}

int ParseCsp(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *, PrepError *error) {
    PrepFreeTransform(t);
    CspReading s{};
    s.t = t;
    s.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, 0, ReadCspLine, &s, &lastLine, error);
    const char *missing = result == 0 ? Incomplete(s) : nullptr;
    if (missing != nullptr) {
        int64_t line = s.stage == kMetadata ? s.metadataLine : lastLine;
        PrepSetError(error, line, "%s", missing);
        result = -1;
    }
    if (result == 0 && s.threeD) {
        s.lut.family = &kPrepFormatCsp;
        result = PrepAddLut(t, &s.lut, kPrepInterpDefault, error);
    }
    FreeReading(&s);
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = &kPrepFormatCsp;
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatCsp = {
    .name = "csp",
    .extension = ".csp",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseCsp,
    .write = nullptr,
    .rowNode = nullptr,
};
