// The box's sizes and families as the engine sees them, and a source LUT
// made into what the box takes: resampled to one of its sizes, clamped to
// its range, and laid out in its table as its reader would leave it after
// reading the written file. lutprep's convert writes that file; lutctl's
// watch sends the table without writing one.
#pragma once

#include <cstdint>

#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"
#include "prep/source_lut.h"

// The size the box takes with `points` per axis; nullptr for another.
const Lut3dSize *BoxSizeOfPoints(int32_t points);
// The largest size the box takes.
const Lut3dSize *LargestBoxSize();

// The engine's family of a box family.
PrepFamily PrepFamilyOfBox(const Lut3dFamily *family);
// The family a file is read as: a format the box does not take by its last
// extension; else the box's, by the box's rule, when the name gives one (so
// that the rows read are the rows the box would read); else the last
// extension in any letter case.
PrepFamily ReadingFamily(const char *path);

// The size a source becomes: the one asked for, else the source's when the
// box takes it, else the largest.
const Lut3dSize *BoxSizeForSource(const PrepLut *source, const Lut3dSize *asked);

// *out becomes source resampled to size and clamped to [0, 1]; *clamped is
// the count of values the clamp changed, and *nonfinite (when not null) the
// count of output nodes a non-finite source value reached before the clamp.
// 0, or -1 with *error set (out is then freed).
int PrepFitToBox(const PrepLut *source, const Lut3dSize *size, PrepInterp interp, PrepLut *out, int64_t *clamped,
                 int64_t *nonfinite, PrepError *error);

// Fills table with lut (a plain lattice of a size the box takes, values in
// [0, 1]) as the box's reader fills it from the file lutprep writes of lut
// in the box family box (a 3dl at the depth bits): the rows in the family's
// order, the family's file type. Returns the layout, or 0 when lut's size is
// none the box takes.
int32_t PrepFillBoxTable(const PrepLut *lut, const Lut3dFamily *box, int32_t bits, Lut3dTable &table);
