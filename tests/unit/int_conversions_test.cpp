// The tool's own integer conversions and the "atoi:" line built on them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "console/selftest_commands.h"
#include "selftest/int_conversions.h"

namespace {

struct AtoiCase {
    const char *text;
    int32_t value;
    const char *line;  // what "atoi:" prints for the text
};

class AtoiTable : public testing::TestWithParam<AtoiCase> {};

TEST_P(AtoiTable, ValueAndPrintedProduct) {
    const AtoiCase &c = GetParam();
    EXPECT_EQ(TextToInt(c.text), c.value);
    Session session{};
    testing::internal::CaptureStdout();
    CmdAtoi(session, c.text);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line);
}

INSTANTIATE_TEST_SUITE_P(Texts, AtoiTable,
                         testing::Values(AtoiCase{"123", 123, "atoi test Val * 10 = 1230\n"},
                                         AtoiCase{"-45", -45, "atoi test Val * 10 = -450\n"},
                                         AtoiCase{"+7x9", 7, "atoi test Val * 10 = 70\n"},
                                         AtoiCase{"", 0, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"abc", 0, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"--5", 0, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"+-5", 0, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"214748365", 214748365, "atoi test Val * 10 = -2147483646\n"},
                                         AtoiCase{"2147483647", 2147483647, "atoi test Val * 10 = -10\n"},
                                         AtoiCase{"2147483648", INT32_MIN, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"4294967297", 1, "atoi test Val * 10 = 10\n"},
                                         AtoiCase{"-2147483648", INT32_MIN, "atoi test Val * 10 = 0\n"},
                                         AtoiCase{"-2147483649", 2147483647, "atoi test Val * 10 = -10\n"}));

TEST(TextToInt, SkipsBlanksAndControlCodesEightToThirteen) {
    EXPECT_EQ(TextToInt(" \t\b42"), 42);
    EXPECT_EQ(TextToInt("\n\v\f\r-42"), -42);
    // Codes just outside 8..13 and bytes from 0x80 on are not white space.
    EXPECT_EQ(TextToInt("\a42"), 0);
    EXPECT_EQ(TextToInt("\x0E"
                        "42"),
              0);
    EXPECT_EQ(TextToInt("\x85"
                        "42"),
              0);
}

TEST(TextToInt, NoBlanksAfterTheSignAndStopsAtTheFirstNonDigit) {
    EXPECT_EQ(TextToInt("- 5"), 0);
    EXPECT_EQ(TextToInt("+\b5"), 0);
    EXPECT_EQ(TextToInt("12 34"), 12);
    EXPECT_EQ(TextToInt("12\xB3"
                        "4"),
              12);
    EXPECT_EQ(TextToInt("9:1"), 9);  // ':' follows '9' in ASCII
    EXPECT_EQ(TextToInt("/1"), 0);   // '/' precedes '0'
}

TEST(IntToText, FillsExactlySevenBytesOfTheGivenArea) {
    char area[16];
    memset(area, '#', sizeof area);
    EXPECT_EQ(IntToText(area), area);
    EXPECT_STREQ(area, "-43670");
    EXPECT_EQ(static_cast<int>(strlen(area)) + 1, kIntToTextSize);
    for (size_t i = kIntToTextSize; i < sizeof area; ++i) EXPECT_EQ(area[i], '#') << i;
}

TEST(IntToText, AllocatesWhenNoAreaIsGiven) {
    char *text = IntToText(nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "-43670");
    free(text);
}

}  // namespace
