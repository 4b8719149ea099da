// Decimals that one float operation converts exactly.
//
// When the digits of a decimal, read as one integer, and its power of ten
// are both exact in float, one IEEE multiplication or division rounds
// their product or quotient once, to the nearest float: the correctly
// rounded value that strtof and from_chars give, at a fraction of their
// cost. Most values of LUT files ("0.123456") are such decimals.
#pragma once

#include <cfloat>
#include <cstdint>
#include <iterator>

static_assert(FLT_EVAL_METHOD == 0, "float arithmetic must round to float at each operation");

// The powers of ten that float holds exactly (5^10 < 2^24 < 5^11).
inline constexpr float kExactPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr int64_t kLargestExactPower = static_cast<int64_t>(std::size(kExactPowersOfTen)) - 1;

// Digits below 2^24 are exact in float.
constexpr uint64_t kExactDigitsLimit = uint64_t{1} << 24;

// digits times ten to the power into *value, when digits is below 2^24 and
// the power within kLargestExactPower either way; false (and *value
// untouched) otherwise.
inline bool ExactDecimal(uint64_t digits, int64_t power, float *value) {
    if (digits >= kExactDigitsLimit || power < -kLargestExactPower || power > kLargestExactPower) return false;
    float significand = static_cast<float>(digits);
    *value = power < 0 ? significand / kExactPowersOfTen[-power] : significand * kExactPowersOfTen[power];
    return true;
}

// The same for a fraction, digits over ten to fractionDigits (0 or more):
// the one division most LUT values take, without the other cases' tests.
inline bool ExactDecimalFraction(uint64_t digits, int64_t fractionDigits, float *value) {
    if (digits >= kExactDigitsLimit || fractionDigits > kLargestExactPower) return false;
    *value = static_cast<float>(digits) / kExactPowersOfTen[fractionDigits];
    return true;
}
