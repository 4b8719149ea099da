// 3dl 3D LUT rows.
//
// A 3dl file opens with comment lines ('#') and the mesh line, the input
// sample positions of one axis ("0 64 128 ... 1023"), which begins with a
// digit and so is the first data line; it is read past, not stored. Each
// data row after it holds three decimal integers separated by whitespace,
// in file order. The box takes 16-bit values: each integer is kept as its
// low 16 bits (two's complement), whatever its size, so 65535 is the bit
// pattern 0xFFFF and 70000 is 4464.
#include "lut/lut3d_families.h"
#include "lut/lut_number_fields.h"

namespace {

int Scan3dlRows(LutInput *input, Lut3dRows rows, int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        for (int v = 0; v < 3; v++) {
            uint32_t bits;
            if (!ScanWrappedDecimal(input, &bits)) return i;
            rows.intRows[i][v] = static_cast<int16_t>(bits);  // modular: the low 16 bits
        }
    }
    return rowCount;
}

}  // namespace

extern const Lut3dFamily kLut3d3dlFamily = {"3dl", {".3dl", ".3DL"}, 1, true, kLut3dFileTypeCsvOr3dl, Scan3dlRows};
