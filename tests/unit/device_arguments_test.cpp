// Arguments of the device commands: decimal numbers, the general queries'
// fields, the source and LUT-mode codes, and the bounded reply line.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "device/device_command_support.h"
#include "platform/platform.h"

namespace {

TEST(DecimalArgument, SignDigitsAndStop) {
    EXPECT_EQ(DecimalArgument(""), 0);
    EXPECT_EQ(DecimalArgument("-1"), -1);
    EXPECT_EQ(DecimalArgument("+5"), 5);
    EXPECT_EQ(DecimalArgument("0x90"), 0);
    EXPECT_EQ(DecimalArgument("_144"), 0);
    EXPECT_EQ(DecimalArgument("12abc"), 12);
    EXPECT_EQ(DecimalArgument("--3"), 0);
}

TEST(DecimalArgument, ClampsOutOfRange) {
    EXPECT_EQ(DecimalArgument("2147483647"), INT32_MAX);
    EXPECT_EQ(DecimalArgument("-2147483648"), INT32_MIN);
    EXPECT_EQ(DecimalArgument("2147483648"), INT32_MAX);
    EXPECT_EQ(DecimalArgument("-2147483649"), INT32_MIN);
    EXPECT_EQ(DecimalArgument("99999999999999999999999999"), INT32_MAX);
    EXPECT_EQ(DecimalArgument("-99999999999999999999999999"), INT32_MIN);
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

TEST(InfoFields, FixedPositionsFullWidth) {
    Fields f = Extract("0x0002,0x0090");
    EXPECT_EQ(f.first, "0x0002");
    EXPECT_EQ(f.second, "0x0090");
    f = Extract("000004;000000");
    EXPECT_EQ(f.first, "000004");
    EXPECT_EQ(f.second, "000000");
    // Only six bytes of each field, whatever follows.
    f = Extract("0000011000003999");
    EXPECT_EQ(f.first, "000001");
    EXPECT_EQ(f.second, "000003");
}

TEST(InfoFields, NarrowFieldsAreNotRealigned) {
    // The first field runs into the comma; the second starts at its fixed byte.
    Fields f = Extract("0x02,0x90");
    EXPECT_EQ(f.first, "0x02,0");
    EXPECT_EQ(f.second, "90");
    EXPECT_EQ(PlatformHexTextToInt(f.first.c_str()), 2);
    EXPECT_EQ(PlatformHexTextToInt(f.second.c_str()), 90);
}

TEST(InfoFields, WordEndingEarlyLeavesFieldsEmpty) {
    EXPECT_EQ(Extract("").first, "");
    EXPECT_EQ(Extract("").second, "");
    Fields f = Extract("0x2");
    EXPECT_EQ(f.first, "0x2");
    EXPECT_EQ(f.second, "");
    f = Extract("000004");  // ends where the skipped byte would be
    EXPECT_EQ(f.first, "000004");
    EXPECT_EQ(f.second, "");
    f = Extract("000004,");  // ends where the second field would start
    EXPECT_EQ(f.second, "");
    f = Extract("000004,1");
    EXPECT_EQ(f.second, "1");
}

TEST(InfoFields, LeftoverBytesBehindTheTerminatorAreIgnored) {
    // An earlier, longer word left its bytes behind this word's terminator.
    char buffer[32] = "12";
    memcpy(buffer + 3, "4,000003,000004", 16);
    char first[kInfoFieldBufferSize];
    char second[kInfoFieldBufferSize];
    ExtractInfoFields(buffer, first, second);
    EXPECT_STREQ(first, "12");
    EXPECT_STREQ(second, "");
}

TEST(CodeTables, SourceCodes) {
    const struct {
        const char *arg;
        int32_t code;
    } cases[] = {
        {"SMPTE", 0}, {"USER", 1},     {"SDI", 2},        {"HDMI", 3},      {"CALIB", 4},
        {"", 0},      {"sdi", 0},      {"hdmi", 0},       {"HDMI_SDI", 2},  {"USER_SMPTE", 0},
        {"xCALIBx", 4}, {"HDMIUSER", 1}, {"CALIB_HDMI", 3}, {"OFF", 0},
    };
    for (const auto &c : cases) EXPECT_EQ(SourceCode(c.arg), c.code) << c.arg;
}

TEST(CodeTables, LutModeCodes) {
    const struct {
        const char *arg;
        int32_t code;
    } cases[] = {
        {"OFF", 0}, {"709", 1},     {"EBU", 2},       {"SMPTE", 3},   {"P3", 4},
        {"", 1},    {"p3", 1},      {"off", 1},       {"P3_OFF", 0},  {"EBU709", 1},
        {"SMPTE_EBU", 2}, {"xP3x", 4}, {"HDMI", 1},
    };
    for (const auto &c : cases) EXPECT_EQ(LutModeCode(c.arg), c.code) << c.arg;
}

TEST(ReplyLine, StopsAtTheBufferEnd) {
    // 64 bytes and no terminator: exactly those 64 bytes are printed.
    std::vector<char> reply(64, 'R');
    testing::internal::CaptureStdout();
    PrintReplyLine("L: ", reply.data());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "L: " + std::string(64, 'R') + "\n");
}

}  // namespace
