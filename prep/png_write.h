// A picture as a PNG file's bytes, through stb_image_write (Debian's
// libstb-dev): a well-kept encoder, header-only, so that the Windows build
// compiles it as well.
#pragma once

#include <cstddef>
#include <cstdint>

// Encodes width x height pixels of 8-bit red, green, blue (rows top to
// bottom, no padding) as an RGB PNG. Returns the file's bytes, *size of
// them, to be freed with free(); nullptr when memory runs out.
//
// The encoder cannot report every failure to allocate: some end the
// program, with a message. Encoding therefore comes before any file is
// opened for the result, so that such an end leaves none behind.
uint8_t *PrepEncodePng(int32_t width, int32_t height, const uint8_t *rgb, size_t *size);
