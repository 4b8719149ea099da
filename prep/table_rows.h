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
// family) made of its points^3 rows red fastest, which are its values in
// their order: rows->rows is taken, not copied (rows is left empty). 0, or
// -1 with *error set (nothing left allocated).
int LatticeFromRedFastestRows(PrepRowBuffer *rows, int32_t points, PrepLut *lut, PrepError *error);

// A lattice filled as its rows are read blue fastest, each row placed at
// its node as it comes, so that no row is held twice.
struct PrepBlueFastestRows {
    PrepLut lut;
    int64_t count;
    // The next row's position on each axis.
    int32_t r, g, b;
};
// Allocates the lattice of points per axis (values only, as above) when a
// source of sourceBytes (-1: not known) can hold its rows; otherwise the
// lattice stays empty and the rows are only read and counted, so that a
// few bytes cannot take a large table and the count's refusal follows.
// 0, or -1 with *error set at line.
int StartBlueFastestRows(PrepBlueFastestRows *rows, int32_t points, int64_t sourceBytes, int64_t line,
                         PrepError *error);
// Reads the line as the next row (ScanRealRow) into its node; the caller
// sees that rows->count stays below the lattice's nodes.
int ReadBlueFastestRow(const PrepLine &line, PrepBlueFastestRows *rows, PrepWarnings *warnings, PrepError *error);
