// Read1dLutFile on whole files of both forms, against the reference reader
// (the reader as it was, on stdio).
//
// Input: a byte whose value modulo 6 picks the extension (".hex", ".Hex",
// ".lut", ".LUT", and ".HEX" and ".txt", which name no form), then the
// file's bytes.
//
// Checked: the result is the form the extension names (a file just written
// always opens and reads), and the result and every entry of the table are
// the reference's.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

#include "fuzz/fuzz_support.h"
#include "lut/lut1d_reader.h"
#include "tests/unit/reference_lut3d_reader.h"

namespace {

// The values the 1D reader fills here.
int32_t Table1d[kLut1dEntries];

struct Form {
    const char *extension;
    int32_t result;
};

const Form kForms[] = {{".hex", kLut1dHexRead}, {".Hex", kLut1dHexRead},     {".lut", kLut1dLutRead},
                       {".LUT", kLut1dLutRead}, {".HEX", kLut1dUnknownKind}, {".txt", kLut1dUnknownKind}};

int32_t Mine[kLut1dEntries];

void Poison() {
    for (int i = 0; i < kLut1dEntries; i++) Table1d[i] = -77 - i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    const Form &form = kForms[data[0] % std::size(kForms)];
    std::string path = FuzzWriteFile(std::string("gamma") + form.extension, data + 1, size - 1);

    Poison();
    int32_t result = Read1dLutFile(path.c_str(), Table1d);
    memcpy(Mine, Table1d, sizeof Mine);
    FUZZ_CHECK(result == form.result);

    Poison();
    int32_t referenceResult = reference::Read1dLutFile(path.c_str(), Table1d);
    FUZZ_CHECK(result == referenceResult);
    FUZZ_CHECK(memcmp(Mine, Table1d, sizeof Mine) == 0);
    return 0;
}
