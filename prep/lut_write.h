// Writing a LUT in the three families the box's reader takes, in the form
// that reader needs: every row a data line that begins with a digit, in the
// row order the box assumes for the family, with nothing before the rows
// that it would count as a row. Each format's writer is in its file
// (format_cube.cpp, format_3dl.cpp, format_csv.cpp).
#pragma once

#include <cstdint>
#include <cstdio>

#include "prep/format.h"
#include "prep/source_lut.h"

// The 3dl mesh line is written on this scale, whatever the output depth.
constexpr int32_t kPrepMeshBits = 10;
// The output depth of a 3dl when none is asked for.
constexpr int32_t kPrepDefaultBits = 12;

// The output depths a 3dl is written with: 10, 12 or 16.
bool PrepIsWritableBits(int32_t bits);

// Each writes *lut (a plain lattice with every value in [0, 1], as
// PrepClampLut leaves it) into file, and returns 0, or -1 with *error set
// when the LUT is not writable or a write fails. The file stays open. Each
// begins with the notes (PrepTransform.notes, "" for none) as comment
// lines (PutNotes), which the box reads past as header lines.
//   cube: the first note that is a TITLE line as it is, "LUT_3D_SIZE N",
//         then the rows red fastest, each value the shortest decimal that
//         reads back as the same float (-0 as 0).
//   3dl:  a comment line that states the output depth (which the values
//         alone cannot tell: a dark LUT's largest value is low), the mesh
//         line (N positions on a 10-bit scale), then the rows blue fastest
//         as integers of the given depth: round(v * (2^bits - 1)).
//   CSV:  rows "r,g,b,R,G,B" blue fastest: the red, green and blue index,
//         then the values as for cube.
int PrepWriteCube(FILE *file, const PrepLut *lut, const char *notes, PrepError *error);
int PrepWrite3dl(FILE *file, const PrepLut *lut, int32_t bits, const char *notes, PrepError *error);
int PrepWriteCsv(FILE *file, const PrepLut *lut, const char *notes, PrepError *error);
// The writer of the family, from its row of the format table (bits is used
// by a format with a bit depth alone).
int PrepWriteLut(FILE *file, PrepFamily family, const PrepLut *lut, int32_t bits, const char *notes, PrepError *error);

// What the box's table holds after reading a written file, for checking it
// back: the node (row of lut->values) that the file's row-th row holds, and
// the integer a 3dl holds for a value.
int64_t PrepFileRowNode(PrepFamily family, int32_t points, int64_t row);
int32_t Prep3dlCode(float value, int32_t bits);
