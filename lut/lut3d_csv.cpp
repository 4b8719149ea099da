// CSV 3D LUT rows.
//
// After its header lines, a CSV 3D LUT holds one row per lattice point:
// three integers (the point's indices), then the three output values as
// reals, all separated by commas, e.g. "0,0,0,0.000000,0.000000,0.000000".
// The indices are dropped: rows are taken in file order. Each comma must
// follow its number directly; whitespace may precede a number, and rows need
// not stand one per line.
#include "lut/lut3d_families.h"
#include "lut/lut_number_fields.h"

namespace {

// The comma that must follow a field directly; anything else stays unread.
bool ScanComma(LutInput *input) {
    if (PeekLutByte(input) != ',') return false;
    TakeLutByte(input);
    return true;
}

// An index: matched as "%*d" matches it and dropped, so an index too large
// for an int does no harm.
bool ScanIndex(LutInput *input) {
    uint32_t dropped;
    return ScanWrappedDecimal(input, &dropped) && ScanComma(input);
}

int ScanCsvRows(LutInput *input, Lut3dRows rows, int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        if (!ScanIndex(input) || !ScanIndex(input) || !ScanIndex(input)) return i;
        float *row = rows.floatRows[i];
        if (!ScanLutFloat(input, &row[0]) || !ScanComma(input)) return i;
        if (!ScanLutFloat(input, &row[1]) || !ScanComma(input)) return i;
        // The line end goes with the white space the next row's first
        // index skips.
        if (!ScanLutFloat(input, &row[2])) return i;
    }
    return rowCount;
}

}  // namespace

extern const Lut3dFamily kLut3dCsvFamily = {"csv", {".csv", ".CSV"}, 0, false, kLut3dFileTypeCsvOr3dl, ScanCsvRows};
