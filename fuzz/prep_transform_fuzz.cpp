// lutprep's reader of one format (PrepParseTransform, the family of
// "x.PREP_FUZZ_EXTENSION") on a file's bytes in memory, and the transform it
// makes applied and baked. Built once per format, the extension given by
// the build (fuzz/CMakeLists.txt lists them).
//
// Input: a byte whose low two bits pick the --cccid (none, "0", "1" or
// "cc0001": an index, and an id of the sample collections), bit 0x20
// whether the file is named (with a depth in its name, as a Discreet
// .lut's may be), bit 0x40 whether warnings and the error are asked for at
// all, then the file's bytes, held in an allocation of exactly their size
// so that a read past the end is a sanitizer report.
//
// Checked: a read transform holds 1 to kPrepMaxOps operations of the
// format, each named and applicable, its LUTs of sizes lutprep holds with
// input ranges that are not empty, its curves' listed inputs increasing;
// it is applied at a few inputs (NaN among them) and baked to the
// smallest lattice. A refusal leaves nothing in the transform and says why
// on a line of the file. Warnings come once per code, in the order of
// their lines.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>

#include "fuzz/fuzz_support.h"
#include "prep/lut_read.h"
#include "prep/source_lut.h"
#include "prep/transform.h"

#ifndef PREP_FUZZ_EXTENSION
#error "PREP_FUZZ_EXTENSION: the extension of the format fuzzed"
#endif

namespace {

const char *const kCccids[] = {nullptr, "0", "1", "cc0001"};

// The XML formats, whose lines are counted as XML counts them.
const char *const kXmlExtensions[] = {"clf", "ctf", "cc", "ccc", "cdl", "look"};

bool IsXml(const char *extension) {
    for (const char *xml : kXmlExtensions) {
        if (strcmp(xml, extension) == 0) return true;
    }
    return false;
}

// The lines of the text as its reader counts them: by line feeds, or in
// XML by every line end (CR LF, LF, or CR alone).
int64_t LineCount(const char *text, size_t size, bool xml) {
    int64_t lines = 1;
    for (size_t i = 0; i < size; i++) {
        bool loneCr = xml && text[i] == '\r' && (i + 1 == size || text[i + 1] != '\n');
        lines += text[i] == '\n' || loneCr ? 1 : 0;
    }
    return lines;
}

void ReadAll(const float (*rows)[3], int64_t count) {
    volatile float sink = 0.0f;
    for (int64_t i = 0; i < count; i++) sink = rows[i][0] + rows[i][1] + rows[i][2];
    (void)sink;
}

void CheckLut(const PrepLut &lut) {
    FUZZ_CHECK(lut.points >= kPrepMinPoints && lut.points <= kPrepMaxPoints);
    FUZZ_CHECK(lut.values != nullptr);
    FUZZ_CHECK(lut.shaperPoints >= 0 && lut.shaperPoints <= kPrepMaxShaperPoints);
    FUZZ_CHECK((lut.shaper != nullptr) == (lut.shaperPoints > 0));
    for (int c = 0; c < 3; c++) {
        FUZZ_CHECK(lut.domainMin[c] < lut.domainMax[c]);
        if (lut.shaperPoints > 0) FUZZ_CHECK(lut.shaperMin[c] < lut.shaperMax[c]);
    }
    ReadAll(reinterpret_cast<const float(*)[3]>(lut.values), PrepNodeCount(lut.points));
    ReadAll(reinterpret_cast<const float(*)[3]>(lut.shaper), lut.shaperPoints);
}

void CheckCurve(const PrepCurve &curve) {
    FUZZ_CHECK(curve.points >= 0);
    if (curve.points == 0) return;
    FUZZ_CHECK(curve.values != nullptr);
    ReadAll(curve.values, curve.points);
    if (curve.positions == nullptr) return;
    ReadAll(curve.positions, curve.points);
    for (int32_t k = 1; k < curve.points; k++) {
        for (int c = 0; c < 3; c++) FUZZ_CHECK(curve.positions[k][c] >= curve.positions[k - 1][c]);
    }
}

void CheckTransform(PrepTransform *t, PrepFamily family) {
    FUZZ_CHECK(t->count >= 1 && t->count <= kPrepMaxOps);
    FUZZ_CHECK(t->family == family);
    FUZZ_CHECK(FuzzTerminated(t->notes, sizeof t->notes));
    for (int32_t i = 0; i < t->count; i++) {
        const PrepOp &op = t->ops[i];
        FUZZ_CHECK(op.name != nullptr && op.apply != nullptr);
        if (op.apply == PrepApplyLut) CheckLut(op.lut);
        CheckCurve(op.curve);
    }
    // Inputs beyond [0, 1], infinite and NaN too: an operation of a chain
    // takes what the one before gives.
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double inputs[][3] = {
        {0.0, 0.0, 0.0}, {0.5, 0.25, 1.0}, {-1.0, 2.0, 0.999}, {1e30, -1e30, 0.5}, {inf, -inf, nan}};
    for (const double *in : inputs) {
        for (PrepInterp interp : {kPrepTetrahedral, kPrepTrilinear}) {
            double rgb[3] = {in[0], in[1], in[2]};
            PrepApplyTransform(t, interp, rgb);
        }
    }
    PrepLut baked{};
    PrepError error;
    if (PrepTransformToLut(t, kPrepMinPoints, kPrepTetrahedral, &baked, &error) == 0) {
        CheckLut(baked);
    } else {
        FUZZ_CHECK(FuzzTerminated(error.text, sizeof error.text) && error.text[0] != '\0');
    }
    PrepFreeLut(&baked);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const PrepFamily family = PrepFamilyOfName("x." PREP_FUZZ_EXTENSION);
    // A target whose format's reader is not in the table fuzzes nothing.
    FUZZ_CHECK(family != kPrepFamilyNone);
    if (size == 0) return 0;
    PrepReadOptions options{};
    options.cccid = kCccids[data[0] % std::size(kCccids)];
    options.name = (data[0] & 0x20) != 0 ? "grade_10to12." PREP_FUZZ_EXTENSION : nullptr;
    bool report = (data[0] & 0x40) == 0;
    size_t textSize = size - 1;
    std::unique_ptr<char[]> text(new char[textSize]);
    memcpy(text.get(), data + 1, textSize);

    std::unique_ptr<PrepTransform> t(new PrepTransform{});
    PrepWarnings warnings;
    PrepError error;
    error.text[0] = '\0';
    int result = PrepParseTransform(text.get(), textSize, family, options, t.get(), report ? &warnings : nullptr,
                                    report ? &error : nullptr);
    FUZZ_CHECK(result == 0 || result == -1);
    if (result == 0) {
        CheckTransform(t.get(), family);
    } else {
        FUZZ_CHECK(t->count == 0);
        if (report) {
            FUZZ_CHECK(FuzzTerminated(error.text, sizeof error.text) && error.text[0] != '\0');
            FUZZ_CHECK(error.line >= 0 && error.line <= LineCount(text.get(), textSize, IsXml(PREP_FUZZ_EXTENSION)));
        }
    }
    if (report) FuzzCheckWarnings(warnings);
    PrepFreeTransform(t.get());
    return 0;
}
