// The gamma curve where the transcripts do not reach: values beyond range,
// the exponent text, the file name's bounds, an uncreatable file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>

#include "lut/gamma_file.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

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
    for (int i : {0, 1023}) {
        EXPECT_EQ(GammaEntry(inf, i), 0u) << "entry " << i;
        EXPECT_EQ(GammaEntry(-inf, i), 0xFFFFFFFFu) << "entry " << i;
        EXPECT_EQ(GammaEntry(nan, i), 0u) << "entry " << i;
    }
}

TEST(GammaExponent, LeadingDecimalNumberOnly) {
    EXPECT_EQ(GammaExponent("2.2abc"), 2.2);
    EXPECT_EQ(GammaExponent("-.5e1x"), -5.0);
    EXPECT_EQ(GammaExponent("+1e"), 1.0);
    EXPECT_EQ(GammaExponent("-"), 0.0);
    EXPECT_EQ(GammaExponent("."), 0.0);
    // No hexadecimal form, unlike strtod.
    EXPECT_EQ(GammaExponent("0x1p1"), 0.0);
    EXPECT_EQ(GammaExponent("-0X10"), 0.0);
    EXPECT_EQ(GammaExponent("-Infinity"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isinf(GammaExponent("1e999")));
}

TEST(GammaFileName, PointsLeftOutAndLengthBounded) {
    char name[kGammaNameBufferSize];
    ASSERT_EQ(GammaFileName("2.2", name), 0);
    EXPECT_STREQ(name, "Gamma10b_22.hex");
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

    // The file stays in the current directory.
    for (const char *arg : {"1/2", "..\\2.2", "C:2.2", "2.2:x", "/tmp/x"}) {
        EXPECT_EQ(GammaFileName(arg, name), -2) << arg;
        EXPECT_STREQ(name, "") << arg;
    }
}

class GammaFile : public ScratchDirTest {};

TEST_F(GammaFile, UncreatableFileIsReported) {
    fs::path path = dir / "missing" / "Gamma10b_1.hex";
    EXPECT_EQ(WriteGammaFile(path.string().c_str(), 1.0), -1);
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
