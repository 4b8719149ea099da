// Test LUTs for lutprep's engine: a grade that looks like a colourist's
// (smooth, every channel depending on all three), made as a lattice in
// memory or as cube text.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "prep/resample.h"
#include "prep/source_lut.h"
#include "prep/transform.h"

// Saturation about luma, a hue twist and a soft contrast curve; some values
// leave [0, 1], as graded LUTs' do.
inline void CreativeGrade(double r, double g, double b, double out[3]) {
    double luma = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    double s[3] = {luma + 1.2 * (r - luma), luma + 1.2 * (g - luma), luma + 1.2 * (b - luma)};
    double twist = 0.04 * std::sin(3.0 * g - 2.0 * b + 1.0);
    out[0] = 0.02 + 0.96 * s[0] + twist + 0.05 * g * b;
    out[1] = 0.01 + 0.97 * s[1] - 0.5 * twist + 0.03 * r * (1.0 - b);
    out[2] = 0.03 + s[2] * (0.9 + 0.1 * s[2]) + 0.02 * std::cos(2.0 * r + g);
}

// A lattice whose node (r, g, b) holds f of the node's input position.
template <typename F>
inline void FillWith(PrepLut *lut, int32_t points, F f) {
    ASSERT_EQ(PrepAllocLut(lut, points, 0, nullptr), 0);
    int64_t row = 0;
    for (int32_t b = 0; b < points; b++) {
        for (int32_t g = 0; g < points; g++) {
            for (int32_t r = 0; r < points; r++, row++) {
                double x[3] = {static_cast<double>(r) / (points - 1), static_cast<double>(g) / (points - 1),
                               static_cast<double>(b) / (points - 1)};
                double y[3];
                f(x, y);
                for (int c = 0; c < 3; c++) lut->values[3 * row + c] = static_cast<float>(y[c]);
            }
        }
    }
}

// A lattice of the grade, red fastest, in domain [0, 1].
inline void FillGrade(PrepLut *lut, int32_t points) {
    ASSERT_EQ(PrepAllocLut(lut, points, 0, nullptr), 0);
    int64_t row = 0;
    for (int32_t b = 0; b < points; b++) {
        for (int32_t g = 0; g < points; g++) {
            for (int32_t r = 0; r < points; r++, row++) {
                double out[3];
                CreativeGrade(static_cast<double>(r) / (points - 1), static_cast<double>(g) / (points - 1),
                              static_cast<double>(b) / (points - 1), out);
                for (int c = 0; c < 3; c++) lut->values[3 * row + c] = static_cast<float>(out[c]);
            }
        }
    }
}

// The lattice's rows as cube text ("%.9g" reads back as the same float),
// after the given header lines.
inline std::string CubeRows(const PrepLut &lut, const std::string &header, const char *eol = "\n") {
    std::string text = header;
    char row[96];
    for (int64_t node = 0; node < PrepNodeCount(lut.points); node++) {
        const float *v = lut.values + 3 * node;
        snprintf(row, sizeof row, "%.9g %.9g %.9g%s", static_cast<double>(v[0]), static_cast<double>(v[1]),
                 static_cast<double>(v[2]), eol);
        text += row;
    }
    return text;
}

// The transform of the one operation op baked at 33 points into *result
// and clamped, and its loss between the nodes measured, as convert does it.
inline PrepLoss BakeAndMeasure(PrepApply op, PrepLut *result) {
    static PrepTransform t;
    PrepLoss loss{};
    EXPECT_NE(PrepAddOp(&t, "test", op, nullptr), nullptr);
    EXPECT_EQ(PrepBakeTransform(&t, 33, kPrepTetrahedral, result, nullptr), 0);
    PrepClampLut(result);
    EXPECT_EQ(PrepMeasureTransformLoss(&t, result, kPrepTetrahedral, &loss, nullptr), 0);
    PrepFreeTransform(&t);
    return loss;
}
