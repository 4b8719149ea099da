// What lutprep convert names as the cause of a coarser grid's loss: a
// shaper only for a response steep or curved near one end of the input
// axes; otherwise a coarser grid, or grids that do not line up. Each LUT
// here is made with a known cause, and converted as convert does it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "lutprep/lutprep.h"
#include "prep/box_lut.h"
#include "prep_test_luts.h"

namespace {

// The same curve on each channel of its own input.
template <typename F>
void FillPerChannel(PrepLut *lut, int32_t points, F curve) {
    FillWith(lut, points, [&](const double *x, double *y) {
        for (int c = 0; c < 3; c++) y[c] = curve(x[c]);
    });
}

// What convert does with source at `points`: resampled, clamped, the loss
// measured; then the cause, which the loss must warrant (over a code value).
LossCause CauseAt(const PrepLut *source, int32_t points) {
    PrepLut result{};
    int64_t clamped = 0;
    PrepLoss loss{};
    LossCause cause{};
    PrepError error{};
    EXPECT_EQ(PrepFitToBox(source, BoxSizeOfPoints(points), kPrepTetrahedral, &result, &clamped, nullptr, &error), 0);
    EXPECT_EQ(PrepMeasureLoss(source, &result, kPrepTetrahedral, &loss, &error), 0);
    EXPECT_GT(loss.finiteMaxCode10, 1.0);
    FindLossCause(source, &result, loss, &cause);
    PrepFreeLut(&result);
    return cause;
}

double PowerCurve(double v) { return std::pow(v, 1 / 2.4); }

}  // namespace

// Responses a shaper could straighten: steep near black (a power curve, a
// log curve of linear light), steep near white; in the source's own
// shaper too, although OUT is finer than the lattice behind it.
TEST(LutprepLossCause, SteepNearOneEndNeedsAShaper) {
    PrepLut lut{};
    FillPerChannel(&lut, 65, PowerCurve);
    LossCause cause = CauseAt(&lut, 33);
    EXPECT_EQ(cause.kind, kLossCurved);
    EXPECT_EQ(cause.end, 0);

    FillPerChannel(&lut, 65, [](double v) { return std::log2(1 + 200 * v) / std::log2(201.0); });
    cause = CauseAt(&lut, 33);
    EXPECT_EQ(cause.kind, kLossCurved);
    EXPECT_EQ(cause.end, 0);

    FillPerChannel(&lut, 65, [](double v) { return 1 - std::pow(1 - v, 0.45); });
    cause = CauseAt(&lut, 33);
    EXPECT_EQ(cause.kind, kLossCurved);
    EXPECT_EQ(cause.end, 1);

    // A 26-point identity lattice behind a power-curve shaper, made a
    // 33-point LUT (measured at 26 points, where the two grids differ).
    FillPerChannel(&lut, 26, [](double v) { return v; });
    PrepLut shaped{};
    ASSERT_EQ(PrepAllocLut(&shaped, 26, 1024, nullptr), 0);
    memcpy(shaped.values, lut.values, static_cast<size_t>(PrepNodeCount(26)) * 3 * sizeof(float));
    for (int32_t k = 0; k < 1024; k++) {
        for (int c = 0; c < 3; c++) shaped.shaper[3 * k + c] = static_cast<float>(PowerCurve(k / 1023.0));
    }
    cause = CauseAt(&shaped, 33);
    EXPECT_EQ(cause.kind, kLossCurved);
    EXPECT_EQ(cause.end, 0);
    PrepFreeLut(&shaped);
    PrepFreeLut(&lut);
}

// Loss that no shaper at one end removes: a response that changes quickly
// everywhere, one steep in the middle, a node out of line with the rest,
// and a curve of even curvature, on a coarser grid.
TEST(LutprepLossCause, CoarserGridWhereTheLossIsNotAtOneEnd) {
    PrepLut lut{};
    FillWith(&lut, 65, [](const double *x, double *y) {
        y[0] = 0.5 + 0.4 * std::sin(12 * x[0] + 3 * x[1]);
        y[1] = 0.5 + 0.4 * std::sin(11 * x[1] + 2 * x[2]);
        y[2] = 0.5 + 0.4 * std::sin(13 * x[2] + x[0]);
    });
    EXPECT_EQ(CauseAt(&lut, 33).kind, kLossCoarser);

    FillPerChannel(&lut, 65, [](double v) { return 1 / (1 + std::exp(-30 * (v - 0.5))); });
    EXPECT_EQ(CauseAt(&lut, 33).kind, kLossCoarser);

    FillPerChannel(&lut, 65, [](double v) { return v; });
    lut.values[0] = 0.3f;  // node (0, 0, 0), red
    EXPECT_EQ(CauseAt(&lut, 33).kind, kLossCoarser);

    FillPerChannel(&lut, 33, [](double v) { return v + 1.5 * v * (1 - v); });
    EXPECT_EQ(CauseAt(&lut, 17).kind, kLossCoarser);
    PrepFreeLut(&lut);
}

// OUT with as many points as IN or more loses only where its nodes fall
// between IN's: the grids do not line up, whatever IN's response (a power
// curve from 32 points to 33; a 17-point curve at 26 points).
TEST(LutprepLossCause, FinerGridThatDoesNotLineUp) {
    PrepLut lut{};
    FillPerChannel(&lut, 32, PowerCurve);
    EXPECT_EQ(CauseAt(&lut, 33).kind, kLossMisaligned);

    FillPerChannel(&lut, 17, PowerCurve);
    EXPECT_EQ(CauseAt(&lut, 26).kind, kLossMisaligned);
    PrepFreeLut(&lut);
}

namespace {

void PowerCurveOp(const PrepOp &, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = PowerCurve(rgb[c]);
}

void WavesOp(const PrepOp &, double rgb[3]) {
    double in[3] = {rgb[0], rgb[1], rgb[2]};
    for (int c = 0; c < 3; c++) rgb[c] = 0.5 + 0.4 * std::sin(12 * in[c] + 3 * in[(c + 1) % 3]);
}

// The cause of the loss of a transform (a CDL, a chain) baked at 33 points,
// as convert finds it: it has no grid of its own.
LossCause TransformCause(PrepApply apply) {
    PrepLut result{};
    LossCause cause{};
    PrepLoss loss = BakeAndMeasure(apply, &result);
    EXPECT_GT(loss.finiteMaxCode10, 1.0);
    FindLossCause(nullptr, &result, loss, &cause);
    PrepFreeLut(&result);
    return cause;
}

}  // namespace

// A transform's loss is measured at the centres of the result's cells: a
// response steep near black still names a shaper, one that changes quickly
// everywhere the grid.
TEST(LutprepLossCause, TransformsAreJudgedByWhereTheirLossLies) {
    LossCause cause = TransformCause(PowerCurveOp);
    EXPECT_EQ(cause.kind, kLossCurved);
    EXPECT_EQ(cause.end, 0);
    EXPECT_EQ(TransformCause(WavesOp).kind, kLossCoarser);
}
