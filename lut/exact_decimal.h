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
#include <cstring>
#include <iterator>
#include <limits>

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

// The powers of ten of up to 9 digits' worth, as integers.
inline constexpr uint64_t kIntegerPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                                   100000, 1000000, 10000000, 100000000, 1000000000};

// The powers of ten that double holds exactly (5^22 < 2^53 < 5^23).
inline constexpr double kDoublePowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int64_t kLargestDoublePower = static_cast<int64_t>(std::size(kDoublePowersOfTen)) - 1;
// Digits below 2^53 are exact in double.
constexpr uint64_t kDoubleDigitsLimit = uint64_t{1} << 53;

// q rounded to float into *value, where q, zero or within float's normal
// range, lies within ulps units of its last place of a value x: the float
// nearest x. The rounding to float changes only at the points halfway
// between two floats, where the 29 bits of q's significand that a float
// drops are 2^28; when one lies within ulps of q, x may lie on its other
// side: false then, nothing stored.
inline bool RoundNearToFloat(double q, uint64_t ulps, float *value) {
    uint64_t bits;
    memcpy(&bits, &q, sizeof bits);
    constexpr int kDroppedBits = 52 - 23;
    constexpr uint64_t kDroppedMask = (uint64_t{1} << kDroppedBits) - 1;
    constexpr uint64_t kHalfway = uint64_t{1} << (kDroppedBits - 1);
    if ((bits & kDroppedMask) - (kHalfway - ulps) <= 2 * ulps) return false;
    *value = static_cast<float>(q);
    return true;
}

// digits over ten to fractionDigits into *value, for digits too many for
// one float division ("0.1234567890", as some software writes LUTs): one
// double division rounds the quotient correctly to double (0 ulps from
// it), and that double rounds to the same float as the exact quotient
// unless it lies exactly halfway between two floats; false then, for
// digits or a power beyond double's exact ones, and for quotients below
// float's normal range, whose halfway points lie elsewhere.
inline bool DoubleDecimalFraction(uint64_t digits, int64_t fractionDigits, float *value) {
    if (digits >= kDoubleDigitsLimit || fractionDigits > kLargestDoublePower) return false;
    double quotient = static_cast<double>(digits) / kDoublePowersOfTen[fractionDigits];
    if (quotient != 0.0 && quotient < static_cast<double>(std::numeric_limits<float>::min())) return false;
    return RoundNearToFloat(quotient, 0, value);
}

// The powers 10^-0 to 10^-9, each the double nearest to it: digits below
// 2^53 times one is within 2 ulps of digits / 10^k, rounded twice (the
// power, then the product) by half an ulp each; a product is taken as
// within kTenthPowerProductUlps, with room to spare.
inline constexpr double kDoubleTenthPowers[] = {1e-0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9};
constexpr uint64_t kTenthPowerProductUlps = 4;
