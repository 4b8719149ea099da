// lutprep's readers (PrepParseLut) on a file's bytes in memory, and the LUT
// they make evaluated once.
//
// Input: a byte whose value modulo 4 picks the family (CSV, cube, 3dl, or
// none), bit 0x40 whether warnings and the error are asked for at all, then
// the file's bytes, held in an allocation of exactly their size so that a
// read past the end is a sanitizer report.
//
// Checked: the result and what it leaves. A read LUT has a lattice of a
// size lutprep holds, of its family, with input ranges that are not empty;
// a refusal leaves nothing allocated and says why on a line of the file;
// warnings come once per code, in the order of their lines. The LUT is
// read into one that already holds a LUT, which must be freed on the way.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

#include "fuzz/fuzz_support.h"
#include "prep/lut_read.h"
#include "prep/source_lut.h"

namespace {

const PrepFamily kFamilies[] = {kPrepFamilyCsv, kPrepFamilyCube, kPrepFamily3dl, kPrepFamilyNone};

int64_t LineCount(const char *text, size_t size) {
    int64_t lines = 1;
    for (size_t i = 0; i < size; i++) lines += text[i] == '\n' ? 1 : 0;
    return lines;
}

void CheckLut(const PrepLut &lut, PrepFamily family) {
    FUZZ_CHECK(lut.points >= kPrepMinPoints && lut.points <= kPrepMaxPoints);
    FUZZ_CHECK(lut.values != nullptr);
    FUZZ_CHECK(lut.family == family);
    FUZZ_CHECK(lut.shaperPoints >= 0 && lut.shaperPoints <= kPrepMaxShaperPoints);
    FUZZ_CHECK((lut.shaper != nullptr) == (lut.shaperPoints > 0));
    for (int c = 0; c < 3; c++) {
        FUZZ_CHECK(lut.domainMin[c] < lut.domainMax[c]);
        if (lut.shaperPoints > 0) FUZZ_CHECK(lut.shaperMin[c] < lut.shaperMax[c]);
    }
    // Every node and shaper row is there to be read.
    volatile float sink = 0.0f;
    for (int64_t i = 0; i < 3 * PrepNodeCount(lut.points); i++) sink = lut.values[i];
    for (int64_t i = 0; i < 3 * int64_t{lut.shaperPoints}; i++) sink = lut.shaper[i];
    (void)sink;
    const float inputs[][3] = {{0.0f, 0.0f, 0.0f}, {0.5f, 0.25f, 1.0f}, {-1.0f, 2.0f, 0.999f}};
    for (const float *in : inputs) {
        float out[3];
        PrepEvaluate(&lut, kPrepTetrahedral, in, out);
        PrepEvaluate(&lut, kPrepTrilinear, in, out);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    PrepFamily family = kFamilies[data[0] % std::size(kFamilies)];
    bool report = (data[0] & 0x40) == 0;
    size_t textSize = size - 1;
    std::unique_ptr<char[]> text(new char[textSize]);
    memcpy(text.get(), data + 1, textSize);

    PrepLut lut{};
    PrepError held;
    FUZZ_CHECK(PrepAllocLut(&lut, kPrepMinPoints, 4, &held) == 0);
    PrepWarnings warnings;
    PrepError error;
    error.text[0] = '\0';
    int result =
        PrepParseLut(text.get(), textSize, family, &lut, report ? &warnings : nullptr, report ? &error : nullptr);
    FUZZ_CHECK(result == 0 || result == -1);
    if (result == 0) {
        CheckLut(lut, family);
    } else {
        FUZZ_CHECK(lut.values == nullptr && lut.shaper == nullptr);
        if (report) {
            FUZZ_CHECK(FuzzTerminated(error.text, sizeof error.text) && error.text[0] != '\0');
            FUZZ_CHECK(error.line >= 0 && error.line <= LineCount(text.get(), textSize));
        }
    }
    if (report) FuzzCheckWarnings(warnings);
    PrepFreeLut(&lut);
    return 0;
}
