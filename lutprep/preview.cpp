// "lutprep preview": a PNG of the built-in test pattern and of the pattern
// through LUT, or through LUT and LUT2 with their difference below
// (prep/preview.h tells the bands and the pattern). OUT is written as a
// temporary file beside it that takes its place only when complete.
#include <cstdlib>

#include "lutprep/lutprep.h"
#include "prep/png_write.h"
#include "prep/preview.h"

namespace {

struct Encoded {
    const uint8_t *bytes;
    size_t size;
};

int WriteEncoded(FILE *file, const void *context, PrepError *error) {
    const Encoded *png = static_cast<const Encoded *>(context);
    if (fwrite(png->bytes, 1, png->size, file) == png->size) return 0;
    PrepSetError(error, 0, "write failed");
    return -1;
}

}  // namespace

int RunPreview(const CliArgs &args) {
    int operands = args.operandCount;
    if (operands != 2 && operands != 3) return UsageError("preview", "preview needs LUT, perhaps LUT2, and OUT.png");
    int32_t width = kPreviewDefaultWidth;
    if (const char *widthText = OptionValue(args, "width"); widthText != nullptr) {
        width = ParseCount(widthText);
        if (width < kPreviewMinWidth || width > kPreviewMaxWidth) {
            return UsageError("preview", "--width %s: from %d to %d pixels", widthText, kPreviewMinWidth,
                              kPreviewMaxWidth);
        }
    }
    char **operand = args.operands;
    // OUT is written over: a last name that is no picture's is more likely
    // a LUT2 given where OUT belongs.
    const char *out = operand[operands - 1];
    if (!PrepEndsWithIgnoringCase(out, ".png")) {
        return UsageError("preview", "%s: OUT must be a .png name (it is written over)", out);
    }

    const char *names[2] = {operand[0], operands == 3 ? operand[1] : nullptr};
    PrepLut luts[2] = {};
    PrepPreview preview{};
    int status = kExitFailed;
    bool read = true;
    for (int i = 0; i < 2 && read && names[i] != nullptr; i++) {
        PrepWarnings warnings{};
        read = ReadSourceLut(names[i], ReadOptions(args), &luts[i], &warnings) == 0;
        if (read) PrintGuessedDepth(names[i], &warnings);
    }
    PrepError error{};
    uint8_t *png = nullptr;
    size_t pngSize = 0;
    if (read) {
        if (PrepMakePreview(&luts[0], names[1] != nullptr ? &luts[1] : nullptr, width, &preview, &error) != 0) {
            PrintError("%s", error.text);
        } else if ((png = PrepEncodePng(preview.width, preview.height, preview.rgb, &pngSize)) == nullptr) {
            PrintError("%s: out of memory for the PNG; nothing written", out);
        } else if (const Encoded encoded{png, pngSize}; WriteReplacing(out, WriteEncoded, nullptr, &encoded) == 0) {
            printf("%s: %dx%d PNG: the pattern, then through %s", out, preview.width, preview.height, names[0]);
            if (names[1] != nullptr) {
                printf(", through %s, and their difference times %d (at most %d 8-bit code value%s)", names[1],
                       kPreviewDiffGain, preview.largestDiff, preview.largestDiff == 1 ? "" : "s");
            }
            printf("\n");
            status = kExitOk;
        }
    }
    free(png);
    PrepFreePreview(&preview);
    PrepFreeLut(&luts[0]);
    PrepFreeLut(&luts[1]);
    return status;
}
