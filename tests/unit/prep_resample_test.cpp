// lutprep's evaluation, resampling, clamping, loss and comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "prep/resample.h"
#include "prep_test_luts.h"

namespace {

const float *NodeOf(const PrepLut &lut, int32_t r, int32_t g, int32_t b) {
    return lut.values + 3 * (r + static_cast<int64_t>(lut.points) * (g + static_cast<int64_t>(lut.points) * b));
}

}  // namespace

// Tetrahedral interpolation is exact for any function that is linear on
// each tetrahedron of the cells (min, median and max of the coordinates);
// trilinear for any that is linear in each coordinate (products). Both,
// through a domain with clamping at its edges.
TEST(PrepEvaluate, ReproducesTheFunctionsEachInterpolationIsExactFor) {
    PrepLut tetra{}, tri{};
    auto sorted = [](const double *x, double *y) {
        double s[3] = {x[0], x[1], x[2]};
        std::sort(s, s + 3);
        y[0] = s[0], y[1] = s[1], y[2] = s[2];
    };
    auto products = [](const double *x, double *y) {
        y[0] = x[0] * x[1] * x[2], y[1] = x[0] * x[1] + x[2], y[2] = x[1] * (1.0 - x[2]);
    };
    FillWith(&tetra, 5, sorted);
    FillWith(&tri, 5, products);
    for (PrepLut *lut : {&tetra, &tri}) {
        lut->domainMin[0] = -0.5f;
        lut->domainMax[0] = 1.5f;
    }
    std::mt19937 random(7);
    std::uniform_real_distribution<float> uniform(-0.7f, 1.7f);
    for (int i = 0; i < 2000; i++) {
        float in[3] = {uniform(random), uniform(random), uniform(random)};
        double x[3];
        for (int c = 0; c < 3; c++) {
            double lo = c == 0 ? -0.5 : 0.0, hi = c == 0 ? 1.5 : 1.0;
            x[c] = std::clamp((in[c] - lo) / (hi - lo), 0.0, 1.0);
        }
        double want[3];
        float got[3];
        sorted(x, want);
        PrepEvaluate(&tetra, kPrepTetrahedral, in, got);
        for (int c = 0; c < 3; c++) ASSERT_NEAR(got[c], want[c], 1e-6) << in[0] << " " << in[1] << " " << in[2];
        products(x, want);
        PrepEvaluate(&tri, kPrepTrilinear, in, got);
        for (int c = 0; c < 3; c++) ASSERT_NEAR(got[c], want[c], 1e-6) << in[0] << " " << in[1] << " " << in[2];
    }
    // Trilinear is not tetrahedral: the product is not linear on a
    // tetrahedron.
    float in[3] = {0.6f, 0.6f, 0.65f}, a[3], b[3];
    PrepEvaluate(&tri, kPrepTetrahedral, in, a);
    PrepEvaluate(&tri, kPrepTrilinear, in, b);
    EXPECT_NE(a[0], b[0]);
    PrepFreeLut(&tetra);
    PrepFreeLut(&tri);
}

namespace {

// The same double, the sign of a zero included. Any NaN is the same: which
// operand's NaN a sum keeps is the machine's and the compiler's choice.
bool SameBits(double a, double b) { return (std::isnan(a) && std::isnan(b)) || memcmp(&a, &b, sizeof a) == 0; }

// A grade with the values that interpolation must carry exactly: -0 (kept
// only where every weighted corner holds it), NaN and infinities (kept away
// from a point by a weight of 0).
void FillSpecialGrade(PrepLut *lut, int32_t points) {
    FillGrade(lut, points);
    const int64_t values = 3 * PrepNodeCount(points);
    for (int64_t i = 0; i < values; i += 7) lut->values[i] = -0.0f;
    lut->values[values / 2] = NAN;
    lut->values[values / 3 + 1] = HUGE_VALF;
    lut->values[values / 5 + 2] = -HUGE_VALF;
}

}  // namespace

