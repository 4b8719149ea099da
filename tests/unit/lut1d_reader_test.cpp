// The 1D LUT reader: form by extension, decimal scans, runs in the lut form.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "lut/lut1d_reader.h"
#include "scratch_dir.h"

namespace {

// The values the 1D reader fills here.
int32_t Table1d[kLut1dEntries];

namespace fs = std::filesystem;

constexpr int32_t kUntouched = -77;

class Lut1dReader : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        for (int32_t &entry : Table1d) entry = kUntouched;
    }

    static void ExpectUntouchedFrom(int first) {
        for (int i = first; i < kLut1dEntries; ++i) {
            ASSERT_EQ(Table1d[i], kUntouched) << "entry " << i;
        }
    }
};

TEST_F(Lut1dReader, HexReadsTheFirst1024DecimalValuesWhateverTheSpacing) {
    std::string text;
    const char *separators[] = {"\r\n", " ", "\t", "\n\n", "  \r\n  "};
    for (int i = 0; i < 1025; ++i) {
        text += std::to_string(i * 3 - 100) + separators[i % 5];
    }
    EXPECT_EQ(Read1dLutFile(Write("ramp.hex", text).c_str(), Table1d), kLut1dHexRead);
    for (int i = 0; i < 1024; ++i) ASSERT_EQ(Table1d[i], i * 3 - 100) << "entry " << i;
    ExpectUntouchedFrom(1024);
}

