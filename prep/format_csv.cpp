// Not the box's reader (that is lut/lut3d_reader.cpp with lut/lut3d_csv.cpp): lutprep's CSV format.
//
// The box's CSV 3D LUT form, read leniently and written as the box reads it.
//
// No public standard. Each row holds the node's three index columns, then
// its three output values: "r,g,b,R,G,B", e.g. "0,0,1,0.0,0.0,0.0625".
// The first index column is red, the third blue, in the order of the value
// columns; the box's own files run blue fastest, so the third index
// changes fastest. Rows are placed by their index columns, not by their
// order, and every node (i, j, k) with each index from 0 to N - 1 must
// appear exactly once: N^3 rows make an N-point table.
//
// Accepted around that: comment lines ('#' first) before the rows, kept as
// notes; a heading row (the first other line that is not blank, if it does
// not begin with a number), a UTF-8 byte-order mark, CR LF line
// ends, blank lines, blanks around the fields, and the form some locales
// write, with ';' between fields and a decimal comma.
#include <cstdlib>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/text_scan.h"
#include "prep/text_write.h"

namespace {

constexpr int kIndexColumns = 3;
constexpr int kRowFields = kIndexColumns + 3;

struct CsvRow {
    int64_t index[kIndexColumns];
    float value[3];
    int64_t line;
};

// The rows as read, kept small, since a 256-point CSV holds 16.7 million:
// the values in file order (which become the LUT's, placed in place), each
// row's three indices of 8 bits (red lowest; every table's indices fit),
// and its line. The first row with an index no table has refuses the file
// whatever the size, so it is kept apart and no row after it is stored.
constexpr uint32_t kIndexBits = 8;
constexpr int64_t kIndexLimit = int64_t{1} << kIndexBits;
struct CsvRows {
    float (*values)[3];
    uint32_t *nodes;
    uint32_t *lines;
    int64_t count;  // rows read, stored or not
    int64_t stored;
    int64_t capacity;
    bool beyond;  // beyondRow holds the first row with an index no table has
    CsvRow beyondRow;
    int64_t beyondAt;
};

int GrowCsvRows(CsvRows *b, int64_t line, PrepError *error) {
    constexpr int64_t kMaxRows = int64_t{kPrepMaxPoints} * kPrepMaxPoints * kPrepMaxPoints;
    if (b->capacity >= kMaxRows) {
        PrepSetError(error, line, "more than %lld rows: larger than any LUT", static_cast<long long>(kMaxRows));
        return -1;
    }
    int64_t capacity = b->capacity == 0 ? 4096 : b->capacity * 2;
    if (capacity > kMaxRows) capacity = kMaxRows;
    size_t n = static_cast<size_t>(capacity);
    void *values = realloc(b->values, n * sizeof b->values[0]);
    if (values != nullptr) b->values = static_cast<float(*)[3]>(values);
    void *nodes = values != nullptr ? realloc(b->nodes, n * sizeof b->nodes[0]) : nullptr;
    if (nodes != nullptr) b->nodes = static_cast<uint32_t *>(nodes);
    void *lines = nodes != nullptr ? realloc(b->lines, n * sizeof b->lines[0]) : nullptr;
    if (lines == nullptr) {
        PrepSetError(error, line, "out of memory after %lld rows", static_cast<long long>(b->count));
        return -1;
    }
    b->lines = static_cast<uint32_t *>(lines);
    b->capacity = capacity;
    return 0;
}

int AppendCsvRow(CsvRows *b, const CsvRow &row, PrepError *error) {
    bool fits = true;
    for (int c = 0; c < kIndexColumns; c++) fits = fits && row.index[c] >= 0 && row.index[c] < kIndexLimit;
    b->count++;
    if (b->beyond) return 0;
    if (!fits) {
        b->beyond = true;
        b->beyondRow = row;
        b->beyondAt = b->stored;
        return 0;
    }
    if (b->stored == b->capacity && GrowCsvRows(b, row.line, error) != 0) return -1;
    int64_t k = b->stored++;
    for (int c = 0; c < 3; c++) b->values[k][c] = row.value[c];
    b->nodes[k] = static_cast<uint32_t>(row.index[0] | row.index[1] << kIndexBits | row.index[2] << 2 * kIndexBits);
    // Lines beyond 32 bits cannot occur in a file of at most kPrepMaxFileBytes.
    b->lines[k] = row.line > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(row.line);
    return 0;
}

void FreeCsvRows(CsvRows *b) {
    free(b->values);
    free(b->nodes);
    free(b->lines);
    *b = CsvRows{};
}

// Row k as read: indices, line.
CsvRow RowAt(const CsvRows &rows, int64_t k) {
    if (rows.beyond && k == rows.beyondAt) return rows.beyondRow;
    CsvRow row{};
    for (int c = 0; c < kIndexColumns; c++) row.index[c] = rows.nodes[k] >> (c * kIndexBits) & (kIndexLimit - 1);
    row.line = rows.lines[k];
    return row;
}

// The first row that refuses the file for a table of n points: an index
// out of range or a node given twice (in the order of the rows, as each
// is placed); -1 with *error set, or 0.
int CheckPlaces(const CsvRows &rows, int32_t n, PrepError *error) {
    int64_t nodes = PrepNodeCount(n);
    uint8_t *seen = static_cast<uint8_t *>(calloc(static_cast<size_t>(nodes + 7) / 8, 1));
    if (seen == nullptr) {
        PrepSetError(error, 0, "out of memory for a %d-point table", n);
        return -1;
    }
    int64_t last = rows.beyond ? rows.beyondAt + 1 : rows.stored;
    int result = 0;
    for (int64_t i = 0; i < last && result == 0; i++) {
        CsvRow row = RowAt(rows, i);
        for (int c = 0; c < kIndexColumns && result == 0; c++) {
            if (row.index[c] < 0 || row.index[c] >= n) {
                PrepSetError(error, row.line, "index %lld outside 0 to %d (%lld rows make a %d-point table)",
                             static_cast<long long>(row.index[c]), n - 1, static_cast<long long>(rows.count), n);
                result = -1;
            }
        }
        if (result != 0) break;
        int64_t node = row.index[0] + n * (row.index[1] + n * row.index[2]);
        if ((seen[node / 8] >> (node % 8) & 1) != 0) {
            int64_t first = 0;
            while (rows.nodes[first] != rows.nodes[i]) first++;
            PrepSetError(error, row.line, "node %lld,%lld,%lld a second time (first on line %lld)",
                         static_cast<long long>(row.index[0]), static_cast<long long>(row.index[1]),
                         static_cast<long long>(row.index[2]), static_cast<long long>(rows.lines[first]));
            result = -1;
        }
        seen[node / 8] = static_cast<uint8_t>(seen[node / 8] | 1 << (node % 8));
    }
    free(seen);
    return result;
}

// Moves every row's values to its node, in place: N^3 rows, none out of
// range and none twice, so the rows' nodes are a permutation, followed
// cycle by cycle. The nodes array marks the rows placed (its top bit).
void PlaceRows(CsvRows *rows, int32_t n) {
    constexpr uint32_t kPlaced = uint32_t{1} << 31;
    for (int64_t k = 0; k < rows->stored; k++) {
        CsvRow row = RowAt(*rows, k);
        rows->nodes[k] = static_cast<uint32_t>(row.index[0] + n * (row.index[1] + n * row.index[2]));
    }
    for (int64_t start = 0; start < rows->stored; start++) {
        if ((rows->nodes[start] & kPlaced) != 0) continue;
        float carried[3] = {rows->values[start][0], rows->values[start][1], rows->values[start][2]};
        int64_t at = start;
        do {
            int64_t to = rows->nodes[at];
            rows->nodes[at] |= kPlaced;
            for (int c = 0; c < 3; c++) {
                float v = rows->values[to][c];
                rows->values[to][c] = carried[c];
                carried[c] = v;
            }
            at = to;
        } while (at != start);
    }
}

// One data line into *row; the count of fields it holds, or -1 with *error
// set for a field that is no number.
int ScanCsvLine(const PrepLine &line, CsvRow *row, PrepError *error) {
    bool semicolons = memchr(line.begin, ';', static_cast<size_t>(line.end - line.begin)) != nullptr;
    char separator = semicolons ? ';' : ',';
    const char *p = line.begin;
    int fields = 0;
    for (;;) {
        FieldResult field;
        if (fields < kIndexColumns) {
            int64_t index = 0;
            field = ScanInteger(&p, line.end, separator, &index);
            if (field == kFieldNumber) row->index[fields] = index;
        } else {
            float value = 0.0f;
            field = ScanReal(&p, line.end, separator, semicolons, &value);
            if (field == kFieldNumber && fields < kRowFields) row->value[fields - kIndexColumns] = value;
        }
        if (field == kFieldEnd) return fields;
        if (field == kFieldBad) {
            char word[32];
            QuoteField(p, line.end, separator, word);
            PrepSetError(error, line.number, "'%s' is not %s", word,
                         fields < kIndexColumns ? "an index (a whole number)" : "a number");
            return -1;
        }
        fields++;
    }
}

// What the reading of a CSV holds between its lines.
struct CsvReading {
    CsvRows rows;
    int64_t lastRowLine;
    bool anyLine;
    const PrepSource *source;
    PrepShiftedRows shifted;
    PrepWarnings *warnings;
    PrepError *error;
};

int ReadCsvLine(void *state, const PrepLine &line) {
    CsvReading *r = static_cast<CsvReading *>(state);
    // Comment lines before the rows, as lutprep writes its notes.
    if (*line.begin == '#' && r->rows.count == 0) {
        KeepComment(*r->source, line);
        NoteHeaderLine(r->warnings, line);
        return 0;
    }
    bool first = !r->anyLine;
    r->anyLine = true;
    if (!BeginsWithNumber(line.begin, line.end)) {
        if (first) {
            NoteHeaderLine(r->warnings, line);
            return 0;  // the heading
        }
        char word[32];
        QuoteField(line.begin, line.end, ',', word);
        PrepSetError(r->error, line.number, "'%s' is not an index (only the first line may be a heading)", word);
        return -1;
    }
    NoteMarkBeforeRow(r->warnings, line);
    CsvRow row{};
    row.line = line.number;
    int fields = ScanCsvLine(line, &row, r->error);
    if (fields < 0) return -1;
    if (fields != kRowFields) {
        NoteShiftedRow(&r->shifted, r->warnings, line.number, fields);
        return 0;
    }
    r->lastRowLine = line.number;
    for (int c = 0; c < 3; c++) NoteValue(r->warnings, row.value[c], 0.0, 1.0, line.number);
    return AppendCsvRow(&r->rows, row, r->error);
}

// The points per axis that the rows make, or 0 with *error set.
int32_t CsvPoints(const CsvReading &r, int64_t lastLine, PrepError *error) {
    int32_t n = CubeRoot(r.rows.count);
    if (r.rows.count == 0) {
        PrepSetError(error, lastLine, "no data rows");
    } else if (n == 0) {
        PrepSetError(error, r.lastRowLine, "%lld rows: not the N^3 rows of a table of 2 to 256 points",
                     static_cast<long long>(r.rows.count));
    }
    return n;
}

int WriteCsv(FILE *file, const PrepLut *lut, int32_t, const char *notes, PrepError *error) {
    return PrepWriteCsv(file, lut, notes, error);
}

}  // namespace

