// 3dl 3D LUT rows.
//
// A 3dl file opens with comment lines ('#') and the mesh line, the input
// sample positions of one axis ("0 64 128 ... 1023"), which begins with a
// digit and so is the first data line; it is read past, not stored. Each
// data row after it holds three decimal integers separated by whitespace,
// in file order. The box takes 16-bit values: each integer is kept as its
// low 16 bits (two's complement), whatever its size, so 65535 is the bit
// pattern 0xFFFF and 70000 is 4464.
#include <cctype>

#include "lut/lut3d_reader.h"

namespace {

// Matches one integer the way "%d" does: leading whitespace, an optional
// sign, then at least one digit; the character after the digits stays
// unread. The digits are gathered in unsigned arithmetic, which wraps, so
// no number is too large; the low 16 bits of the wrapped value are those of
// the number written. Returns false when no digit follows, having consumed
// what "%d" consumes.
bool ScanLow16(FILE *file, int16_t *value) {
    int c = getc(file);
    while (c != EOF && isspace(c)) c = getc(file);
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = getc(file);
    }
    if (c == EOF || !isdigit(c)) {
        if (c != EOF) ungetc(c, file);
        return false;
    }
    uint32_t magnitude = 0;
    while (c != EOF && isdigit(c)) {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        c = getc(file);
    }
    if (c != EOF) ungetc(c, file);
    uint32_t wrapped = negative ? 0u - magnitude : magnitude;
    *value = static_cast<int16_t>(static_cast<uint16_t>(wrapped & 0xFFFFu));
    return true;
}

}  // namespace

int Scan3dlRows(FILE *file, int16_t (*rows)[3], int rowCount) {
    for (int i = 0; i < rowCount; i++) {
        for (int v = 0; v < 3; v++) {
            if (!ScanLow16(file, &rows[i][v])) return i;
        }
    }
    return rowCount;
}