// Tetrahedral interpolation as the four corners' weighted sum, written out:
// a corner of weight 0 adds +0.0. The evaluation leaves such corners out,
// which must not change a bit, the sign of a zero included.
TEST(PrepEvaluate, TetrahedralIsTheFourCornerSumToTheBit) {
    const float specials[] = {-0.0f, 0.0f, NAN, HUGE_VALF, -HUGE_VALF, 0.3f, -1e-30f, 1.0f};
    const double fractions[] = {0.0, 0.25, 0.5, 0.3, 1.0};
    std::mt19937 random(11);
    PrepLut lut{};
    ASSERT_EQ(PrepAllocLut(&lut, 2, 0, nullptr), 0);
    for (int trial = 0; trial < 300; trial++) {
        for (int i = 0; i < 24; i++) lut.values[i] = specials[random() % 8];
        for (double fr : fractions) {
            for (double fg : fractions) {
                for (double fb : fractions) {
                    const double f[3] = {fr, fg, fb};
                    int axis[3] = {0, 1, 2};
                    std::stable_sort(axis, axis + 3, [&](int a, int b) { return f[a] > f[b]; });
                    const double w[4] = {1.0 - f[axis[0]], f[axis[0]] - f[axis[1]], f[axis[1]] - f[axis[2]],
                                         f[axis[2]]};
                    int32_t corner[3] = {0, 0, 0};
                    double want[3] = {0.0, 0.0, 0.0};
                    for (int k = 0; k < 4; k++) {
                        if (k > 0) corner[axis[k - 1]]++;
                        const float *v = NodeOf(lut, corner[0], corner[1], corner[2]);
                        for (int c = 0; c < 3; c++) {
                            double term = w[k] != 0.0 ? w[k] * v[c] : 0.0;
                            want[c] = k == 0 ? term : want[c] + term;
                        }
                    }
                    double got[3];
                    PrepEvaluateDouble(&lut, kPrepTetrahedral, f, got);
                    for (int c = 0; c < 3; c++) {
                        ASSERT_TRUE(SameBits(got[c], want[c])) << got[c] << " " << want[c] << " at " << fr << " " << fg
                                                               << " " << fb << ", trial " << trial;
                    }
                }
            }
        }
    }
    PrepFreeLut(&lut);
}

// Sampling a lattice shares the work of nodes that lie alike in their cells;
// every node must still be what evaluating the LUT at it gives, bit for
// bit, or the source's node itself where the grids align. Finer, coarser
// and misaligned, plain and through a domain and a shaper; at a lattice's
// nodes and at the centres of its cells (65 -> 33: on source nodes too).
TEST(PrepResample, SamplesEachNodeAsEvaluatingItThere) {
    struct Case {
        int32_t from, to;
    };
    for (Case size : {Case{33, 65}, Case{17, 65}, Case{26, 33}, Case{33, 26}, Case{65, 33}, Case{5, 17}}) {
        for (bool shaped : {false, true}) {
            PrepLut lut{};
            FillSpecialGrade(&lut, size.from);
            if (shaped) {
                PrepLut plain = lut;
                lut = PrepLut{};
                ASSERT_EQ(PrepAdoptLattice(&lut, size.from, 5, plain.values, nullptr), 0);
                for (int i = 0; i < 15; i++) lut.shaper[i] = std::pow((i / 3) / 4.0, 0.8 + 0.1 * (i % 3));
                lut.domainMin[1] = -0.1f;
                lut.domainMax[2] = 1.2f;
            }
            const int32_t from = size.from - 1, to = size.to - 1;
            for (int32_t offset : {0, 1}) {
                // Position k at (2k + offset) / (2 to).
                const PrepGrid grid = offset == 0 ? PrepLatticeGrid(size.to) : PrepCellCentres(size.to);
                const int32_t n = grid.count;
                ASSERT_EQ(n, offset == 0 ? size.to : to);
                std::vector<float> sampled(3 * PrepNodeCount(n));
                for (PrepInterp interp : {kPrepTetrahedral, kPrepTrilinear}) {
                    ASSERT_EQ(PrepSampleGrid(&lut, grid, interp, reinterpret_cast<float(*)[3]>(sampled.data())), 0);
                    for (int64_t node = 0; node < PrepNodeCount(n); node++) {
                        const int32_t k[3] = {static_cast<int32_t>(node % n), static_cast<int32_t>(node / n % n),
                                              static_cast<int32_t>(node / n / n)};
                        double in[3];
                        int32_t twice[3];
                        for (int c = 0; c < 3; c++) {
                            in[c] = (k[c] + 0.5 * offset) / to;
                            twice[c] = (2 * k[c] + offset) * from;
                        }
                        double y[3];
                        PrepEvaluateDouble(&lut, interp, in, y);
                        float want[3] = {static_cast<float>(y[0]), static_cast<float>(y[1]), static_cast<float>(y[2])};
                        if (!shaped && twice[0] % (2 * to) == 0 && twice[1] % (2 * to) == 0 &&
                            twice[2] % (2 * to) == 0) {
                            memcpy(want, NodeOf(lut, twice[0] / (2 * to), twice[1] / (2 * to), twice[2] / (2 * to)),
                                   sizeof want);
                        }
                        ASSERT_EQ(memcmp(&sampled[3 * node], want, sizeof want), 0)
                            << size.from << " -> " << size.to << (shaped ? " shaped" : "") << " offset " << offset
                            << " interp " << interp << " at " << k[0] << "," << k[1] << "," << k[2];
                    }
                }
            }
            PrepFreeLut(&lut);
        }
    }
}

