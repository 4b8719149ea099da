// The LUT tables: process-wide storage between the LUT file readers and the
// downloads to the box.
//
// The device library reads a 3D table from the address of its first element,
// so the row layout is part of the interface with the library: rows of three
// values, one after the other with nothing between them, 12 bytes per float
// row and 6 bytes per integer row.
#pragma once

#include <cstdint>

constexpr int kLut3dMaxRows = 33 * 33 * 33;  // the largest cube handled
constexpr int kLut1dEntries = 4096;

// Rows of CSV and cube files, in file order.
extern float Lut3dFloatTable[kLut3dMaxRows][3];
// Rows of 3dl files; each element the low 16 bits of the file's integer.
extern int16_t Lut3dIntTable[kLut3dMaxRows][3];
// Values of 1D LUT files, in full 32-bit width.
extern int32_t Lut1dTable[kLut1dEntries];
// 1 at start and after a CSV or 3dl file, 2 after a cube file; handed to
// KX_DEV_Set3DLUT_FileType.
extern int32_t LutSourceKind;

// The shape of a 3D table that Read3dLutFile has read.
enum LutLayout : int32_t {
    kLutCsvCube17 = 1,
    kLutCsvCube26 = 2,
    kLutCsvCube33 = 3,
    kLut3dl17 = 4,
    kLut3dl26 = 5,
    kLut3dl33 = 6,
};
