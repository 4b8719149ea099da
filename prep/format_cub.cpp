// FilmLight Truelight .cub: an input 1D table, a 3D table and an output 1D
// table, each optional, read as OpenColorIO reads the first two.
//
// A text file whose tags are comment lines, matched in any letter case:
//   # Truelight Cube v2.0   the first line (its version is not read)
//   # width n n n           the 3D table's points per axis, 2 to 256, equal
//   # lutLength n           the rows of each 1D table, 2 to 65536
//   # InputLUT              the input table's rows follow
//   # Cube                  the 3D table's n^3 rows follow, red fastest
//   # OutputLUT             the output table's rows follow
//   # end                   nothing after it is read
// Rows are three reals, one curve per channel for a 1D table. Other '#'
// lines (iDims, oDims, remarks) are ignored.
//
// The input table maps [0, 1] to the 3D table's grid units, 0 to n - 1, so
// its values are divided by n - 1; without a 3D table it is a plain curve.
// The output table maps the 3D table's output, over [0, 1]. OpenColorIO
// knows no OutputLUT tag (it counts those rows into the 3D table and so
// refuses the file): what it does here is FilmLight's order, not a
// reference's.
#include <cmath>

#include "prep/format.h"
#include "prep/table_rows.h"
#include "prep/transform.h"

