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
#include <filesystem>
#include <system_error>

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

bool IsRead(PrepFamily format) { return format->parse != nullptr || format->parseTransform != nullptr; }

// The extensions of the formats read: ".csv, .cube or .3dl".
void ReadExtensionsText(char *out, size_t size) {
    int32_t count = 0;
    for (int32_t i = 0; PrepFormatAt(i) != nullptr; i++) count += IsRead(PrepFormatAt(i)) ? 1 : 0;
    size_t used = 0;
    out[0] = '\0';
    for (int32_t i = 0, k = 0; PrepFormatAt(i) != nullptr && used < size; i++) {
        if (!IsRead(PrepFormatAt(i))) continue;
        const char *joint = k == 0 ? "" : k + 1 == count ? " or " : ", ";
        int n = snprintf(out + used, size - used, "%s%s", joint, PrepFormatAt(i)->extension);
        if (n < 0) break;
        used += static_cast<size_t>(n);
        k++;
    }
}

}  // namespace

void PrepRefuseFileName(PrepError *error) {
    char extensions[200];
    ReadExtensionsText(extensions, sizeof extensions);
    PrepSetError(error, 0, "not a LUT file name (%s)", extensions);
}

int PrepParseSourceLut(const PrepSource &source, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                       PrepError *error) {
    if (warnings != nullptr) *warnings = PrepWarnings{};
    if (family != nullptr && family->parse != nullptr) return family->parse(source, lut, warnings, error);
    PrepFreeLut(lut);
    PrepRefuseFileName(error);
    return -1;
}

int PrepParseLut(const char *text, size_t size, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                 PrepError *error) {
    return PrepParseSourceLut(PrepSource{text, size, nullptr}, family, lut, warnings, error);
}

namespace {

struct LutRequest {
    PrepFamily family;
    PrepLut *lut;
    PrepWarnings *warnings;
    PrepError *error;
};

int ParseLutRequest(const PrepSource &source, void *context) {
    LutRequest *q = static_cast<LutRequest *>(context);
    return PrepParseSourceLut(source, q->family, q->lut, q->warnings, q->error);
}

}  // namespace

int PrepReadLutFile(const char *path, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    if (warnings != nullptr) *warnings = PrepWarnings{};
    LutRequest request{family, lut, warnings, error};
    return PrepReadFileSource(path, ParseLutRequest, &request, error);
}

int PrepReadFileSource(const char *path, int (*parse)(const PrepSource &source, void *context), void *context,
                       PrepError *error) {
    // Never waits: a FIFO or a device is refused at once, not read for ever.
    FILE *file = PlatformOpenRegularFile(path);
    if (file == nullptr) {
        std::error_code failed;
        if (std::filesystem::is_directory(path, failed)) {
            PrepSetError(error, 0, "cannot open: it is a folder, not a regular file");
        } else {
            PrepSetError(error, 0, "cannot open: no such file, not readable, or not a regular file");
        }
        return -1;
    }
    // Refused by its size before a byte is read; the reading stops at the
    // limit too, should the file grow meanwhile.
    int result = -1;
    if (PlatformFileSize(file) > kPrepMaxFileBytes) {
        PrepSetError(error, 0, "more than %lld bytes: larger than any LUT file",
                     static_cast<long long>(kPrepMaxFileBytes));
    } else {
        result = parse(PrepSource{nullptr, 0, file}, context);
    }
    fclose(file);
    return result;
}

int64_t PrepSourceBytes(const PrepSource &source) {
    return source.file != nullptr ? PlatformFileSize(source.file) : static_cast<int64_t>(source.size);
}
