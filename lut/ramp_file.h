// The ramp file written by "loadLog:".
#pragma once

#include <cstdint>

constexpr const char *kRampFileName = "GammaInit.hex";
constexpr int kRampLines = 1024;

// Creates (or empties) fileName and writes the values 0 to 1023, one per
// line in lowercase hexadecimal without leading zeros, every line ending in
// CR LF on every platform. Returns 0, or -1 when the file cannot be created
// or not every byte reached it.
int32_t WriteRampFile(const char *fileName);
