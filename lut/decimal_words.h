// Eight decimal digits of text as one 64-bit word, its first byte the
// lowest: read as one integer, and written from one. A value's digits are
// most of a LUT file, and a word takes about as many instructions for
// eight digits as a loop takes for three to five.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "lut/exact_decimal.h"

static_assert(std::endian::native == std::endian::little, "digits are read and written as little-endian words");

constexpr uint64_t kEachByte = 0x0101010101010101;

// The eight bytes at p less '0' each, the first byte lowest, into *values;
// the mark of the bytes that are no digit, the top bit of each. A byte
// below '0' wraps, one above '9' reaches 128 once 118 is added. Borrows
// and carries start only at such bytes, so the values and marks of the
// bytes before the first of them are right; those after it may not be.
[[gnu::always_inline]] inline uint64_t MarkNonDigits(const void *p, uint64_t *values) {
    uint64_t word;
    memcpy(&word, p, sizeof word);
    const uint64_t d = word - '0' * kEachByte;
    *values = d;
    return (d | (d + 118 * kEachByte)) & (0x80 * kEachByte);
}

// The eight digit values of d (each byte 0 to 9, the first digit lowest)
// as one integer: pairs of digits made one number, then fours, then the
// eight.
[[gnu::always_inline]] inline uint64_t EightDigitsValue(uint64_t d) {
    d = (d * 10 + (d >> 8)) & 0x00FF00FF00FF00FF;
    d = (d * 100 + (d >> 16)) & 0x0000FFFF0000FFFF;
    return (d * 10000 + (d >> 32)) & 0xFFFFFFFF;
}

// The digits that lead p[0, 8) (all eight bytes readable), added to
// *digits as one integer; their count.
[[gnu::always_inline]] inline int TakeEightDigits(const void *p, uint64_t *digits) {
    uint64_t d;
    const uint64_t notDigits = MarkNonDigits(p, &d);
    int count = notDigits == 0 ? 8 : std::countr_zero(notDigits) / 8;
    if (count == 0) return 0;
    // The digits to the top bytes, zeros (leading zeros) below them.
    *digits = *digits * kIntegerPowersOfTen[count] + EightDigitsValue(d << 8 * (8 - count));
    return count;
}

// The eight digits of n (below 10^8, leading zeros written) as text, for
// one store. n is split into halves of four digits, one in each 32-bit
// lane, then each half into pairs in 16-bit lanes, then each pair into
// bytes, every lane at once: a quotient by 100 or 10 below these bounds is
// the product by 10486 / 2^20 or 103 / 2^10, whose products stay within
// their lanes.
[[gnu::always_inline]] inline uint64_t EightDigitsText(uint32_t n) {
    uint64_t x = (n / 10000) | (uint64_t{n % 10000} << 32);
    const uint64_t hundreds = ((x * 10486) >> 20) & 0x0000007F0000007F;
    x = hundreds | ((x - hundreds * 100) << 16);
    const uint64_t tens = ((x * 103) >> 10) & 0x000F000F000F000F;
    x = tens | ((x - tens * 10) << 8);
    return x | 0x3030303030303030;
}
