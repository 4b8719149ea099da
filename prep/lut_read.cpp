// The entry of the readers: a file into memory, then the family's parser.
//
// The whole file is read at once (a 65-point cube is 7 MB) so that the
// parsers walk plain memory; that is most of what makes reading fast.
#include "prep/lut_read.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(const char *text, const char *suffix) {
    size_t n = strlen(text);
    size_t m = strlen(suffix);
    if (n < m) return false;
    for (size_t i = 0; i < m; i++) {
        if (Lower(text[n - m + i]) != suffix[i]) return false;
    }
    return true;
}

}  // namespace

PrepFamily PrepFamilyOfName(const char *path) {
    if (EndsWithIgnoringCase(path, ".csv")) return kPrepFamilyCsv;
    if (EndsWithIgnoringCase(path, ".cube")) return kPrepFamilyCube;
    if (EndsWithIgnoringCase(path, ".3dl")) return kPrepFamily3dl;
    return kPrepFamilyNone;
}

int PrepParseLut(const char *text, size_t size, PrepFamily family, PrepLut *lut, PrepWarnings *warnings,
                 PrepError *error) {
    if (warnings != nullptr) *warnings = PrepWarnings{};
    switch (family) {
    case kPrepFamilyCube:
        return PrepParseCube(text, size, lut, warnings, error);
    case kPrepFamily3dl:
        return PrepParse3dl(text, size, lut, warnings, error);
    case kPrepFamilyCsv:
        return PrepParseCsv(text, size, lut, warnings, error);
    case kPrepFamilyNone:
        break;
    }
    PrepFreeLut(lut);
    PrepSetError(error, 0, "not a LUT file name (.csv, .cube or .3dl)");
    return -1;
}

int PrepReadLutFile(const char *path, PrepFamily family, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    if (warnings != nullptr) *warnings = PrepWarnings{};
    std::error_code ec;
    std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        PrepSetError(error, 0, "cannot open: no such file");
        return -1;
    }
    if (!std::filesystem::is_regular_file(status)) {
        PrepSetError(error, 0, "cannot open: not a regular file");
        return -1;
    }
    uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        PrepSetError(error, 0, "cannot open: its size is unknown");
        return -1;
    }
    if (size > static_cast<uintmax_t>(kPrepMaxFileBytes)) {
        PrepSetError(error, 0, "%llu bytes: larger than any LUT file", static_cast<unsigned long long>(size));
        return -1;
    }
    FILE *file = fopen(path, "rb");
    if (file == nullptr) {
        PrepSetError(error, 0, "cannot open: %s", strerror(errno));
        return -1;
    }
    size_t bytes = static_cast<size_t>(size);
    // One byte more than needed, so that an empty file is no zero-sized
    // allocation.
    char *text = static_cast<char *>(malloc(bytes + 1));
    if (text == nullptr) {
        fclose(file);
        PrepSetError(error, 0, "out of memory for %llu bytes", static_cast<unsigned long long>(size));
        return -1;
    }
    size_t read = fread(text, 1, bytes, file);
    bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) {
        free(text);
        PrepSetError(error, 0, "read failed");
        return -1;
    }
    // A file that shrank since its size was taken is read as it now is.
    int result = PrepParseLut(text, read, family, lut, warnings, error);
    free(text);
    return result;
}
