// The preview's pattern and bands. Every row of a stripe is alike, so each
// band is worked out one row per stripe, then copied down its height.
#include "prep/preview.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kPixelBytes = 3;
constexpr uint8_t kPrimariesAndSecondaries[][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                   {0, 255, 255}, {255, 0, 255}, {255, 255, 0}};
constexpr int32_t kPrimaries = sizeof kPrimariesAndSecondaries / sizeof kPrimariesAndSecondaries[0];
constexpr int32_t kColourPatches = kPrimaries + sizeof kPreviewSkinTones / sizeof kPreviewSkinTones[0];
// The fifth stripe: this many near-black patches from code 0, then as many
// near-white ones ending at 255, kStepCodes apart.
constexpr int32_t kSteps = 16;
constexpr int32_t kStepCodes = 2;
constexpr int32_t kFirstNearWhite = 255 - (kSteps - 1) * kStepCodes;

// The 8-bit code of v, clamped to [0, 1] first (NaN to 0) and rounded.
uint8_t Code8(double v) {
    v = v > 0.0 ? v : 0.0;  // NaN too
    v = v < 1.0 ? v : 1.0;
    return static_cast<uint8_t>(v * 255.0 + 0.5);
}

// The hue at x of the width, at value 1 and the saturation given. Through
// each sixth of the width one channel is full, one at the floor, and one
// rises or falls between them.
void HuePixel(int32_t x, int32_t width, double saturation, uint8_t out[3]) {
    enum Role { kFull, kFloor, kRising, kFalling };
    static constexpr Role kSextants[6][3] = {{kFull, kRising, kFloor}, {kFalling, kFull, kFloor},
                                             {kFloor, kFull, kRising}, {kFloor, kFalling, kFull},
                                             {kRising, kFloor, kFull}, {kFull, kFloor, kFalling}};
    double h = 6.0 * x / width;  // [0, 6), as x < width
    int32_t sextant = static_cast<int32_t>(h);
    double f = h - sextant;
    // Indexed by Role.
    const double level[] = {1.0, 1.0 - saturation, 1.0 - saturation * (1.0 - f), 1.0 - saturation * f};
    for (int c = 0; c < 3; c++) out[c] = Code8(level[kSextants[sextant][c]]);
}

void SetGrey(uint8_t out[3], int32_t code) { out[0] = out[1] = out[2] = static_cast<uint8_t>(code); }

// The pattern's pixel at column x of a stripe.
void PatternPixel(int32_t stripe, int32_t x, int32_t width, uint8_t out[3]) {
    switch (stripe) {
    case 0:
        // Rounded to the nearest code: 0 at the left edge, 255 at the right.
        SetGrey(out, (2 * 255 * x + (width - 1)) / (2 * (width - 1)));
        break;
    case 1:
        HuePixel(x, width, 1.0, out);
        break;
    case 2:
        HuePixel(x, width, 0.5, out);
        break;
    case 3: {
        int32_t patch = x * kColourPatches / width;
        memcpy(out, patch < kPrimaries ? kPrimariesAndSecondaries[patch] : kPreviewSkinTones[patch - kPrimaries], 3);
        break;
    }
    default: {
        int32_t patch = x * 2 * kSteps / width;
        SetGrey(out, patch < kSteps ? patch * kStepCodes : kFirstNearWhite + (patch - kSteps) * kStepCodes);
        break;
    }
    }
}

// pixels through lut, as the box applies it to video.
void ApplyLut(const PrepLut *lut, const uint8_t *in, uint8_t *out, int32_t pixels) {
    for (int32_t i = 0; i < pixels; i++, in += kPixelBytes, out += kPixelBytes) {
        float from[3], to[3];
        for (int c = 0; c < 3; c++) from[c] = in[c] / 255.0f;
        PrepEvaluate(lut, kPrepTetrahedral, from, to);
        for (int c = 0; c < 3; c++) out[c] = Code8(to[c]);
    }
}

}  // namespace

int PrepMakePreview(const PrepLut *lut, const PrepLut *lut2, int32_t width, PrepPreview *out, PrepError *error) {
    *out = PrepPreview{};
    if (width < kPreviewMinWidth || width > kPreviewMaxWidth) {
        PrepSetError(error, 0, "a width of %d; it must be from %d to %d", width, kPreviewMinWidth, kPreviewMaxWidth);
        return -1;
    }
    const int32_t bands = lut2 != nullptr ? 4 : 2;
    const int32_t bandHeight = width / 4;
    const size_t rowBytes = static_cast<size_t>(width) * kPixelBytes;
    const int32_t stripePixels = kPreviewStripes * width;
    // One row per stripe of each band, band after band.
    uint8_t *rows = static_cast<uint8_t *>(malloc(bands * kPreviewStripes * rowBytes));
    uint8_t *rgb = rows != nullptr ? static_cast<uint8_t *>(malloc(bands * bandHeight * rowBytes)) : nullptr;
    if (rgb == nullptr) {
        free(rows);
        PrepSetError(error, 0, "out of memory for a %d-pixel-wide preview", width);
        return -1;
    }
    uint8_t *pattern = rows;
    for (int32_t s = 0; s < kPreviewStripes; s++) {
        for (int32_t x = 0; x < width; x++) PatternPixel(s, x, width, pattern + s * rowBytes + x * kPixelBytes);
    }
    uint8_t *first = pattern + kPreviewStripes * rowBytes;
    ApplyLut(lut, pattern, first, stripePixels);
    out->largestDiff = -1;
    if (lut2 != nullptr) {
        uint8_t *second = first + kPreviewStripes * rowBytes;
        uint8_t *diff = second + kPreviewStripes * rowBytes;
        ApplyLut(lut2, pattern, second, stripePixels);
        for (size_t i = 0; i < kPreviewStripes * rowBytes; i++) {
            int32_t d = abs(first[i] - second[i]);
            out->largestDiff = d > out->largestDiff ? d : out->largestDiff;
            diff[i] = static_cast<uint8_t>(d * kPreviewDiffGain < 255 ? d * kPreviewDiffGain : 255);
        }
    }
    for (int32_t band = 0; band < bands; band++) {
        for (int32_t y = 0; y < bandHeight; y++) {
            const uint8_t *stripe = rows + (band * kPreviewStripes + y * kPreviewStripes / bandHeight) * rowBytes;
            memcpy(rgb + (band * bandHeight + y) * rowBytes, stripe, rowBytes);
        }
    }
    free(rows);
    out->width = width;
    out->height = bands * bandHeight;
    out->bands = bands;
    out->rgb = rgb;
    return 0;
}

void PrepFreePreview(PrepPreview *preview) {
    free(preview->rgb);
    *preview = PrepPreview{};
}
