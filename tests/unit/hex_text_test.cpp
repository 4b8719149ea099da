// The hexadecimal-capable conversion of the general queries' typed fields.
// The Windows build runs this table through StrToIntExA itself, the others
// through the POSIX conversion: both must give the same numbers.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/platform.h"

namespace {

struct FieldCase {
    const char *text;
    int32_t value;
};

TEST(PlatformHexTextToInt, FieldsConvertAlikeOnEveryPlatform) {
    const FieldCase cases[] = {
        // Full-width fields, hexadecimal and decimal.
        {"0x0002", 2},
        {"0x0090", 144},
        {"000004", 4},
        {"000000", 0},
        {"999999", 999999},
        {"0xffff", 65535},
        {"0XABcd", 43981},
        // A narrower field runs into the separator and the next field.
        {"0x02,0", 2},
        {"90", 90},
        {"12ab", 12},
        {"0x1g2", 1},
        // Signs: applied to a decimal number, not to a hexadecimal one.
        {"-12", -12},
        {"+12", 12},
        {"-0x10", 16},
        {"+0x10", 16},
        {" 7", 7},
        // No number at all: the conversion fails and gives 0.
        {"", 0},
        {",", 0},
        {"abc", 0},
        {"x10", 0},
        {"0x", 0},
        {"0xg", 0},
        {"- 5", 0},
        {"--1", 0},
        {"+-1", 0},
    };
    for (const FieldCase &c : cases) {
        EXPECT_EQ(PlatformHexTextToInt(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(PlatformHexTextToInt, KeepsTheLowThirtyTwoBits) {
    // Longer than a field can be; the result wraps instead of overflowing.
    EXPECT_EQ(PlatformHexTextToInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(PlatformHexTextToInt("0x100000005"), 5);
    EXPECT_EQ(PlatformHexTextToInt("4294967319"), 23);
    EXPECT_EQ(PlatformHexTextToInt("-2147483648"), INT32_MIN);
}

}  // namespace