// 65 -> 33 and 33 -> 17 take every node from the source; 17 -> 33 takes
// every other one. Bit for bit.
TEST(PrepResample, CopiesTheNodesWhereTheGridsAlign) {
    struct Case {
        int32_t from, to, step;  // output node n is source node n * step / 2
    };
    for (Case c : {Case{65, 33, 4}, Case{33, 17, 4}, Case{33, 33, 2}, Case{17, 33, 1}}) {
        PrepLut source{}, out{};
        FillGrade(&source, c.from);
        ASSERT_EQ(PrepResample(&source, c.to, kPrepTetrahedral, &out, nullptr), 0);
        ASSERT_EQ(out.points, c.to);
        int copied = 0;
        for (int32_t b = 0; b < c.to; b++) {
            for (int32_t g = 0; g < c.to; g++) {
                for (int32_t r = 0; r < c.to; r++) {
                    if ((r * c.step) % 2 != 0 || (g * c.step) % 2 != 0 || (b * c.step) % 2 != 0) continue;
                    const float *want = NodeOf(source, r * c.step / 2, g * c.step / 2, b * c.step / 2);
                    ASSERT_EQ(memcmp(NodeOf(out, r, g, b), want, 3 * sizeof(float)), 0)
                        << c.from << " -> " << c.to << " at " << r << "," << g << "," << b;
                    copied++;
                }
            }
        }
        EXPECT_EQ(copied, c.step == 1 ? 17 * 17 * 17 : c.to * c.to * c.to);
        PrepFreeLut(&source);
        PrepFreeLut(&out);
    }
}

TEST(PrepResample, ClampCountsWhatItChangesAndDropsTheSignOfZero) {
    PrepLut lut{};
    ASSERT_EQ(PrepAllocLut(&lut, 2, 0, nullptr), 0);
    const float values[] = {-0.5f, 1.5f, NAN, -0.0f, 0.5f, INFINITY, 1.0f, 0.0f, -1e-30f};
    memcpy(lut.values, values, sizeof values);
    EXPECT_EQ(PrepClampLut(&lut), 5);
    const float want[] = {0.0f, 1.0f, 0.0f, 0.0f, 0.5f, 1.0f, 1.0f, 0.0f, 0.0f};
    for (size_t i = 0; i < sizeof want / sizeof want[0]; i++) {
        EXPECT_EQ(lut.values[i], want[i]) << i;
        EXPECT_FALSE(std::signbit(lut.values[i])) << i;
    }
    PrepFreeLut(&lut);
}

