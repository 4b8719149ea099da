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
#include <memory>
#include <random>
#include <string>
#include <vector>

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

// A value's digits are read eight at a time while eight bytes remain on
// the line, one at a time after that: the last field of a row has fewer
// behind it. The line is its own allocation, so that a read past its end
// is a fault under AddressSanitizer.
TEST(PrepScanTest, DecimalsReadAsStrtofWhereverTheLineEnds) {
    std::mt19937_64 random(33);
    char field[64];
    for (int places = 1; places <= 13; places++) {
        for (int i = 0; i < 2000; i++) {
            double x = std::uniform_real_distribution<double>(-1.5, 1.5)(random);
            snprintf(field, sizeof field, "%.*f", places, x);
            std::string last = std::string("0.5 ") + field;
            std::vector<char> line(last.begin(), last.end());
            float row[3] = {};
            PrepLine whole{line.data(), line.data() + line.size(), 1};
            ASSERT_EQ(ScanRowNumbers(whole, row, nullptr), 2) << field;
            EXPECT_EQ(row[1], strtof(field, nullptr)) << field;
            ASSERT_TRUE(ScansAsStrtof(field));
        }
    }
}

// A field is a number whole or not at all, whatever stands where its digits
// end, within the eight read at once or after them.
TEST(PrepScanTest, FieldsWithMoreThanDigitsAreNoNumber) {
    for (const char *text : {"0.1234x67 1", "0.12345678x 1", "0.1\xC3\xA9 1", "0.5.5 1", "0.1234567/9 1",
                             "0.1234:678 1", "1..5", "0.12345:"}) {
        const char *p = text;
        float value = -7.0f;
        EXPECT_EQ(ScanReal(&p, text + strlen(text), 0, false, &value), kFieldBad) << text;
        EXPECT_EQ(p, text) << text;
        EXPECT_EQ(value, -7.0f) << text;
    }
}

// Whole numbers as std::from_chars reads them, a plus sign allowed, up to
// 2^31 either way; leading zeros are no digits of their own. Up to nine
// digits without a sign take a shorter path: at its edges too, a field
// at the line's end reads as one before a blank and the next field.
TEST(PrepScanTest, IntegersUpToTwoToTheThirtyFirst) {
    const struct {
        const char *text;
        FieldResult result;
        int64_t value;
    } cases[] = {
        {"7", kFieldNumber, 7},
        {"+5", kFieldNumber, 5},
        {"-0", kFieldNumber, 0},
        {"007", kFieldNumber, 7},
        {"000000000000000000000012", kFieldNumber, 12},
        {"0", kFieldNumber, 0},
        {"999999999", kFieldNumber, 999999999},
        {"000000000", kFieldNumber, 0},
        {"1000000000", kFieldNumber, 1000000000},
        {"0000000001", kFieldNumber, 1},
        {"00000000002147483648", kFieldNumber, 2147483648},
        {"2147483648", kFieldNumber, 2147483648},
        {"-2147483648", kFieldNumber, -2147483648},
        {"2147483649", kFieldBad, 0},
        {"99999999999999999999999", kFieldBad, 0},
        {"+-5", kFieldBad, 0},
        {"-+5", kFieldBad, 0},
        {"+", kFieldBad, 0},
        {"5x", kFieldBad, 0},
        {"123456789x", kFieldBad, 0},
        {"9999999999", kFieldBad, 0},
        {"4294967296", kFieldBad, 0},
        {"5.0", kFieldBad, 0},
        {"  ", kFieldEnd, 0},
    };
    for (const auto &c : cases) {
        for (bool followed : {false, true}) {
            if (followed && c.result == kFieldEnd) continue;
            std::string text = std::string(" ") + c.text + (followed ? " \t 7" : "");
            const char *p = text.data();
            int64_t value = 0;
            EXPECT_EQ(ScanInteger(&p, text.data() + text.size(), 0, &value), c.result) << c.text << followed;
            EXPECT_EQ(value, c.value) << c.text << followed;
            // At the next field, or at the field's start when it is no number.
            const char *stop = c.result == kFieldBad ? text.data() + 1 : text.data() + text.size() - (followed ? 1 : 0);
            EXPECT_EQ(p, stop) << c.text << followed;
        }
    }
    // A separator ends the field, and is passed.
    for (const char *csv : {"12,3", "123456789 ,3", "1234567890,3", "-12,3"}) {
        const char *p = csv;
        int64_t value = 0;
        ASSERT_EQ(ScanInteger(&p, csv + strlen(csv), ',', &value), kFieldNumber) << csv;
        EXPECT_EQ(value, strtoll(csv, nullptr, 10)) << csv;
        EXPECT_STREQ(p, "3") << csv;
    }
}

// A keyword is the line's whole first word, in any letter case.
TEST(PrepScanTest, KeywordsAreWholeWords) {
    const char *rest = nullptr;
    const char line[] = "  lut_3d_Size\t33";
    ASSERT_TRUE(MatchKeyword(line, line + strlen(line), "LUT_3D_SIZE", &rest));
    EXPECT_STREQ(rest, "\t33");
    const char word[] = "LUT_3D_SIZE";
    EXPECT_TRUE(MatchKeyword(word, word + strlen(word), "LUT_3D_SIZE", &rest));
    for (const char *other : {"LUT_3D_SIZEX 33", "LUT_3D 33", "LUT_3D_SIZ", "", "33 LUT_3D_SIZE"}) {
        EXPECT_FALSE(MatchKeyword(other, other + strlen(other), "LUT_3D_SIZE", &rest)) << other;
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

// In an array a number is followed by others: the usual "0.123456" and
// its longer forms, read a word at a time where the bytes after them allow,
// stop where their digits do and keep strtod's value; beyond double's exact
// digits they are left to from_chars.
TEST(PrepScanTest, DecimalsAmongOthersReadAsStrtodWhereverTheTextEnds) {
    std::mt19937_64 random(20261209);
    const std::string after = " 0.25 1.5\n0.75";
    for (int places = 0; places <= 18; places++) {
        for (int i = 0; i < 200; i++) {
            std::string number(1, static_cast<char>('0' + random() % 10));
            number += '.';
            for (int k = 0; k < places; k++) number += static_cast<char>('0' + random() % 10);
            for (size_t tail = 0; tail <= after.size(); tail++) {
                std::string text = number + after.substr(0, tail);
                // In a block of exactly its bytes, so that the sanitizer
                // sees a read past the text's end (a string has its NUL
                // there, and its buffer is not watched).
                std::unique_ptr<char[]> exact(new char[text.size()]);
                memcpy(exact.get(), text.data(), text.size());
                double value = -7.0;
                const char *stop = ScanPlainDouble(exact.get(), exact.get() + text.size(), &value);
                if (stop == nullptr && places >= 15) continue;  // beyond double's exact digits
                ASSERT_EQ(stop, exact.get() + number.size()) << text;
                ASSERT_EQ(value, strtod(number.c_str(), nullptr)) << text;
            }
        }
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
