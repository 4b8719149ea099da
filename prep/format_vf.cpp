// Nuke .vf (a vector field): a matrix, then a 3D table, read as OpenColorIO
// reads them.
//
// A text file of lines that begins with the Open Inventor header:
//   #Inventor V2.1 ascii    the first line (its version is not read)
//   grid_size n n n         n points per axis, 2 to 256, the same on each
//   global_transform m*16   optional: a 4x4 matrix, row by row
//   data                    n^3 rows follow:
//   r g b                   three reals, blue fastest, red slowest
// Other lines before "data" (element_size, world_origin) are ignored, as
// OpenColorIO ignores them; later '#' lines are comments.
//
// Nuke writes the matrix divided by the grid size, so its first three
// columns are multiplied by n: the usual 1/n diagonal is no change at all.
// Its rows are the output channels of (r, g, b, alpha). The fourth column
// multiplies alpha, which a colour transform does not have (OpenColorIO
// takes it as 0), so a translation there changes nothing; it is dropped
// with a warning, and the fourth row (alpha's output) is not read.
#include <cmath>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/table_rows.h"
#include "prep/text_write.h"
#include "prep/transform.h"

namespace {

struct VfReading {
    bool header;
    int64_t gridLine;
    int64_t transformLine;
    int64_t dataLine;
    int64_t lastRowLine;
    int32_t points;
    float matrix[16];
    PrepBlueFastestRows rows;
    int64_t sourceBytes;  // -1: not known
    PrepWarnings *warnings;
    PrepError *error;
};

int ReadGrid(VfReading *v, const PrepLine &line, const char *rest) {
    int64_t size[3] = {};
    bool read = true;
    for (int64_t &n : size) read = read && ScanInteger(&rest, line.end, 0, &n) == kFieldNumber;
    if (!read || SkipBlanks(rest, line.end) != line.end || size[0] < kPrepMinPoints || size[0] > kPrepMaxPoints) {
        PrepSetError(v->error, line.number, "grid_size needs three whole numbers from %d to %d", kPrepMinPoints,
                     kPrepMaxPoints);
        return -1;
    }
    if (size[1] != size[0] || size[2] != size[0]) {
        PrepSetError(v->error, line.number, "grid_size %lld %lld %lld: only grids of equal sides are read",
                     static_cast<long long>(size[0]), static_cast<long long>(size[1]), static_cast<long long>(size[2]));
        return -1;
    }
    v->points = static_cast<int32_t>(size[0]);
    v->gridLine = line.number;
    return 0;
}

int ReadMatrix(VfReading *v, const PrepLine &line, const char *rest) {
    for (float &m : v->matrix) {
        if (ScanReal(&rest, line.end, 0, false, &m) != kFieldNumber || !std::isfinite(m)) {
            PrepSetError(v->error, line.number, "global_transform needs 16 finite numbers on its line");
            return -1;
        }
    }
    if (SkipBlanks(rest, line.end) != line.end) {
        PrepSetError(v->error, line.number, "global_transform takes 16 numbers, this line holds more");
        return -1;
    }
    v->transformLine = line.number;
    return 0;
}

// A line before "data".
int ReadHeaderLine(VfReading *v, const PrepLine &line) {
    const char *rest = nullptr;
    const struct {
        const char *name;
        int64_t *line;
        int (*read)(VfReading *, const PrepLine &, const char *);
    } kKeywords[] = {{"grid_size", &v->gridLine, ReadGrid}, {"global_transform", &v->transformLine, ReadMatrix}};
    for (const auto &k : kKeywords) {
        if (!MatchKeyword(line.begin, line.end, k.name, &rest)) continue;
        if (*k.line == 0) return k.read(v, line, rest);
        PrepSetError(v->error, line.number, "%s given twice (first on line %lld)", k.name,
                     static_cast<long long>(*k.line));
        return -1;
    }
    if (MatchKeyword(line.begin, line.end, "data", &rest)) {
        if (v->gridLine == 0) {
            PrepSetError(v->error, line.number, "no grid_size line before the data: the table's size is not known");
            return -1;
        }
        v->dataLine = line.number;
        return StartBlueFastestRows(&v->rows, v->points, v->sourceBytes, line.number, v->error);
    }
    if (BeginsWithNumber(line.begin, line.end)) {
        PrepSetError(v->error, line.number, "a row before the 'data' line");
        return -1;
    }
    return 0;
}

int ReadVfLine(void *state, const PrepLine &line) {
    VfReading *v = static_cast<VfReading *>(state);
    if (!v->header) {
        const char *rest = nullptr;
        if (!MatchKeyword(line.begin, line.end, "#Inventor", &rest)) {
            PrepSetError(v->error, line.number, "not a Nuke .vf file: the first line must be '#Inventor V2.1 ascii'");
            return -1;
        }
        v->header = true;
        return 0;
    }
    if (*line.begin == '#') return 0;
    if (v->dataLine == 0) return ReadHeaderLine(v, line);
    if (v->rows.count == PrepNodeCount(v->points)) {
        PrepSetError(v->error, line.number, "more rows than grid_size %d (line %lld) needs", v->points,
                     static_cast<long long>(v->gridLine));
        return -1;
    }
    v->lastRowLine = line.number;
    return ReadBlueFastestRow(line, &v->rows, v->warnings, v->error);
}

struct Shortest {
    char text[kPrepValueRoom + 1];
};
Shortest Text(float v) {
    Shortest s;
    *PutFloat(s.text, v) = '\0';
    return s;
}

// The matrix op, unless the matrix is no change; with the warning for a
// translation that is dropped.
int AddMatrix(const VfReading &v, PrepTransform *t, PrepError *error) {
    if (v.transformLine == 0) return 0;
    const float *m = v.matrix;
    if (m[3] != 0.0f || m[7] != 0.0f || m[11] != 0.0f) {
        NoteWarning(v.warnings, kPrepWarnDomain, v.transformLine,
                    "global_transform's translation %s %s %s (its fourth column) is dropped: it multiplies alpha, "
                    "as OpenColorIO reads it",
                    Text(m[3]).text, Text(m[7]).text, Text(m[11]).text);
    }
    double params[12] = {};
    bool identity = true;
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 3; col++) {
            params[4 * row + col] = static_cast<double>(m[4 * row + col]) * v.points;
            identity = identity && params[4 * row + col] == (row == col ? 1.0 : 0.0);
        }
    }
    if (identity) return 0;
    PrepOp *op = PrepAddOp(t, "Matrix", PrepApplyMatrix, error);
    if (op == nullptr) return -1;
    memcpy(op->params, params, sizeof params);
    return 0;
}