// An affine LUT loses nothing to a coarser grid; a power curve loses tens of
// code values near black, which no resampler avoids.
TEST(PrepResample, MeasuresTheLossOfTheCoarserGrid) {
    PrepLut affine{}, power{}, out{};
    FillWith(&affine, 65, [](const double *x, double *y) {
        y[0] = 0.1 + 0.5 * x[0] + 0.3 * x[1], y[1] = 0.2 * x[2] + 0.7 * x[1], y[2] = 0.9 * x[2] + 0.05;
    });
    FillWith(&power, 65, [](const double *x, double *y) {
        for (int c = 0; c < 3; c++) y[c] = std::pow(x[c], 1.0 / 2.4);
    });
    PrepLoss loss{};
    ASSERT_EQ(PrepResample(&affine, 33, kPrepTetrahedral, &out, nullptr), 0);
    ASSERT_EQ(PrepMeasureLoss(&affine, &out, kPrepTetrahedral, &loss, nullptr), 0);
    EXPECT_LT(loss.maxCode10, 1e-3);
    ASSERT_EQ(PrepResample(&power, 33, kPrepTetrahedral, &out, nullptr), 0);
    ASSERT_EQ(PrepMeasureLoss(&power, &out, kPrepTetrahedral, &loss, nullptr), 0);
    // Between the first two nodes: (1/64)^(1/2.4) against half of
    // (1/32)^(1/2.4), in code values.
    double nearBlack = (std::pow(1.0 / 64, 1 / 2.4) - 0.5 * std::pow(1.0 / 32, 1 / 2.4)) * 1023.0;
    EXPECT_NEAR(loss.maxCode10, nearBlack, 1e-3);
    EXPECT_GT(loss.p99Code10, 1.0);
    EXPECT_LE(loss.p99Code10, loss.maxCode10);
    PrepFreeLut(&affine);
    PrepFreeLut(&power);
    PrepFreeLut(&out);
}

namespace {

// The loss's figures as their definitions give them, from every difference
// (sorted for the nearest-rank percentile) of the source's values (want)
// and the result's at the source's n^3 nodes (diff).
PrepLoss LossByDefinition(const float *want, std::vector<float> diff, int64_t n) {
    PrepLoss loss{};
    for (size_t i = 0; i < diff.size(); i++) {
        const float w = want[i];
        const bool known = std::isfinite(w);
        double d = std::fabs(static_cast<double>(std::clamp(w, 0.0f, 1.0f)) - diff[i]) * kPrepCode10;
        d = known && !std::isnan(d) ? d : kPrepCode10;
        // Beyond float's range, an infinity (not float's largest value).
        diff[i] = d > std::numeric_limits<float>::max() ? HUGE_VALF : static_cast<float>(d);
        loss.nonfinite += known ? 0 : 1;
        if (known) loss.finiteMaxCode10 = std::max(loss.finiteMaxCode10, static_cast<double>(diff[i]));
    }
    for (size_t i = 0; i < diff.size(); i++) {
        if (!std::isfinite(want[i]) || diff[i] < loss.finiteMaxCode10 / 2) continue;
        const int64_t k[3] = {static_cast<int64_t>(i / 3) % n, static_cast<int64_t>(i / 3) / n % n,
                              static_cast<int64_t>(i / 3) / n / n};
        loss.worstHalf++;
        loss.worstHalfNearEnd[0] += 5 * k[0] <= n - 1 || 5 * k[1] <= n - 1 || 5 * k[2] <= n - 1;
        loss.worstHalfNearEnd[1] +=
            5 * (n - 1 - k[0]) <= n - 1 || 5 * (n - 1 - k[1]) <= n - 1 || 5 * (n - 1 - k[2]) <= n - 1;
    }
    std::sort(diff.begin(), diff.end());
    loss.maxCode10 = diff.back();
    loss.p99Code10 = diff[(99 * diff.size() + 99) / 100 - 1];
    return loss;
}

void ExpectSameLoss(const PrepLoss &loss, const PrepLoss &want, const std::string &at) {
    EXPECT_EQ(loss.maxCode10, want.maxCode10) << at;
    EXPECT_EQ(loss.p99Code10, want.p99Code10) << at;
    EXPECT_EQ(loss.nonfinite, want.nonfinite) << at;
    EXPECT_EQ(loss.finiteMaxCode10, want.finiteMaxCode10) << at;
    EXPECT_EQ(loss.worstHalf, want.worstHalf) << at;
    EXPECT_EQ(loss.worstHalfNearEnd[0], want.worstHalfNearEnd[0]) << at;
    EXPECT_EQ(loss.worstHalfNearEnd[1], want.worstHalfNearEnd[1]) << at;
}

}  // namespace

