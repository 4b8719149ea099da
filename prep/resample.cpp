// Resampling, clamping, the loss of a coarser grid, and comparison.
//
// Everything samples the transforms on regular lattices over [0, 1]^3, the
// box's input range, through PrepSampleLattice: where the lattices align the
// nodes are copied, so a comparison of a LUT with itself, or of a 65-point
// LUT with its 33-point copy at the shared nodes, is exactly zero.
#include "prep/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/platform.h"

namespace {

// B matches A "far better" swapped when its mean difference is at most this
// share of the plain one, and the plain one is worth explaining at all.
constexpr double kFarBetter = 0.1;
constexpr double kWorthExplaining = 0.5 / kPrepCode10;

float (*AllocSamples(int32_t points, PrepError *error))[3] {
    void *p = PlatformAllocLarge(static_cast<size_t>(PrepNodeCount(points)) * 3 * sizeof(float));
    if (p == nullptr) PrepSetError(error, 0, "out of memory for a %d-point lattice", points);
    return static_cast<float(*)[3]>(p);
}

// NaN and -0 give +0. Written as a maximum then a minimum, which the
// processor has instructions for: no branch on the value.
float ClampUnit(float v) {
    float low = v > 0.0f ? v : 0.0f;
    return low < 1.0f ? low : 1.0f;
}

// A difference as float; one beyond float's range (of two values of
// opposite signs near the limit) as an infinity.
float DiffToFloat(double d) {
    return d > static_cast<double>(std::numeric_limits<float>::max()) ? HUGE_VALF : static_cast<float>(d);
}

// The nearest-rank 99th percentile is found among differences, which are
// not negative, and so order as their bit patterns do: they are counted by
// the top 16 bits of their patterns, and only the values of the bucket that
// holds the percentile are sorted out. Their sign bit is clear: 15 bits a
// bucket. Counts of 32 bits hold the values of the largest lattice,
// 3 * 256^3; small, so that the counting touches few pages.
constexpr int32_t kBuckets = 1 << 15;

uint32_t BucketOf(float v) {
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    return (bits & 0x7fffffffu) >> 16;
}

// The smallest value of bucket held.
float BucketFloor(uint32_t held) {
    uint32_t bits = held << 16;
    float v;
    memcpy(&v, &bits, sizeof v);
    return v;
}

// The rank (from 0) of the nearest-rank 99th percentile of count values.
int64_t Rank99(int64_t count) { return (99 * count + 99) / 100 - 1; }

// The bucket of the k-th smallest of the values counted (there is one when
// k is less than their number), and how many lie in the buckets below it.
uint32_t BucketHolding(const uint32_t *counts, int64_t k, int64_t *before) {
    uint32_t held = 0;
    *before = 0;
    while (*before + counts[held] <= k) *before += counts[held++];
    return held;
}

// The k-th smallest of values[0, count); reorders them.
double Select(float *values, int64_t count, int64_t k) {
    std::nth_element(values, values + k, values + count);
    return values[k];
}

// The 99th percentile of values[0, count); reorders them.
double Percentile99(float *values, int64_t count) {
    if (count == 0) return 0.0;
    const int64_t k = Rank99(count);
    uint32_t *counts = static_cast<uint32_t *>(calloc(kBuckets, sizeof(uint32_t)));
    if (counts == nullptr) return Select(values, count, k);
    for (int64_t i = 0; i < count; i++) counts[BucketOf(values[i])]++;
    int64_t before;
    const uint32_t held = BucketHolding(counts, k, &before);
    free(counts);
    int64_t kept = 0;
    for (int64_t i = 0; i < count; i++) {
        if (BucketOf(values[i]) == held) values[kept++] = values[i];
    }
    return Select(values, kept, k - before);
}

// One of the values that lose at least half the largest finite loss, the
// value at index i of the samples: counted, and where it lies.
void CountWorst(PrepGrid grid, int64_t i, PrepLoss *loss) {
    const int64_t n = grid.count;
    loss->worstHalf++;
    int64_t node = i / 3;
    const int64_t index[3] = {node % n, node / n % n, node / (n * n)};
    bool near[2] = {false, false};
    for (int64_t k : index) {
        // The outer fifth: a position within 1/5 of either end.
        int64_t twice = 2 * k + grid.offset;
        near[0] = near[0] || 5 * twice <= 2 * grid.cells;
        near[1] = near[1] || 5 * (2 * grid.cells - twice) <= 2 * grid.cells;
    }
    for (int e = 0; e < 2; e++) loss->worstHalfNearEnd[e] += near[e] ? 1 : 0;
}

// The loss of got against the wanted values, both at the positions of
// grid; got becomes the differences. One pass finds them, their maximum,
// the largest finite one and the bucket of the percentile; a second takes
// out the few that lose at least the least of half the largest finite loss
// and the percentile's bucket. Returns 0, or -1 with *error set.
int MeasureDifferences(const float *want, float *got, PrepGrid grid, PrepLoss *loss, PrepError *error) {
    const int64_t values = 3 * int64_t{grid.count} * grid.count * grid.count;
    uint32_t *counts = static_cast<uint32_t *>(calloc(kBuckets, sizeof(uint32_t)));
    if (counts == nullptr) {
        PrepSetError(error, 0, "out of memory for the loss of a %d-point lattice", grid.count);
        return -1;
    }
    float *diff = got;
    float worst = 0.0f, finiteWorst = 0.0f;
    *loss = PrepLoss{};
    for (int64_t i = 0; i < values; i++) {
        bool known = std::isfinite(want[i]);
        double d = std::fabs(static_cast<double>(ClampUnit(want[i])) - diff[i]) * kPrepCode10;
        // A NaN in the result, or a wanted value that is none, is a total loss.
        if (std::isnan(d) || !known) d = kPrepCode10;
        if (!known) loss->nonfinite++;
        diff[i] = DiffToFloat(d);
        // The maximum of the stored values, so that it bounds the percentile.
        worst = diff[i] > worst ? diff[i] : worst;
        finiteWorst = known && diff[i] > finiteWorst ? diff[i] : finiteWorst;
        counts[BucketOf(diff[i])]++;
    }
    loss->maxCode10 = worst;
    loss->finiteMaxCode10 = finiteWorst;
    const double least = loss->finiteMaxCode10 / 2;
    const int64_t k = Rank99(values);
    int64_t before;
    const uint32_t held = BucketHolding(counts, k, &before);
    free(counts);
    const double needed = std::min(least, static_cast<double>(BucketFloor(held)));
    // The percentile's bucket moves to the front: never past a value still
    // to be read.
    int64_t kept = 0;
    for (int64_t i = 0; i < values; i++) {
        if (diff[i] < needed) continue;
        if (std::isfinite(want[i]) && diff[i] >= least) CountWorst(grid, i, loss);
        if (BucketOf(diff[i]) == held) diff[kept++] = diff[i];
    }
    loss->p99Code10 = Select(diff, kept, k - before);
    return 0;
}

}  // namespace

