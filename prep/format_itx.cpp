// Iridas .itx: a plain 3D table, read as OpenColorIO reads it.
//
// A text file of lines: comments ('#' first), text before the size that no
// reader uses (a TITLE, the grading system's own lines), the size, and the
// rows:
//   LUT_3D_SIZE n           n points per axis, 2 to 256: n^3 rows follow
//   r g b                   three reals, red fastest, blue slowest
// Nothing but rows may follow the size. The format has no domain and no
// 1D table: a file that gives either is a .cube under the wrong name, and
// OpenColorIO reads it one way or the other depending on where the line
// stands, so it is refused with that advice rather than read half.
#include "prep/format.h"
#include "prep/table_rows.h"

namespace {

struct ItxReading {
    int64_t size;
    int64_t sizeLine;
    int64_t lastRowLine;
    PrepRowBuffer rows;
    PrepWarnings *warnings;
    PrepError *error;
};

// The .cube keywords an .itx cannot hold.
const char *const kCubeOnly[] = {"DOMAIN_MIN", "DOMAIN_MAX", "LUT_1D_SIZE", "LUT_1D_INPUT_RANGE", "LUT_3D_INPUT_RANGE"};

int ReadSize(ItxReading *x, const PrepLine &line, const char *rest) {
    if (x->sizeLine != 0) {
        PrepSetError(x->error, line.number, "LUT_3D_SIZE given twice (first on line %lld)",
                     static_cast<long long>(x->sizeLine));
        return -1;
    }
    if (ScanInteger(&rest, line.end, 0, &x->size) != kFieldNumber || SkipBlanks(rest, line.end) != line.end ||
        x->size < kPrepMinPoints || x->size > kPrepMaxPoints) {
        PrepSetError(x->error, line.number, "LUT_3D_SIZE needs one whole number from %d to %d", kPrepMinPoints,
                     kPrepMaxPoints);
        return -1;
    }
    x->sizeLine = line.number;
    return 0;
}

int ReadRow(ItxReading *x, const PrepLine &line) {
    if (x->sizeLine == 0) {
        PrepSetError(x->error, line.number, "a row before the LUT_3D_SIZE line");
        return -1;
    }
    int64_t nodes = PrepNodeCount(static_cast<int32_t>(x->size));
    if (x->rows.count == nodes) {
        PrepSetError(x->error, line.number, "more rows than LUT_3D_SIZE %lld (line %lld) needs",
                     static_cast<long long>(x->size), static_cast<long long>(x->sizeLine));
        return -1;
    }
    // The size is known before the first row: room for all at once.
    if (x->rows.count == 0) ReserveRows(&x->rows, nodes);
    x->lastRowLine = line.number;
    return AppendRealRow(line, &x->rows, x->warnings, x->error);
}

int ReadItxLine(void *state, const PrepLine &line) {
    ItxReading *x = static_cast<ItxReading *>(state);
    // No keyword begins like a number: a row is told at its first byte.
    if (BeginsWithNumber(line.begin, line.end)) return ReadRow(x, line);
    const char *rest = nullptr;
    if (MatchKeyword(line.begin, line.end, "LUT_3D_SIZE", &rest)) return ReadSize(x, line, rest);
    for (const char *keyword : kCubeOnly) {
        if (MatchKeyword(line.begin, line.end, keyword, &rest)) {
            PrepSetError(x->error, line.number,
                         "%s: an .itx file holds a plain 3D table; a file with a domain or a 1D table is a .cube "
                         "(rename it)",
                         keyword);
            return -1;
        }
    }
    if (x->sizeLine == 0) return 0;
    char word[32];
    QuoteField(line.begin, line.end, 0, word);
    PrepSetError(x->error, line.number, "'%s' after LUT_3D_SIZE, where only rows of three numbers follow", word);
    return -1;
}

int BuildItx(ItxReading &x, int64_t lastLine, PrepLut *lut, PrepError *error) {
    if (x.sizeLine == 0) {
        PrepSetError(error, lastLine, "no LUT_3D_SIZE line");
        return -1;
    }
    int32_t points = static_cast<int32_t>(x.size);
    if (x.rows.count != PrepNodeCount(points)) {
        PrepSetError(error, x.rows.count == 0 ? lastLine : x.lastRowLine,
                     "the file holds %lld rows; LUT_3D_SIZE %d (line %lld) needs %lld",
                     static_cast<long long>(x.rows.count), points, static_cast<long long>(x.sizeLine),
                     static_cast<long long>(PrepNodeCount(points)));
        return -1;
    }
    if (LatticeFromRedFastestRows(&x.rows, points, lut, error) != 0) return -1;
    lut->family = &kPrepFormatItx;
    lut->statedPoints = points;
    return 0;
}

int ParseItx(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    ItxReading x{};
    x.warnings = warnings;
    x.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, '#', ReadItxLine, &x, &lastLine, error);
    if (result == 0) result = BuildItx(x, lastLine, lut, error);
    FreeRows(&x.rows);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

}  // namespace

const PrepFormat kPrepFormatItx = {
    .name = "itx",
    .extension = ".itx",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = ParseItx,
    .parseTransform = nullptr,
    .write = nullptr,
    .rowNode = PrepRedFastestNode,
};
