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
    for (int c = 0; c < 3; c++) NoteValue(warnings, row[c], 0.0, 1.0, line.number);
    return 0;
}

int AppendRealRow(const PrepLine &line, PrepRowBuffer *rows, PrepWarnings *warnings, PrepError *error) {
    float row[3] = {};
    if (ScanRealRow(line, row, warnings, error) != 0) return -1;
    return AppendRow(rows, row, line.number, error);
}

int64_t PrepRedFastestNode(int32_t, int64_t row) { return row; }

int LatticeFromRows(const PrepRowBuffer &rows, int32_t points, int64_t (*rowNode)(int32_t, int64_t), PrepLut *lut,
                    PrepError *error) {
    if (PrepAllocLut(lut, points, 0, error) != 0) return -1;
    int64_t nodes = PrepNodeCount(points);
    for (int64_t k = 0; k < nodes && k < rows.count; k++) {
        float *node = lut->values + 3 * rowNode(points, k);
        for (int c = 0; c < 3; c++) node[c] = rows.rows[k][c];
    }
    return 0;
}
