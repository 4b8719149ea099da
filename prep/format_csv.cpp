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
// Accepted around that: a heading row (the first line that is not blank,
// if it does not begin with a number), a UTF-8 byte-order mark, CR LF line
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

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr int kIndexColumns = 3;
constexpr int kRowFields = kIndexColumns + 3;

struct CsvRow {
    int64_t index[kIndexColumns];
    float value[3];
    int64_t line;
};

struct CsvRows {
    CsvRow *rows;
    int64_t count;
    int64_t capacity;
};

int AppendCsvRow(CsvRows *b, const CsvRow &row, PrepError *error) {
    constexpr int64_t kMaxRows = int64_t{kPrepMaxPoints} * kPrepMaxPoints * kPrepMaxPoints;
    if (b->count == b->capacity) {
        if (b->capacity >= kMaxRows) {
            PrepSetError(error, row.line, "more than %lld rows: larger than any LUT", static_cast<long long>(kMaxRows));
            return -1;
        }
        int64_t capacity = b->capacity == 0 ? 4096 : b->capacity * 2;
        if (capacity > kMaxRows) capacity = kMaxRows;
        void *grown = realloc(b->rows, static_cast<size_t>(capacity) * sizeof b->rows[0]);
        if (grown == nullptr) {
            PrepSetError(error, row.line, "out of memory after %lld rows", static_cast<long long>(b->count));
            return -1;
        }
        b->rows = static_cast<CsvRow *>(grown);
        b->capacity = capacity;
    }
    b->rows[b->count++] = row;
    return 0;
}

// Places every row at its node; -1 with *error set for an index out of
// range or a node given twice.
int PlaceRows(const CsvRows &rows, int32_t n, PrepLut *lut, PrepError *error) {
    // The row (plus one) that filled each node, 0 while none did.
    int64_t nodes = PrepNodeCount(n);
    int32_t *filledBy = static_cast<int32_t *>(calloc(static_cast<size_t>(nodes), sizeof(int32_t)));
    if (filledBy == nullptr) {
        PrepSetError(error, 0, "out of memory for a %d-point table", n);
        return -1;
    }
    int result = 0;
    for (int64_t i = 0; i < rows.count && result == 0; i++) {
        const CsvRow &row = rows.rows[i];
        for (int c = 0; c < kIndexColumns && result == 0; c++) {
            if (row.index[c] < 0 || row.index[c] >= n) {
                PrepSetError(error, row.line, "index %lld outside 0 to %d (%lld rows make a %d-point table)",
                             static_cast<long long>(row.index[c]), n - 1, static_cast<long long>(rows.count), n);
                result = -1;
            }
        }
        if (result != 0) break;
        int64_t node = row.index[0] + n * (row.index[1] + n * row.index[2]);
        if (filledBy[node] != 0) {
            PrepSetError(error, row.line, "node %lld,%lld,%lld a second time (first on line %lld)",
                         static_cast<long long>(row.index[0]), static_cast<long long>(row.index[1]),
                         static_cast<long long>(row.index[2]),
                         static_cast<long long>(rows.rows[filledBy[node] - 1].line));
            result = -1;
            break;
        }
        filledBy[node] = static_cast<int32_t>(i + 1);
        for (int c = 0; c < 3; c++) lut->values[3 * node + c] = row.value[c];
    }
    // N^3 rows, none out of range and none twice: every node is filled.
    free(filledBy);
    return result;
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
    PrepShiftedRows shifted;
    PrepWarnings *warnings;
    PrepError *error;
};

int ReadCsvLine(void *state, const PrepLine &line) {
    CsvReading *r = static_cast<CsvReading *>(state);
    bool first = !r->anyLine;
    r->anyLine = true;
    if (!BeginsWithNumber(line.begin, line.end)) {
        if (first) return 0;  // the heading
        char word[32];
        QuoteField(line.begin, line.end, ',', word);
        PrepSetError(r->error, line.number, "'%s' is not an index (only the first line may be a heading)", word);
        return -1;
    }
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

int WriteCsv(FILE *file, const PrepLut *lut, int32_t, PrepError *error) { return PrepWriteCsv(file, lut, error); }

}  // namespace

const PrepFormat kPrepFormatCsv = {
    .name = "csv",
    .extension = ".csv",
    .hasBitDepth = false,
    .boxRow = "three whole numbers and three numbers, separated by commas",
    .parse = PrepParseCsv,
    .write = WriteCsv,
    .rowNode = PrepBlueFastestNode,
};

int PrepParseCsv(const char *text, size_t size, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    size_t bom = sizeof kBom - 1;
    if (size >= bom && memcmp(text, kBom, bom) == 0) {
        text += bom;
        size -= bom;
    }
    CsvReading r{};
    r.shifted = {"fields", kRowFields, 0, 0};
    r.warnings = warnings;
    r.error = error;
    int64_t lastLine = 1;
    int result = ForEachLine(text, size, 0, ReadCsvLine, &r, &lastLine);
    if (result == 0) result = RefuseShiftedRows(r.shifted, error);
    int32_t n = 0;
    if (result == 0 && (n = CsvPoints(r, lastLine, error)) == 0) result = -1;
    if (result == 0) result = PrepAllocLut(lut, n, 0, error);
    if (result == 0) {
        lut->family = kPrepFamilyCsv;
        result = PlaceRows(r.rows, n, lut, error);
        if (result != 0) PrepFreeLut(lut);
    }
    free(r.rows.rows);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

int PrepWriteCsv(FILE *file, const PrepLut *lut, PrepError *error) {
    if (CheckWritable(lut, error) != 0) return -1;
    PrepOutput *out = StartOutput(file);
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
