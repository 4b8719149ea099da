// Not the box's reader (that is lut/lut3d_reader.cpp): the entry of lutprep's readers.
//
// A file, or bytes in memory, to the parser of its format's row in the
// table. A file is read in blocks as it is parsed (text_scan.cpp), so that
// reading a LUT takes memory for the LUT, not for its text as well: a
// 256-point CSV is 633 MB of text for a 201 MB table.
#include "prep/lut_read.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"
#include "platform/platform.h"

bool PrepEndsWithIgnoringCase(const char *text, const char *suffix) {
    size_t n = strlen(text);
    size_t m = strlen(suffix);
    if (n < m) return false;
    for (size_t i = 0; i < m; i++) {
        if (AsciiLower(static_cast<unsigned char>(text[n - m + i])) != suffix[i]) return false;
    }
    return true;
}

PrepFamily PrepFamilyOfName(const char *path) {
    for (int32_t i = 0; PrepFormatAt(i) != nullptr; i++) {
        if (PrepEndsWithIgnoringCase(path, PrepFormatAt(i)->extension)) return PrepFormatAt(i);
    }
    return kPrepFamilyNone;
}

namespace {

// The extensions of the formats read: ".csv, .cube or .3dl".
void ReadExtensionsText(char *out, size_t size) {
    int32_t count = 0;
    for (int32_t i = 0; PrepFormatAt(i) != nullptr; i++) count += PrepFormatAt(i)->parse != nullptr ? 1 : 0;
    size_t used = 0;
    out[0] = '\0';
    for (int32_t i = 0, k = 0; PrepFormatAt(i) != nullptr && used < size; i++) {
        if (PrepFormatAt(i)->parse == nullptr) continue;
        const char *joint = k == 0 ? "" : k + 1 == count ? " or " : ", ";
        int n = snprintf(out + used, size - used, "%s%s", joint, PrepFormatAt(i)->extension);
        if (n < 0) break;
        used += static_cast<size_t>(n);
        k++;
    }
}

}  // namespace

namespace {

int ParseSource(const PrepSource &source, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    if (warnings != nullptr) *warnings = PrepWarnings{};
    if (family != nullptr && family->parse != nullptr) return family->parse(source, lut, warnings, error);
    PrepFreeLut(lut);
    char extensions[64];
    ReadExtensionsText(extensions, sizeof extensions);
    PrepSetError(error, 0, "not a LUT file name (%s)", extensions);
    return -1;
}

}  // namespace

int PrepParseLut(const char *text, size_t size, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                 PrepError *error) {
    return ParseSource(PrepSource{text, size, nullptr}, family, lut, warnings, error);
}

int PrepReadLutFile(const char *path, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    if (warnings != nullptr) *warnings = PrepWarnings{};
    // Never waits: a FIFO or a device is refused at once, not read for ever.
    FILE *file = PlatformOpenRegularFile(path);
    if (file == nullptr) {
        PrepSetError(error, 0, "cannot open: no such file, not readable, or not a regular file");
        return -1;
    }
    // Refused by its size before a byte is read; the reading stops at the
    // limit too, should the file grow meanwhile.
    int result = -1;
    if (PlatformFileSize(file) > kPrepMaxFileBytes) {
        PrepSetError(error, 0, "more than %lld bytes: larger than any LUT file",
                     static_cast<long long>(kPrepMaxFileBytes));
    } else {
        result = ParseSource(PrepSource{nullptr, 0, file}, family, lut, warnings, error);
    }
    fclose(file);
    return result;
}
