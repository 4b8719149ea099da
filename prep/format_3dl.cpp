// Not the box's reader (that is lut/lut3d_reader.cpp with lut/lut3d_3dl.cpp): lutprep's 3dl format.
//
// No single standard, three common families, read leniently; written as
// the box reads it.
//
//   Lustre      "3DMESH", then "Mesh IN OUT" (a grid of 2^IN + 1 points,
//               OUT output bits), the mesh line, the rows; often a trailer
//               such as "LUT8" and "gamma 1.0".
//   Flame       comments ('#'), the mesh line, the rows; output usually
//               12-bit.
//   Nuke-style  the mesh line scaled to the output depth (0 ... 65535 for
//               16 bits), the rows.
//
// The mesh line is the first line of numbers: the input position of each
// node of one axis, N integers, usually on a 10-bit scale (0 64 ... 1023).
// Its count is the lattice size; it must be evenly spaced, since the
// lattice is held as a uniform one. Each row holds three integers, output
// red, green, blue, and the rows run blue fastest: (r, g, b) index order
// (0,0,0), (0,0,1), ...
//
// The output bit depth scales the integers to [0, 1]. It comes from the
// Mesh header when there is one; otherwise it is guessed, first from the
// mesh line's last value (2^b - 1) when no row exceeds that depth, then from
// the largest value (the smallest of 10, 12 and 16 bits that holds it). The
// largest value alone misreads dark LUTs (a 12-bit LUT whose largest value
// is 1966 would pass as 10-bit), so a guess is always reported.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/text_scan.h"
#include "prep/text_write.h"