int PrepResample(const PrepLut *source, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error) {
    if (PrepAllocLut(out, points, 0, error) != 0) return -1;
    if (PrepSampleLattice(source, points, interp, reinterpret_cast<float(*)[3]>(out->values)) != 0) {
        PrepFreeLut(out);
        PrepSetError(error, 0, "cannot resample to %d points", points);
        return -1;
    }
    return 0;
}

int64_t PrepClampLut(PrepLut *lut) {
    int64_t changed = 0;
    int64_t values = 3 * PrepNodeCount(lut->points);
    for (int64_t i = 0; i < values; i++) {
        float v = lut->values[i];
        float clamped = ClampUnit(v);
        // -0 becomes +0 without being counted; NaN, unequal to all, is
        // counted. Added, not branched on: which values clamp follows the
        // LUT, not a pattern the processor could predict.
        changed += clamped != v ? 1 : 0;
        lut->values[i] = clamped;
    }
    return changed;
}

int PrepMeasureLoss(const PrepLut *source, const PrepLut *result, PrepInterp interp, PrepLoss *loss, PrepError *error) {
    const int32_t n = source->points;
    // A plain source is its own transform at its nodes, read where it is;
    // the differences go where the result's samples were.
    const bool plain = PrepIsPlainLattice(source);
    float(*got)[3] = AllocSamples(n, error);
    float(*want)[3] = got == nullptr || plain ? nullptr : AllocSamples(n, error);
    if (got == nullptr || (!plain && want == nullptr)) {
        PlatformFreeLarge(got);
        return -1;
    }
    if (!plain) PrepSampleLattice(source, n, interp, want);
    PrepSampleLattice(result, n, interp, got);
    int measured =
        MeasureDifferences(plain ? source->values : &want[0][0], &got[0][0], PrepLatticeGrid(n), loss, error);
    PlatformFreeLarge(want);
    PlatformFreeLarge(got);
    return measured;
}

