// Writing a picture as a PNG file, through stb_image_write (Debian's
// libstb-dev): a well-kept encoder, header-only, so that the Windows build
// compiles it as well.
#pragma once

#include <cstdint>
#include <cstdio>

// Writes width x height pixels of 8-bit red, green, blue (rows top to
// bottom, no padding) to file as an RGB PNG. Returns 0, or -1 when the
// encoder fails (out of memory) or not every byte reached the file.
int PrepWritePng(FILE *file, int32_t width, int32_t height, const uint8_t *rgb);