// Aligned and not, with source values that are none, and with a result
// left unclamped.
TEST(PrepResample, LossFiguresAreThoseOfEveryDifference) {
    struct Case {
        int32_t from, to;
        bool clamped;
    };
    for (Case c : {Case{65, 33, true}, Case{33, 26, true}, Case{17, 26, false}}) {
        PrepLut source{}, result{};
        FillSpecialGrade(&source, c.from);
        ASSERT_EQ(PrepResample(&source, c.to, kPrepTetrahedral, &result, nullptr), 0);
        if (c.clamped) PrepClampLut(&result);
        std::vector<float> got(3 * PrepNodeCount(c.from));
        ASSERT_EQ(PrepSampleLattice(&result, c.from, kPrepTetrahedral, reinterpret_cast<float(*)[3]>(got.data())), 0);
        const PrepLoss want = LossByDefinition(source.values, got, c.from);
        EXPECT_EQ(want.nonfinite, 3);
        EXPECT_GT(want.worstHalf, 0);
        PrepLoss loss{};
        ASSERT_EQ(PrepMeasureLoss(&source, &result, kPrepTetrahedral, &loss, nullptr), 0);
        ExpectSameLoss(loss, want, std::to_string(c.from) + " -> " + std::to_string(c.to));
        PrepFreeLut(&source);
        PrepFreeLut(&result);
    }
}

// Values at float's edges on either side, in any order and any number of
// values (a whole number of vectors or not): NaN, infinities, signed zeros,
// denormals, values outside [0, 1], and results whose difference lies just
// within float's range and just beyond it.
TEST(PrepResample, LossOfValuesAtFloatsEdges) {
    constexpr float kMax = std::numeric_limits<float>::max();
    float within = -static_cast<float>(kMax / kPrepCode10);
    while (-static_cast<double>(within) * kPrepCode10 > kMax) within = std::nextafter(within, 0.0f);
    const float beyond = std::nextafter(within, -HUGE_VALF);
    ASSERT_LE(-static_cast<double>(within) * kPrepCode10, kMax);
    ASSERT_GT(-static_cast<double>(beyond) * kPrepCode10, kMax);
    const float wants[] = {NAN, HUGE_VALF, -HUGE_VALF, -0.0f, 0.0f, 2.0f, -1.0f, 1e-40f, 0.5f, 1.0f, 0.25f};
    const float gots[] = {NAN,  HUGE_VALF, -HUGE_VALF, -kMax, within, beyond, -0.0f,
                          0.0f, 1e-40f,    0.25f,      3.0f,  0.5f,   0.2f};
    std::mt19937 random(5);
    for (int32_t points : {16, 17, 2}) {
        for (int trial = 0; trial < 4; trial++) {
            PrepLut source{}, result{};
            ASSERT_EQ(PrepAllocLut(&source, points, 0, nullptr), 0);
            ASSERT_EQ(PrepAllocLut(&result, points, 0, nullptr), 0);
            const int64_t values = 3 * PrepNodeCount(points);
            for (int64_t i = 0; i < values; i++) {
                // Mostly small differences, so that most groups of values
                // lie below what the percentile needs.
                const bool plain = random() % 4 != 0;
                source.values[i] = plain ? 0.5f : wants[random() % std::size(wants)];
                result.values[i] =
                    plain ? 0.5f + static_cast<float>(random() % 100) * 1e-4f : gots[random() % std::size(gots)];
            }
            const PrepLoss want =
                LossByDefinition(source.values, std::vector<float>(result.values, result.values + values), points);
            PrepLoss loss{};
            ASSERT_EQ(PrepMeasureLoss(&source, &result, kPrepTetrahedral, &loss, nullptr), 0);
            ExpectSameLoss(loss, want, std::to_string(points) + " points, trial " + std::to_string(trial));
            PrepFreeLut(&source);
            PrepFreeLut(&result);
        }
    }
}

