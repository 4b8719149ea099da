// The PNG encoder is stb_image_write's, built here and nowhere else. Its
// file functions are left out: lutprep writes the bytes through a FILE of
// its own, the temporary file that replaces OUT only when complete.
#include "prep/png_write.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The encoder grows its buffers without a way to report a failure: its
// checks (of memory, and of its own invariants), kept in every build, stand
// where it would otherwise write through a null pointer. Ending here is the
// one safe way out.
[[noreturn]] void EncoderCheckFailed() {
    fflush(stdout);
    fputs("lutprep: the PNG encoder failed (out of memory)\n", stderr);
    abort();
}

}  // namespace

#define STBIW_ASSERT(x) ((x) ? static_cast<void>(0) : EncoderCheckFailed())
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

uint8_t *PrepEncodePng(int32_t width, int32_t height, const uint8_t *rgb, size_t *size) {
    constexpr int kChannels = 3;
    int length = 0;
    uint8_t *png = stbi_write_png_to_mem(rgb, width * kChannels, width, height, kChannels, &length);
    *size = png != nullptr && length > 0 ? static_cast<size_t>(length) : 0;
    return png;
}
