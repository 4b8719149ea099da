// Not the box's reader (that is lut/lut3d_reader.cpp with lut/lut3d_3dl.cpp): lutprep's 3dl format.
//
// No single standard, three common families, read leniently (as
// OpenColorIO reads them, where it reads them); written as the box reads
// it.
//
//   Lustre      "3DMESH", then "Mesh IN OUT" (a grid of 2^IN + 1 points,
//               OUT output bits), often the mesh line, the rows; often a
//               trailer such as "LUT8" and "gamma 1.0".
//   Flame       comments ('#'), often the mesh line, the rows; output
//               usually 12-bit.
//   Nuke-style  the mesh line scaled to the output depth (0 ... 65535 for
//               16 bits), the rows.
//
// The mesh line is a first line of numbers that is not a row: the input
// position of each node of one axis, usually on a 10-bit scale (0 64 ...
// 1023). Its count need not be the lattice's (a shaper of its own size, as
// ociobakelut --shapersize writes it): the count of the rows alone gives the
// size. An even ramp is dropped; any other mesh line is a 1D shaper before
// the table (input i / (count - 1) gives entry i on the mesh line's scale),
// as OpenColorIO applies it. A first line of three numbers is a row, or the
// mesh line of a 3-point lattice when it is an even ramp (which OpenColorIO
// takes for a row, and so cannot read its own 3-point files). Each row holds three integers, output red, green, blue,
// and the rows run blue fastest: (r, g, b) index order (0,0,0), (0,0,1), ...
//
// The output bit depth scales the integers to [0, 1]. The Mesh header
// states it, or the comment line lutprep writes ("# output depth: 12
// bits"); otherwise it is taken from the largest value as OpenColorIO takes
// it (512 to 2047: 10-bit, to 8191: 12-bit, above: 16-bit). That misreads
// dark LUTs (a 12-bit LUT whose largest value is 1966 passes as 10-bit), so
// it is always reported. Where a Mesh header states a depth the values
// contradict, the header is followed, not OpenColorIO (which ignores it).
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
// The largest Mesh IN: 2^8 + 1 points is beyond any lattice read.
constexpr int64_t kMaxMeshIn = 8;

// What the rows held, counted for every depth the file may turn out to
// have: the range warning depends on the depth, which is known only at the
// end. Each first line is the lowest one counted, as a row may be counted
// late (the first line of three numbers, which may yet be the mesh line).
struct ValueStats {
    int64_t largest;
    int64_t largestLine;
    int64_t negative;
    int64_t negativeLine;
    int64_t above[kMaxBits + 1];  // values above 2^b - 1
    int64_t aboveLine[kMaxBits + 1];
};

void FirstLine(int64_t *at, int64_t line) {
    if (*at == 0 || line < *at) *at = line;
}

void CountValue(ValueStats *s, int64_t v, int64_t line) {
    if (s->largestLine == 0 || v > s->largest || (v == s->largest && line < s->largestLine)) {
        s->largest = v;
        s->largestLine = line;
    }
    if (v < 0) {
        s->negative++;
        FirstLine(&s->negativeLine, line);
    }
    for (int32_t b = kMinBits; b <= kMaxBits; b++) {
        if (v > PrepFullScale(b)) {
            s->above[b]++;
            FirstLine(&s->aboveLine[b], line);
        }
    }
}

// The depth OpenColorIO takes integers to have from the largest of them,
// as a file without a header is read there too: the depth of the last row
// whose lowest value the largest reaches; 0 below 128, which it refuses as
// too low for any depth.
struct DepthOfLargest {
    int64_t lowest;
    int32_t bits;
};
constexpr DepthOfLargest kDepthsOfLargest[] = {{128, 8}, {512, 10}, {2048, 12}, {8192, 16}};

int32_t BitsOfLargest(int64_t largest) {
    int32_t bits = 0;
    for (const DepthOfLargest &d : kDepthsOfLargest) bits = largest >= d.lowest ? d.bits : bits;
    return bits;
}

