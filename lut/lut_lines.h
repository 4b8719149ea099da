// The input of the LUT text readers: a file read in blocks, and the line
// rules of the 3D LUT files (also the header of the 1D lut form): reads of
// at most 255 bytes, and data lines that begin with a digit.
//
// Private to lut/: only lut/ sources and their tests include it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "lut/lut3d_reader.h"
#include "platform/ascii.h"

// One fixed block, refilled as it is used up: memory stays the same
// whatever the size of the file, and a field may run across blocks.
constexpr size_t kLutBlockBytes = 64 * 1024;

struct LutInput {
    FILE *file;
    int64_t blockOffset;  // file offset of block[0]
    size_t at;            // next unread byte of the block
    size_t end;           // bytes in the block
    bool ended;           // the file gave no more bytes; nothing is read again
    bool failed;          // a read failed (an I/O error)
    // The bytes read, then a NUL: a scan may run over a run of digits up to
    // it without testing for the block's end at each byte, since no number
    // holds a NUL.
    unsigned char block[kLutBlockBytes + 1];
};

// Opens path for reading in binary mode; false when it cannot be opened or
// is no regular file.
bool OpenLutInput(LutInput *input, const char *path);
// Starts reading an open stream, offsets counted from its current position,
// as OpenLutInput does a file's: bytes held in memory reach the row scans
// through it, with a block's end placed anywhere. CloseLutInput closes it.
void StartLutInput(LutInput *input, FILE *file);
void CloseLutInput(LutInput *input);

// Reads the next block once the current one is used up; the next byte, or
// EOF at the end of the file or when a read fails.
int RefillLutInput(LutInput *input);

// The next byte without consuming it, or EOF.
inline int PeekLutByte(LutInput *input) {
    return input->at < input->end ? input->block[input->at] : RefillLutInput(input);
}

// Consumes the byte that PeekLutByte has just returned (not EOF).
inline void TakeLutByte(LutInput *input) { input->at++; }

// The file offset of the next unread byte.
inline int64_t LutInputOffset(const LutInput *input) { return input->blockOffset + static_cast<int64_t>(input->at); }

// One read of the line reader: at most this many bytes, so a longer line
// counts as several lines.
constexpr int kLutLineBytes = kLut3dLineBytes;

// Reads one line (up to and including LF, or kLutLineBytes bytes); false at
// the end of the file. *first receives its first byte, *endsLine whether it
// ended in LF.
bool ReadLutLine(LutInput *input, int *first, bool *endsLine);

// A data line begins with an ASCII digit; everything else (comments,
// keywords, blank lines, a leading blank, sign or point) is not data.
inline bool IsLutDataLine(int first) { return IsAsciiDigit(first); }

// The counting pass: headerLines, the non-data lines before the first data
// line; dataLines, the unbroken run of data lines that begins there.
struct LutLineCount {
    int64_t headerLines;
    int64_t dataLines;
    bool anyLine;       // the file holds at least one line
    bool runEnded;      // a non-data line ended the run (else the file did)
    int64_t endLine;    // that line: 1-based physical line (by LF) ...
    int64_t endColumn;  // ... and byte column where its read began
};
LutLineCount CountLutLines(LutInput *input);

// Reads past count lines.
void SkipLutLines(LutInput *input, int64_t count);

// The 1-based physical line (counted by LF) and byte column of a file
// offset, by reading the file at path up to it; false when it cannot be
// read again.
bool LocateLutOffset(LutInput *input, const char *path, int64_t offset, int64_t *line, int64_t *column);
