// The ramp file written by "loadLog:".
#pragma once

#include <cstdint>

constexpr const char *kRampFileName = "GammaInit.hex";
constexpr int kRampLines = 1024;

// Writes fileName anew, replacing any file of that name: the values 0 to
// 1023, one per line in lowercase hexadecimal without leading zeros, every
// line ending in CR LF on every platform. Returns 0, or -1 when the file
// cannot be written in full (an existing one is then left as it was).
int32_t WriteRampFile(const char *fileName);