namespace {

void PowerOp(const PrepOp &, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = std::pow(rgb[c], 1.0 / 2.4);
}

// Red is NaN below a half, as a file's NaN would make it.
void HalfNanOp(const PrepOp &, double rgb[3]) { rgb[0] = rgb[0] < 0.5 ? NAN : rgb[0]; }

// The loss of op's transform baked at 33 points, measured as convert does.
PrepLoss TransformLoss(PrepApply op) {
    PrepLut baked{};
    PrepLoss loss = BakeAndMeasure(op, &baked);
    PrepFreeLut(&baked);
    return loss;
}

}  // namespace

// A transform baked at the output's nodes loses nothing there; between them
// the loss is measured at the cells' centres: the power curve's largest is
// in the first cell, and a NaN of the transform is a total loss at every
// centre it reaches (red below a half: 16 of 32 cells along red).
TEST(PrepResample, MeasuresATransformsLossBetweenTheNodes) {
    PrepLoss loss = TransformLoss(PowerOp);
    double nearBlack = (std::pow(1.0 / 64, 1 / 2.4) - 0.5 * std::pow(1.0 / 32, 1 / 2.4)) * 1023.0;
    EXPECT_NEAR(loss.maxCode10, nearBlack, 1e-3);
    EXPECT_GT(loss.p99Code10, 1.0);
    EXPECT_LE(loss.p99Code10, loss.maxCode10);
    EXPECT_EQ(loss.nonfinite, 0);
    // Three values of a centre in the first cell of its axis, which lose
    // the most, all near 0.
    EXPECT_GT(loss.worstHalf, 0);
    EXPECT_EQ(loss.worstHalfNearEnd[0], loss.worstHalf);

    loss = TransformLoss(HalfNanOp);
    EXPECT_EQ(loss.nonfinite, 16 * 32 * 32);
    EXPECT_EQ(loss.maxCode10, kPrepCode10);
    EXPECT_LT(loss.finiteMaxCode10, 1e-3);
}

// One infinite node of a 17-point grade reaches the 33-point nodes around
// it, which are written clamped; the loss counts it as total instead of
// reading 0 (every 17-point node is a 33-point node, copied and clamped
// alike). A NaN of a shaper reaches its nodes as well, not the edge's value.
TEST(PrepResample, NonfiniteSourceValuesAreCountedAndLost) {
    PrepLut grade{}, out{};
    FillGrade(&grade, 17);
    PrepClampLut(&grade);
    grade.values[3 * (8 + 17 * (8 + 17 * 8)) + 1] = HUGE_VALF;
    EXPECT_EQ(PrepCountNonfiniteValues(&grade), 1);
    ASSERT_EQ(PrepResample(&grade, 33, kPrepTetrahedral, &out, nullptr), 0);
    // Node 16,16,16 and those of the 33-point nodes around it whose
    // tetrahedra hold it with a weight; not those on finite source nodes.
    int64_t touched = PrepCountNonfiniteNodes(&out);
    EXPECT_GT(touched, 1);
    EXPECT_LE(touched, 27);
    EXPECT_TRUE(std::isfinite(out.values[3 * (14 + 33 * (16 + 33 * 16)) + 1]));
    PrepClampLut(&out);
    PrepLoss loss{};
    ASSERT_EQ(PrepMeasureLoss(&grade, &out, kPrepTetrahedral, &loss, nullptr), 0);
    EXPECT_EQ(loss.nonfinite, 1);
    EXPECT_EQ(loss.maxCode10, kPrepCode10);
    EXPECT_LT(loss.finiteMaxCode10, 1e-3);

    PrepLut shaped{};
    ASSERT_EQ(PrepAllocLut(&shaped, 2, 2, nullptr), 0);
    for (int k = 0; k < 8; k++) {
        for (int c = 0; c < 3; c++) shaped.values[3 * k + c] = 0.5f;
    }
    for (int c = 0; c < 3; c++) shaped.shaper[3 + c] = 1.0f;
    shaped.shaper[3] = NAN;
    EXPECT_EQ(PrepCountNonfiniteValues(&shaped), 1);
    ASSERT_EQ(PrepResample(&shaped, 17, kPrepTetrahedral, &out, nullptr), 0);
    // Red's shaper runs from 0 to NaN: every input of red reaches the NaN.
    EXPECT_EQ(PrepCountNonfiniteNodes(&out), 17 * 17 * 17);
    PrepFreeLut(&grade);
    PrepFreeLut(&shaped);
    PrepFreeLut(&out);
}

