// Not the box's reader (that is lut/lut3d_reader.cpp with lut/lut3d_cube.cpp): lutprep's cube format.
//
// Adobe/IRIDAS 1.0 and the grading-software variant, read leniently and
// written as the box reads it.
//
// A text file of lines, each a keyword, a comment ('#' first), blank, or a
// row of three reals separated by blanks. Keywords come before the rows,
// each at most once; in the wild they appear in any letter case, indented,
// and with CR LF line ends:
//   TITLE "text"            quoted or not; kept as a note, with the comments
//   DOMAIN_MIN r g b        the input at the table's first node (default 0)
//   DOMAIN_MAX r g b        the input at its last node (default 1)
//   LUT_3D_SIZE n           n points per axis, 2 to 256: n^3 rows
//   LUT_1D_SIZE n           a 1D table of n rows, one curve per channel
//   LUT_1D_INPUT_RANGE lo hi, LUT_3D_INPUT_RANGE lo hi
//                           the grading-software variant's input range of
//                           each table, one range for all three channels
//   LUT_IN_VIDEO_RANGE, LUT_OUT_VIDEO_RANGE
//                           flags: input or output in video range
// Rows run red fastest, blue slowest. A file with both LUT_1D_SIZE and
// LUT_3D_SIZE holds the 1D rows first: a shaper applied before the 3D table.
// A file with LUT_1D_SIZE alone is a 1D LUT; it is held as that shaper in
// front of a 2-point identity lattice, which reproduces it exactly.
//
// DOMAIN_MIN/MAX give the input range of the first table (the shaper when
// there is one); LUT_1D_INPUT_RANGE and LUT_3D_INPUT_RANGE give the range of
// their own table, so a file may not give both DOMAIN and the range of the
// same table. Input outside a range is clamped to its edge.
//
// The video-range flags are refused: whether the box's signal is in video or
// full range is not known here, so neither folding them in nor ignoring them
// is safe.
//
// The count of rows decides the size: a LUT_3D_SIZE that disagrees with it
// is noted (the box goes by the count as well), not refused.
#include <cmath>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/table_rows.h"
#include "prep/text_scan.h"
#include "prep/text_write.h"