int BuildVf(VfReading &v, int64_t lastLine, PrepTransform *t, PrepError *error) {
    if (!v.header || v.dataLine == 0) {
        PrepSetError(error, lastLine, v.header ? "no 'data' line: the file holds no table" : "an empty file");
        return -1;
    }
    int64_t nodes = PrepNodeCount(v.points);
    if (v.rows.count == nodes && v.rows.lut.values == nullptr) {
        PrepSetError(error, v.lastRowLine, "the file grew while it was read");
        return -1;
    }
    if (v.rows.count != nodes) {
        PrepSetError(error, v.rows.count == 0 ? v.dataLine : v.lastRowLine,
                     "the file holds %lld rows; grid_size %d (line %lld) needs %lld",
                     static_cast<long long>(v.rows.count), v.points, static_cast<long long>(v.gridLine),
                     static_cast<long long>(nodes));
        return -1;
    }
    PrepLut lut = v.rows.lut;
    v.rows.lut = PrepLut{};
    lut.family = &kPrepFormatVf;
    lut.statedPoints = v.points;
    if (AddMatrix(v, t, error) != 0) {
        PrepFreeLut(&lut);
        return -1;
    }
    return PrepAddLut(t, &lut, kPrepInterpDefault, error);
}

int ParseVf(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *warnings,
            PrepError *error) {
    PrepFreeTransform(t);
    t->family = &kPrepFormatVf;
    VfReading v{};
    v.sourceBytes = PrepSourceBytes(source);
    v.warnings = warnings;
    v.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, 0, ReadVfLine, &v, &lastLine, error);
    if (result == 0) result = BuildVf(v, lastLine, t, error);
    PrepFreeLut(&v.rows.lut);
    if (result != 0) PrepFreeTransform(t);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

}  // namespace

const PrepFormat kPrepFormatVf = {
    .name = "vf",
    .extension = ".vf",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseVf,
    .write = nullptr,
    .rowNode = PrepBlueFastestNode,
};
