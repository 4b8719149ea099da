// The row scan of each 3D LUT family on its own, a few rows at a time: a
// whole file needs 4,913 data lines before its rows are scanned at all.
//
// Input: a byte whose value modulo 3 picks the family (CSV, cube, 3dl) and
// whose bit 0x80 starts the rows shortly before the end of the input's
// block; a byte whose low four bits give the row count less one and whose
// high four bits how far before that end the rows begin; then the rows'
// text.
//
// Checked against the reference scans (the readers as they were, on stdio):
// the number of rows scanned, where the scan stopped, and every value
// written. The scan gets room for exactly the rows asked for and no table
// of the other kind, so a write past them or into the wrong table is a
// sanitizer report or a crash.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>

#include "fuzz/fuzz_support.h"
#include "lut/lut3d_families.h"
#include "lut/lut_lines.h"
#include "tests/unit/reference_lut3d_reader.h"

namespace {

struct FamilyCase {
    const Lut3dFamily *family;
    int (*referenceFloat)(FILE *, float (*)[3], int);
    int (*referenceInt)(FILE *, int16_t (*)[3], int);
};

const FamilyCase kCases[] = {
    {&kLut3dCsvFamily, reference::ScanCsvRows, nullptr},
    {&kLut3dCubeFamily, reference::ScanCubeRows, nullptr},
    {&kLut3d3dlFamily, nullptr, reference::Scan3dlRows},
};

// Large: not on the stack.
LutInput Input;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2) return 0;
    const FamilyCase &c = kCases[data[0] % std::size(kCases)];
    bool acrossBlockEnd = (data[0] & 0x80) != 0;
    int rowCount = (data[1] & 0x0F) + 1;
    size_t before = acrossBlockEnd ? (data[1] >> 4) * 4u + 1u : 0;
    std::string text(reinterpret_cast<const char *>(data + 2), size - 2);

    // Same fill for both sides, so that rows neither side wrote compare equal.
    size_t tableBytes = static_cast<size_t>(rowCount) * 3 * (c.family->intTable ? sizeof(int16_t) : sizeof(float));
    std::unique_ptr<float[][3]> floats, floatsReference;
    std::unique_ptr<int16_t[][3]> ints, intsReference;
    if (c.family->intTable) {
        ints.reset(new int16_t[rowCount][3]);
        intsReference.reset(new int16_t[rowCount][3]);
        memset(ints.get(), 0x5A, tableBytes);
        memset(intsReference.get(), 0x5A, tableBytes);
    } else {
        floats.reset(new float[rowCount][3]);
        floatsReference.reset(new float[rowCount][3]);
        memset(floats.get(), 0x5A, tableBytes);
        memset(floatsReference.get(), 0x5A, tableBytes);
    }

    FuzzStartLutInput(&Input, text, before);
    int scanned = c.family->scanRows(&Input, {floats.get(), ints.get()}, rowCount);
    int64_t stop = LutInputOffset(&Input);
    CloseLutInput(&Input);

    FILE *stream = FuzzOpenBytes(text);
    int scannedReference = c.family->intTable ? c.referenceInt(stream, intsReference.get(), rowCount)
                                              : c.referenceFloat(stream, floatsReference.get(), rowCount);
    int64_t stopReference = ftell(stream);
    fclose(stream);

    FUZZ_CHECK(scanned >= 0 && scanned <= rowCount);
    FUZZ_CHECK(scanned == scannedReference);
    FUZZ_CHECK(stop == stopReference);
    const void *mine = c.family->intTable ? static_cast<const void *>(ints.get()) : floats.get();
    const void *theirs = c.family->intTable ? static_cast<const void *>(intsReference.get()) : floatsReference.get();
    FUZZ_CHECK(memcmp(mine, theirs, tableBytes) == 0);
    return 0;
}
