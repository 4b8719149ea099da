// The ramp file of "loadLog:": exact bytes on every platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "lut/ramp_file.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

// Hex digits by repeated division, independent of printf.
std::string Hex(int value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789abcdef"[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

class RampFile : public ScratchDirTest {};

TEST_F(RampFile, HoldsTheValues0To3ffEachLineEndingInCrLf) {
    fs::path path = dir / kRampFileName;
    {
        // A longer file of the same name is emptied first.
        FILE *f = fopen(path.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        fputs(std::string(9000, 'z').c_str(), f);
        fclose(f);
    }
    ASSERT_EQ(WriteRampFile(path.string().c_str()), 0);
    std::string bytes = ReadAll(path);

    std::string expected;
    for (int k = 0; k < 1024; ++k) expected += Hex(k) + "\r\n";
    EXPECT_EQ(bytes, expected);
    // 16 one-digit, 240 two-digit and 768 three-digit lines.
    EXPECT_EQ(bytes.size(), 4848u);
    EXPECT_EQ(bytes.substr(0, 9), "0\r\n1\r\n2\r\n");
    EXPECT_NE(bytes.find("\r\ne\r\nf\r\n10\r\n11\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "3fe\r\n3ff\r\n");
}

TEST_F(RampFile, UncreatableFileIsReportedAndNothingIsWritten) {
    fs::path path = dir / "no_such_dir" / kRampFileName;
    EXPECT_EQ(WriteRampFile(path.string().c_str()), -1);
    EXPECT_FALSE(fs::exists(path));
}

}  // namespace
