// cube 3D LUT rows.
//
// A cube file opens with keyword lines (TITLE "...", LUT_3D_SIZE 33,
// DOMAIN_MIN ...), comments starting with '#' and blank lines; then each
// data row holds three reals separated by whitespace, in file order.
// Neither the size keyword nor the domain is used: the number of data lines
// says the cube size. Rows may end in LF or CR LF.
#include "lut/lut3d_families.h"
#include "lut/lut_number_fields.h"

namespace {

int ScanCubeRows(LutInput *input, Lut3dRows rows, int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        // Each field skips the white space before it, the row's line end
        // included, so fields may stand apart by any run of it or by none.
        for (int v = 0; v < 3; v++) {
            if (!ScanLutFloat(input, &rows.floatRows[i][v])) return i;
        }
    }
    return rowCount;
}

}  // namespace

// The box is told that these rows came from a cube file.
extern const Lut3dFamily kLut3dCubeFamily = {"cube", {".cube", ".CUBE"}, 0, false, kLut3dFileTypeCube, ScanCubeRows};