TEST_F(Lut1dReader, HexTextStopsTheScanAtItsFirstLetter) {
    // 3ff is read as the decimal 3; the scan cannot pass the f, so the
    // values behind it are not reached.
    EXPECT_EQ(Read1dLutFile(Write("hexdigits.hex", "3ff\r\n5\r\n6\r\n").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 3);
    ExpectUntouchedFrom(1);

    for (int32_t &entry : Table1d) entry = kUntouched;
    EXPECT_EQ(Read1dLutFile(Write("sign.hex", "1 +2 - 3 4").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 1);
    EXPECT_EQ(Table1d[1], 2);
    ExpectUntouchedFrom(2);
}

TEST_F(Lut1dReader, ShortHexFileLeavesTheRestOfTheTable) {
    EXPECT_EQ(Read1dLutFile(Write("short.Hex", "10\r\n20\r\n30").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 10);
    EXPECT_EQ(Table1d[1], 20);
    EXPECT_EQ(Table1d[2], 30);
    ExpectUntouchedFrom(3);

    EXPECT_EQ(Read1dLutFile(Write("empty.hex", "").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 10);
}

TEST_F(Lut1dReader, ValuesBeyond32BitsKeepTheirLow32Bits) {
    EXPECT_EQ(
        Read1dLutFile(Write("wide.hex", "2147483648 4294967297 100000000000000000000 -4294967295").c_str(), Table1d),
        kLut1dHexRead);
    EXPECT_EQ(Table1d[0], INT32_MIN);
    EXPECT_EQ(Table1d[1], 1);
    EXPECT_EQ(Table1d[2], 1661992960);  // 10^20 mod 2^32
    EXPECT_EQ(Table1d[3], 1);
    ExpectUntouchedFrom(4);
}

TEST_F(Lut1dReader, FormFollowsTheFirstExtensionStringInThePath) {
    // Both extensions: hex is tested first, so no run is collapsed.
    EXPECT_EQ(Read1dLutFile(Write("both.lut.hex", "0 0 5 5").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 0);
    EXPECT_EQ(Table1d[3], 5);
    ExpectUntouchedFrom(4);

    for (int32_t &entry : Table1d) entry = kUntouched;
    EXPECT_EQ(Read1dLutFile(Write("upper.HEX", "1 2 3").c_str(), Table1d), kLut1dUnknownKind);
    EXPECT_EQ(Read1dLutFile(Write("mixed.Lut", "1 2 3").c_str(), Table1d), kLut1dUnknownKind);
    EXPECT_EQ(Read1dLutFile((dir / "absent.hex").string().c_str(), Table1d), kLut1dOpenFailed);
    ExpectUntouchedFrom(0);

    // The extension may stand anywhere in the path.
    EXPECT_EQ(Read1dLutFile(Write("curve.hex.txt", "9").c_str(), Table1d), kLut1dHexRead);
    EXPECT_EQ(Table1d[0], 9);
    EXPECT_EQ(Read1dLutFile(Write("curve.LUT.bak", "8").c_str(), Table1d), kLut1dLutRead);
    EXPECT_EQ(Table1d[0], 8);
}

TEST_F(Lut1dReader, LutCollapsesRunsAndDropsLeadingZeros) {
    EXPECT_EQ(Read1dLutFile(Write("runs.lut", "0\r\n0\r\n0\r\n5\r\n5\r\n7\r\n7\r\n7\r\n").c_str(), Table1d),
              kLut1dLutRead);
    EXPECT_EQ(Table1d[0], 5);
    EXPECT_EQ(Table1d[1], 7);
    ExpectUntouchedFrom(2);

    // Only equal neighbours collapse: a zero after other values is kept.
    EXPECT_EQ(Read1dLutFile(Write("back.LUT", "5 5 0 0 5 -5").c_str(), Table1d), kLut1dLutRead);
    EXPECT_EQ(Table1d[0], 5);
    EXPECT_EQ(Table1d[1], 0);
    EXPECT_EQ(Table1d[2], 5);
    EXPECT_EQ(Table1d[3], -5);
    ExpectUntouchedFrom(4);
}

TEST_F(Lut1dReader, LutSkipsExactlyItsHeaderLines) {
    // A header line of 300 bytes counts as two lines in both passes; a line
    // that holds digits but does not begin with one is a header line.
    std::string header = "# title\r\n" + std::string(300, 'x') + "\r\n LUT 1 2 3\r\n-4\r\n";
    EXPECT_EQ(Read1dLutFile(Write("header.lut", header + "11 12\r\n13\r\n").c_str(), Table1d), kLut1dLutRead);
    EXPECT_EQ(Table1d[0], 11);
    EXPECT_EQ(Table1d[1], 12);
    EXPECT_EQ(Table1d[2], 13);
    ExpectUntouchedFrom(3);

    // No line begins with a digit: every line is header, nothing is read.
    for (int32_t &entry : Table1d) entry = kUntouched;
    EXPECT_EQ(Read1dLutFile(Write("nodata.lut", "# a\r\n -1 2\r\n").c_str(), Table1d), kLut1dLutRead);
    ExpectUntouchedFrom(0);
}

TEST_F(Lut1dReader, LutReadsAt4096ValuesAndNeverPastTheTable) {
    std::string text = "header\n";
    for (int i = 0; i < 5000; ++i) text += (i % 2 == 0 ? "1\n" : "2\n");
    EXPECT_EQ(Read1dLutFile(Write("long.lut", text).c_str(), Table1d), kLut1dLutRead);
    for (int i = 0; i < kLut1dEntries; ++i) ASSERT_EQ(Table1d[i], i % 2 == 0 ? 1 : 2) << "entry " << i;

    // 4096 scans, so the values behind them are not counted, even when the
    // scans before them collapse.
    for (int32_t &entry : Table1d) entry = kUntouched;
    text = std::string();
    for (int i = 0; i < 4096; ++i) text += "3 ";
    text += "4";
    EXPECT_EQ(Read1dLutFile(Write("flat.lut", text).c_str(), Table1d), kLut1dLutRead);
    EXPECT_EQ(Table1d[0], 3);
    ExpectUntouchedFrom(1);
}

TEST_F(Lut1dReader, DirectoryNamedLikeALutFileCannotBeOpened) {
    // No regular file: the open failure, whatever the name, and no entry
    // changed.
    for (const char *name : {"d.hex", "d.LUT", "d.txt"}) {
        std::error_code ec;
        fs::create_directory(dir / name, ec);
        ASSERT_FALSE(ec) << name;
        EXPECT_EQ(Read1dLutFile((dir / name).string().c_str(), Table1d), kLut1dOpenFailed) << name;
    }
    ExpectUntouchedFrom(0);
}

}  // namespace
