// Eight decimal digits of text as one 64-bit word, its first byte the
// lowest, read as one integer. A value's digits are most of a LUT file, and
// a word takes about as many instructions for eight digits as a loop takes
// for five.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "lut/exact_decimal.h"

static_assert(std::endian::native == std::endian::little, "digits are read as little-endian words");

// The digits that lead p[0, 8) (all eight bytes readable), added to
// *digits as one integer; their count.
[[gnu::always_inline]] inline int TakeEightDigits(const void *p, uint64_t *digits) {
    constexpr uint64_t kBytes = 0x0101010101010101;
    uint64_t word;
    memcpy(&word, p, sizeof word);
    // Each digit byte becomes its value. A byte that is no digit gets its
    // top bit set here: one below '0' wraps, one above '9' reaches 128 once
    // 118 is added. Borrows and carries start only at such bytes, so the
    // bytes before the first of them are read right.
    uint64_t d = word - '0' * kBytes;
    uint64_t notDigits = (d | (d + 118 * kBytes)) & (0x80 * kBytes);
    int count = notDigits == 0 ? 8 : std::countr_zero(notDigits) / 8;
    if (count == 0) return 0;
    // The digits to the top bytes, zeros (leading zeros) below them; then
    // pairs of digits made one number, then fours, then the eight.
    d <<= 8 * (8 - count);
    d = (d * 10 + (d >> 8)) & 0x00FF00FF00FF00FF;
    d = (d * 100 + (d >> 16)) & 0x0000FFFF0000FFFF;
    d = (d * 10000 + (d >> 32)) & 0xFFFFFFFF;
    *digits = *digits * kIntegerPowersOfTen[count] + d;
    return count;
}
