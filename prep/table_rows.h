// What the readers of other tools' table formats (.cub, .itx, .vf,
// Pandora) share: a row of three reals on a line of its own, and a lattice
// made of rows in a format's order.
#pragma once

#include <cstdint>

#include "prep/lut_read.h"
#include "prep/source_lut.h"
#include "prep/text_scan.h"

// Reads the line as exactly three reals into row, noting each for the
// "range" and "nonfinite" warnings; -1 with *error set naming the field
// that is no number, or the count when the line holds more or fewer.
int ScanRealRow(const PrepLine &line, float row[3], PrepWarnings *warnings, PrepError *error);

// The same, appended to rows.
int AppendRealRow(const PrepLine &line, PrepRowBuffer *rows, PrepWarnings *warnings, PrepError *error);

// Rows red fastest: file row k is node k.
int64_t PrepRedFastestNode(int32_t points, int64_t row);

// A lattice of points per axis (values only: domains [0, 1], no shaper, no
// family) from its points^3 rows, file row k at node rowNode(points, k).
// 0, or -1 with *error set (nothing left allocated).
int LatticeFromRows(const PrepRowBuffer &rows, int32_t points, int64_t (*rowNode)(int32_t, int64_t), PrepLut *lut,
                    PrepError *error);