const PrepFormat kPrepFormatCsv = {
    .name = "csv",
    .extension = ".csv",
    .hasBitDepth = false,
    .boxRow = "three whole numbers and three numbers, separated by commas",
    .parse = PrepParseCsv,
    .parseTransform = nullptr,
    .write = WriteCsv,
    .rowNode = PrepBlueFastestNode,
};

int PrepParseCsv(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    CsvReading r{};
    r.shifted = {"fields", kRowFields, 0, 0};
    r.source = &source;
    r.warnings = warnings;
    r.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, true, 0, ReadCsvLine, &r, &lastLine, error);
    if (result == 0) result = RefuseShiftedRows(r.shifted, error);
    int32_t n = 0;
    if (result == 0 && (n = CsvPoints(r, lastLine, error)) == 0) result = -1;
    if (result == 0) result = CheckPlaces(r.rows, n, error);
    if (result == 0) {
        PlaceRows(&r.rows, n);
        result = PrepAdoptLattice(lut, n, 0, &r.rows.values[0][0], error);
        r.rows.values = nullptr;
        if (result == 0) lut->family = kPrepFamilyCsv;
    }
    FreeCsvRows(&r.rows);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

int PrepWriteCsv(FILE *file, const PrepLut *lut, const char *notes, PrepError *error) {
    if (CheckWritable(lut, error) != 0) return -1;
    PrepOutput *out = StartOutput(file);
    PutNotes(out, notes, nullptr);
    const int64_t n = lut->points;
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t row = 0; row < nodes; row++) {
        const float *v = lut->values + 3 * PrepBlueFastestNode(lut->points, row);
        char *at = RowStart(out);
        at = PutInt(at, row / (n * n));
        *at++ = ',';
        at = PutInt(at, row / n % n);
        *at++ = ',';
        at = PutInt(at, row % n);
        for (int c = 0; c < 3; c++) {
            *at++ = ',';
            at = PutFloat(at, v[c]);
        }
        RowEnd(out, at);
    }
    return FinishOutput(out, error);
}
