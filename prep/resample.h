// Resampling a source LUT to a size the box takes, clamping it to the box's
// range, measuring what the coarser grid loses, and comparing two LUTs.
#pragma once

#include <cstdint>

#include "prep/source_lut.h"
#include "prep/transform.h"

// One 10-bit code value, the unit the losses are told in.
constexpr double kPrepCode10 = 1023.0;

// *out becomes a plain lattice of `points` nodes: the source's whole
// transform (domain and shaper folded in) sampled at n / (points - 1), with
// nodes that fall on source nodes copied exactly (PrepSampleLattice). The
// values are not clamped. family, bits and bitsFrom are reset; out is not
// source. Returns 0, or -1 with *error set (out is then freed).
int PrepResample(const PrepLut *source, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error);

// Clamps every lattice value to [0, 1] (NaN to 0, -0 to +0, so that no
// value is written with a sign) and returns how many were changed; -0 is
// not counted. Writing a 3dl then scales [0, 1] to [0, 2^bits - 1].
int64_t PrepClampLut(PrepLut *lut);

// What the coarser grid cannot keep: the result evaluated at the source's
// node positions (n / (source points - 1) on every axis), against the
// source's transform there clamped to [0, 1] (clamping is counted apart),
// in 10-bit code values over every node and channel.
// A source node whose transform is NaN or infinite has no value to keep:
// it counts as a total loss, one full scale (1023 code values).
struct PrepLoss {
    double maxCode10;
    double p99Code10;
    int64_t nonfinite;       // source values at its nodes that are NaN or infinite
    double finiteMaxCode10;  // the largest loss where the source is finite
    // Where the largest losses lie, for telling their cause: the values
    // (source finite) that lose at least half finiteMaxCode10, and those of
    // them at a node with an input in the outer fifth of its axis at the
    // low (0) and the high (1) end.
    int64_t worstHalf;
    int64_t worstHalfNearEnd[2];
};

// The nodes of lut's lattice with a value that is NaN or infinite; before
// clamping, those of a resampled LUT are the ones a NaN or infinity of its
// source reached.
int64_t PrepCountNonfiniteNodes(const PrepLut *lut);
// The values of lut (lattice and shaper) that are NaN or infinite.
int64_t PrepCountNonfiniteValues(const PrepLut *lut);
int PrepMeasureLoss(const PrepLut *source, const PrepLut *result, PrepInterp interp, PrepLoss *loss, PrepError *error);
// The same for a result baked from the transform t at its own nodes, which
// hold t's values: measured at the centre of every cell of its lattice,
// where a lattice is furthest from its nodes (a value of t that is NaN or
// infinite there counts in nonfinite).
int PrepMeasureTransformLoss(const PrepTransform *t, const PrepLut *result, PrepInterp interp, PrepLoss *loss,
                             PrepError *error);

// B against A at A's nodes (B sampled there by interp where the sizes or
// domains differ, copied where they align). Absolute differences over every
// node and channel.
struct PrepComparison {
    double max;
    double mean;
    double p99;
    double maxCode10;
    int32_t worstNode[3];  // red, green, blue indices of A's node with the largest difference
    float worstA[3];
    float worstB[3];
    // B with its red and blue axes swapped (node (r, g, b) taken from B's
    // node (b, g, r)): a row-order mix-up when it matches far better.
    double swappedMax;
    double swappedMean;
    bool rowOrderSwapped;
};
int PrepCompare(const PrepLut *a, const PrepLut *b, PrepInterp interp, PrepComparison *result, PrepError *error);
