// The table of the formats: one line per format, in the order their
// extensions are listed in messages.
#include "prep/format.h"

#include <iterator>

namespace {

const PrepFamily kFormats[] = {
    &kPrepFormatCsv,   &kPrepFormatCube,   &kPrepFormat3dl, &kPrepFormatCsp,      &kPrepFormatSpi1d,
    &kPrepFormatSpi3d, &kPrepFormatSpimtx, &kPrepFormatHdl, &kPrepFormatDiscreet, &kPrepFormatCub,
    &kPrepFormatItx,   &kPrepFormatVf,     &kPrepFormatM3d, &kPrepFormatMga,      &kPrepFormatLook,
    &kPrepFormatClf,   &kPrepFormatCtf,    &kPrepFormatCc,  &kPrepFormatCcc,      &kPrepFormatCdl,
};

}  // namespace

PrepFamily PrepFormatAt(int32_t i) {
    return i >= 0 && i < static_cast<int32_t>(std::size(kFormats)) ? kFormats[i] : nullptr;
}

int64_t PrepBlueFastestNode(int32_t points, int64_t row) {
    int64_t n = points;
    int64_t r = row / (n * n), g = row / n % n, b = row % n;
    return r + n * (g + n * b);
}
