// lutprep's number fields (ScanReal) against the C library's strtof, the
// reference for a decimal's nearest float (and the plain decimals that XML
// readers take as doubles against strtod): the decimals of 9 and 10 places
// and the long integers that some software writes, and the decimals whose
// nearest double lies exactly halfway between two floats, where rounding
// twice (to double, then to float) goes wrong for about half of them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "prep/text_scan.h"

namespace {

// The field as ScanReal reads it from a row, or a failure.
::testing::AssertionResult ScansAsStrtof(const std::string &field) {
    std::string row = field + " 1";
    const char *p = row.data();
    float value = -7.0f;
    if (ScanReal(&p, row.data() + row.size(), 0, false, &value) != kFieldNumber) {
        return ::testing::AssertionFailure() << "'" << field << "' is no number";
    }
    if (p != row.data() + field.size() + 1) return ::testing::AssertionFailure() << "'" << field << "' ends early";
    float expected = strtof(field.c_str(), nullptr);
    uint32_t got, want;
    memcpy(&got, &value, sizeof got);
    memcpy(&want, &expected, sizeof want);
    if (got != want) {
        return ::testing::AssertionFailure() << "'" << field << "': " << value << " (bits " << got << "), strtof "
                                             << expected << " (bits " << want << ")";
    }
    return ::testing::AssertionSuccess();
}

TEST(PrepScanTest, LongDecimalsReadAsStrtofReadsThem) {
    std::mt19937_64 random(20261207);
    char field[64];
    for (int places : {7, 8, 9, 10, 12, 15}) {
        for (int i = 0; i < 20000; i++) {
            double x = std::uniform_real_distribution<double>(-0.25, 1.25)(random);
            snprintf(field, sizeof field, "%.*f", places, x);
            ASSERT_TRUE(ScansAsStrtof(field));
        }
    }
    // Whole numbers past float's exact digits, and past double's; more
    // digits than a 64-bit integer holds.
    for (const char *text :
         {"16777217", "123456789", "9007199254740991", "9007199254740993", "123456789012345678901", "-0.0000000001",
          "0.0000000000000000000001", "3.4028235677973366e38", "1.17549421e-38", "0.99999999999999999",
          "0.0000000000000000000123", "18446744073709551617.5", "-000000000000000000001"}) {
        EXPECT_TRUE(ScansAsStrtof(text));
    }
}

TEST(PrepScanTest, DecimalsNearestToHalfwayBetweenFloatsRoundOnce) {
    // m, halfway between two neighbouring floats, is exact in double; its
    // 16-place decimal is not m, but its nearest double is, so only the
    // decimal's own digits tell which of the two floats is nearer.
    std::mt19937_64 random(7);
    char field[64];
    int halfway = 0;
    for (int i = 0; i < 20000; i++) {
        float f = static_cast<float>(std::uniform_real_distribution<double>(0.1, 0.85)(random));
        double m = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 2.0f))) / 2;
        snprintf(field, sizeof field, "%.16f", m);
        if (strtod(field, nullptr) != m) continue;
        halfway++;
        ASSERT_TRUE(ScansAsStrtof(field));
    }
    EXPECT_GT(halfway, 5000);
}

// The field as ScanPlainDouble reads it, against strtod, or its refusal.
::testing::AssertionResult ReadsAsStrtod(const std::string &field) {
    double value = -7.0;
    const char *stop = ScanPlainDouble(field.data(), field.data() + field.size(), &value);
    if (stop != field.data() + field.size()) return ::testing::AssertionFailure() << "'" << field << "' not read whole";
    double expected = strtod(field.c_str(), nullptr);
    uint64_t got, want;
    memcpy(&got, &value, sizeof got);
    memcpy(&want, &expected, sizeof want);
    if (got != want) {
        return ::testing::AssertionFailure() << "'" << field << "': bits " << got << ", strtod's " << want;
    }
    return ::testing::AssertionSuccess();
}

TEST(PrepScanTest, PlainDecimalsReadAsDoublesAsStrtodReadsThem) {
    std::mt19937_64 random(20261208);
    char field[64];
    for (int places : {1, 6, 10, 11}) {
        for (int i = 0; i < 20000; i++) {
            double x = std::uniform_real_distribution<double>(-2.0, 4096.0)(random);
            snprintf(field, sizeof field, "%.*f", places, x);
            if (strlen(field) - (x < 0 ? 2 : 1) > 15) continue;  // beyond the digits double holds
            ASSERT_TRUE(ReadsAsStrtod(field));
        }
    }
    for (const char *text : {"0", "-0", "-0.0", "7.", "9007199254740991", "0.9007199254740991", "1.000000000000000",
                             "0.000000000000000001"}) {
        EXPECT_TRUE(ReadsAsStrtod(text));
    }
}

TEST(PrepScanTest, OtherSpellingsAreLeftToFromChars) {
    // Where the digits stop, the caller tells whether the field ends.
    double value = 0.0;
    const char e[] = "1.5e2";
    EXPECT_EQ(ScanPlainDouble(e, e + 5, &value), e + 3);
    for (const char *text : {"", "-", ".5", "+1", "-.5", "nan", "inf", "9007199254740993", "0.00000000000000000000001",
                             "12345678901234567890"}) {
        EXPECT_EQ(ScanPlainDouble(text, text + strlen(text), &value), nullptr) << text;
    }
}

}  // namespace
