// CSV 3D LUT rows.
//
// After its header lines, a CSV 3D LUT holds one row per lattice point:
// three integers (the point's indices), then the three output values as
// reals, all separated by commas, e.g. "0,0,0,0.000000,0.000000,0.000000".
// The indices are dropped: rows are taken in file order. Each comma must
// follow its number directly; whitespace may precede a number, and rows need
// not stand one per line.
#include "lut/lut3d_reader.h"

int ScanCsvRows(FILE *file, float (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        // The indices are not stored, so they are matched without a target:
        // an index too large for an int then does no harm.
        if (fscanf(file, "%*d,%*d,%*d,%f,%f,%f\n", &rows[i][0], &rows[i][1], &rows[i][2]) != 3) return i;
    }
    return rowCount;
}
