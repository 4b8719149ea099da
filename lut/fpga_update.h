// The FPGA update image: an FPGA bitstream with its first 331 bytes blanked.
#pragma once

#include <cstdint>

constexpr int32_t kFirmwareBufferSize = 5499704;
constexpr int32_t kFpgaBlankedPrefix = 331;  // 0x14B bytes set to 0xFF
constexpr int kFpgaNameBufferSize = 64;
constexpr const char *kFpgaUpdateFileName = "V2FpgaUpdate_.bnb";

// Holds the whole source during a conversion; keeps its contents between
// commands.
extern uint8_t FirmwareBuffer[kFirmwareBufferSize];

// Writes kFpgaUpdateFileName in the current directory: the file filePath
// byte for byte and of the same length, its first 331 bytes set to 0xFF.
// The source is read whole and closed before the output is created, so the
// output may itself be the source. Returns 0 when the whole image was
// written; -1 when the source cannot be read or is longer than
// FirmwareBuffer (no output created or changed), when the output cannot be
// created (an existing one is left as it was), or when not every byte
// reached it (the incomplete file stays).
int32_t MakeFpgaUpdateFile(const char *filePath);
