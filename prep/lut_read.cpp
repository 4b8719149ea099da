// Not the box's reader (that is lut/lut3d_reader.cpp): the entry of lutprep's readers.
//
// A file into memory, then the parser of its format's row in the table.
//
// The whole file is read at once (a 65-point cube is 7 MB) so that the
// parsers walk plain memory; that is most of what makes reading fast.
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

namespace {

// The whole file into one buffer, grown as it fills. The size the file
// has now only sizes the first buffer (one byte more, so that the end is
// seen in one read): the file may change before it is read, and Windows'
// ftell gives up beyond 2 GiB. Returns the buffer (freed by the caller) and
// sets *size, or nullptr with *error set.
char *ReadWholeFile(FILE *file, size_t *size, PrepError *error) {
    constexpr size_t kLimit = static_cast<size_t>(kPrepMaxFileBytes);
    size_t capacity = size_t{1} << 16;
    long now = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    if (now > 0 && static_cast<unsigned long>(now) < kLimit) capacity = static_cast<size_t>(now) + 1;
    if (fseek(file, 0, SEEK_SET) != 0) {
        PrepSetError(error, 0, "read failed");
        return nullptr;
    }
    size_t used = 0;
    char *text = static_cast<char *>(malloc(capacity + 1));
    while (text != nullptr) {
        used += fread(text + used, 1, capacity - used, file);
        if (ferror(file) != 0) {
            free(text);
            PrepSetError(error, 0, "read failed");
            return nullptr;
        }
        if (used < capacity) {
            *size = used;
            return text;
        }
        // Full: one byte beyond the limit tells a file that is too large.
        if (capacity > kLimit) {
            free(text);
            PrepSetError(error, 0, "more than %lld bytes: larger than any LUT file",
                         static_cast<long long>(kPrepMaxFileBytes));
            return nullptr;
        }
        size_t grown = capacity * 2 > kLimit ? kLimit + 1 : capacity * 2;
        char *larger = static_cast<char *>(realloc(text, grown + 1));
        if (larger == nullptr) break;
        text = larger;
        capacity = grown;
    }
    free(text);
    PrepSetError(error, 0, "out of memory after %llu bytes", static_cast<unsigned long long>(used));
    return nullptr;
}

}  // namespace

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

int PrepParseLut(const char *text, size_t size, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                 PrepError *error) {
    if (warnings != nullptr) *warnings = PrepWarnings{};
    if (family != nullptr && family->parse != nullptr) return family->parse(text, size, lut, warnings, error);
    PrepFreeLut(lut);
    char extensions[64];
    ReadExtensionsText(extensions, sizeof extensions);
    PrepSetError(error, 0, "not a LUT file name (%s)", extensions);
    return -1;
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
    size_t size = 0;
    char *text = ReadWholeFile(file, &size, error);
    fclose(file);
    if (text == nullptr) return -1;
    int result = PrepParseLut(text, size, family, lut, warnings, error);
    free(text);
    return result;
}
