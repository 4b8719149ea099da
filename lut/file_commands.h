// Commands that read or generate files and never touch the device.
#pragma once

// Argument offsets: the byte behind the keyword, counted from the word's
// first byte wherever the keyword stands.
constexpr int kLoadLogArgOffset = 8;   // "loadLog:"
constexpr int kGamma10bArgOffset = 9;  // "Gamma10b:"
constexpr int kBit2BinArgOffset = 8;   // "Bit2Bin:"

void CmdLoadLog(const char *arg);
void CmdGamma10b(const char *arg);
void CmdBit2Bin(const char *arg);
