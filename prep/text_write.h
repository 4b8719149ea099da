// The pieces the format writers share: rows of text formatted into one
// buffer that goes to the file when nearly full, numbers as the box reads
// them back, and the test of what may be written.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "lut/decimal_words.h"
#include "prep/source_lut.h"

// The room from where PutFloat or PutInt puts its text that it may write
// to: a float's text is at most 15 characters, an integer's 20, and a
// value of [0.001, 1) is put as eleven bytes whatever its length.
constexpr size_t kPrepValueRoom = 32;
// Far more than one row: three values of at most 15 characters and the
// bytes written past the last, three indices, separators and the line end.
constexpr size_t kPrepRowRoom = 128;

struct PrepOutput {
    FILE *file;
    char buffer[size_t{1} << 16];
    size_t used;
    bool failed;
};

// The one buffer of all writers (static: too large for some stacks), set
// to write to file; the program writes one file at a time.
PrepOutput *StartOutput(FILE *file);
// Where the next row (or part of one) goes, with kPrepRowRoom bytes of room.
char *RowStart(PrepOutput *out);
// Keeps what was put up to at, as part of a row.
void RowPart(PrepOutput *out, char *at);
// Ends the row at at with a line feed.
void RowEnd(PrepOutput *out, char *at);
// Writes what is left; 0, or -1 with *error set when any write failed.
int FinishOutput(PrepOutput *out, PrepError *error);

// PutFloat for the values most tables hold, those of [0.001, 1) with 7 or
// 8 decimals (or fewer), told from the nearest 7- and 8-decimal numbers
// alone: when v's step is the same on both sides, the bounds lie half a
// step either way, so the nearest number of k decimals lies within them
// when any does, and where two are as near to_chars writes the even one.
// In double, v * 10^k (below 2^51) and its distance to the nearest integer
// are exact, and adding and taking away 2^52 rounds to the nearest
// integer, to the even one from halfway. Both are worked out and one taken
// without a branch, whose choice between 7 and 8 the processor cannot
// predict; the 8-digit text's trailing zeros tell the length. nullptr for
// the others: other values, a power of two (its step below is half as
// large), and values with no 8-decimal number within the bounds.
[[gnu::always_inline]] inline char *PutUnitCommon(char *at, float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    // Those of [0.001, 1) lie between these, as unsigned integers.
    constexpr uint32_t kFirst = std::bit_cast<uint32_t>(0.001f), kEnd = std::bit_cast<uint32_t>(1.0f);
    if (bits - kFirst >= kEnd - kFirst) return nullptr;
    constexpr double kRound = 0x1p52;
    const double v = std::bit_cast<float>(bits);
    // Half a step of v: the float of v's exponent less 24, and so exact.
    const double halfStep = std::bit_cast<float>((bits & 0x7f800000u) - (24u << 23));
    const double x7 = v * 1e7, x8 = v * 1e8;
    const double n7 = (x7 + kRound) - kRound, n8 = (x8 + kRound) - kRound;
    const uint64_t within7 = std::fabs(x7 - n7) < halfStep * 1e7 ? 1 : 0;
    const uint64_t within8 = std::fabs(x8 - n8) < halfStep * 1e8 ? 1 : 0;
    if (((within7 | within8) & ((bits & 0x7fffffu) != 0 ? 1 : 0)) == 0) return nullptr;
    // The choice as a mask, not a branch.
    const uint64_t take7 = 0 - within7;
    const uint64_t n = (static_cast<uint64_t>(static_cast<int64_t>(n7)) * 10 & take7) |
                       (static_cast<uint64_t>(static_cast<int64_t>(n8)) & ~take7);
    const uint64_t text = EightDigitsText(static_cast<uint32_t>(n));
    // The last digit is the top byte: n7 * 10 ends in one zero or more,
    // n8 in none (else n8 / 10 would be a 7-decimal number within). Some
    // digit is not 0 (v is 0.001 or more): the low bit set changes nothing
    // and spares a test for no bit set.
    const int zeros = std::countl_zero((text ^ 0x3030303030303030u) | 1) / 8;
    at[0] = '0';
    at[1] = '.';
    memcpy(at + 2, &text, sizeof text);
    static_assert(2 + sizeof text <= kPrepValueRoom);
    return at + 2 + 8 - zeros;
}

// PutFloat for the values PutUnitCommon leaves.
char *PutFloatRest(char *at, float v);

// Each puts its text at at and returns its end, writing within
// kPrepValueRoom bytes of at (PutFloat past the end it returns). A float is
// the shortest decimal that reads back as the same float, and +0 for -0;
// its usual case inline in the writers' loops, without a call's cost.
[[gnu::always_inline]] inline char *PutFloat(char *at, float v) {
    char *end = PutUnitCommon(at, v);
    return end != nullptr ? end : PutFloatRest(at, v);
}
char *PutInt(char *at, int64_t v);
char *PutText(char *at, const char *text);

// Writes notes (lines each ending in '\n', as PrepTransform.notes holds
// them) as comment lines, "# " and the line, each short enough for one read
// of the box's reader (a longer note goes on several), so that the box
// takes every one for a header line. The first note that begins with the
// word keyword (when not null) is written as it is instead, as a keyword
// line, when it fits in one read: a cube's TITLE.
void PutNotes(PrepOutput *out, const char *notes, const char *keyword);

// 0 when *lut is a plain lattice with every value in [0, 1], the only LUT
// written (anything else needs the caller's decision, fold or clamp,
// first); else -1 with *error set.
int CheckWritable(const PrepLut *lut, PrepError *error);