TEST(PrepCompare, FindsTheWorstNodeAndARowOrderMixUp) {
    PrepLut a{}, b{}, swapped{}, coarse{};
    FillGrade(&a, 33);
    PrepClampLut(&a);
    ASSERT_EQ(PrepAllocLut(&b, 33, 0, nullptr), 0);
    ASSERT_EQ(PrepAllocLut(&swapped, 33, 0, nullptr), 0);
    for (int32_t bi = 0; bi < 33; bi++) {
        for (int32_t g = 0; g < 33; g++) {
            for (int32_t r = 0; r < 33; r++) {
                memcpy(const_cast<float *>(NodeOf(b, r, g, bi)), NodeOf(a, r, g, bi), 3 * sizeof(float));
                memcpy(const_cast<float *>(NodeOf(swapped, r, g, bi)), NodeOf(a, bi, g, r), 3 * sizeof(float));
            }
        }
    }
    float *changed = const_cast<float *>(NodeOf(b, 3, 20, 7));
    changed[1] += 0.01f;

    PrepComparison same{}, one{}, mixed{}, resampled{};
    ASSERT_EQ(PrepCompare(&a, &a, kPrepTetrahedral, &same, nullptr), 0);
    EXPECT_EQ(same.max, 0.0);
    EXPECT_EQ(same.mean, 0.0);
    EXPECT_FALSE(same.rowOrderSwapped);

    ASSERT_EQ(PrepCompare(&a, &b, kPrepTetrahedral, &one, nullptr), 0);
    EXPECT_NEAR(one.max, 0.01, 1e-6);
    EXPECT_NEAR(one.maxCode10, 10.23, 1e-3);
    EXPECT_EQ(one.p99, 0.0);
    EXPECT_EQ(one.worstNode[0], 3);
    EXPECT_EQ(one.worstNode[1], 20);
    EXPECT_EQ(one.worstNode[2], 7);
    EXPECT_EQ(one.worstB[1], changed[1]);
    EXPECT_EQ(one.worstA[1], NodeOf(a, 3, 20, 7)[1]);
    EXPECT_FALSE(one.rowOrderSwapped);

    ASSERT_EQ(PrepCompare(&a, &swapped, kPrepTetrahedral, &mixed, nullptr), 0);
    EXPECT_GT(mixed.maxCode10, 10.0);
    EXPECT_EQ(mixed.swappedMax, 0.0);
    EXPECT_TRUE(mixed.rowOrderSwapped);

    // Sizes that differ: B is taken at A's nodes, copied where they align
    // and interpolated between.
    ASSERT_EQ(PrepResample(&a, 17, kPrepTetrahedral, &coarse, nullptr), 0);
    ASSERT_EQ(PrepCompare(&coarse, &a, kPrepTetrahedral, &resampled, nullptr), 0);
    EXPECT_EQ(resampled.max, 0.0);
    ASSERT_EQ(PrepCompare(&a, &coarse, kPrepTetrahedral, &resampled, nullptr), 0);
    EXPECT_GT(resampled.max, 0.0);
    EXPECT_LT(resampled.mean * kPrepCode10, 1.0);
    EXPECT_FALSE(resampled.rowOrderSwapped);
    for (PrepLut *lut : {&a, &b, &swapped, &coarse}) PrepFreeLut(lut);
}
