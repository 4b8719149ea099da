// lutprep's evaluation, resampling, clamping, loss and comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

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