namespace {

struct Keyword {
    const char *name;
    int64_t line;  // 0: not given
};

enum KeywordIndex {
    kTitle,
    kDomainMin,
    kDomainMax,
    kSize1d,
    kSize3d,
    kRange1d,
    kRange3d,
    kInVideo,
    kOutVideo,
    kKeywordCount
};

struct CubeHeader {
    Keyword keywords[kKeywordCount];
    float domainMin[3];
    float domainMax[3];
    int64_t size1d;
    int64_t size3d;
    float range1d[2];
    float range3d[2];
};

void StartHeader(CubeHeader *h) {
    static const char *const kNames[kKeywordCount] = {
        "TITLE",
        "DOMAIN_MIN",
        "DOMAIN_MAX",
        "LUT_1D_SIZE",
        "LUT_3D_SIZE",
        "LUT_1D_INPUT_RANGE",
        "LUT_3D_INPUT_RANGE",
        "LUT_IN_VIDEO_RANGE",
        "LUT_OUT_VIDEO_RANGE",
    };
    *h = CubeHeader{};
    for (int k = 0; k < kKeywordCount; k++) h->keywords[k] = Keyword{kNames[k], 0};
    for (int c = 0; c < 3; c++) h->domainMax[c] = 1.0f;
    h->range1d[1] = h->range3d[1] = 1.0f;
}

// Exactly count finite reals after a keyword.
int ScanKeywordReals(const char *p, const char *end, int count, float *out, const char *name, int64_t line,
                     PrepError *error) {
    for (int i = 0; i < count; i++) {
        if (ScanReal(&p, end, 0, false, &out[i]) != kFieldNumber || !std::isfinite(out[i])) {
            PrepSetError(error, line, "%s needs %d numbers", name, count);
            return -1;
        }
    }
    if (SkipBlanks(p, end) != end) {
        PrepSetError(error, line, "%s takes %d number%s, this line holds more", name, count, count == 1 ? "" : "s");
        return -1;
    }
    return 0;
}

int ScanKeywordSize(const char *p, const char *end, int64_t lo, int64_t hi, int64_t *out, const char *name,
                    int64_t line, PrepError *error) {
    if (ScanInteger(&p, end, 0, out) != kFieldNumber || SkipBlanks(p, end) != end || *out < lo || *out > hi) {
        PrepSetError(error, line, "%s needs one whole number from %lld to %lld", name, static_cast<long long>(lo),
                     static_cast<long long>(hi));
        return -1;
    }
    return 0;
}

// One keyword line; -1 with *error set for an unknown, repeated, malformed
// or refused one.
int ReadKeyword(const PrepLine &line, CubeHeader *h, PrepError *error) {
    const char *rest = nullptr;
    int k = 0;
    while (k < kKeywordCount && !MatchKeyword(line.begin, line.end, h->keywords[k].name, &rest)) k++;
    if (k == kKeywordCount) {
        char word[32];
        QuoteField(line.begin, line.end, 0, word);
        PrepSetError(error, line.number, "unknown keyword '%s'", word);
        return -1;
    }
    Keyword *kw = &h->keywords[k];
    if (kw->line != 0) {
        PrepSetError(error, line.number, "%s given twice (first on line %lld)", kw->name,
                     static_cast<long long>(kw->line));
        return -1;
    }
    kw->line = line.number;
    switch (k) {
    case kTitle:
        return 0;
    case kDomainMin:
        return ScanKeywordReals(rest, line.end, 3, h->domainMin, kw->name, line.number, error);
    case kDomainMax:
        return ScanKeywordReals(rest, line.end, 3, h->domainMax, kw->name, line.number, error);
    case kSize1d:
        return ScanKeywordSize(rest, line.end, kPrepMinPoints, kPrepMaxShaperPoints, &h->size1d, kw->name, line.number,
                               error);
    case kSize3d:
        return ScanKeywordSize(rest, line.end, kPrepMinPoints, kPrepMaxPoints, &h->size3d, kw->name, line.number,
                               error);
    case kRange1d:
        return ScanKeywordReals(rest, line.end, 2, h->range1d, kw->name, line.number, error);
    case kRange3d:
        return ScanKeywordReals(rest, line.end, 2, h->range3d, kw->name, line.number, error);
    default:
        PrepSetError(error, line.number,
                     "%s: video-range LUTs are refused (whether the box's signal is video or full range is not "
                     "known); export the LUT with full-range input and output",
                     kw->name);
        return -1;
    }
}

bool Given(const CubeHeader &h, int k) { return h.keywords[k].line != 0; }

// The input ranges by table, checked; -1 with *error set when a table gets
// two ranges, a range names no table, or a range is empty.
int ResolveRanges(const CubeHeader &h, bool shaper, PrepLut *lut, PrepError *error) {
    bool domain = Given(h, kDomainMin) || Given(h, kDomainMax);
    int64_t domainLine = Given(h, kDomainMin) ? h.keywords[kDomainMin].line : h.keywords[kDomainMax].line;
    if (domain && Given(h, shaper ? kRange1d : kRange3d)) {
        PrepSetError(error, domainLine, "DOMAIN_MIN/MAX and %s both give the input range of the %s table",
                     shaper ? "LUT_1D_INPUT_RANGE" : "LUT_3D_INPUT_RANGE", shaper ? "1D" : "3D");
        return -1;
    }
    float *latticeMin = lut->domainMin, *latticeMax = lut->domainMax;
    float *firstMin = shaper ? lut->shaperMin : latticeMin, *firstMax = shaper ? lut->shaperMax : latticeMax;
    for (int c = 0; c < 3; c++) {
        if (domain) {
            firstMin[c] = h.domainMin[c];
            firstMax[c] = h.domainMax[c];
        }
        if (Given(h, kRange1d)) {
            lut->shaperMin[c] = h.range1d[0];
            lut->shaperMax[c] = h.range1d[1];
        }
        if (Given(h, kRange3d)) {
            latticeMin[c] = h.range3d[0];
            latticeMax[c] = h.range3d[1];
        }
    }
    for (int c = 0; c < 3; c++) {
        if (!(lut->domainMin[c] < lut->domainMax[c]) || !(lut->shaperMin[c] < lut->shaperMax[c])) {
            int64_t line = Given(h, kRange3d)   ? h.keywords[kRange3d].line
                           : Given(h, kRange1d) ? h.keywords[kRange1d].line
                                                : domainLine;
            PrepSetError(error, line, "an input range whose minimum is not below its maximum");
            return -1;
        }
    }
    return 0;
}

// A value of a message: the shortest text that reads back as the same
// float, so that two values that differ never print alike (0.5 and
// 0.50000006) and one given as 0.1 prints as 0.1.
struct ValueText {
    char text[kPrepValueRoom + 1];
};
ValueText Shortest(float v) {
    ValueText t;
    *PutFloat(t.text, v) = '\0';
    return t;
}

// The "domain" warning: any input range of the 3D table other than [0, 1],
// which the box ignores.
void NoteDomain(const CubeHeader &h, bool shaper, PrepWarnings *warnings) {
    bool domainOff = false;
    for (int c = 0; c < 3; c++) domainOff = domainOff || h.domainMin[c] != 0.0f || h.domainMax[c] != 1.0f;
    if (domainOff) {
        int64_t line = Given(h, kDomainMin) ? h.keywords[kDomainMin].line : h.keywords[kDomainMax].line;
        NoteWarning(warnings, kPrepWarnDomain, line,
                    "DOMAIN_MIN %s %s %s, DOMAIN_MAX %s %s %s: the box ignores the domain and takes the %s as "
                    "covering 0 to 1",
                    Shortest(h.domainMin[0]).text, Shortest(h.domainMin[1]).text, Shortest(h.domainMin[2]).text,
                    Shortest(h.domainMax[0]).text, Shortest(h.domainMax[1]).text, Shortest(h.domainMax[2]).text,
                    shaper ? "tables" : "table");
    }
    if (h.range3d[0] != 0.0f || h.range3d[1] != 1.0f) {
        NoteWarning(warnings, kPrepWarnDomain, h.keywords[kRange3d].line,
                    "LUT_3D_INPUT_RANGE %s %s: the box ignores it and takes the table as covering 0 to 1",
                    Shortest(h.range3d[0]).text, Shortest(h.range3d[1]).text);
    }
}

// What the reading of a cube holds between its lines.
struct CubeReading {
    CubeHeader h;
    PrepRowBuffer rows;
    int64_t firstRowLine;
    int64_t lastRowLine;
    PrepShiftedRows shifted;
    PrepRowSign sign;
    const PrepSource *source;
    PrepWarnings *warnings;
    PrepError *error;
};

// The lattice's points per axis that the rows make (2 for a 1D LUT, held
// before a 2-point identity lattice), or 0 with *error set.
int32_t LatticePoints(const CubeReading &c, int64_t lastLine, bool *oneD, PrepError *error) {
    const CubeHeader &h = c.h;
    int32_t shaperPoints = static_cast<int32_t>(h.size1d);
    int64_t rowCount = c.rows.count;
    if (rowCount == 0) {
        PrepSetError(error, lastLine, "no data rows");
        return 0;
    }
    if (rowCount < shaperPoints) {
        PrepSetError(error, c.lastRowLine, "the data ends after %lld rows; LUT_1D_SIZE %d (line %lld) needs %d",
                     static_cast<long long>(rowCount), shaperPoints, static_cast<long long>(h.keywords[kSize1d].line),
                     shaperPoints);
        return 0;
    }
    int64_t latticeRows = rowCount - shaperPoints;
    *oneD = shaperPoints > 0 && latticeRows == 0 && !Given(h, kSize3d);
    int32_t points = *oneD ? 2 : CubeRoot(latticeRows);
    if (points != 0) return points;
    if (Given(h, kSize3d)) {
        PrepSetError(error, c.lastRowLine, "the file holds %lld 3D rows; LUT_3D_SIZE %lld (line %lld) needs %lld",
                     static_cast<long long>(latticeRows), static_cast<long long>(h.size3d),
                     static_cast<long long>(h.keywords[kSize3d].line),
                     static_cast<long long>(PrepNodeCount(static_cast<int32_t>(h.size3d))));
    } else {
        PrepSetError(error, c.lastRowLine, "%lld rows, and no LUT_3D_SIZE: no 3D table of 2 to 256 points",
                     static_cast<long long>(latticeRows));
    }
    return 0;
}

// The "shaper" and "size-keyword" warnings of a read LUT.
void NoteShaperAndSize(const CubeReading &c, const PrepLut *lut, bool oneD) {
    const CubeHeader &h = c.h;
    int32_t shaperPoints = lut->shaperPoints;
    int64_t latticeRows = c.rows.count - shaperPoints;
    if (oneD) {
        NoteWarning(c.warnings, kPrepWarnShaper, h.keywords[kSize1d].line,
                    "a 1D LUT (LUT_1D_SIZE %d) without a 3D table: the box takes 3D tables only", shaperPoints);
        return;
    }
    if (shaperPoints > 0) {
        NoteWarning(c.warnings, kPrepWarnShaper, h.keywords[kSize1d].line,
                    "a LUT_1D_SIZE %d shaper before the 3D table: the box ignores it and reads its rows as 3D rows",
                    shaperPoints);
    }
    if (Given(h, kSize3d) && h.size3d != lut->points) {
        NoteWarning(c.warnings, kPrepWarnSizeKeyword, h.keywords[kSize3d].line,
                    "LUT_3D_SIZE %lld, but the file holds %lld 3D rows: a %d-point table",
                    static_cast<long long>(h.size3d), static_cast<long long>(latticeRows), lut->points);
    } else if (!Given(h, kSize3d)) {
        NoteWarning(c.warnings, kPrepWarnSizeKeyword, c.firstRowLine,
                    "no LUT_3D_SIZE line: the %lld rows make a %d-point table", static_cast<long long>(latticeRows),
                    lut->points);
    }
}

// Everything after the lines were read: sizes, ranges, the LUT itself.
int BuildLut(CubeReading &c, int64_t lastLine, PrepLut *lut, PrepError *error) {
    const CubeHeader &h = c.h;
    int32_t shaperPoints = static_cast<int32_t>(h.size1d);
    bool oneD = false;
    int32_t points = LatticePoints(c, lastLine, &oneD, error);
    if (points == 0) return -1;
    // Without a shaper the rows read are the lattice: taken, not copied.
    bool taken = shaperPoints == 0;
    int allocated = taken ? PrepAdoptLattice(lut, points, 0, &c.rows.rows[0][0], error)
                          : PrepAllocLut(lut, points, shaperPoints, error);
    if (taken) c.rows.rows = nullptr;  // the count stays for the warnings
    if (allocated != 0) return -1;
    if (Given(c.h, kRange1d) && shaperPoints == 0) {
        NoteWarning(c.warnings, kPrepWarnDomain, c.h.keywords[kRange1d].line,
                    "LUT_1D_INPUT_RANGE without a LUT_1D_SIZE table: ignored, as OpenColorIO ignores it");
        c.h.keywords[kRange1d].line = 0;
    }
    lut->family = kPrepFamilyCube;
    lut->statedPoints = Given(h, kSize3d) ? static_cast<int32_t>(h.size3d) : 0;
    if (ResolveRanges(h, shaperPoints > 0, lut, error) != 0) {
        PrepFreeLut(lut);
        return -1;
    }
    const PrepRowBuffer &rows = c.rows;
    if (shaperPoints > 0) memcpy(lut->shaper, rows.rows, static_cast<size_t>(shaperPoints) * sizeof rows.rows[0]);
    if (oneD) {
        FillIdentityLattice(lut);
        lut->oneD = true;
    } else if (!taken) {
        memcpy(lut->values, rows.rows[shaperPoints], static_cast<size_t>(PrepNodeCount(points)) * sizeof rows.rows[0]);
    }
    NoteDomain(h, shaperPoints > 0, c.warnings);
    NoteShaperAndSize(c, lut, oneD);
    return 0;
}

// A line that begins with a number: a row of three, or one the box would
// read shifted.
int ReadRow(CubeReading *c, const PrepLine &line) {
    if (c->firstRowLine == 0) c->firstRowLine = line.number;
    float row[3] = {};
    int numbers = ScanRowNumbers(line, row, c->error);
    if (numbers < 0) return -1;
    if (numbers != 3) {
        // Kept going, so that "check" sees every such line; the file is
        // refused at its end.
        NoteShiftedRow(&c->shifted, c->warnings, line.number, numbers);
        return 0;
    }
    c->lastRowLine = line.number;
    for (int k = 0; k < 3; k++) NoteValue(c->warnings, row[k], 0.0, 1.0, line.number);
    if (c->rows.count == 0) ReserveRows(&c->rows, c->h.size1d + PrepNodeCount(static_cast<int32_t>(c->h.size3d)));
    return AppendRow(&c->rows, row, line.number, c->error);
}

int ReadCubeLine(void *state, const PrepLine &line) {
    CubeReading *c = static_cast<CubeReading *>(state);
    if (*line.begin == '#') {
        KeepComment(*c->source, line);
        if (c->firstRowLine == 0) NoteHeaderLine(c->warnings, line);
        return 0;
    }
    if (BeginsWithNumber(line.begin, line.end)) {
        NoteMarkBeforeRow(c->warnings, line);
        NoteRowSign(&c->sign, line);
        return ReadRow(c, line);
    }
    if (c->firstRowLine != 0) {
        PrepSetError(c->error, line.number, "a keyword after the data rows (which began on line %lld)",
                     static_cast<long long>(c->firstRowLine));
        return -1;
    }
    NoteHeaderLine(c->warnings, line);
    const char *rest = nullptr;
    if (MatchKeyword(line.begin, line.end, "TITLE", &rest)) KeepNote(*c->source, line.begin, line.end);
    return ReadKeyword(line, &c->h, c->error);
}

int WriteCube(FILE *file, const PrepLut *lut, int32_t, const char *notes, PrepError *error) {
    return PrepWriteCube(file, lut, notes, error);
}

}  // namespace

