// Arguments of the device commands: the decimal numbers' clamp, the general
// queries' fields, the source and LUT-mode codes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "console/word_support.h"
#include "device/box_codes.h"

namespace {

TEST(DecimalArgument, ClampsOutOfRange) {
    EXPECT_EQ(DecimalArgument("2147483647"), INT32_MAX);
    EXPECT_EQ(DecimalArgument("-2147483648"), INT32_MIN);
    EXPECT_EQ(DecimalArgument("2147483648"), INT32_MAX);
    EXPECT_EQ(DecimalArgument("-2147483649"), INT32_MIN);
}

// The argument as an exactly sized heap block, so that reading behind its
// terminator is caught by the address sanitizer.
std::vector<char> Exact(const char *text) { return std::vector<char>(text, text + strlen(text) + 1); }

struct Fields {
    std::string first, second;
};

Fields Extract(const char *arg) {
    std::vector<char> exact = Exact(arg);
    char first[kInfoFieldBufferSize];
    char second[kInfoFieldBufferSize];
    memset(first, 'Z', sizeof first);
    memset(second, 'Z', sizeof second);
    ExtractInfoFields(exact.data(), first, second);
    // Everything behind the copied bytes is zero.
    for (size_t i = strlen(first); i < sizeof first; i++) EXPECT_EQ(first[i], '\0') << arg;
    for (size_t i = strlen(second); i < sizeof second; i++) EXPECT_EQ(second[i], '\0') << arg;
    return {first, second};
}

// Six bytes from byte 0 and six from byte 7, never realigned, and empty
// where the word ends first.
TEST(InfoFields, FixedPositions) {
    const struct {
        const char *arg, *first, *second;
    } cases[] = {
        {"0x0002,0x0090", "0x0002", "0x0090"},
        {"000004;000000", "000004", "000000"},
        {"0000011000003999", "000001", "000003"},
        {"0x02,0x90", "0x02,0", "90"},
        {"", "", ""},
        {"0x2", "0x2", ""},
        {"000004", "000004", ""},
        {"000004,", "000004", ""},
        {"000004,1", "000004", "1"},
    };
    for (const auto &c : cases) {
        Fields f = Extract(c.arg);
        EXPECT_EQ(f.first, c.first) << c.arg;
        EXPECT_EQ(f.second, c.second) << c.arg;
    }
}

TEST(CodeTables, SourceCodes) {
    const struct {
        const char *arg;
        int32_t code;
    } cases[] = {
        {"SMPTE", 0}, {"USER", 1},     {"SDI", 2},        {"HDMI", 3},    {"CALIB", 4},    {"", 0},
        {"sdi", 0},   {"HDMI_SDI", 2}, {"USER_SMPTE", 0}, {"xCALIBx", 4}, {"HDMIUSER", 1}, {"CALIB_HDMI", 3},
    };
    for (const auto &c : cases) EXPECT_EQ(SourceCode(c.arg), c.code) << c.arg;
}

TEST(CodeTables, LutModeCodes) {
    const struct {
        const char *arg;
        int32_t code;
    } cases[] = {
        {"OFF", 0}, {"709", 1},    {"EBU", 2},    {"SMPTE", 3},     {"P3", 4},   {"", 1},
        {"p3", 1},  {"P3_OFF", 0}, {"EBU709", 1}, {"SMPTE_EBU", 2}, {"xP3x", 4}, {"HDMI", 1},
    };
    for (const auto &c : cases) EXPECT_EQ(LutModeCode(c.arg), c.code) << c.arg;
}

}  // namespace