int PrepMeasureTransformLoss(const PrepTransform *t, const PrepLut *result, PrepInterp interp, PrepLoss *loss,
                             PrepError *error) {
    // Between the nodes: at the centres of the result's cells.
    const PrepGrid grid = PrepCellCentres(result->points);
    const int64_t count = PrepNodeCount(grid.count);
    // Both in one block, which a huge page may hold; given back to the
    // platform, which keeps it for the next large block, such as the
    // read-back's tables of the file written.
    float(*want)[3] = static_cast<float(*)[3]>(PlatformAllocLarge(static_cast<size_t>(count) * 6 * sizeof(float)));
    if (want == nullptr) {
        PrepSetError(error, 0, "out of memory for the loss of a %d-point lattice", result->points);
        return -1;
    }
    float(*got)[3] = want + count;
    int measured = -1;
    if (PrepSampleTransform(t, interp, grid, want) != 0 || PrepSampleGrid(result, grid, interp, got) != 0) {
        PrepSetError(error, 0, "cannot measure the loss of a %d-point lattice", result->points);
    } else {
        measured = MeasureDifferences(&want[0][0], &got[0][0], grid, loss, error);
    }
    PlatformFreeLarge(want);
    return measured;
}

int64_t PrepCountNonfiniteNodes(const PrepLut *lut) {
    int64_t count = 0;
    int64_t nodes = PrepNodeCount(lut->points);
    for (int64_t n = 0; n < nodes; n++) {
        const float *v = lut->values + 3 * n;
        count += std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]) ? 0 : 1;
    }
    return count;
}

int64_t PrepCountNonfiniteValues(const PrepLut *lut) {
    int64_t count = 0;
    int64_t values = 3 * PrepNodeCount(lut->points);
    for (int64_t i = 0; i < values; i++) count += std::isfinite(lut->values[i]) ? 0 : 1;
    for (int64_t i = 0; i < 3 * int64_t{lut->shaperPoints}; i++) count += std::isfinite(lut->shaper[i]) ? 0 : 1;
    return count;
}

int PrepCompare(const PrepLut *a, const PrepLut *b, PrepInterp interp, PrepComparison *result, PrepError *error) {
    *result = PrepComparison{};
    const int32_t n = a->points;
    const int64_t nodes = PrepNodeCount(n);
    float(*av)[3] = AllocSamples(n, error);
    float(*bv)[3] = av != nullptr ? AllocSamples(n, error) : nullptr;
    float *diff = bv != nullptr
                      ? static_cast<float *>(PlatformAllocLarge(static_cast<size_t>(nodes) * 3 * sizeof(float)))
                      : nullptr;
    if (diff == nullptr) {
        if (bv != nullptr) PrepSetError(error, 0, "out of memory for a %d-point comparison", n);
        PlatformFreeLarge(av);
        PlatformFreeLarge(bv);
        return -1;
    }
    PrepSampleLattice(a, n, interp, av);
    PrepSampleLattice(b, n, interp, bv);

    double sum = 0.0, swappedSum = 0.0;
    int64_t node = 0;
    for (int32_t bi = 0; bi < n; bi++) {
        for (int32_t gi = 0; gi < n; gi++) {
            for (int32_t ri = 0; ri < n; ri++, node++) {
                int64_t swapped = bi + static_cast<int64_t>(n) * (gi + static_cast<int64_t>(n) * ri);
                for (int c = 0; c < 3; c++) {
                    // Differences as stored for the percentile, so that the
                    // maximum bounds it; NaN on either side counts as the
                    // largest difference.
                    double d = std::fabs(static_cast<double>(av[node][c]) - bv[node][c]);
                    double ds = std::fabs(static_cast<double>(av[node][c]) - bv[swapped][c]);
                    d = std::isnan(d) ? HUGE_VAL : DiffToFloat(d);
                    ds = std::isnan(ds) ? HUGE_VAL : DiffToFloat(ds);
                    diff[3 * node + c] = static_cast<float>(d);
                    sum += d;
                    swappedSum += ds;
                    result->swappedMax = ds > result->swappedMax ? ds : result->swappedMax;
                    if (d > result->max || (node == 0 && c == 0)) {
                        result->max = d;
                        result->worstNode[0] = ri;
                        result->worstNode[1] = gi;
                        result->worstNode[2] = bi;
                        for (int k = 0; k < 3; k++) {
                            result->worstA[k] = av[node][k];
                            result->worstB[k] = bv[node][k];
                        }
                    }
                }
            }
        }
    }
    const int64_t values = 3 * nodes;
    result->mean = sum / static_cast<double>(values);
    result->swappedMean = swappedSum / static_cast<double>(values);
    result->maxCode10 = result->max * kPrepCode10;
    result->p99 = Percentile99(diff, values);
    result->rowOrderSwapped = result->max > kWorthExplaining && result->swappedMean <= kFarBetter * result->mean;
    PlatformFreeLarge(av);
    PlatformFreeLarge(bv);
    PlatformFreeLarge(diff);
    return 0;
}
