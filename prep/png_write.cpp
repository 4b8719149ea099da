// The PNG encoder is stb_image_write's, built here and nowhere else. Its
// file functions are left out: lutprep writes through a FILE of its own,
// the temporary file that replaces OUT only when complete.
#include "prep/png_write.h"

#include <cstdlib>

namespace {

// The encoder grows its buffers without a way to report a failure: its
// checks (of memory, and of its own invariants), kept in every build, stand
// where it would otherwise write through a null pointer. Ending here is the
// one safe way out.
[[noreturn]] void EncoderCheckFailed() {
    fflush(stdout);
    fputs("lutprep: out of memory while encoding the PNG\n", stderr);
    abort();
}

}  // namespace

#define STBIW_ASSERT(x) ((x) ? static_cast<void>(0) : EncoderCheckFailed())
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

struct Sink {
    FILE *file;
    bool failed;
};

void WriteBytes(void *context, void *data, int size) {
    Sink *sink = static_cast<Sink *>(context);
    if (size < 0 || fwrite(data, 1, static_cast<size_t>(size), sink->file) != static_cast<size_t>(size)) {
        sink->failed = true;
    }
}

}  // namespace

int PrepWritePng(FILE *file, int32_t width, int32_t height, const uint8_t *rgb) {
    constexpr int kChannels = 3;
    Sink sink{file, false};
    int written = stbi_write_png_to_func(WriteBytes, &sink, width, height, kChannels, rgb, width * kChannels);
    return written != 0 && !sink.failed ? 0 : -1;
}
