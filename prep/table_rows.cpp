// Rows of three reals and the lattice they make, for the readers of other
// tools' table formats.
#include "prep/table_rows.h"

#include <cstring>

int ScanRealRow(const PrepLine &line, float row[3], PrepWarnings *warnings, PrepError *error) {
    int numbers = ScanRowNumbers(line, row, error);
    if (numbers < 0) return -1;
    if (numbers != 3) {
        PrepSetError(error, line.number, "%d number%s where a row holds 3", numbers, numbers == 1 ? "" : "s");
        return -1;
    }
    // Nearly every value lies within [0, 1] (a NaN does not), and needs no
    // count: the test spares them the call.
    for (int c = 0; c < 3; c++) {
        if (!(row[c] >= 0.0f && row[c] <= 1.0f)) NoteValue(warnings, row[c], 0.0, 1.0, line.number);
    }
    return 0;
}

int AppendRealRow(const PrepLine &line, PrepRowBuffer *rows, PrepWarnings *warnings, PrepError *error) {
    float row[3] = {};
    if (ScanRealRow(line, row, warnings, error) != 0) return -1;
    return AppendRow(rows, row, line.number, error);
}

int64_t PrepRedFastestNode(int32_t, int64_t row) { return row; }

int LatticeFromRedFastestRows(PrepRowBuffer *rows, int32_t points, PrepLut *lut, PrepError *error) {
    float *values = &rows->rows[0][0];
    rows->rows = nullptr;
    FreeRows(rows);
    return PrepAdoptLattice(lut, points, 0, values, error);
}

int StartBlueFastestRows(PrepBlueFastestRows *rows, int32_t points, int64_t sourceBytes, int64_t line,
                         PrepError *error) {
    *rows = PrepBlueFastestRows{};
    // The shortest row, "0 0 0" and its line end; the last needs none.
    constexpr int64_t kShortestRow = 6;
    if (sourceBytes >= 0 && PrepNodeCount(points) > (sourceBytes + 1) / kShortestRow) return 0;
    if (PrepAllocLut(&rows->lut, points, 0, error) == 0) return 0;
    if (error != nullptr) error->line = line;
    return -1;
}

int ReadBlueFastestRow(const PrepLine &line, PrepBlueFastestRows *rows, PrepWarnings *warnings, PrepError *error) {
    if (rows->lut.values == nullptr) {
        float row[3];
        if (ScanRealRow(line, row, warnings, error) != 0) return -1;
        rows->count++;
        return 0;
    }
    int64_t n = rows->lut.points;
    float *node = rows->lut.values + 3 * (rows->r + n * (rows->g + n * rows->b));
    if (ScanRealRow(line, node, warnings, error) != 0) return -1;
    rows->count++;
    // The next position, as an odometer whose last wheel is blue.
    if (++rows->b < n) return 0;
    rows->b = 0;
    if (++rows->g < n) return 0;
    rows->g = 0;
    rows->r++;
    return 0;
}
