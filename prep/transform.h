// A colour transform as lutprep reads it from one or more files: a list of
// operations applied in order (a 1D curve, a 3D LUT, a matrix, a CDL...).
// Files of the box's own shape (a shaper and a 3D table) hold one operation,
// a PrepLut; CLF files, CDLs, pre-LUTs and chains of files hold several. The
// box holds one 3D table, so a transform of several operations is sampled
// (baked) on a lattice: convert bakes it at the output's own nodes; compare,
// preview and check at 65 points, whose nodes include every node of the
// sizes the box takes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "prep/source_lut.h"

struct PrepWarnings;
struct PrepSource;

// The most operations one transform (a chain of files) holds.
constexpr int32_t kPrepMaxOps = 64;
// The most numbers an operation keeps apart from its tables.
constexpr int32_t kPrepOpParams = 32;

// An operation's interpolation when its file names none: the command's.
constexpr int32_t kPrepInterpDefault = -1;

// A 1D LUT: one curve per channel, linear between its points. The input is
// clamped to the curve's first and last input. The inputs are evenly spaced
// over [min, max] of the channel, or, when positions is not null, listed:
// positions[k][c] is the input of values[k][c], increasing with k.
struct PrepCurve {
    int32_t points;
    float (*values)[3];
    float (*positions)[3];
    float min[3];
    float max[3];
};

struct PrepOp;
// What an operation does to one pixel, in place. Set by its reader.
using PrepApply = void (*)(const PrepOp &op, double rgb[3]);
// The same for count pixels in turn: a grid's row at one call.
using PrepApplyRow = void (*)(const PrepOp &op, double (*rgb)[3], int32_t count);

struct PrepOp {
    // As messages name it: "3D LUT", "1D LUT", "Matrix", "ASC_CDL"...
    const char *name;
    PrepApply apply;
    // A 3D LUT (kPrepApplyLut): the lattice with its domain and shaper.
    PrepLut lut;
    // Its interpolation: kPrepInterpDefault or a PrepInterp.
    int32_t interp;
    // A 1D LUT (kPrepApplyCurve, or an apply of the reader's own that
    // reads the same tables, such as an inverse or a half-float domain).
    PrepCurve curve;
    // The numbers of a parametric operation, as its apply reads them
    // (a matrix: 3 rows of 4, the offset last), and its variant.
    double params[kPrepOpParams];
    int32_t style;
};

// The apply functions of the tables above.
void PrepApplyLut(const PrepOp &op, double rgb[3]);
void PrepApplyCurve(const PrepOp &op, double rgb[3]);
// A 3x4 matrix in params: rgb' = M rgb + offset, row by row.
void PrepApplyMatrix(const PrepOp &op, double rgb[3]);

// The longest text of notes a transform carries.
constexpr size_t kPrepMaxNotes = 4096;

struct PrepTransform {
    int32_t count;
    PrepOp ops[kPrepMaxOps];
    // The format of the file read (of the first, for a chain).
    PrepFamily family;
    // The file's title and comment lines, for the file written from it:
    // lines without their comment mark, each ending in '\n'; "" for none.
    char notes[kPrepMaxNotes];
};

// What a reader needs besides the file's bytes: which correction of a
// collection (--cccid: an id, or an index from 0 when no id matches), and
// the file's name, which some formats read too (a Discreet .lut's "toN"
// depth); null for none.
struct PrepReadOptions {
    const char *cccid;
    const char *name;
};

// Every function that fills a PrepTransform takes one that is zero-
// initialised or holds operations, and frees what it held first.
void PrepFreeTransform(PrepTransform *t);

// Adds an operation named name with apply, zero otherwise, at the end;
// returns it, or null with *error set when the transform is full.
PrepOp *PrepAddOp(PrepTransform *t, const char *name, PrepApply apply, PrepError *error);
// Adds a curve of points rows (zero values, inputs [0, 1]), allocated;
// positions too when positioned. Null with *error set on failure.
PrepOp *PrepAddCurve(PrepTransform *t, const char *name, int32_t points, bool positioned, PrepError *error);
// Adds *lut as a 3D LUT operation, taking what it holds (*lut is left
// reset); -1 with *error set (and *lut freed) when the transform is full.
int PrepAddLut(PrepTransform *t, PrepLut *lut, int32_t interp, PrepError *error);
// Moves every operation of *from to the end of *to, and from's notes after
// to's; *from is left empty. -1 with *error set when they do not fit (both
// are then as they were).
int PrepAppendTransform(PrepTransform *to, PrepTransform *from, PrepError *error);
// Adds a line to the notes (dropped when they are full).
void PrepAddNote(PrepTransform *t, const char *begin, const char *end);

// The whole transform at one input, in double.
void PrepApplyTransform(const PrepTransform *t, PrepInterp interp, double rgb[3]);

// The whole transform at every position of grid, red fastest, into out
// (grid.count^3 rows): at each, the float of what PrepApplyTransform gives.
// The operations that act on each channel alone, first in the transform,
// are worked out once per position of an axis, not at every node. Returns
// 0, or -1 for a grid of no positions or more than kPrepMaxPoints.
int PrepSampleTransform(const PrepTransform *t, PrepInterp interp, PrepGrid grid, float (*out)[3]);

// Whether the transform is one 3D LUT operation, which the engine then
// takes as it is (its nodes copied where they fall on the output's).
bool PrepIsSingleLut(const PrepTransform *t);

// The transform as one LUT: the single 3D LUT itself (taken from *t, with
// its family and bit depth), or else the transform sampled at n / (points -
// 1) over [0, 1]^3, a plain lattice (family: t's). t's operations are
// taken (its notes stay). 0, or -1 with *error set.
int PrepTransformToLut(PrepTransform *t, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error);

// The transform sampled at n / (points - 1) over [0, 1]^3 into *out, a
// plain lattice (family: t's); t is left as it is. 0, or -1 with *error set.
int PrepBakeTransform(const PrepTransform *t, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error);

// The points a transform is baked at to stand for it at `points` and
// between: every node of `points` is a node of the bake, and there is one
// between each two (compare, preview and check read a transform so).
int32_t PrepBakePoints(int32_t points);

// Reads the file at path as a transform (by its format's reader, or as one
// LUT for the box's own shapes), with the contract of PrepReadLutFile; the
// reader is given path as the name unless options name another.
int PrepReadTransformFile(const char *path, PrepFamily family, const PrepReadOptions &options, PrepTransform *t,
                          PrepWarnings *warnings, PrepError *error);
// The same for bytes in memory.
int PrepParseTransform(const char *text, size_t size, PrepFamily family, const PrepReadOptions &options,
                       PrepTransform *t, PrepWarnings *warnings, PrepError *error);
