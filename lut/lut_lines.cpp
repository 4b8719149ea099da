// Block input and line reading shared by the LUT file readers.
//
// A file is read in blocks of kLutBlockBytes with fread, not a byte at a
// time with getc, whose stream lock per call cost more than the whole rest
// of a read. Once the file has ended (or a read failed) it is not read
// again, as a stdio stream's end-of-file stays set.
//
// A 3D LUT text file is read as lines of at most 255 bytes: one read returns
// everything up to and including the next LF, or the next 255 bytes when the
// line is longer, so a 300-byte line is two lines. Files are opened in binary
// mode, so a CR before the LF stays part of the line. A line whose first byte
// is an ASCII digit is a data line; all others (comments, keyword lines such
// as TITLE or LUT_3D_SIZE, blank lines, lines that start with a blank, a
// sign or a point) are not.
//
// The layout every family shares: some non-data header lines, then one
// unbroken run of data lines. The first non-data line after the run ends it;
// what follows is not looked at. The length of the run says the cube size.
#include "lut/lut_lines.h"

#include <cstring>

#include "platform/platform.h"

bool OpenLutInput(LutInput *input, const char *path) {
    // Only a regular file: a FIFO would hold the open, a device such as
    // /dev/zero would be read for ever.
    StartLutInput(input, PlatformOpenRegularFile(path));
    return input->file != nullptr;
}

void StartLutInput(LutInput *input, FILE *file) {
    input->file = file;
    input->blockOffset = 0;
    input->at = 0;
    input->end = 0;
    input->ended = false;
    input->failed = false;
    input->block[0] = '\0';
}

void CloseLutInput(LutInput *input) {
    if (input->file != nullptr) fclose(input->file);
    input->file = nullptr;
}

int RefillLutInput(LutInput *input) {
    if (input->at < input->end) return input->block[input->at];
    if (input->ended) return EOF;
    input->blockOffset += static_cast<int64_t>(input->end);
    input->at = 0;
    input->end = fread(input->block, 1, kLutBlockBytes, input->file);
    input->block[input->end] = '\0';
    if (input->end == 0) {
        input->ended = true;
        input->failed = ferror(input->file) != 0;
        return EOF;
    }
    return input->block[0];
}

namespace {

// A read that runs to the block's end: the line may go on in the next.
bool ReadLineAcrossBlocks(LutInput *input, int *first, bool *endsLine) {
    *first = PeekLutByte(input);
    if (*first == EOF) return false;
    size_t left = kLutLineBytes;
    while (left > 0 && PeekLutByte(input) != EOF) {
        size_t available = input->end - input->at;
        size_t span = available < left ? available : left;
        const unsigned char *start = input->block + input->at;
        const void *lf = memchr(start, '\n', span);
        if (lf != nullptr) {
            input->at += static_cast<size_t>(static_cast<const unsigned char *>(lf) - start) + 1;
            *endsLine = true;
            return true;
        }
        input->at += span;
        left -= span;
    }
    *endsLine = false;
    return true;
}

// ReadLutLine, inline in the line loops below: most reads lie within the
// block, each one search, and the call cost as much as the search.
[[gnu::always_inline]] inline bool ReadLine(LutInput *input, int *first, bool *endsLine) {
    constexpr size_t kRead = kLutLineBytes;
    if (input->end - input->at < kRead) return ReadLineAcrossBlocks(input, first, endsLine);
    const unsigned char *start = input->block + input->at;
    *first = start[0];
    const void *lf = memchr(start, '\n', kRead);
    *endsLine = lf != nullptr;
    input->at += lf != nullptr ? static_cast<size_t>(static_cast<const unsigned char *>(lf) - start) + 1 : kRead;
    return true;
}

// Reads past the data lines from the next byte on that each end in LF
// within one read lying wholly in the block; their count. The run of a
// LUT's rows is such lines: each costs one search and a test of its first
// byte, nothing else.
int64_t TakeBlockDataLines(LutInput *input) {
    constexpr size_t kRead = kLutLineBytes;
    const unsigned char *block = input->block;
    size_t at = input->at;
    int64_t lines = 0;
    for (; input->end - at >= kRead && IsLutDataLine(block[at]); ++lines) {
        const void *lf = memchr(block + at, '\n', kRead);
        if (lf == nullptr) break;
        at = static_cast<size_t>(static_cast<const unsigned char *>(lf) - block) + 1;
    }
    input->at = at;
    return lines;
}

}  // namespace

bool ReadLutLine(LutInput *input, int *first, bool *endsLine) { return ReadLine(input, first, endsLine); }

LutLineCount CountLutLines(LutInput *input) {
    LutLineCount count = {0, 0, false, false, 0, 0};
    int64_t line = 1;
    int64_t column = 1;
    int first;
    bool endsLine;
    int64_t start = LutInputOffset(input);
    for (;;) {
        int64_t lines = TakeBlockDataLines(input);
        if (lines > 0) {
            count.anyLine = true;
            count.dataLines += lines;
            line += lines;
            column = 1;
            start = LutInputOffset(input);
        }
        if (!ReadLine(input, &first, &endsLine)) break;
        count.anyLine = true;
        if (IsLutDataLine(first)) {
            ++count.dataLines;
        } else if (count.dataLines == 0) {
            ++count.headerLines;
        } else {
            count.runEnded = true;
            count.endLine = line;
            count.endColumn = column;
            break;
        }
        int64_t next = LutInputOffset(input);
        if (endsLine) {
            line++;
            column = 1;
        } else {
            column += next - start;
        }
        start = next;
    }
    return count;
}

void SkipLutLines(LutInput *input, int64_t count) {
    int first;
    bool endsLine;
    for (int64_t i = 0; i < count; i++) {
        if (!ReadLine(input, &first, &endsLine)) return;
    }
}

bool LocateLutOffset(LutInput *input, const char *path, int64_t offset, int64_t *line, int64_t *column) {
    if (!OpenLutInput(input, path)) return false;
    int64_t lines = 0;
    int64_t lineStart = 0;  // offset of the byte after the last LF
    while (LutInputOffset(input) < offset && PeekLutByte(input) != EOF) {
        int64_t left = offset - LutInputOffset(input);
        size_t available = input->end - input->at;
        size_t span = left < static_cast<int64_t>(available) ? static_cast<size_t>(left) : available;
        for (size_t i = 0; i < span; i++) {
            if (input->block[input->at + i] == '\n') {
                lines++;
                lineStart = LutInputOffset(input) + static_cast<int64_t>(i) + 1;
            }
        }
        input->at += span;
    }
    bool reached = LutInputOffset(input) == offset;
    CloseLutInput(input);
    if (!reached) return false;
    *line = lines + 1;
    *column = offset - lineStart + 1;
    return true;
}
