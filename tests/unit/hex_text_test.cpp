// The hexadecimal-capable conversion of the general queries' typed fields.
// The Windows build runs this table through StrToIntExA itself and through
// the written conversion it falls back on, the others through the written
// one: all must give the same numbers.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace {

struct Case {
    const char *text;
    int32_t value;
};

template <size_t N>
void ExpectEachConversion(const Case (&cases)[N]) {
    for (const Case &c : cases) {
        EXPECT_EQ(PlatformHexTextToInt(c.text), c.value) << c.text;
        EXPECT_EQ(WrittenHexTextToInt(c.text), c.value) << c.text;
    }
}

TEST(HexTextToInt, HexadecimalAfterPrefix) {
    const Case cases[] = {
        {"0x0002", 2},
        {"0x0090", 144},
        {"0X90", 144},
        {"0xfF", 255},
        {"0x7FFFFFFF", INT32_MAX},
        {"0xFFFFFFFF", -1},
        {"0x80000000", INT32_MIN},
        // Too large for 32 bits: the low 32 bits remain.
        {"0x1234567890", 0x34567890},
        // A sign before a hexadecimal number is ignored.
        {"-0x10", 16},
        // The first character that is no hex digit ends the number.
        {"0x02,0", 2},
        {"0x1g", 1},
        {"0x0x1", 0},
    };
    ExpectEachConversion(cases);
}

TEST(HexTextToInt, DecimalOtherwise) {
    const Case cases[] = {
        {"90", 90},
        {"000004", 4},
        {"-12", -12},
        {"+7", 7},
        {"12abc", 12},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        // Wrapping to the low 32 bits, both signs.
        {"2147483648", INT32_MIN},
        {"4294967297", 1},
        {"-4294967295", 1},
        // Leading blanks, tabs and line feeds are skipped, other control
        // characters are not, nor is anything between sign and digits.
        {"  \t12", 12},
        {"\n\t -3", -3},
        {"\v5", 0},
        {"\r5", 0},
        {"- 5", 0},
    };
    ExpectEachConversion(cases);
}

TEST(HexTextToInt, NoNumberGivesZero) {
    for (const char *text : {"", "abc", "0x", "0xg", "--5", "+-5", "-", ",90"}) {
        EXPECT_EQ(PlatformHexTextToInt(text), 0) << text;
        EXPECT_EQ(WrittenHexTextToInt(text), 0) << text;
    }
}

}  // namespace
