// The gamma curve: values, exponent text, file name and exact file bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <string>

#include "lut/gamma_file.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(GammaEntry, WorkedExample22Truncates) {
    const struct {
        int i;
        uint32_t value;
    } rows[] = {{0, 0}, {43, 0}, {44, 1}, {100, 6}, {128, 10}, {256, 48},
                {512, 222}, {768, 543}, {1000, 971}, {1022, 1019}, {1023, 1021}};
    for (const auto &row : rows) EXPECT_EQ(GammaEntry(2.2, row.i), row.value) << "entry " << row.i;
}

TEST(GammaEntry, IdentitySquareAndRoot) {
    for (int i = 0; i < 1024; ++i) {
        ASSERT_EQ(GammaEntry(1.0, i), static_cast<uint32_t>(i)) << "entry " << i;
        ASSERT_EQ(GammaEntry(2.0, i), static_cast<uint32_t>(i * i / 1024)) << "entry " << i;
    }
    EXPECT_EQ(GammaEntry(2.0, 512), 0x100u);
    EXPECT_EQ(GammaEntry(2.0, 1023), 0x3feu);
    const uint32_t rootStart[] = {0x000, 0x02d, 0x03d, 0x04a, 0x054, 0x05d};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(GammaEntry(0.45, i), rootStart[i]) << "entry " << i;
    EXPECT_EQ(GammaEntry(0.45, 1023), 0x3ffu);
}

TEST(GammaEntry, ZeroExponentGives1024EverywhereEntry0Included) {
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(GammaEntry(0.0, i), 1024u) << "entry " << i;
}

TEST(GammaEntry, ValuesBeyondRangeAreDefined) {
    // Entry 0 of a negative exponent is infinite: clamped to the largest
    // 64-bit value, whose low 32 bits are all ones.
    EXPECT_EQ(GammaEntry(-1.0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(GammaEntry(-1.0, 1), 1048576u);
    EXPECT_EQ(GammaEntry(-1.0, 1023), 1025u);  // 1025.0010 truncated
    // Within the 64-bit range, beyond 32 bits: 2^50 / 81 = 13899998849908.9.
    EXPECT_EQ(GammaEntry(-4.0, 3), static_cast<uint32_t>(13899998849908ull & 0xFFFFFFFFu));
    // Beyond the 64-bit range.
    EXPECT_EQ(GammaEntry(-40.0, 1), 0xFFFFFFFFu);
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int i : {0, 1, 512, 1023}) {
        EXPECT_EQ(GammaEntry(inf, i), 0u) << "entry " << i;
        EXPECT_EQ(GammaEntry(-inf, i), 0xFFFFFFFFu) << "entry " << i;
        EXPECT_EQ(GammaEntry(nan, i), 0u) << "entry " << i;
    }
}

TEST(GammaExponent, LeadingDecimalNumberOnly) {
    EXPECT_EQ(GammaExponent("2.2"), 2.2);
    EXPECT_EQ(GammaExponent("2.2abc"), 2.2);
    EXPECT_EQ(GammaExponent("0.45"), 0.45);
    EXPECT_EQ(GammaExponent("-.5e1x"), -5.0);
    EXPECT_EQ(GammaExponent("+1e"), 1.0);
    EXPECT_EQ(GammaExponent("3."), 3.0);
    EXPECT_EQ(GammaExponent(""), 0.0);
    EXPECT_EQ(GammaExponent("abc"), 0.0);
    EXPECT_EQ(GammaExponent("-"), 0.0);
    EXPECT_EQ(GammaExponent("."), 0.0);
    EXPECT_EQ(GammaExponent("0x1p1"), 0.0);
    EXPECT_EQ(GammaExponent("-0X10"), 0.0);
    EXPECT_EQ(GammaExponent("inf"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(GammaExponent("-Infinity"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(GammaExponent("NaN")));
    EXPECT_TRUE(std::isinf(GammaExponent("1e999")));
}

TEST(GammaFileName, PointsLeftOutAndLengthBounded) {
    char name[kGammaNameBufferSize];
    ASSERT_EQ(GammaFileName("2.2", name), 0);
    EXPECT_STREQ(name, "Gamma10b_22.hex");
    ASSERT_EQ(GammaFileName("", name), 0);
    EXPECT_STREQ(name, "Gamma10b_.hex");
    ASSERT_EQ(GammaFileName("2.2abc", name), 0);
    EXPECT_STREQ(name, "Gamma10b_22abc.hex");
    ASSERT_EQ(GammaFileName("1.0\r\nzz", name), 0);
    EXPECT_STREQ(name, "Gamma10b_10.hex");

    // 50 characters make a name of 63; the points do not count.
    std::string fits(50, '7');
    ASSERT_EQ(GammaFileName(fits.c_str(), name), 0);
    EXPECT_EQ(strlen(name), 63u);
    ASSERT_EQ(GammaFileName((fits + "....").c_str(), name), 0);
    EXPECT_EQ(strlen(name), 63u);
    EXPECT_EQ(GammaFileName((fits + "7").c_str(), name), -1);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(GammaFileName(std::string(500, '9').c_str(), name), -1);
    EXPECT_STREQ(name, "");

    // The file stays in the current directory.
    for (const char *arg : {"1/2", "..\\2.2", "C:2.2", "2.2:x", "/tmp/x"}) {
        EXPECT_EQ(GammaFileName(arg, name), -2) << arg;
        EXPECT_STREQ(name, "") << arg;
    }
}

class GammaFile : public ScratchDirTest {};

TEST_F(GammaFile, ExactBytesCrCrLfBetweenValuesSingleCrAtTheEnd) {
    fs::path path = dir / "Gamma10b_2.hex";
    {
        FILE *f = fopen(path.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fputs(std::string(9000, 'z').c_str(), f);
        fclose(f);
    }
    ASSERT_EQ(WriteGammaFile(path.string().c_str(), 2.0), 0);
    std::string expected;
    for (int i = 0; i < 1024; ++i) {
        int v = i * i / 1024;
        expected += "0123456789abcdef"[v / 256];
        expected += "0123456789abcdef"[v / 16 % 16];
        expected += "0123456789abcdef"[v % 16];
        expected += i < 1023 ? "\r\r\n" : "\r";
    }
    std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.size(), 1024u * 6 - 2);
    EXPECT_EQ(bytes.substr(0, 12), "000\r\r\n000\r\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "3fc\r\r\n3fe\r");
}

TEST_F(GammaFile, NegativeExponentWritesItsLow32Bits) {
    fs::path path = dir / "Gamma10b_-1.hex";
    ASSERT_EQ(WriteGammaFile(path.string().c_str(), -1.0), 0);
    std::string bytes = ReadAll(path);
    EXPECT_EQ(bytes.substr(0, 24), "ffffffff\r\r\n100000\r\r\n8000");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "401\r");
}

TEST_F(GammaFile, UncreatableFileIsReported) {
    fs::path path = dir / "missing" / "Gamma10b_1.hex";
    EXPECT_EQ(WriteGammaFile(path.string().c_str(), 1.0), -1);
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
