// CSV 3D LUT rows.
//
// After its header lines, a CSV 3D LUT holds one row per lattice point:
// three integers (the point's indices), then the three output values as
// reals, all separated by commas, e.g. "0,0,0,0.000000,0.000000,0.000000".
// The indices are dropped: rows are taken in file order. Each comma must
// follow its number directly; whitespace may precede a number, and rows need
// not stand one per line.
#include "lut/lut3d_reader.h"

namespace {

// The comma that must follow a value directly.
bool ScanComma(FILE *file) {
    int c = getc(file);
    if (c == ',') return true;
    if (c != EOF) ungetc(c, file);
    return false;
}

}  // namespace

int ScanCsvRows(FILE *file, float (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        // The indices are not stored, so they are matched without a target:
        // an index too large for an int then does no harm. The count is only
        // set once all three and their commas matched.
        int matched = -1;
        if (fscanf(file, "%*d,%*d,%*d,%n", &matched) == EOF || matched < 0) return i;
        if (!ScanLutFloat(file, &rows[i][0]) || !ScanComma(file)) return i;
        if (!ScanLutFloat(file, &rows[i][1]) || !ScanComma(file)) return i;
        // The line end goes with the white space the next row's first
        // index skips.
        if (!ScanLutFloat(file, &rows[i][2])) return i;
    }
    return rowCount;
}
