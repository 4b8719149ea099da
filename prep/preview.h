// A picture of what a LUT does: a built-in test pattern, then the pattern
// through one LUT, and, given a second LUT, through that one and the two
// results' difference, as bands of equal height stacked top to bottom.
//
// Each band is `width` pixels wide and width / 4 high, and holds the
// pattern's five stripes, top to bottom (of equal height, or a row apart
// where the band's height is no multiple of five):
//   1. grey ramp: black at the left edge to white at the right edge;
//   2. hues at full saturation and value, red at the left edge through
//      yellow, green, cyan, blue and magenta, back towards red;
//   3. the same hues at half saturation;
//   4. ten patches: red, green, blue, cyan, magenta, yellow, then four skin
//      tones from light to dark (kPreviewSkinTones);
//   5. 32 patches: near black, 8-bit codes 0, 2, ..., 30, then near white,
//      225, 227, ..., 255.
// The LUT is applied as the box applies it to video: each pixel's 8-bit
// codes divided by 255 are the LUT's input (its domain and shaper
// honoured), tetrahedral interpolation, the result clamped to [0, 1] and
// rounded to 8 bits.
#pragma once

#include <cstdint>

#include "prep/source_lut.h"

constexpr int32_t kPreviewDefaultWidth = 1024;
// Narrower, and the fifth stripe's patches would be under 2 pixels wide;
// at the widest the picture takes 50 MB, and encoding it as much again.
constexpr int32_t kPreviewMinWidth = 64;
constexpr int32_t kPreviewMaxWidth = 4096;
constexpr int32_t kPreviewStripes = 5;
// The difference band shows |LUT - LUT2| this many times over, clipped, so
// that a difference of a code value or two can be seen.
constexpr int32_t kPreviewDiffGain = 8;

constexpr uint8_t kPreviewSkinTones[][3] = {{255, 219, 172}, {194, 150, 130}, {141, 85, 36}, {115, 82, 68}};

struct PrepPreview {
    int32_t width;
    int32_t height;  // bands * (width / 4)
    int32_t bands;   // 2, or 4 with a second LUT
    uint8_t *rgb;    // height rows of width pixels of red, green, blue
    // The largest difference of the two LUTs' results over the pattern, in
    // 8-bit codes of any one channel; -1 without a second LUT.
    int32_t largestDiff;
};

// Draws the preview of lut (and of lut2, when it is not null) `width`
// pixels wide, kPreviewMinWidth to kPreviewMaxWidth, into *out. Returns 0,
// or -1 with *error set for a width out of range or a failed allocation
// (nothing is then left allocated).
int PrepMakePreview(const PrepLut *lut, const PrepLut *lut2, int32_t width, PrepPreview *out, PrepError *error);

void PrepFreePreview(PrepPreview *preview);