namespace {

constexpr int32_t kMinBits = 8;
constexpr int32_t kMaxBits = 16;
// The depths a guess from the largest value may give, smallest first.
constexpr int32_t kGuessedBits[] = {10, 12, 16};
// The largest Mesh IN: 2^8 + 1 points is beyond any lattice read.
constexpr int64_t kMaxMeshIn = 8;

// What the rows held, counted for every depth the file may turn out to
// have: the range warning depends on the depth, which is known only at the
// end.
struct ValueStats {
    int64_t largest;
    int64_t largestLine;
    int64_t negative;
    int64_t negativeLine;
    int64_t above[kMaxBits + 1];  // values above 2^b - 1
    int64_t aboveLine[kMaxBits + 1];
};

void CountValue(ValueStats *s, int64_t v, int64_t line) {
    if (v > s->largest || s->largestLine == 0) {
        s->largest = v;
        s->largestLine = line;
    }
    if (v < 0) {
        if (s->negative++ == 0) s->negativeLine = line;
    }
    for (int32_t b = kMinBits; b <= kMaxBits; b++) {
        if (v > PrepFullScale(b) && s->above[b]++ == 0) s->aboveLine[b] = line;
    }
}

struct MeshLine {
    int64_t line;
    int32_t points;
    int64_t last;
};

// The mesh line: its count, its last value, and that it is evenly spaced.
// Lustre writes 0 64 ... 960 1023 for 17 points (the steps of a 1024 scale,
// the last one cut to 1023), others i * 1023 / (N - 1) rounded: both lie
// within one step of 1/1024 of the scale of the exact positions.
int ReadMeshLine(const PrepLine &line, MeshLine *mesh, PrepError *error) {
    int64_t values[kPrepMaxPoints];
    int32_t count = 0;
    const char *p = line.begin;
    FieldResult field;
    int64_t v;
    while ((field = ScanInteger(&p, line.end, 0, &v)) == kFieldNumber) {
        if (count == kPrepMaxPoints) {
            PrepSetError(error, line.number, "the mesh line has more than %d points", kPrepMaxPoints);
            return -1;
        }
        values[count++] = v;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(p, line.end, 0, word);
        PrepSetError(error, line.number, "'%s' in the mesh line is not a whole number", word);
        return -1;
    }
    if (count < kPrepMinPoints) {
        PrepSetError(error, line.number, "the mesh line has %d point%s: a 3dl mesh line has %d to %d", count,
                     count == 1 ? "" : "s", kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    int64_t last = values[count - 1];
    if (values[0] != 0 || last <= 0) {
        PrepSetError(error, line.number, "the mesh line must run from 0 up to its last value");
        return -1;
    }
    double step = static_cast<double>(last) / (count - 1);
    double tolerance = 1.0 + static_cast<double>(last) / 1024.0;
    for (int32_t i = 1; i < count; i++) {
        double off = static_cast<double>(values[i]) - step * i;
        if (values[i] <= values[i - 1] || off > tolerance || off < -tolerance) {
            PrepSetError(error, line.number, "the mesh line is not evenly spaced (its value %lld at position %d)",
                         static_cast<long long>(values[i]), i + 1);
            return -1;
        }
    }
    mesh->line = line.number;
    mesh->points = count;
    mesh->last = last;
    return 0;
}

struct Header3dl {
    int64_t meshKeywordLine;  // "3DMESH"
    int64_t meshHeaderLine;   // "Mesh IN OUT"
    int64_t meshIn;
    int64_t meshOut;
};

// A text line: the Lustre header and trailer words; anything else is
// refused, since an unknown word may change what the numbers mean.
int ReadKeyword(const PrepLine &line, bool afterMesh, Header3dl *h, PrepError *error) {
    const char *rest = nullptr;
    if (MatchKeyword(line.begin, line.end, "3DMESH", &rest) && SkipBlanks(rest, line.end) == line.end) {
        if (afterMesh || h->meshKeywordLine != 0) {
            PrepSetError(error, line.number, "3DMESH %s", afterMesh ? "after the mesh line" : "given twice");
            return -1;
        }
        h->meshKeywordLine = line.number;
        return 0;
    }
    if (MatchKeyword(line.begin, line.end, "Mesh", &rest)) {
        if (afterMesh || h->meshHeaderLine != 0) {
            PrepSetError(error, line.number, "Mesh %s", afterMesh ? "after the mesh line" : "given twice");
            return -1;
        }
        const char *p = rest;
        if (ScanInteger(&p, line.end, 0, &h->meshIn) != kFieldNumber ||
            ScanInteger(&p, line.end, 0, &h->meshOut) != kFieldNumber || SkipBlanks(p, line.end) != line.end ||
            h->meshIn < 1 || h->meshIn > kMaxMeshIn || h->meshOut < kMinBits || h->meshOut > kMaxBits) {
            PrepSetError(error, line.number,
                         "Mesh needs two whole numbers: the grid's power of two (1 to %lld) and "
                         "the output bits (%d to %d)",
                         static_cast<long long>(kMaxMeshIn), kMinBits, kMaxBits);
            return -1;
        }
        h->meshHeaderLine = line.number;
        return 0;
    }
    // The trailer's words ("LUT8", "gamma 1.0") carry nothing the rows need.
    const char *p = SkipBlanks(line.begin, line.end);
    bool lutWord = line.end - p > 3 && (p[0] == 'L' || p[0] == 'l') && (p[1] == 'U' || p[1] == 'u') &&
                   (p[2] == 'T' || p[2] == 't');
    if (lutWord) {
        const char *q = p + 3;
        while (q < line.end && *q >= '0' && *q <= '9') q++;
        lutWord = q > p + 3 && SkipBlanks(q, line.end) == line.end;
    }
    if (lutWord || MatchKeyword(line.begin, line.end, "gamma", &rest)) return 0;
    char word[32];
    QuoteField(line.begin, line.end, 0, word);
    PrepSetError(error, line.number, "unknown keyword '%s'", word);
    return -1;
}

// The output depth and where it came from.
void ChooseBits(const Header3dl &h, const MeshLine &mesh, const ValueStats &s, int32_t *bits, PrepBitsFrom *from) {
    if (h.meshHeaderLine != 0) {
        *bits = static_cast<int32_t>(h.meshOut);
        *from = kPrepBitsHeader;
        return;
    }
    for (int32_t b = kMinBits; b <= kMaxBits; b++) {
        if (mesh.last == PrepFullScale(b) && s.largest <= PrepFullScale(b)) {
            *bits = b;
            *from = kPrepBitsMesh;
            return;
        }
    }
    *from = kPrepBitsLargest;
    *bits = kMaxBits;
    for (int32_t b : kGuessedBits) {
        if (s.largest <= PrepFullScale(b)) {
            *bits = b;
            return;
        }
    }
}

void NoteBits(const MeshLine &mesh, const ValueStats &s, int32_t bits, PrepBitsFrom from, PrepWarnings *warnings) {
    if (from == kPrepBitsMesh) {
        NoteWarning(warnings, kPrepWarnBitDepth, mesh.line,
                    "no Mesh header: the output taken as %d-bit from the mesh line's last value %lld", bits,
                    static_cast<long long>(mesh.last));
    } else if (from == kPrepBitsLargest) {
        NoteWarning(warnings, kPrepWarnBitDepth, s.largestLine,
                    "no Mesh header: the output taken as %d-bit from the largest value, %lld on this line", bits,
                    static_cast<long long>(s.largest));
    }
    int64_t count = s.negative + s.above[bits];
    if (count == 0) return;
    int64_t line = s.negative == 0                      ? s.aboveLine[bits]
                   : s.above[bits] == 0                 ? s.negativeLine
                   : s.negativeLine < s.aboveLine[bits] ? s.negativeLine
                                                        : s.aboveLine[bits];
    PrepWarning *w = NoteWarning(warnings, kPrepWarnRange, line, "range");
    if (w != nullptr) w->count = count;
}

// What the reading of a 3dl holds between its lines.
struct Reading3dl {
    Header3dl h;
    MeshLine mesh;
    ValueStats stats;
    PrepRowBuffer rows;
    int64_t firstRowLine;
    int64_t lastRowLine;
    PrepShiftedRows shifted;
    PrepWarnings *warnings;
    PrepError *error;
};

// A line of numbers after the mesh line: a row of three integers, or one
// the box would read shifted.
int ReadRow(Reading3dl *d, const PrepLine &line) {
    if (d->firstRowLine == 0) d->firstRowLine = line.number;
    int64_t row[3] = {};
    int numbers = 0;
    const char *p = line.begin;
    FieldResult field;
    int64_t value;
    while ((field = ScanInteger(&p, line.end, 0, &value)) == kFieldNumber) {
        if (numbers < 3) row[numbers] = value;
        numbers++;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(p, line.end, 0, word);
        PrepSetError(d->error, line.number, "'%s' is not a whole number", word);
        return -1;
    }
    if (numbers != 3) {
        NoteShiftedRow(&d->shifted, d->warnings, line.number, numbers);
        return 0;
    }
    d->lastRowLine = line.number;
    float stored[3];
    for (int c = 0; c < 3; c++) {
        CountValue(&d->stats, row[c], line.number);
        stored[c] = static_cast<float>(row[c]);
    }
    return AppendRow(&d->rows, stored, line.number, d->error);
}

int Read3dlLine(void *state, const PrepLine &line) {
    Reading3dl *d = static_cast<Reading3dl *>(state);
    // "3DMESH" begins with a digit but is the Lustre header's word.
    const char *rest = nullptr;
    if (!BeginsWithNumber(line.begin, line.end) || MatchKeyword(line.begin, line.end, "3DMESH", &rest)) {
        return ReadKeyword(line, d->mesh.line != 0, &d->h, d->error);
    }
    if (d->mesh.line == 0) return ReadMeshLine(line, &d->mesh, d->error);
    return ReadRow(d, line);
}

// 0 when the rows are the mesh line's N^3; else -1 with *error set.
int CheckRowCount(const Reading3dl &d, int64_t lastLine, PrepError *error) {
    if (d.mesh.line == 0) {
        PrepSetError(error, lastLine, "no mesh line and no rows");
        return -1;
    }
    int32_t n = d.mesh.points;
    int64_t count = d.rows.count;
    if (count == PrepNodeCount(n)) return 0;
    // A file whose first line of numbers was already a row has no mesh
    // line; it looks like a mesh line of 3 points, but one that ends below
    // any output scale (the first row is the darkest).
    bool noMesh = n == 3 && CubeRoot(count + 1) != 0 && d.mesh.last < PrepFullScale(kMinBits);
    if (noMesh) {
        PrepSetError(error, d.mesh.line, "no mesh line: the first line of numbers is already a row");
    } else {
        PrepSetError(error, count == 0 ? lastLine : d.lastRowLine,
                     "the file holds %lld rows; the %d-point mesh line (line %lld) needs %lld",
                     static_cast<long long>(count), n, static_cast<long long>(d.mesh.line),
                     static_cast<long long>(PrepNodeCount(n)));
    }
    return -1;
}

// The rows into *lut (allocated), scaled by the output depth, with the
// warnings that need the depth.
void FillLut(const Reading3dl &d, PrepLut *lut) {
    int32_t n = d.mesh.points;
    int32_t bits;
    PrepBitsFrom from;
    ChooseBits(d.h, d.mesh, d.stats, &bits, &from);
    lut->family = kPrepFamily3dl;
    lut->bits = bits;
    lut->bitsFrom = from;
    const double scale = static_cast<double>(PrepFullScale(bits));
    for (int64_t k = 0; k < d.rows.count; k++) {
        float *node = lut->values + 3 * PrepBlueFastestNode(n, k);
        for (int c = 0; c < 3; c++) node[c] = static_cast<float>(d.rows.rows[k][c] / scale);
    }
    const Header3dl &h = d.h;
    if (h.meshHeaderLine != 0 && (int64_t{1} << h.meshIn) + 1 != n) {
        NoteWarning(d.warnings, kPrepWarnSizeKeyword, h.meshHeaderLine,
                    "Mesh %lld %lld names %lld points, but the mesh line has %d", static_cast<long long>(h.meshIn),
                    static_cast<long long>(h.meshOut), static_cast<long long>((int64_t{1} << h.meshIn) + 1), n);
    }
    NoteBits(d.mesh, d.stats, bits, from, d.warnings);
    char scaleText[48];
    snprintf(scaleText, sizeof scaleText, "0 to %lld (%d-bit)", static_cast<long long>(PrepFullScale(bits)), bits);
    FinishWarnings(d.warnings, scaleText);
}

}  // namespace

const PrepFormat kPrepFormat3dl = {
    .name = "3dl",
    .extension = ".3dl",
    .hasBitDepth = true,
    .boxRow = "three whole numbers",
    .parse = PrepParse3dl,
    .parseTransform = nullptr,
    .write = PrepWrite3dl,
    .rowNode = PrepBlueFastestNode,
};

int PrepParse3dl(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    Reading3dl d{};
    d.shifted = {"numbers", 3, 0, 0};
    d.warnings = warnings;
    d.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, '#', Read3dlLine, &d, &lastLine, error);
    if (result == 0) result = RefuseShiftedRows(d.shifted, error);
    if (result == 0) result = CheckRowCount(d, lastLine, error);
    if (result == 0) result = PrepAllocLut(lut, d.mesh.points, 0, error);
    if (result == 0) {
        FillLut(d, lut);
    } else {
        FinishWarnings(warnings, "the bit depth");
    }
    FreeRows(&d.rows);
    return result;
}

bool PrepIsWritableBits(int32_t bits) { return bits == 10 || bits == 12 || bits == 16; }

int32_t Prep3dlCode(float value, int32_t bits) {
    double v = value > 1.0f ? 1.0 : value > 0.0f ? value : 0.0;
    return static_cast<int32_t>(std::floor(v * static_cast<double>(PrepFullScale(bits)) + 0.5));
}

int PrepWrite3dl(FILE *file, const PrepLut *lut, int32_t bits, PrepError *error) {
    if (!PrepIsWritableBits(bits)) {
        PrepSetError(error, 0, "%d-bit 3dl: the depths written are 10, 12 and 16", bits);
        return -1;
    }
    if (CheckWritable(lut, error) != 0) return -1;
    PrepOutput *out = StartOutput(file);
    // The mesh line: node i at i / (N - 1) of the 10-bit scale, rounded.
    const int64_t n = lut->points;
    const int64_t meshScale = PrepFullScale(kPrepMeshBits);
    for (int64_t i = 0; i < n; i++) {
        char *at = RowStart(out);
        if (i > 0) *at++ = ' ';
        RowPart(out, PutInt(at, (2 * i * meshScale + (n - 1)) / (2 * (n - 1))));
    }
    RowEnd(out, RowStart(out));
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t row = 0; row < nodes; row++) {
        const float *v = lut->values + 3 * PrepBlueFastestNode(lut->points, row);
        char *at = RowStart(out);
        at = PutInt(at, Prep3dlCode(v[0], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[1], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[2], bits));
        RowEnd(out, at);
    }
    return FinishOutput(out, error);
}