// The mesh line: the input position of each node on the scale of its own
// depth (taken from its largest value). One within 2 codes of an even ramp
// over that scale is the identity, dropped; any other is a 1D shaper before
// the table, applied as OpenColorIO applies it (input i / (count - 1) gives
// entry i, on its scale), whatever its count.
struct MeshLine {
    int64_t line;
    PrepRowBuffer values;  // each entry as a row of three equal values
    int32_t bits;
    bool identity;
    int32_t offAt;  // not the identity: the first position (from 1) off the ramp
};

void JudgeMesh(MeshLine *mesh) {
    int64_t largest = 0;
    for (int64_t i = 0; i < mesh->values.count; i++) {
        largest = mesh->values.rows[i][0] > largest ? static_cast<int64_t>(mesh->values.rows[i][0]) : largest;
    }
    mesh->bits = BitsOfLargest(largest);
    double full = static_cast<double>(PrepFullScale(mesh->bits));
    int64_t last = mesh->values.count - 1;
    mesh->identity = true;
    for (int64_t i = 0; i <= last && mesh->identity; i++) {
        double off = mesh->values.rows[i][0] - full * static_cast<double>(i) / static_cast<double>(last);
        if (off > 2.0 || off < -2.0) {
            mesh->identity = false;
            mesh->offAt = static_cast<int32_t>(i + 1);
        }
    }
}

// The numbers of a line of whole numbers into *values (as rows of three
// equal values); their count, or -1 with *error set for one that is not a
// whole number.
int ScanWholeNumbers(const PrepLine &line, PrepRowBuffer *values, const char *where, PrepError *error) {
    const char *p = line.begin;
    FieldResult field;
    int64_t v;
    while ((field = ScanInteger(&p, line.end, 0, &v)) == kFieldNumber) {
        if (values->count == kPrepMaxShaperPoints) {
            PrepSetError(error, line.number, "the mesh line has more than %d points", kPrepMaxShaperPoints);
            return -1;
        }
        const float row[3] = {static_cast<float>(v), static_cast<float>(v), static_cast<float>(v)};
        if (AppendRow(values, row, line.number, error) != 0) return -1;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(p, line.end, 0, word);
        PrepSetError(error, line.number, "'%s'%s is not a whole number", word, where);
        return -1;
    }
    return static_cast<int>(values->count);
}

struct Header3dl {
    int64_t meshKeywordLine;  // "3DMESH"
    int64_t meshHeaderLine;   // "Mesh IN OUT"
    int64_t meshIn;
    int64_t meshOut;
    int64_t depthLine;  // lutprep's own comment that states the output depth
    int64_t depth;
};

// The comment line lutprep writes to state the output depth, which the
// values cannot tell (a dark LUT's largest value is low): "# output
// depth: 12 bits".
constexpr char kDepthWords[] = "output depth:";

