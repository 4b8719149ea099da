// Pandora .m3d and .mga: an integer 3D table, read as OpenColorIO reads it.
//
// A text file of lines: comments ('#' first), keywords (any letter case),
// then the rows:
//   channel 3d              the only kind read (a "1d" file is refused)
//   in N                    the count of rows, n^3 for n from 2 to 256
//   out M                   the values' scale: M - 1 stands for 1
//   format lut              the only form read
//   values red green blue   the rows follow, one per line:
//   i r g b                 four integers: an index, then the node's values
// Rows run blue fastest. The index is not read: the row's place in the file
// decides its node, as OpenColorIO takes it. Other lines before "values"
// are ignored, as OpenColorIO ignores them.
#include <initializer_list>

#include "prep/format.h"
#include "prep/table_rows.h"

namespace {

struct PandoraReading {
    int64_t inLine;
    int64_t outLine;
    int64_t valuesLine;
    int64_t lastRowLine;
    int32_t points;
    int64_t out;
    int64_t rows;
    PrepLut *lut;
    PrepFamily family;
    PrepWarnings *warnings;
    PrepError *error;
};

// Whether the rest of the line is the words, in any letter case, alone.
bool RestIs(const char *rest, const char *end, std::initializer_list<const char *> words) {
    for (const char *word : words) {
        if (!MatchKeyword(rest, end, word, &rest)) return false;
    }
    return SkipBlanks(rest, end) == end;
}

int ScanWhole(const PrepLine &line, const char *rest, int64_t *value) {
    return ScanInteger(&rest, line.end, 0, value) == kFieldNumber && SkipBlanks(rest, line.end) == line.end ? 0 : -1;
}

int ReadIn(PandoraReading *p, const PrepLine &line, const char *rest) {
    int64_t count = 0;
    p->points = ScanWhole(line, rest, &count) == 0 ? CubeRoot(count) : 0;
    if (p->points == 0) {
        PrepSetError(p->error, line.number, "in needs the count of rows of a 3D table: n^3 for n from %d to %d",
                     kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    p->inLine = line.number;
    return 0;
}

int ReadOut(PandoraReading *p, const PrepLine &line, const char *rest) {
    if (ScanWhole(line, rest, &p->out) != 0 || p->out < 2) {
        PrepSetError(p->error, line.number, "out needs a whole number of at least 2 (the values' full scale plus 1)");
        return -1;
    }
    p->outLine = line.number;
    return 0;
}

// The "values" line: the table's size and scale are known from here.
int StartValues(PandoraReading *p, const PrepLine &line, const char *rest) {
    if (!RestIs(rest, line.end, {"red", "green", "blue"})) {
        PrepSetError(p->error, line.number, "the values line must read 'values red green blue'");
        return -1;
    }
    if (p->inLine == 0 || p->outLine == 0) {
        PrepSetError(p->error, line.number, "no '%s' line before the values: the table's %s is not known",
                     p->inLine == 0 ? "in" : "out", p->inLine == 0 ? "size" : "scale");
        return -1;
    }
    p->valuesLine = line.number;
    if (PrepAllocLut(p->lut, p->points, 0, p->error) != 0) return -1;
    p->lut->family = p->family;
    p->lut->statedPoints = p->points;
    return 0;
}

int Twice(PandoraReading *p, const PrepLine &line, const char *name, int64_t first) {
    PrepSetError(p->error, line.number, "%s given twice (first on line %lld)", name, static_cast<long long>(first));
    return -1;
}

// A keyword line before the values; others are ignored.
int ReadKeyword(PandoraReading *p, const PrepLine &line) {
    const char *rest = nullptr;
    char word[32];
    if (MatchKeyword(line.begin, line.end, "channel", &rest)) {
        if (RestIs(rest, line.end, {"3d"})) return 0;
        QuoteField(rest, line.end, 0, word);
        PrepSetError(p->error, line.number, "channel %s: only 3D tables are read ('channel 3d')", word);
        return -1;
    }
    if (MatchKeyword(line.begin, line.end, "format", &rest)) {
        if (RestIs(rest, line.end, {"lut"})) return 0;
        QuoteField(rest, line.end, 0, word);
        PrepSetError(p->error, line.number, "format %s: only 'format lut' is read", word);
        return -1;
    }
    if (MatchKeyword(line.begin, line.end, "in", &rest)) {
        return p->inLine == 0 ? ReadIn(p, line, rest) : Twice(p, line, "in", p->inLine);
    }
    if (MatchKeyword(line.begin, line.end, "out", &rest)) {
        return p->outLine == 0 ? ReadOut(p, line, rest) : Twice(p, line, "out", p->outLine);
    }
    if (MatchKeyword(line.begin, line.end, "values", &rest)) return StartValues(p, line, rest);
    if (BeginsWithNumber(line.begin, line.end)) {
        PrepSetError(p->error, line.number, "a row before the 'values red green blue' line");
        return -1;
    }
    return 0;
}

// A row: an index and three integers, divided by out - 1.
int ReadRow(PandoraReading *p, const PrepLine &line) {
    int64_t fields[4] = {};
    int count = 0;
    const char *at = line.begin;
    FieldResult field;
    int64_t value = 0;
    while ((field = ScanInteger(&at, line.end, 0, &value)) == kFieldNumber) {
        if (count < 4) fields[count] = value;
        count++;
    }
    if (field == kFieldBad) {
        char word[32];
        QuoteField(at, line.end, 0, word);
        PrepSetError(p->error, line.number, "'%s' is not a whole number", word);
        return -1;
    }
    if (count != 4) {
        PrepSetError(p->error, line.number, "%d numbers where a row holds 4 (an index, then red, green, blue)", count);
        return -1;
    }
    int64_t nodes = PrepNodeCount(p->points);
    if (p->rows == nodes) {
        PrepSetError(p->error, line.number, "more rows than in %lld (line %lld)", static_cast<long long>(nodes),
                     static_cast<long long>(p->inLine));
        return -1;
    }
    float *node = p->lut->values + 3 * p->family->rowNode(p->points, p->rows);
    double scale = static_cast<double>(p->out - 1);
    for (int c = 0; c < 3; c++) {
        node[c] = static_cast<float>(static_cast<double>(fields[c + 1]) / scale);
        NoteValue(p->warnings, node[c], 0.0, 1.0, line.number);
    }
    p->rows++;
    p->lastRowLine = line.number;
    return 0;
}

int ReadPandoraLine(void *state, const PrepLine &line) {
    PandoraReading *p = static_cast<PandoraReading *>(state);
    return p->valuesLine == 0 ? ReadKeyword(p, line) : ReadRow(p, line);
}

int FinishPandora(const PandoraReading &p, int64_t lastLine, PrepError *error) {
    if (p.valuesLine == 0) {
        PrepSetError(error, lastLine, "no 'values red green blue' line: the file holds no table");
        return -1;
    }
    int64_t nodes = PrepNodeCount(p.points);
    if (p.rows != nodes) {
        PrepSetError(error, p.rows == 0 ? p.valuesLine : p.lastRowLine,
                     "the data ends after %lld rows; in %lld (line %lld) needs %lld", static_cast<long long>(p.rows),
                     static_cast<long long>(nodes), static_cast<long long>(p.inLine), static_cast<long long>(nodes));
        return -1;
    }
    return 0;
}

int ParsePandora(const PrepSource &source, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    PandoraReading p{};
    p.lut = lut;
    p.family = family;
    p.warnings = warnings;
    p.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, '#', ReadPandoraLine, &p, &lastLine, error);
    if (result == 0) result = FinishPandora(p, lastLine, error);
    if (result != 0) PrepFreeLut(lut);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

int ParseM3d(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    return ParsePandora(source, &kPrepFormatM3d, lut, warnings, error);
}

int ParseMga(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    return ParsePandora(source, &kPrepFormatMga, lut, warnings, error);
}

}  // namespace

// One reader under two names, which differ in nothing else.
const PrepFormat kPrepFormatM3d = {
    .name = "m3d",
    .extension = ".m3d",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = ParseM3d,
    .parseTransform = nullptr,
    .write = nullptr,
    .rowNode = PrepBlueFastestNode,
};

const PrepFormat kPrepFormatMga = {
    .name = "mga",
    .extension = ".mga",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = ParseMga,
    .parseTransform = nullptr,
    .write = nullptr,
    .rowNode = PrepBlueFastestNode,
};
