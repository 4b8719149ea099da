// Line reading shared by the LUT file readers.
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

bool ReadLutLine(FILE *file, char (&line)[kLutLineBytes + 1]) {
    return fgets(line, kLutLineBytes + 1, file) != nullptr;
}

bool IsLutDataLine(const char (&line)[kLutLineBytes + 1]) {
    return line[0] >= '0' && line[0] <= '9';
}

bool CountLutLines(FILE *file, int64_t *headerLines, int64_t *dataLines) {
    char line[kLutLineBytes + 1];
    *headerLines = 0;
    *dataLines = 0;
    if (!ReadLutLine(file, line)) return false;
    do {
        if (IsLutDataLine(line)) {
            ++*dataLines;
        } else if (*dataLines == 0) {
            ++*headerLines;
        } else {
            break;
        }
    } while (ReadLutLine(file, line));
    return true;
}

void SkipLutLines(FILE *file, int64_t count) {
    char line[kLutLineBytes + 1];
    for (int64_t i = 0; i < count; i++) {
        if (!ReadLutLine(file, line)) return;
    }
}

bool ScanWrappedDecimal(FILE *file, uint32_t *bits) {
    int c = getc(file);
    while (c == ' ' || (c >= '\t' && c <= '\r')) c = getc(file);
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = getc(file);
    }
    if (c < '0' || c > '9') {
        if (c != EOF) ungetc(c, file);
        return false;
    }
    uint32_t magnitude = 0;
    while (c >= '0' && c <= '9') {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        c = getc(file);
    }
    if (c != EOF) ungetc(c, file);
    *bits = negative ? 0u - magnitude : magnitude;
    return true;
}
