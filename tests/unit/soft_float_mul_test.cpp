// The software float multiply against hand-worked products and against an
// independent rounding of the exact product.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "selftest/soft_float_mul.h"

namespace {

// "结果上溢（ --> ∞）！！！" and "结果下溢（ --> 0.0）！！！" in GBK
const std::string kOverflow = "\xBD\xE1\xB9\xFB\xC9\xCF\xD2\xE7\xA3\xA8 --> \xA1\xDE\xA3\xA9\xA3\xA1\xA3\xA1\xA3\xA1\n";
const std::string kUnderflow = "\xBD\xE1\xB9\xFB\xCF\xC2\xD2\xE7\xA3\xA8 --> 0.0\xA3\xA9\xA3\xA1\xA3\xA1\xA3\xA1\n";

uint32_t Bits(float f) {
    uint32_t b;
    memcpy(&b, &f, sizeof b);
    return b;
}

float Float(uint32_t b) {
    float f;
    memcpy(&f, &b, sizeof f);
    return f;
}

uint64_t Bits(double d) {
    uint64_t b;
    memcpy(&b, &d, sizeof b);
    return b;
}

double Double(uint64_t b) {
    double d;
    memcpy(&d, &b, sizeof d);
    return d;
}

// The result bits and everything printed on the way.
struct Outcome {
    uint32_t bits;
    std::string printed;
};

Outcome Multiply(uint32_t x, uint32_t y) {
    testing::internal::CaptureStdout();
    float r = SoftFloatMul(Float(x), Float(y));
    std::string printed = testing::internal::GetCapturedStdout();
    return {Bits(r), printed};
}

void ExpectProduct(uint32_t x, uint32_t y, uint32_t expected) {
    Outcome o = Multiply(x, y);
    EXPECT_EQ(o.bits, expected) << std::hex << x << " * " << y << " gave " << o.bits;
    EXPECT_EQ(o.printed, "");
}

void ExpectMessage(uint32_t x, uint32_t y, const std::string &message) {
    Outcome o = Multiply(x, y);
    EXPECT_EQ(o.bits, 0u) << std::hex << x << " * " << y;  // +0.0, never -0.0
    EXPECT_EQ(o.printed, message) << std::hex << x << " * " << y;
}

TEST(SoftFloatMul, RoundingCarriesOutOfTheFraction) {
    ExpectProduct(0x3F800001u, 0x3FFFFFFEu, 0x40000000u);
    // Halfway: rounded up in magnitude, not to the even 0x3FC00004.
    ExpectProduct(0x3F800003u, 0x3FC00000u, 0x3FC00005u);
    ExpectProduct(0xBF800003u, 0x3FC00000u, 0xBFC00005u);
    // Only the first dropped bit counts: just below halfway rounds down.
    ExpectProduct(0x3F800001u, 0x3F800001u, 0x3F800002u);
}

TEST(SoftFloatMul, ZeroBandIncludesBothBounds) {
    const float lower = -1e-6f, upper = 1e-6f;  // nearest floats, both inside
    ASSERT_GE(static_cast<double>(lower), -1e-6);
    ASSERT_LE(static_cast<double>(upper), 1e-6);
    const float below = std::nextafter(lower, -1.0f), above = std::nextafter(upper, 1.0f);
    for (float inside : {lower, upper, -0.0f}) {
        ExpectProduct(Bits(inside), Bits(5.0f), 0u);
        ExpectProduct(Bits(-3.0f), Bits(inside), 0u);
        ExpectProduct(Bits(inside), Bits(INFINITY), 0u);
    }
    ExpectProduct(Bits(0.000001f), Bits(3.0f), 0u);
    // Just outside the band the product is computed.
    ExpectProduct(Bits(below), Bits(1.0f), Bits(below));
    ExpectProduct(Bits(2.0f), Bits(above), Bits(2.0f * above));
}

TEST(SoftFloatMul, ExponentRange) {
    // 1e20 * 1e20: e = 259.
    ExpectMessage(Bits(1e20f), Bits(1e20f), kOverflow);
    ExpectMessage(Bits(-1e20f), Bits(1e20f), kOverflow);
    // Largest finite operands: e = 382 stays an overflow.
    ExpectMessage(0x7F7FFFFFu, 0xFF7FFFFFu, kOverflow);
    // e = 255 after normalising is packed as it is, into all ones.
    ExpectProduct(0x5F800000u, 0x5F800000u, 0x7F800000u);  // 2^64 * 2^64
    ExpectProduct(0x5FC00000u, 0xDF800000u, 0xFFC00000u);  // 1.5*2^64 * -2^64
    ExpectProduct(0x5F400000u, 0x5FC00000u, 0x7F900000u);  // e 254 + 1 from P[0]
    // e = 255 plus the carry of the rounding: 256.
    ExpectMessage(0x5F800001u, 0x5FFFFFFEu, kOverflow);
    ExpectProduct(0x5F000001u, 0x5FFFFFFEu, 0x7F800000u);
    // Infinities enter with their all-ones field: 255 + 128 - 127 = 256,
    // 255 + 255 - 127 = 383; only a significand product of 2 or more (here
    // two quiet NaNs, 1.5 * 1.5) reaches 384.
    ExpectMessage(Bits(INFINITY), Bits(2.0f), kOverflow);
    ExpectMessage(Bits(INFINITY), Bits(-INFINITY), kOverflow);
    ExpectMessage(0x7FC00000u, 0x7FC00000u, kUnderflow);
    ExpectMessage(0x7FFFFFFFu, 0xFFFFFFFFu, kUnderflow);
}

// The exact product (held by a double: 48 significant bits) rounded to
// single precision with ties away from zero, from the double's bits.
struct Reference {
    bool normal;    // finite, normal single-precision result
    bool tie;       // exactly halfway between two floats
    bool evenKept;  // the last kept bit below a tie is 0
    uint32_t bits;
};

Reference RoundTiesAway(double exact) {
    constexpr int kDropped = 52 - 23;
    uint64_t b = Bits(exact);
    uint64_t sign = b & (uint64_t{1} << 63);
    uint64_t magnitude = b & ~(uint64_t{1} << 63);
    uint64_t dropped = magnitude & ((uint64_t{1} << kDropped) - 1);
    Reference r{};
    r.tie = dropped == (uint64_t{1} << (kDropped - 1));
    r.evenKept = ((magnitude >> kDropped) & 1u) == 0;
    // Adding half a unit carries into the exponent where it has to.
    magnitude = (magnitude + (uint64_t{1} << (kDropped - 1))) & ~((uint64_t{1} << kDropped) - 1);
    double rounded = Double(sign | magnitude);
    double size = std::fabs(rounded);
    r.normal = size >= 0x1p-126 && size < 0x1p128;
    if (r.normal) r.bits = Bits(static_cast<float>(rounded));  // exact: 24 bits
    return r;
}

// Significands with only their top bits varying make exact and halfway
// products common; the rest are fully random.
uint32_t RandomOperand(std::mt19937 &random, bool coarse) {
    uint32_t exponent = 107 + random() % (254 - 107 + 1);
    uint32_t fraction = random() & 0x7FFFFFu;
    if (coarse) fraction &= ~((1u << (random() % 24)) - 1);
    return ((random() & 1u) << 31) | (exponent << 23) | fraction;
}

TEST(SoftFloatMul, EqualsTheExactProductRoundedTiesAway) {
    std::mt19937 random(20240607);
    int checked = 0, evenTies = 0, oddTies = 0;
    std::string mismatch;
    // One capture for the whole run: nothing may be printed for these.
    testing::internal::CaptureStdout();
    while (checked < 100000 && mismatch.empty()) {
        bool coarse = random() % 2 == 0;
        uint32_t xb = RandomOperand(random, coarse), yb = RandomOperand(random, coarse);
        float x = Float(xb), y = Float(yb);
        if (std::fabs(static_cast<double>(x)) <= 1e-6 || std::fabs(static_cast<double>(y)) <= 1e-6) continue;
        double exact = static_cast<double>(x) * static_cast<double>(y);
        Reference ref = RoundTiesAway(exact);
        if (!ref.normal) continue;
        ++checked;

        uint32_t mine = Bits(SoftFloatMul(x, y));
        uint32_t platform = Bits(static_cast<float>(exact));  // ties to even
        bool evenTie = ref.tie && ref.evenKept;
        if (evenTie) ++evenTies;
        if (ref.tie && !ref.evenKept) ++oddTies;
        // Away from even ties the platform agrees; at them it is one unit
        // smaller in magnitude.
        if (mine != ref.bits || mine != platform + (evenTie ? 1u : 0u)) {
            char text[128];
            snprintf(text, sizeof text, "%08X * %08X: got %08X, rounded ties away %08X, platform %08X", xb, yb, mine,
                     ref.bits, platform);
            mismatch = text;
        }
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(mismatch, "");
    // Both kinds of tie were met, so the tie rule was really exercised.
    EXPECT_GT(evenTies, 100);
    EXPECT_GT(oddTies, 100);
}

}  // namespace