namespace {

enum Section { kNoSection = -1, kInputLut, kCubeTable, kOutputLut, kSections };

const char *const kSectionTags[kSections] = {"InputLUT", "Cube", "OutputLUT"};

// What onLine returns at "# end": the loop stops, and the file is read.
constexpr int kEndTag = 1;

struct CubReading {
    bool header;
    int64_t widthLine;
    int64_t lengthLine;
    int64_t width;
    int64_t length;
    int section;
    int64_t sectionLine[kSections];
    int64_t lastRowLine[kSections];
    PrepRowBuffer rows[kSections];
    PrepWarnings *warnings;
    PrepError *error;
};

int ReadWidth(CubReading *c, const PrepLine &line, const char *rest) {
    int64_t size[3] = {};
    bool read = true;
    for (int64_t &n : size) read = read && ScanInteger(&rest, line.end, 0, &n) == kFieldNumber;
    if (!read || SkipBlanks(rest, line.end) != line.end || size[0] < kPrepMinPoints || size[0] > kPrepMaxPoints) {
        PrepSetError(c->error, line.number, "width needs three whole numbers from %d to %d", kPrepMinPoints,
                     kPrepMaxPoints);
        return -1;
    }
    if (size[1] != size[0] || size[2] != size[0]) {
        PrepSetError(c->error, line.number, "width %lld %lld %lld: only grids of equal sides are read",
                     static_cast<long long>(size[0]), static_cast<long long>(size[1]), static_cast<long long>(size[2]));
        return -1;
    }
    c->width = size[0];
    c->widthLine = line.number;
    return 0;
}

int ReadLength(CubReading *c, const PrepLine &line, const char *rest) {
    if (ScanInteger(&rest, line.end, 0, &c->length) != kFieldNumber || SkipBlanks(rest, line.end) != line.end ||
        c->length < kPrepMinPoints || c->length > kPrepMaxShaperPoints) {
        PrepSetError(c->error, line.number, "lutLength needs one whole number from %d to %d", kPrepMinPoints,
                     kPrepMaxShaperPoints);
        return -1;
    }
    c->lengthLine = line.number;
    return 0;
}

int Twice(CubReading *c, const PrepLine &line, const char *name, int64_t first) {
    PrepSetError(c->error, line.number, "%s given twice (first on line %lld)", name, static_cast<long long>(first));
    return -1;
}

// A '#' line after the first: a tag, or a remark.
int ReadTag(CubReading *c, const PrepLine &line) {
    const char *rest = nullptr;
    const char *p = line.begin + 1;
    if (MatchKeyword(p, line.end, "width", &rest)) {
        return c->widthLine == 0 ? ReadWidth(c, line, rest) : Twice(c, line, "width", c->widthLine);
    }
    if (MatchKeyword(p, line.end, "lutLength", &rest)) {
        return c->lengthLine == 0 ? ReadLength(c, line, rest) : Twice(c, line, "lutLength", c->lengthLine);
    }
    if (MatchKeyword(p, line.end, "end", &rest)) return kEndTag;
    for (int s = 0; s < kSections; s++) {
        if (!MatchKeyword(p, line.end, kSectionTags[s], &rest)) continue;
        if (c->sectionLine[s] != 0) return Twice(c, line, kSectionTags[s], c->sectionLine[s]);
        c->sectionLine[s] = line.number;
        c->section = s;
        return 0;
    }
    return 0;
}

// What gives the size of section s: the width for the cube, lutLength
// for a 1D table.
struct SectionSize {
    const char *name;
    int64_t line;  // 0: not given (yet)
    int64_t value;
    int64_t rows;
};

SectionSize SizeOf(const CubReading &c, int s) {
    if (s == kCubeTable) return {"width", c.widthLine, c.width, PrepNodeCount(static_cast<int32_t>(c.width))};
    return {"lutLength", c.lengthLine, c.length, c.length};
}

// A row of the current section. Rows beyond a size already given are
// refused at once, so that the memory taken follows the sizes.
int ReadSectionRow(CubReading *c, const PrepLine &line) {
    if (c->section == kNoSection) {
        PrepSetError(c->error, line.number, "a row before the first # InputLUT, # Cube or # OutputLUT tag");
        return -1;
    }
    SectionSize size = SizeOf(*c, c->section);
    if (size.line != 0 && c->rows[c->section].count == size.rows) {
        PrepSetError(c->error, line.number, "more rows in the %s section than %s %lld (line %lld) needs",
                     kSectionTags[c->section], size.name, static_cast<long long>(size.value),
                     static_cast<long long>(size.line));
        return -1;
    }
    // A known size before the first row: room for all at once.
    if (size.line != 0 && c->rows[c->section].count == 0) ReserveRows(&c->rows[c->section], size.rows);
    c->lastRowLine[c->section] = line.number;
    // The input table's values are grid units, so only a NaN or an infinity
    // among them is worth a word.
    bool input = c->section == kInputLut;
    float row[3] = {};
    if (ScanRealRow(line, row, input ? nullptr : c->warnings, c->error) != 0) return -1;
    for (int k = 0; input && k < 3; k++) NoteValue(c->warnings, row[k], -HUGE_VAL, HUGE_VAL, line.number);
    return AppendRow(&c->rows[c->section], row, line.number, c->error);
}

int ReadCubLine(void *state, const PrepLine &line) {
    CubReading *c = static_cast<CubReading *>(state);
    if (c->header) return *line.begin == '#' ? ReadTag(c, line) : ReadSectionRow(c, line);
    const char *rest = nullptr;
    if (*line.begin != '#' || !MatchKeyword(line.begin + 1, line.end, "Truelight", &rest) ||
        !MatchKeyword(rest, line.end, "Cube", &rest)) {
        PrepSetError(c->error, line.number,
                     "not a Truelight .cub file: the first line must be '# Truelight Cube v2.0'");
        return -1;
    }
    c->header = true;
    return 0;
}

// The rows of section s against the size its tag line gives.
int CheckCount(const CubReading &c, int s, PrepError *error) {
    SectionSize size = SizeOf(c, s);
    if (size.line == 0) {
        PrepSetError(error, c.sectionLine[s], "the %s section's size is not known: the file has no %s line",
                     kSectionTags[s], size.name);
        return -1;
    }
    int64_t count = c.rows[s].count;
    if (count != size.rows) {
        PrepSetError(error, count == 0 ? c.sectionLine[s] : c.lastRowLine[s],
                     "the %s section holds %lld rows; %s %lld (line %lld) needs %lld", kSectionTags[s],
                     static_cast<long long>(count), size.name, static_cast<long long>(size.value),
                     static_cast<long long>(size.line), static_cast<long long>(size.rows));
        return -1;
    }
    return 0;
}

// A 1D section as a curve over [0, 1], its values divided by divisor.
int AddTable(const CubReading &c, int s, double divisor, PrepTransform *t, PrepError *error) {
    const PrepRowBuffer &rows = c.rows[s];
    PrepOp *op = PrepAddCurve(t, "1D LUT", static_cast<int32_t>(rows.count), false, error);
    if (op == nullptr) return -1;
    for (int64_t k = 0; k < rows.count; k++) {
        for (int ch = 0; ch < 3; ch++) {
            op->curve.values[k][ch] = static_cast<float>(static_cast<double>(rows.rows[k][ch]) / divisor);
        }
    }
    return 0;
}

int BuildCub(CubReading &c, int64_t lastLine, PrepTransform *t, PrepError *error) {
    if (!c.header) {
        PrepSetError(error, lastLine, "an empty file");
        return -1;
    }
    bool given[kSections];
    for (int s = 0; s < kSections; s++) {
        given[s] = c.sectionLine[s] != 0;
        if (given[s] && CheckCount(c, s, error) != 0) return -1;
    }
    if (!given[kInputLut] && !given[kCubeTable]) {
        PrepSetError(error, lastLine, "no # InputLUT or # Cube section: the file holds no table");
        return -1;
    }
    bool cube = given[kCubeTable];
    if (given[kInputLut] && AddTable(c, kInputLut, cube ? static_cast<double>(c.width - 1) : 1.0, t, error) != 0) {
        return -1;
    }
    if (cube) {
        PrepLut lut{};
        int32_t points = static_cast<int32_t>(c.width);
        if (LatticeFromRedFastestRows(&c.rows[kCubeTable], points, &lut, error) != 0) return -1;
        lut.family = &kPrepFormatCub;
        lut.statedPoints = points;
        if (PrepAddLut(t, &lut, kPrepInterpDefault, error) != 0) return -1;
    }
    return given[kOutputLut] ? AddTable(c, kOutputLut, 1.0, t, error) : 0;
}

int ParseCub(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *warnings,
             PrepError *error) {
    PrepFreeTransform(t);
    t->family = &kPrepFormatCub;
    CubReading c{};
    c.section = kNoSection;
    c.warnings = warnings;
    c.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, 0, ReadCubLine, &c, &lastLine, error);
    if (result == kEndTag) result = 0;
    if (result == 0) result = BuildCub(c, lastLine, t, error);
    for (PrepRowBuffer &rows : c.rows) FreeRows(&rows);
    if (result != 0) PrepFreeTransform(t);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

}  // namespace

const PrepFormat kPrepFormatCub = {
    .name = "cub",
    .extension = ".cub",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseCub,
    .write = nullptr,
    .rowNode = PrepRedFastestNode,
};
