// The 3D LUT table between the file reader and the downloads to the box,
// and the cube sizes the box takes.
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
    int32_t floatLayout;  // read from a CSV or cube file into the float rows
    int32_t intLayout;    // read from a 3dl file into the integer rows
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

// The size a LutLayout code names, and whether it names the integer table;
// nullptr when layout is no LutLayout code.
const Lut3dSize *Lut3dSizeOfLayout(int32_t layout, bool *intTable = nullptr);

// One number of every size the box takes, as text for a message: the points
// or the rows (field), separated by sep, the last one by last ("4913, 17576
// or 35937"); cut short, terminated, when out is too small.
void Lut3dSizesText(int32_t Lut3dSize::*field, const char *sep, const char *last, char *out, size_t size);

// The file type KX_DEV_Set3DLUT_FileType is told for a table: that of
// the family whose rows it took in last (Lut3dFamily::fileType).
enum Lut3dFileType : int32_t {
    // CSV and 3dl files; also a table's type before any read, and once the
    // reader opened a file, before its rows are taken in.
    kLut3dFileTypeCsvOr3dl = 1,
    kLut3dFileTypeCube = 2,
};

// A 3D table: what Read3dLutFile fills and the downloads send, owned by the
// program that reads and sends it. It is large, so it lives in static
// storage, where it starts with every row zero and the CSV/3dl file type
// (lutprep's read-back of a file it wrote keeps two in a block of its own,
// their rows unset until read).
// CSV and cube files share the float rows, 3dl files alone use the integer
// rows: a read of one family never touches the other's rows, and rows
// beyond those a read takes in keep what an earlier read left there.
struct Lut3dTable {
    Lut3dFileType fileType = kLut3dFileTypeCsvOr3dl;
    // Rows of CSV and cube files, in file order.
    float floatRows[kLut3dMaxRows][3];
    // Rows of 3dl files; each element the low 16 bits of the file's integer.
    int16_t intRows[kLut3dMaxRows][3];
};