const PrepFormat kPrepFormatCube = {
    .name = "cube",
    .extension = ".cube",
    .hasBitDepth = false,
    .boxRow = "three numbers",
    .parse = PrepParseCube,
    .parseTransform = nullptr,
    .write = WriteCube,
    .rowNode = PrepRedFastestNode,
};

int PrepParseCube(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    CubeReading c{};
    StartHeader(&c.h);
    c.shifted = {"numbers", 3, 0, 0};
    c.source = &source;
    c.warnings = warnings;
    c.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, 0, ReadCubeLine, &c, &lastLine, error);
    if (result == 0) result = RefuseShiftedRows(c.shifted, error);
    if (result == 0) result = BuildLut(c, lastLine, lut, error);
    FreeRows(&c.rows);
    FinishWarnings(warnings, "[0, 1]");
    FinishRowSign(c.sign, warnings);
    return result;
}

int PrepWriteCube(FILE *file, const PrepLut *lut, const char *notes, PrepError *error) {
    if (CheckWritable(lut, error) != 0) return -1;
    PrepOutput *out = StartOutput(file);
    PutNotes(out, notes, "TITLE");
    char *at = RowStart(out);
    at = PutText(at, "LUT_3D_SIZE ");
    at = PutInt(at, lut->points);
    RowEnd(out, at);
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t node = 0; node < nodes; node++) {
        at = RowStart(out);
        const float *v = lut->values + 3 * node;
        at = PutFloat(at, v[0]);
        *at++ = ' ';
        at = PutFloat(at, v[1]);
        *at++ = ' ';
        at = PutFloat(at, v[2]);
        RowEnd(out, at);
    }
    return FinishOutput(out, error);
}
