// The 1D LUT reader: hex and lut text files into a caller's table of
// values.
//
// No operation sends a 1D table to the box, and "loadLog:" looks only at
// the reader's result; the values are still stored because they are the
// reader's parse made visible: which
// entries a file supplies, the 32-bit wrap and the run rule of lut files
// are what the reader's tests and the fuzz target hold against the
// reference reader. Storing them changes nothing the console shows or
// writes.
#pragma once

#include <cstdint>

constexpr int kLut1dEntries = 4096;

// Results of Read1dLutFile.
constexpr int32_t kLut1dHexRead = 1;
constexpr int32_t kLut1dLutRead = 2;
constexpr int32_t kLut1dUnknownKind = 0;
constexpr int32_t kLut1dOpenFailed = -1;

constexpr int kLut1dHexValues = 1024;

// Reads filePath into table, choosing the form by the first extension
// string found anywhere in the path: ".hex"/".Hex" (1024 decimal values into
// entries 0 to 1023), then ".lut"/".LUT" (header lines, then 4096 decimal
// values, each run of equal neighbours stored once and leading zeros
// dropped). Values are decimal in both forms. Entries that the file does
// not supply keep their earlier contents. A value that does not fit 32 bits
// is stored as its low 32 bits (two's complement). Returns kLut1dHexRead,
// kLut1dLutRead, kLut1dUnknownKind (opened, no known extension) or
// kLut1dOpenFailed (cannot be opened, is no regular file, or a read
// fails). Every file opened is closed before returning.
int32_t Read1dLutFile(const char *filePath, int32_t (&table)[kLut1dEntries]);
