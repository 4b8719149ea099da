// cube 3D LUT rows.
//
// A cube file opens with keyword lines (TITLE "...", LUT_3D_SIZE 33,
// DOMAIN_MIN ...), comments starting with '#' and blank lines; then each
// data row holds three reals separated by whitespace, in file order.
// Neither the size keyword nor the domain is used: the number of data lines
// says the cube size. Rows may end in LF or CR LF.
#include "lut/lut3d_reader.h"

int ScanCubeRows(FILE *file, float (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        if (fscanf(file, "%f %f %f\r\n", &rows[i][0], &rows[i][1], &rows[i][2]) != 3) return i;
    }
    return rowCount;
}