bool ReadDepthComment(const PrepLine &line, Header3dl *h) {
    const char *p = SkipBlanks(line.begin + 1, line.end);
    const char *rest = nullptr;
    int64_t bits = 0;
    size_t n = sizeof kDepthWords - 1;
    if (static_cast<size_t>(line.end - p) < n || strncmp(p, kDepthWords, n) != 0) return false;
    p += n;
    if (ScanInteger(&p, line.end, 0, &bits) != kFieldNumber || !MatchKeyword(p, line.end, "bits", &rest) ||
        SkipBlanks(rest, line.end) != line.end || bits < kMinBits || bits > kMaxBits || h->depthLine != 0) {
        return false;
    }
    h->depthLine = line.number;
    h->depth = bits;
    return true;
}

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
            h->meshIn < 0 || h->meshIn > kMaxMeshIn || h->meshOut < kMinBits || h->meshOut > kMaxBits) {
            PrepSetError(error, line.number,
                         "Mesh needs two whole numbers: the grid's power of two (0 to %lld) and "
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

// What the reading of a 3dl holds between its lines.
struct Reading3dl {
    Header3dl h;
    MeshLine mesh;
    ValueStats stats;
    PrepRowBuffer rows;
    int64_t firstRowLine;
    int64_t lastRowLine;
    // The first line of numbers held three: a row, or a 3-point mesh line
    // (an even ramp), which the count of the rows tells at the end.
    bool firstRowMaybeMesh;
    int64_t numbersLine;  // the first line of numbers
    PrepShiftedRows shifted;
    PrepRowSign sign;
    const PrepSource *source;
    PrepWarnings *warnings;
    PrepError *error;
};

// The output depth and where it came from: the Mesh header, else
// lutprep's own comment, else the largest value as OpenColorIO takes it.
// -1 with *error set when nothing states it and the values are too low to
// tell.
int ChooseBits(const Reading3dl &d, int32_t *bits, PrepBitsFrom *from, PrepError *error) {
    *from = kPrepBitsHeader;
    if (d.h.meshHeaderLine != 0 || d.h.depthLine != 0) {
        *bits = static_cast<int32_t>(d.h.meshHeaderLine != 0 ? d.h.meshOut : d.h.depth);
        return 0;
    }
    *from = kPrepBitsLargest;
    *bits = d.rows.count == 0 ? d.mesh.bits : BitsOfLargest(d.stats.largest);
    if (*bits != 0) return 0;
    PrepSetError(error, d.stats.largestLine,
                 "the largest value is %lld: below 128, too low to tell the output depth, and no Mesh header "
                 "states it (OpenColorIO refuses such a file too)",
                 static_cast<long long>(d.stats.largest));
    return -1;
}

void NoteBits(const Reading3dl &d, int32_t bits, PrepBitsFrom from) {
    const ValueStats &s = d.stats;
    if (from == kPrepBitsLargest && d.rows.count > 0) {
        NoteWarning(d.warnings, kPrepWarnBitDepth, s.largestLine,
                    "no Mesh header: the output taken as %d-bit from the largest value, %lld on this line", bits,
                    static_cast<long long>(s.largest));
    }
    int64_t count = s.negative + s.above[bits];
    if (count == 0) return;
    int64_t line = s.negative == 0                      ? s.aboveLine[bits]
                   : s.above[bits] == 0                 ? s.negativeLine
                   : s.negativeLine < s.aboveLine[bits] ? s.negativeLine
                                                        : s.aboveLine[bits];
    PrepWarning *w = NoteWarning(d.warnings, kPrepWarnRange, line, "range");
    if (w != nullptr) w->count = count;
}

// A line of numbers after the first: a row of three integers, or one the
// box would read shifted. The first row is counted once it is known to be
// one.
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
    if (numbers > 3 && d->rows.count == 0 && d->mesh.line != 0) {
        PrepSetError(d->error, line.number, "a second mesh line (the first is on line %lld)",
                     static_cast<long long>(d->mesh.line));
        return -1;
    }
    if (numbers != 3) {
        NoteShiftedRow(&d->shifted, d->warnings, line.number, numbers);
        return 0;
    }
    d->lastRowLine = line.number;
    float stored[3];
    for (int c = 0; c < 3; c++) {
        if (!d->firstRowMaybeMesh || d->rows.count > 0) CountValue(&d->stats, row[c], line.number);
        stored[c] = static_cast<float>(row[c]);
    }
    return AppendRow(&d->rows, stored, line.number, d->error);
}

// Whether a line holds reals, not whole numbers: OpenColorIO reads past
// such lines, and so does lutprep before the first line of whole numbers.
bool IsLineOfReals(const PrepLine &line) {
    const char *p = line.begin;
    float v;
    FieldResult field;
    while ((field = ScanReal(&p, line.end, 0, false, &v)) == kFieldNumber) {
    }
    return field == kFieldEnd;
}

// The first line of numbers: the mesh line, or (three numbers) perhaps
// the first row.
int ReadFirstNumbers(Reading3dl *d, const PrepLine &line) {
    PrepError scan{};
    PrepRowBuffer values{};
    int count = ScanWholeNumbers(line, &values, " in the first line of numbers", &scan);
    if (count < 0 && IsLineOfReals(line)) {
        FreeRows(&values);
        NoteWarning(d->warnings, kPrepWarnSkipped, line.number,
                    "a line of numbers that are not all whole numbers before the mesh line and the rows: read past, "
                    "as OpenColorIO reads past it; the box cannot read it");
        return 0;
    }
    d->numbersLine = line.number;
    if (count == 3) {
        FreeRows(&values);
        d->firstRowMaybeMesh = true;
        return ReadRow(d, line);
    }
    d->mesh.values = values;
    if (count < 0) {
        if (d->error != nullptr) *d->error = scan;
        return -1;
    }
    if (count < kPrepMinPoints) {
        PrepSetError(d->error, line.number, "the mesh line has %d point: a 3dl mesh line has at least %d", count,
                     kPrepMinPoints);
        return -1;
    }
    d->mesh.line = line.number;
    JudgeMesh(&d->mesh);
    if (d->mesh.bits == 0) {
        PrepSetError(d->error, line.number, "the mesh line's largest value is below 128: too low for any depth");
        return -1;
    }
    return 0;
}

int Read3dlLine(void *state, const PrepLine &line) {
    Reading3dl *d = static_cast<Reading3dl *>(state);
    bool beforeNumbers = d->numbersLine == 0;
    if (*line.begin == '#') {
        if (!ReadDepthComment(line, &d->h)) KeepComment(*d->source, line);
        if (beforeNumbers) NoteHeaderLine(d->warnings, line);
        return 0;
    }
    // "3DMESH" begins with a digit but is the Lustre header's word.
    const char *rest = nullptr;
    if (!BeginsWithNumber(line.begin, line.end) || MatchKeyword(line.begin, line.end, "3DMESH", &rest)) {
        if (beforeNumbers) NoteHeaderLine(d->warnings, line);
        return ReadKeyword(line, !beforeNumbers, &d->h, d->error);
    }
    NoteMarkBeforeRow(d->warnings, line);
    NoteRowSign(&d->sign, line);
    if (beforeNumbers) return ReadFirstNumbers(d, line);
    return ReadRow(d, line);
}

// An even ramp of three: 0, the middle and the top of a scale.
bool IsRampOfThree(const float row[3]) {
    MeshLine mesh{};
    for (int i = 0; i < 3; i++) {
        const float value[3] = {row[i], row[i], row[i]};
        if (AppendRow(&mesh.values, value, 0, nullptr) != 0) break;
    }
    bool ramp = false;
    if (mesh.values.count == 3) {
        JudgeMesh(&mesh);
        ramp = mesh.bits != 0 && mesh.identity;
    }
    FreeRows(&mesh.values);
    return ramp;
}

// Decides what a first line of three numbers was: the mesh line when it is
// an even ramp (never a LUT's black), else a row.
void ResolveFirstRow(Reading3dl *d) {
    if (!d->firstRowMaybeMesh || d->rows.count == 0) return;
    const float *first = d->rows.rows[0];
    if (IsRampOfThree(first)) {
        for (int i = 0; i < 3; i++) {
            const float value[3] = {first[i], first[i], first[i]};
            if (AppendRow(&d->mesh.values, value, 0, nullptr) != 0) return;
        }
        d->mesh.line = d->firstRowLine;
        JudgeMesh(&d->mesh);
        d->rows.count--;
        memmove(d->rows.rows, d->rows.rows + 1, static_cast<size_t>(d->rows.count) * sizeof d->rows.rows[0]);
        d->firstRowMaybeMesh = false;
        return;
    }
    for (int c = 0; c < 3; c++) CountValue(&d->stats, static_cast<int64_t>(first[c]), d->firstRowLine);
}

// The lattice's points per axis (2 for a mesh line alone, a 1D LUT), or 0
// with *error set.
int32_t LatticePoints(const Reading3dl &d, int64_t lastLine, PrepError *error) {
    int64_t count = d.rows.count;
    if (count == 0 && d.mesh.line == 0) {
        PrepSetError(error, lastLine, "no mesh line and no rows");
        return 0;
    }
    if (count == 0 && d.mesh.identity) {
        PrepSetError(error, d.mesh.line, "only a mesh line that is an even ramp, and no rows: no table to read");
        return 0;
    }
    if (count == 0) return 2;
    int32_t n = CubeRoot(count);
    if (n != 0) return n;
    const float *first = d.rows.rows[0];
    bool meshLike = first[0] == 0.0f && first[1] > first[0] && first[2] > first[1];
    if (d.firstRowMaybeMesh && meshLike && BitsOfLargest(static_cast<int64_t>(first[2])) != 0) {
        PrepSetError(error, d.firstRowLine,
                     "the mesh line is not evenly spaced (its value %.0f at position 2), and as a row it leaves "
                     "%lld rows, no table",
                     static_cast<double>(first[1]), static_cast<long long>(count));
    } else if (d.mesh.line != 0) {
        PrepSetError(error, d.lastRowLine,
                     "the file holds %lld rows after the mesh line (line %lld): not the N^3 rows of a table of 2 to "
                     "256 points",
                     static_cast<long long>(count), static_cast<long long>(d.mesh.line));
    } else {
        PrepSetError(error, d.lastRowLine, "the file holds %lld rows: not the N^3 rows of a table of 2 to 256 points",
                     static_cast<long long>(count));
    }
    return 0;
}

// The mesh line as the LUT's shaper, when it is not the identity.
void FillShaper(const Reading3dl &d, PrepLut *lut) {
    const MeshLine &mesh = d.mesh;
    const double full = static_cast<double>(PrepFullScale(mesh.bits));
    for (int32_t k = 0; k < lut->shaperPoints; k++) {
        for (int c = 0; c < 3; c++) lut->shaper[3 * k + c] = static_cast<float>(mesh.values.rows[k][c] / full);
    }
    if (d.rows.count == 0) {
        NoteWarning(d.warnings, kPrepWarnShaper, mesh.line,
                    "a mesh line that is not an even ramp, and no rows: a 1D LUT, as OpenColorIO reads it; the box "
                    "takes 3D tables only");
    } else {
        NoteWarning(d.warnings, kPrepWarnShaper, mesh.line,
                    "a mesh line that is not an even ramp (position %d is off): a 1D shaper before the table, as "
                    "OpenColorIO reads it, which the box ignores",
                    mesh.offAt);
    }
}

// The rows (and the mesh line as a shaper) into *lut, allocated at points,
// scaled by the output depth; with the warnings that need the depth.
void FillLut(const Reading3dl &d, int32_t bits, PrepBitsFrom from, PrepLut *lut) {
    int32_t n = lut->points;
    lut->family = kPrepFamily3dl;
    lut->bits = bits;
    lut->bitsFrom = from;
    if (lut->shaperPoints > 0) FillShaper(d, lut);
    if (d.rows.count == 0) {
        FillIdentityLattice(lut);
        lut->oneD = true;
    }
    const double scale = static_cast<double>(PrepFullScale(bits));
    for (int64_t k = 0; k < d.rows.count; k++) {
        float *node = lut->values + 3 * PrepBlueFastestNode(n, k);
        for (int c = 0; c < 3; c++) node[c] = static_cast<float>(d.rows.rows[k][c] / scale);
    }
    const Header3dl &h = d.h;
    if (h.meshHeaderLine != 0 && d.rows.count > 0 && (int64_t{1} << h.meshIn) + 1 != n) {
        NoteWarning(d.warnings, kPrepWarnSizeKeyword, h.meshHeaderLine,
                    "Mesh %lld %lld names %lld points, but the file holds %lld rows: a %d-point table",
                    static_cast<long long>(h.meshIn), static_cast<long long>(h.meshOut),
                    static_cast<long long>((int64_t{1} << h.meshIn) + 1), static_cast<long long>(d.rows.count), n);
    }
    NoteBits(d, bits, from);
}

// Everything after the lines were read: the size, the depth, the LUT.
int Build3dl(Reading3dl *d, int64_t lastLine, PrepLut *lut, PrepError *error) {
    ResolveFirstRow(d);
    int32_t points = LatticePoints(*d, lastLine, error);
    if (points == 0) return -1;
    int32_t bits = 0;
    PrepBitsFrom from = kPrepBitsNone;
    if (ChooseBits(*d, &bits, &from, error) != 0) return -1;
    bool shaper = d->mesh.line != 0 && !d->mesh.identity;
    if (PrepAllocLut(lut, points, shaper ? static_cast<int32_t>(d->mesh.values.count) : 0, error) != 0) return -1;
    FillLut(*d, bits, from, lut);
    return 0;
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
    d.source = &source;
    d.warnings = warnings;
    d.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, 0, Read3dlLine, &d, &lastLine, error);
    if (result == 0) result = RefuseShiftedRows(d.shifted, error);
    if (result == 0) result = Build3dl(&d, lastLine, lut, error);
    char scaleText[48];
    snprintf(scaleText, sizeof scaleText, "0 to %lld (%d-bit)", static_cast<long long>(PrepFullScale(lut->bits)),
             lut->bits);
    FinishWarnings(warnings, result == 0 ? scaleText : "the bit depth");
    FinishRowSign(d.sign, warnings);
    FreeRows(&d.rows);
    FreeRows(&d.mesh.values);
    return result;
}

