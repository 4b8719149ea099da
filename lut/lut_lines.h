// The line reading of the LUT text files (3D LUTs, and the header of the 1D
// lut form): reads of at most 255 bytes, and data lines that begin with a
// digit.
#pragma once

#include <cstdint>
#include <cstdio>

// One read of the line reader: at most this many bytes, so a longer line
// counts as several lines.
constexpr int kLutLineBytes = 255;

// Reads one line (up to and including LF, or kLutLineBytes bytes) into a
// buffer of kLutLineBytes + 1 bytes; false at the end of the file.
bool ReadLutLine(FILE *file, char (&line)[kLutLineBytes + 1]);

// A data line begins with an ASCII digit; everything else (comments,
// keywords, blank lines, a leading blank, sign or point) is not data.
bool IsLutDataLine(const char (&line)[kLutLineBytes + 1]);

// The counting pass. headerLines: the non-data lines before the first data
// line; dataLines: the unbroken run of data lines that begins there.
// Returns false when the file holds no line at all.
bool CountLutLines(FILE *file, int64_t *headerLines, int64_t *dataLines);

// Reads past count lines.
void SkipLutLines(FILE *file, int64_t count);

// Matches one integer the way "%d" does: leading white space, an optional
// sign, then at least one digit; the character after the digits stays
// unread. The digits are gathered in unsigned arithmetic, which wraps, so
// no number is too large: *bits receives the low 32 bits (two's complement)
// of the number written. Returns false when no digit follows, having
// consumed what "%d" consumes.
bool ScanWrappedDecimal(FILE *file, uint32_t *bits);
