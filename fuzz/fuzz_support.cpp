#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "lut/lut_lines.h"
#include "prep/lut_read.h"

namespace {

std::string MakeScratchDir() {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path(ec);
    std::string pattern = (base / "lutbox-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        perror(pattern.c_str());
        abort();
    }
    return pattern;
}

void RemoveScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(FuzzScratchDir(), ec);
}

}  // namespace

const std::string &FuzzScratchDir() {
    // Registered after the name is made, so the removal runs before the
    // name is destroyed.
    static const std::string dir = MakeScratchDir();
    static const int removal = atexit(RemoveScratchDir);
    (void)removal;
    return dir;
}

std::string FuzzWriteFile(const std::string &name, const uint8_t *data, size_t size) {
    std::string path = FuzzScratchDir() + "/" + name;
    FILE *file = fopen(path.c_str(), "wb");
    if (file == nullptr || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
        perror(path.c_str());
        abort();
    }
    return path;
}

FILE *FuzzOpenBytes(const std::string &bytes) {
    FILE *stream = fmemopen(const_cast<char *>(bytes.data()), bytes.size(), "rb");
    if (stream == nullptr) {
        perror("fmemopen");
        abort();
    }
    return stream;
}

void FuzzStartLutInput(LutInput *input, const std::string &text, size_t before) {
    size_t head = before < text.size() ? before : text.size();
    // A stream over the bytes behind the block; text outlives it.
    FILE *rest = fmemopen(const_cast<char *>(text.data()) + head, text.size() - head, "rb");
    if (rest == nullptr) {
        perror("fmemopen");
        abort();
    }
    StartLutInput(input, rest);
    if (before == 0) return;
    // The state after a refill that read a whole block, of which text's
    // first bytes are the last; the bytes before them are never read again.
    size_t at = kLutBlockBytes - before;
    memcpy(input->block + at, text.data(), head);
    input->at = at;
    input->end = at + head;
    input->block[input->end] = '\0';
    input->blockOffset = -static_cast<int64_t>(at);
}

void FuzzFail(const char *file, int line, const char *condition) {
    fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    abort();
}

bool FuzzTerminated(const char *text, size_t size) { return memchr(text, '\0', size) != nullptr; }

void FuzzCheckWarnings(const PrepWarnings &warnings) {
    FUZZ_CHECK(warnings.count >= 0 && warnings.count <= kPrepWarningCodes);
    bool seen[kPrepWarningCodes] = {};
    for (int32_t i = 0; i < warnings.count; i++) {
        const PrepWarning &w = warnings.list[i];
        FUZZ_CHECK(w.code >= 0 && w.code < kPrepWarningCodes && !seen[w.code]);
        seen[w.code] = true;
        FUZZ_CHECK(w.count >= 1 && w.line >= 0);
        if (i > 0) FUZZ_CHECK(warnings.list[i - 1].line <= w.line);
        FUZZ_CHECK(FuzzTerminated(w.text, sizeof w.text));
    }
}