bool PrepIsWritableBits(int32_t bits) { return bits == 10 || bits == 12 || bits == 16; }

int32_t Prep3dlCode(float value, int32_t bits) {
    double v = value > 1.0f ? 1.0 : value > 0.0f ? value : 0.0;
    return static_cast<int32_t>(std::floor(v * static_cast<double>(PrepFullScale(bits)) + 0.5));
}

int PrepWrite3dl(FILE *file, const PrepLut *lut, int32_t bits, const char *notes, PrepError *error) {
    if (!PrepIsWritableBits(bits)) {
        PrepSetError(error, 0, "%d-bit 3dl: the depths written are 10, 12 and 16", bits);
        return -1;
    }
    if (CheckWritable(lut, error) != 0) return -1;
    PrepOutput *out = StartOutput(file);
    PutNotes(out, notes, nullptr);
    // The depth, which a reader could only guess from the values.
    char *at = RowStart(out);
    at = PutText(at, "# ");
    at = PutText(at, kDepthWords);
    *at++ = ' ';
    at = PutInt(at, bits);
    RowEnd(out, PutText(at, " bits"));
    // The mesh line: node i at i / (N - 1) of the 10-bit scale, rounded.
    const int64_t n = lut->points;
    const int64_t meshScale = PrepFullScale(kPrepMeshBits);
    for (int64_t i = 0; i < n; i++) {
        at = RowStart(out);
        if (i > 0) *at++ = ' ';
        RowPart(out, PutInt(at, (2 * i * meshScale + (n - 1)) / (2 * (n - 1))));
    }
    RowEnd(out, RowStart(out));
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t row = 0; row < nodes; row++) {
        const float *v = lut->values + 3 * PrepBlueFastestNode(lut->points, row);
        at = RowStart(out);
        at = PutInt(at, Prep3dlCode(v[0], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[1], bits));
        *at++ = ' ';
        at = PutInt(at, Prep3dlCode(v[2], bits));
        RowEnd(out, at);
    }
    return FinishOutput(out, error);
}
