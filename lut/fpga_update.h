// The FPGA update image: an FPGA bitstream with its first 331 bytes blanked.
#pragma once

#include <cstdint>

constexpr int32_t kFirmwareBufferSize = 5499704;
constexpr int32_t kFpgaBlankedPrefix = 331;  // 0x14B bytes set to 0xFF
constexpr int kFpgaNameBufferSize = 64;
constexpr const char *kFpgaUpdateFileName = "V2FpgaUpdate_.bnb";

// Writes kFpgaUpdateFileName in the current directory: the file filePath
// byte for byte and of the same length, its first 331 bytes set to 0xFF.
// The source is read whole and closed before the output is written, so the
// output may itself be the source. Returns 0 when the whole image was
// written; -1, with the output left as it was, when the source is not a
// regular file, cannot be read, is empty or is longer than
// kFirmwareBufferSize bytes, or when the image cannot be written in full.
int32_t MakeFpgaUpdateFile(const char *filePath);
