// A 3D LUT as lutprep holds it in memory: any lattice size from 2 to 256
// points per axis, float values, and what the file said about its input (a
// domain per channel and an optional 1D shaper before the 3D table). The
// readers fill one, the resampler makes one of a size the box takes, and the
// writers write one.
#pragma once

#include <cstdint>

constexpr int32_t kPrepMinPoints = 2;
constexpr int32_t kPrepMaxPoints = 256;
// The longest shaper of a cube file (LUT_1D_SIZE).
constexpr int32_t kPrepMaxShaperPoints = 65536;

// A failure the caller reports: the physical line of the file (1 for the
// first, counted by line feeds, or in an XML file as XML counts them, CR
// alone ending a line too; 0 when no single line is to blame) and the
// reason in plain English.
struct PrepError {
    int64_t line;
    char text[256];
};

// Sets *error, when error is not null; formatted like printf.
void PrepSetError(PrepError *error, int64_t line, const char *format, ...) __attribute__((format(printf, 3, 4)));

// A file's format (prep/format.h): its row of the format table; null for
// none.
struct PrepFormat;
using PrepFamily = const PrepFormat *;

// Where a 3dl file's output bit depth came from; only a header states it,
// the others are guesses.
enum PrepBitsFrom : int32_t { kPrepBitsNone, kPrepBitsHeader, kPrepBitsMesh, kPrepBitsLargest };

enum PrepInterp : int32_t { kPrepTetrahedral, kPrepTrilinear };

// The largest integer of a 3dl file of the given bit depth, which stands for
// 1: values are divided by it.
constexpr int64_t PrepFullScale(int32_t bits) { return (int64_t{1} << bits) - 1; }

struct PrepLut {
    int32_t points;  // per axis
    // points^3 rows of red, green, blue: node (r, g, b) is row
    // r + points * (g + points * b), red fastest. Values of 3dl files are
    // divided by 2^bits - 1, so every family holds the same scale.
    float *values;
    // The input that lands on the lattice's first and last node of each
    // axis; input beyond them is clamped to the edge.
    float domainMin[3];
    float domainMax[3];
    // The 1D shaper applied before the lattice, one curve per channel over
    // [shaperMin, shaperMax] (clamped likewise); 0 points: none.
    int32_t shaperPoints;
    float *shaper;  // shaperPoints rows of red, green, blue
    float shaperMin[3];
    float shaperMax[3];
    // What was read: the format, and for one with a bit depth (3dl) the
    // output bit depth and where it came from.
    PrepFamily family;
    int32_t bits;
    PrepBitsFrom bitsFrom;
    // The points per axis the file states for its lattice apart from its
    // rows (a cube's LUT_3D_SIZE); 0 when it states none. A file cut short
    // can hold rows of a smaller lattice than it states.
    int32_t statedPoints;
    // The lattice is only the 2-point identity behind the shaper: the file
    // is a 1D LUT. Its output is then not clamped by the lattice's domain
    // where it is one operation of several.
    bool oneD;
};

// Every function that fills a PrepLut takes one that is zero-initialised
// (PrepLut{}) or holds a LUT, and frees what it held first.
//
// Allocates the lattice (and the shaper, when shaperPoints > 0) of *lut,
// values zero, domains [0, 1], no family. Returns 0, or -1 with *error set
// for a size out of range or a failed allocation (nothing is then left
// allocated).
int PrepAllocLut(PrepLut *lut, int32_t points, int32_t shaperPoints, PrepError *error);

// As PrepAllocLut, with values (points^3 rows of red, green, blue, from
// malloc) as the lattice, which *lut owns from here: freed with it, and at
// once on failure. A reader that holds the rows already so needs no copy.
int PrepAdoptLattice(PrepLut *lut, int32_t points, int32_t shaperPoints, float *values, PrepError *error);

// Frees what PrepAllocLut allocated and resets *lut; safe on a reset or
// already freed one.
void PrepFreeLut(PrepLut *lut);

int64_t PrepNodeCount(int32_t points);

// True when the lattice's domain is [0, 1] on every axis and there is no
// shaper: the lattice's nodes are then the transform at n / (points - 1).
bool PrepIsPlainLattice(const PrepLut *lut);

// The whole transform at one input: domain normalisation (clamped to the
// edge), shaper (linear interpolation), then the lattice by tetrahedral or
// trilinear interpolation. Computed in double, returned as float.
void PrepEvaluate(const PrepLut *lut, PrepInterp interp, const float in[3], float out[3]);
// The same in double, for a LUT within a chain of operations.
void PrepEvaluateDouble(const PrepLut *lut, PrepInterp interp, const double in[3], double out[3]);

// Where input x falls on an axis of `points` nodes spanning [lo, hi]: the
// lower node *i (0 to points - 2) and the fraction *f towards the next one.
// Input beyond the span (and NaN) is clamped to the edge.
void PrepLocate(double x, double lo, double hi, int32_t points, int32_t *i, double *f);

// Where a LUT or a transform is sampled: the same positions on every axis
// of [0, 1], `count` of them, the k-th at (2k + offset) / (2 cells): a
// lattice's nodes (offset 0, one cell fewer than nodes) or the centres of
// its cells (offset 1, a position per cell).
struct PrepGrid {
    int32_t count;
    int32_t offset;
    int32_t cells;
};

// The nodes of a lattice of `points` per axis, and the centres of its cells.
PrepGrid PrepLatticeGrid(int32_t points);
PrepGrid PrepCellCentres(int32_t points);
// The k-th position of grid: the same double for the same position, however
// the grid was made (k / (points - 1) for a lattice's node).
double PrepGridPosition(PrepGrid grid, int32_t k);

// The LUT sampled at every position of grid, red fastest, into out
// (grid.count^3 rows), each as PrepEvaluate gives it except: where a
// position falls exactly on a node of a plain lattice (decided in integer
// arithmetic), the node is copied bit for bit. Returns 0, or -1 for a grid
// of no positions or more than kPrepMaxPoints.
int PrepSampleGrid(const PrepLut *lut, PrepGrid grid, PrepInterp interp, float (*out)[3]);

// PrepSampleGrid at the nodes of a lattice of `points` per axis.
int PrepSampleLattice(const PrepLut *lut, int32_t points, PrepInterp interp, float (*out)[3]);
