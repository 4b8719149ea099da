// Resampling, clamping, the loss of a coarser grid, and comparison.
//
// Everything samples the transforms on regular lattices over [0, 1]^3, the
// box's input range, through PrepSampleLattice: where the lattices align the
// nodes are copied, so a comparison of a LUT with itself, or of a 65-point
// LUT with its 33-point copy at the shared nodes, is exactly zero.
#include "prep/resample.h"

#include <algorithm>
#include <bit>
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
constexpr size_t kCountBytes = kBuckets * sizeof(uint32_t);

constexpr uint32_t kMagnitudeBits = 0x7fffffff;  // all but the sign
constexpr int kBucketShift = 16;

uint32_t BucketOf(float v) {
    uint32_t bits;
    memcpy(&bits, &v, sizeof bits);
    return (bits & kMagnitudeBits) >> kBucketShift;
}

// The smallest value of bucket held.
float BucketFloor(uint32_t held) {
    uint32_t bits = held << kBucketShift;
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

// The first pass takes four values at once, in the generic vectors of g++
// and clang: as scalar code each value took some 40 instructions, most of
// them tests of what the value is, and the pass was most of the loss's
// time for a large source. A lane's comparison gives all ones or zero.
// The four doubles are kept within one inlined function, so that no call
// passes them (how it would depends on the processor's vector width).
using Floats = float __attribute__((vector_size(16)));
using Ints = int32_t __attribute__((vector_size(16)));
using Doubles = double __attribute__((vector_size(32)));
using Longs = int64_t __attribute__((vector_size(32)));
constexpr int kLanes = 4;

// Each lane of a where mask is set, else of b.
[[gnu::always_inline]] inline Floats Pick(Ints mask, Floats a, Floats b) {
    return __builtin_bit_cast(Floats, (mask & __builtin_bit_cast(Ints, a)) | (~mask & __builtin_bit_cast(Ints, b)));
}

[[gnu::always_inline]] inline Ints Larger(Ints a, Ints b) {
    const Ints more = a > b;
    return (more & a) | (~more & b);
}

// Whether any lane of mask is set, tested as two 64-bit halves.
[[gnu::always_inline]] inline bool AnyLane(Ints mask) {
    uint64_t halves[2];
    memcpy(halves, &mask, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

// used (at most kLanes) values from p, the other lanes zeros; stored back.
[[gnu::always_inline]] inline Floats LoadLanes(const float *p, int64_t used) {
    Floats v{};
    memcpy(&v, p, static_cast<size_t>(used) * sizeof(float));
    return v;
}

[[gnu::always_inline]] inline void StoreLanes(float *p, Floats v, int64_t used) {
    memcpy(p, &v, static_cast<size_t>(used) * sizeof(float));
}

// Each value clamped to [0, 1] as the box takes it, NaN and -0 to +0: a
// maximum then a minimum, with no branch on the value.
[[gnu::always_inline]] inline Floats ClampUnits(Floats v) {
    const Floats zeros{}, ones{1.0f, 1.0f, 1.0f, 1.0f};
    const Floats low = Pick(v > zeros, v, zeros);
    return Pick(low < ones, low, ones);
}

// All ones in the lanes of v that are NaN or infinite (v - v is NaN there).
[[gnu::always_inline]] inline Ints Nonfinite(Floats v) { return v - v != Floats{}; }

// What the first pass keeps of its differences, lane by lane: the largest,
// the largest where the wanted value is finite (as bit patterns, which
// order as the differences do, none being negative or NaN), and minus the
// count of wanted values that are not finite.
struct LossLanes {
    Ints worst;
    Ints finiteWorst;
    Ints minusNonfinite;
};

// The differences of four values in 10-bit code values, as stored: the
// wanted value clamped as the box shows it (NaN and -0 give +0), its
// difference from the result's value in double, its magnitude, one too
// large for float an infinity (as DiffToFloat makes it), and a total loss
// where the wanted value is none or the result's is NaN (the one way to a
// NaN difference: the clamped value is a number).
[[gnu::always_inline]] inline Floats FindLosses(Floats want, Floats got, LossLanes *lanes) {
    constexpr float kTotal = static_cast<float>(kPrepCode10);
    constexpr double kCode = kPrepCode10;
    constexpr float kFloatMaxF = std::numeric_limits<float>::max();
    constexpr int64_t kMagnitude = std::numeric_limits<int64_t>::max();  // all but a double's sign
    const Doubles code{kCode, kCode, kCode, kCode};
    const Longs magnitudeBits{kMagnitude, kMagnitude, kMagnitude, kMagnitude};

    const Ints known = ~Nonfinite(want);
    const Ints total = ~known | (got != got);
    const Floats clamped = ClampUnits(want);
    const Doubles raw = __builtin_convertvector(clamped, Doubles) - __builtin_convertvector(got, Doubles);
    const Doubles d = __builtin_bit_cast(Doubles, __builtin_bit_cast(Longs, raw) & magnitudeBits) * code;
    // Beyond float's range a difference rounds to an infinity or to the
    // largest float; only the latter needs the double's comparison.
    Floats narrow = __builtin_convertvector(d, Floats);
    const Ints largest = narrow == Floats{kFloatMaxF, kFloatMaxF, kFloatMaxF, kFloatMaxF};
    if (AnyLane(largest)) {
        for (int lane = 0; lane < kLanes; lane++) narrow[lane] = DiffToFloat(d[lane]);
    }
    const Floats loss = Pick(total, Floats{kTotal, kTotal, kTotal, kTotal}, narrow);
    const Ints bits = __builtin_bit_cast(Ints, loss);
    lanes->worst = Larger(bits, lanes->worst);
    lanes->finiteWorst = Larger(known & bits, lanes->finiteWorst);
    lanes->minusNonfinite += ~known;
    return loss;
}

// Values looked at together by the second pass, which passes over a group
// with no value as large as it needs at one test.
constexpr int64_t kGroup = 16;

// The differences of want[0, used) and got[0, used), used at most kLanes,
// into got, each counted in its bucket. (A copy of the counts for each
// lane, so that a count's increments would not wait on each other, took
// fewer instructions but more pages: more time for the smaller losses.)
[[gnu::always_inline]] inline void MeasureLanes(const float *want, float *got, int64_t used, LossLanes *lanes,
                                                uint32_t *counts) {
    const Floats d = FindLosses(LoadLanes(want, used), LoadLanes(got, used), lanes);
    StoreLanes(got, d, used);
    // BucketOf, lane by lane.
    const Ints buckets = (__builtin_bit_cast(Ints, d) & static_cast<int32_t>(kMagnitudeBits)) >> kBucketShift;
    for (int lane = 0; lane < used; lane++) counts[buckets[lane]]++;
}

// Whether any of kGroup values is at least v.
[[gnu::always_inline]] inline bool AnyAtLeast(const float *values, float v) {
    const Floats least{v, v, v, v};
    Ints any{};
    for (int64_t i = 0; i < kGroup; i += kLanes) {
        Floats four;
        memcpy(&four, values + i, sizeof four);
        any |= four >= least;
    }
    return AnyLane(any);
}

// The loss of got against the wanted values, both at the positions of
// grid; got becomes the differences. One pass finds them, their maximum,
// the largest finite one and the bucket of the percentile; a second takes
// out the few that lose at least the least of half the largest finite loss
// and the percentile's bucket. counts is room for kBuckets counts, the
// caller's: in its block of samples, whose pages are there already.
void MeasureDifferences(const float *want, float *got, uint32_t *counts, PrepGrid grid, PrepLoss *loss) {
    const int64_t values = 3 * int64_t{grid.count} * grid.count * grid.count;
    memset(counts, 0, kCountBytes);
    float *diff = got;
    LossLanes lanes{};
    *loss = PrepLoss{};
    int64_t i = 0;
    for (; i + kLanes <= values; i += kLanes) MeasureLanes(want + i, diff + i, kLanes, &lanes, counts);
    // The last values, short of a whole vector, as if the rest were exact
    // zeros, which change no maximum and are not counted.
    if (i < values) MeasureLanes(want + i, diff + i, values - i, &lanes, counts);
    // The maximum of the stored values, so that it bounds the percentile.
    int32_t worst = 0, finiteWorst = 0;
    for (int lane = 0; lane < kLanes; lane++) {
        worst = std::max(worst, lanes.worst[lane]);
        finiteWorst = std::max(finiteWorst, lanes.finiteWorst[lane]);
        loss->nonfinite -= lanes.minusNonfinite[lane];
    }
    loss->maxCode10 = std::bit_cast<float>(worst);
    loss->finiteMaxCode10 = std::bit_cast<float>(finiteWorst);
    const int64_t k = Rank99(values);
    int64_t before;
    const uint32_t held = BucketHolding(counts, k, &before);
    const double least = loss->finiteMaxCode10 / 2;
    const double needed = std::min(least, static_cast<double>(BucketFloor(held)));
    // A group is passed over when all its values lie below a float at most
    // the double needed, so that one float comparison a value tells.
    float below = static_cast<float>(needed);
    if (static_cast<double>(below) > needed) below = std::nextafter(below, 0.0f);
    // The percentile's bucket moves to the front: never past a value still
    // to be read.
    int64_t kept = 0;
    for (int64_t start = 0; start < values; start += kGroup) {
        const int64_t end = std::min(values, start + kGroup);
        if (end - start == kGroup && !AnyAtLeast(diff + start, below)) continue;
        for (int64_t i = start; i < end; i++) {
            if (diff[i] < needed) continue;
            if (std::isfinite(want[i]) && diff[i] >= least) CountWorst(grid, i, loss);
            if (BucketOf(diff[i]) == held) diff[kept++] = diff[i];
        }
    }
    loss->p99Code10 = Select(diff, kept, k - before);
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

namespace {

[[gnu::always_inline]] inline void ClampLanes(float *p, int64_t used, Ints *changed) {
    const Floats v = LoadLanes(p, used);
    const Floats clamped = ClampUnits(v);
    // -0 becomes +0 without being counted; NaN, unequal to all, is
    // counted. Which values clamp follows the LUT, not a pattern the
    // processor could predict: no branch.
    *changed -= clamped != v;
    StoreLanes(p, clamped, used);
}

[[gnu::always_inline]] inline void CountNonfiniteLanes(const float *p, int64_t used, Ints *count) {
    *count -= Nonfinite(LoadLanes(p, used));
}

int64_t SumLanes(Ints v) { return int64_t{v[0]} + v[1] + v[2] + v[3]; }

int64_t CountNonfinite(const float *values, int64_t count) {
    Ints found{};
    int64_t i = 0;
    for (; i + kLanes <= count; i += kLanes) CountNonfiniteLanes(values + i, kLanes, &found);
    if (i < count) CountNonfiniteLanes(values + i, count - i, &found);
    return SumLanes(found);
}

}  // namespace

int64_t PrepClampLut(PrepLut *lut) {
    const int64_t values = 3 * PrepNodeCount(lut->points);
    Ints changed{};
    int64_t i = 0;
    for (; i + kLanes <= values; i += kLanes) ClampLanes(lut->values + i, kLanes, &changed);
    if (i < values) ClampLanes(lut->values + i, values - i, &changed);
    return SumLanes(changed);
}

int PrepMeasureLoss(const PrepLut *source, const PrepLut *result, PrepInterp interp, PrepLoss *loss, PrepError *error) {
    const int32_t n = source->points;
    const int64_t nodes = PrepNodeCount(n);
    // A plain source is its own transform at its nodes, read where it is;
    // the differences go where the result's samples were, the bucket
    // counts after them.
    const bool plain = PrepIsPlainLattice(source);
    void *block = PlatformAllocLarge(static_cast<size_t>(nodes) * 3 * sizeof(float) + kCountBytes);
    float(*got)[3] = static_cast<float(*)[3]>(block);
    float(*want)[3] = got == nullptr || plain ? nullptr : AllocSamples(n, error);
    if (got == nullptr || (!plain && want == nullptr)) {
        if (got == nullptr) PrepSetError(error, 0, "out of memory for a %d-point lattice", n);
        PlatformFreeLarge(got);
        return -1;
    }
    if (!plain) PrepSampleLattice(source, n, interp, want);
    PrepSampleLattice(result, n, interp, got);
    MeasureDifferences(plain ? source->values : &want[0][0], &got[0][0], reinterpret_cast<uint32_t *>(got + nodes),
                       PrepLatticeGrid(n), loss);
    PlatformFreeLarge(want);
    PlatformFreeLarge(got);
    return 0;
}

int PrepMeasureTransformLoss(const PrepTransform *t, const PrepLut *result, PrepInterp interp, PrepLoss *loss,
                             PrepError *error) {
    // Between the nodes: at the centres of the result's cells.
    const PrepGrid grid = PrepCellCentres(result->points);
    const int64_t count = PrepNodeCount(grid.count);
    // Both and the bucket counts in one block, which a huge page may hold;
    // given back to the platform, which keeps it for the next large block,
    // such as the read-back's tables of the file written.
    float(*want)[3] =
        static_cast<float(*)[3]>(PlatformAllocLarge(static_cast<size_t>(count) * 6 * sizeof(float) + kCountBytes));
    if (want == nullptr) {
        PrepSetError(error, 0, "out of memory for the loss of a %d-point lattice", result->points);
        return -1;
    }
    float(*got)[3] = want + count;
    int measured = -1;
    if (PrepSampleTransform(t, interp, grid, want) != 0 || PrepSampleGrid(result, grid, interp, got) != 0) {
        PrepSetError(error, 0, "cannot measure the loss of a %d-point lattice", result->points);
    } else {
        MeasureDifferences(&want[0][0], &got[0][0], reinterpret_cast<uint32_t *>(got + count), grid, loss);
        measured = 0;
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
    return CountNonfinite(lut->values, 3 * PrepNodeCount(lut->points)) +
           CountNonfinite(lut->shaper, 3 * int64_t{lut->shaperPoints});
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
