// The FPGA update image where the transcripts do not reach: the image as its
// own source under another spelling, an oversized image, a directory as
// source.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "lut/fpga_update.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

// A source pattern that never holds 0xFF, so a blanked byte always differs.
std::string Pattern(size_t length, int seed) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + static_cast<size_t>(seed)) % 251);
    return bytes;
}

std::string Blanked(std::string bytes) {
    for (size_t i = 0; i < bytes.size() && i < static_cast<size_t>(kFpgaBlankedPrefix); ++i) bytes[i] = '\xFF';
    return bytes;
}

// Each test converts in its own directory, since the image name is fixed.
class FpgaUpdate : public ScratchDirTest {
protected:
    fs::path previous;
    void SetUp() override {
        ScratchDirTest::SetUp();
        previous = fs::current_path();
        std::error_code ec;
        fs::current_path(dir, ec);
        ASSERT_FALSE(ec);
    }
    void TearDown() override {
        std::error_code ec;
        fs::current_path(previous, ec);
        ScratchDirTest::TearDown();
    }
    static std::string Image() { return ReadAll(kFpgaUpdateFileName); }
};

TEST_F(FpgaUpdate, ImageAsItsOwnSourceUnderAnotherSpelling) {
    std::string source = Pattern(2000, 5);
    Write(kFpgaUpdateFileName, source);
    ASSERT_EQ(MakeFpgaUpdateFile(("./" + std::string(kFpgaUpdateFileName)).c_str()), 0);
    EXPECT_EQ(Image(), Blanked(source));
}

// An oversized image as its own source is refused without emptying it.
TEST_F(FpgaUpdate, OversizedImageIsNotRefusedIntoAnEmptyFile) {
    Write(kFpgaUpdateFileName, Pattern(kFirmwareBufferSize + 1, 7));
    EXPECT_EQ(MakeFpgaUpdateFile(kFpgaUpdateFileName), -1);
    EXPECT_EQ(fs::file_size(kFpgaUpdateFileName), static_cast<uintmax_t>(kFirmwareBufferSize) + 1);
}

// On POSIX a directory opens like a file but cannot be read; elsewhere it
// does not open. Either way it is no source, and no image is written.
TEST_F(FpgaUpdate, DirectoryAsSourceCreatesNothing) {
    std::error_code ec;
    fs::create_directory("top.bit", ec);
    ASSERT_FALSE(ec);
    EXPECT_EQ(MakeFpgaUpdateFile("top.bit"), -1);
    EXPECT_FALSE(fs::exists(kFpgaUpdateFileName));
}

}  // namespace
