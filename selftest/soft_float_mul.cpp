#include "selftest/soft_float_mul.h"
#include "platform/platform.h"

#include <bit>
#include <cstdio>

namespace {

constexpr int kFractionBits = 23;
constexpr uint32_t kFractionMask = (1u << kFractionBits) - 1;
constexpr int32_t kExponentBias = 127;
// Exponents from here on are too large for the format; from the second
// bound on the sum can only come from two all-ones exponent fields.
constexpr int32_t kOverflowExponent = 256;
constexpr int32_t kUnderflowExponent = 384;
constexpr double kZeroBand = 1e-6;

// "结果上溢（ --> ∞）！！！" in GBK
const char kOverflowMessage[] =
    "\xBD\xE1\xB9\xFB\xC9\xCF\xD2\xE7\xA3\xA8 --> \xA1\xDE\xA3\xA9\xA3\xA1\xA3\xA1\xA3\xA1\n";
// "结果下溢（ --> 0.0）！！！" in GBK
const char kUnderflowMessage[] = "\xBD\xE1\xB9\xFB\xCF\xC2\xD2\xE7\xA3\xA8 --> 0.0\xA3\xA9\xA3\xA1\xA3\xA1\xA3\xA1\n";

uint32_t FloatBits(float value) { return std::bit_cast<uint32_t>(value); }

float FloatFromBits(uint32_t bits) { return std::bit_cast<float>(bits); }

uint32_t SignOf(uint32_t bits) { return bits >> 31; }
int32_t ExponentOf(uint32_t bits) { return static_cast<int32_t>((bits >> kFractionBits) & 0xFFu); }
uint32_t FractionOf(uint32_t bits) { return bits & kFractionMask; }

// Compared in double precision; NaN lies outside.
bool InZeroBand(float value) {
    double v = value;
    return v >= -kZeroBand && v <= kZeroBand;
}

// The hidden bit, then fraction bits 22 down to 0.
void UnpackSignificand(uint32_t bits, uint8_t significand[kSignificandBits]) {
    significand[0] = 1;
    uint32_t fraction = FractionOf(bits);
    for (int i = 1; i < kSignificandBits; ++i) {
        significand[i] = static_cast<uint8_t>((fraction >> (kFractionBits - i)) & 1u);
    }
}

// Normalises the significand product, rounds on the first dropped bit and
// packs; exponents out of range are reported and give +0.0.
float RoundPackProduct(uint32_t sign, int32_t exponent, const uint8_t product[kProductBits]) {
    int lead = 1;
    if (product[0] == 1) {
        lead = 0;
        ++exponent;
    }
    uint32_t fraction = 0;
    for (int j = lead + 1; j <= lead + kFractionBits; ++j) fraction = (fraction << 1) | product[j];
    // The bits behind the round bit are not consulted.
    if (product[lead + kFractionBits + 1] == 1) {
        ++fraction;
        if (fraction > kFractionMask) {
            fraction = 0;
            ++exponent;
        }
    }

    if (exponent >= kUnderflowExponent) {
        PlatformConsolePuts(kUnderflowMessage);
        return 0.0f;
    }
    if (exponent >= kOverflowExponent) {
        PlatformConsolePuts(kOverflowMessage);
        return 0.0f;
    }
    // Outside the zero band both exponent fields are at least 107, so the
    // exponent is at least 87 here and fits the 8-bit field exactly.
    uint32_t bits = (sign << 31) | (static_cast<uint32_t>(exponent) << kFractionBits) | fraction;
    return FloatFromBits(bits);
}

}  // namespace

void MulSignificands(uint8_t product[kProductBits], const uint8_t multiplier[kSignificandBits],
                     const uint8_t multiplicand[kSignificandBits]) {
    for (int k = kSignificandBits - 1; k >= 0; --k) {
        int carry = 0;
        for (int i = kSignificandBits - 1; i >= 0; --i) {
            int s = product[k + i + 1] + multiplicand[i] * multiplier[k] + carry;
            product[k + i + 1] = static_cast<uint8_t>(s % 2);
            carry = s / 2;
        }
        product[k] = static_cast<uint8_t>(carry);
    }
}

float SoftFloatMul(float x, float y) {
    if (InZeroBand(x)) return 0.0f;
    if (InZeroBand(y)) return 0.0f;

    uint32_t xBits = FloatBits(x);
    uint32_t yBits = FloatBits(y);
    int32_t exponent = ExponentOf(xBits) + ExponentOf(yBits) - kExponentBias;
    uint32_t sign = SignOf(xBits) ^ SignOf(yBits);

    uint8_t multiplicand[kSignificandBits];
    uint8_t multiplier[kSignificandBits];
    UnpackSignificand(xBits, multiplicand);
    UnpackSignificand(yBits, multiplier);

    uint8_t product[kProductBits] = {};
    MulSignificands(product, multiplier, multiplicand);
    return RoundPackProduct(sign, exponent, product);
}
