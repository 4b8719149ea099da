// The LUT tables: process-wide storage between the LUT file readers and the
// downloads to the box.
//
// The device library reads a 3D table from the address of its first element,
// so the row layout is part of the interface with the library: rows of three
// values, one after the other with nothing between them, 12 bytes per float
// row and 6 bytes per integer row.
#pragma once

#include <cstddef>
#include <cstdint>

// One cube size the box takes; LutLayout codes name a size and a table.
struct Lut3dSize {
    int32_t points;       // per axis
    int32_t rows;         // points cubed
    int32_t floatLayout;  // read from a CSV or cube file into Lut3dFloatTable
    int32_t intLayout;    // read from a 3dl file into Lut3dIntTable
};

inline constexpr Lut3dSize kLut3dSizes[] = {
#define LUT3D_SIZE(points, floatLayout, intLayout, ...) {points, points * points * points, floatLayout, intLayout},
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE
};

constexpr int32_t LargestLut3dRows() {
    int32_t largest = 0;
    for (const Lut3dSize &size : kLut3dSizes) largest = size.rows > largest ? size.rows : largest;
    return largest;
}

constexpr int kLut3dMaxRows = LargestLut3dRows();
constexpr int kLut1dEntries = 4096;

// The size a LutLayout code names, and whether it names the integer table;
// nullptr when layout is no LutLayout code.
const Lut3dSize *Lut3dSizeOfLayout(int32_t layout, bool *intTable = nullptr);

// One number of every size the box takes, as text for a message: the points
// or the rows (field), separated by sep, the last one by last ("4913, 17576
// or 35937"); cut short, terminated, when out is too small.
void Lut3dSizesText(int32_t Lut3dSize::*field, const char *sep, const char *last, char *out, size_t size);

// Rows of CSV and cube files, in file order.
extern float Lut3dFloatTable[kLut3dMaxRows][3];
// Rows of 3dl files; each element the low 16 bits of the file's integer.
extern int16_t Lut3dIntTable[kLut3dMaxRows][3];
// Values of 1D LUT files, in full 32-bit width.
extern int32_t Lut1dTable[kLut1dEntries];
// 1 at start and after a CSV or 3dl file, 2 after a cube file; handed to
// KX_DEV_Set3DLUT_FileType.
extern int32_t LutSourceKind;
