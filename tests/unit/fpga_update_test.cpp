// The FPGA update image: lengths, the blanked prefix, and what is left on
// disk when a conversion fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
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

TEST_F(FpgaUpdate, ImageIsTheSourceWithItsFirst331BytesBlanked) {
    for (size_t length : {0u, 1u, 330u, 331u, 332u, 1000u}) {
        std::string source = Pattern(length, 3);
        Write("top.bit", source);
        ASSERT_EQ(MakeFpgaUpdateFile("top.bit"), 0) << length << " bytes";
        std::string image = Image();
        ASSERT_EQ(image, Blanked(source)) << length << " bytes";
    }
    // The 332-byte case spelled out: 331 times 0xFF, then the last byte.
    std::string source = Pattern(332, 3);
    Write("top.bit", source);
    ASSERT_EQ(MakeFpgaUpdateFile("top.bit"), 0);
    EXPECT_EQ(Image(), std::string(331, '\xFF') + source[331]);
}

TEST_F(FpgaUpdate, ShorterSourceAfterALongerOneLeavesNothingOfIt) {
    Write("long.bit", Pattern(5000, 1));
    ASSERT_EQ(MakeFpgaUpdateFile("long.bit"), 0);
    std::string shorter = Pattern(400, 2);
    Write("short.bit", shorter);
    ASSERT_EQ(MakeFpgaUpdateFile("short.bit"), 0);
    EXPECT_EQ(Image(), Blanked(shorter));
}

TEST_F(FpgaUpdate, ImageAsItsOwnSource) {
    std::string source = Pattern(2000, 5);
    Write(kFpgaUpdateFileName, source);
    ASSERT_EQ(MakeFpgaUpdateFile(kFpgaUpdateFileName), 0);
    EXPECT_EQ(Image(), Blanked(source));
    ASSERT_EQ(MakeFpgaUpdateFile(("./" + std::string(kFpgaUpdateFileName)).c_str()), 0);
    EXPECT_EQ(Image(), Blanked(source));
}

TEST_F(FpgaUpdate, LargestSourceFitsOneByteMoreIsRefusedBeforeTheImageIsTouched) {
    std::string largest = Pattern(kFirmwareBufferSize, 7);
    Write("largest.bit", largest);
    ASSERT_EQ(MakeFpgaUpdateFile("largest.bit"), 0);
    EXPECT_TRUE(Image() == Blanked(largest));

    std::string earlier = Pattern(500, 9);
    Write(kFpgaUpdateFileName, earlier);
    Write("larger.bit", largest + 'x');
    EXPECT_EQ(MakeFpgaUpdateFile("larger.bit"), -1);
    EXPECT_TRUE(Image() == earlier);
    // Nor can the image refuse itself into an empty file.
    Write(kFpgaUpdateFileName, largest + 'x');
    EXPECT_EQ(MakeFpgaUpdateFile(kFpgaUpdateFileName), -1);
    EXPECT_EQ(fs::file_size(kFpgaUpdateFileName), static_cast<uintmax_t>(kFirmwareBufferSize) + 1);
}

TEST_F(FpgaUpdate, UnreadableSourceCreatesAndChangesNothing) {
    EXPECT_EQ(MakeFpgaUpdateFile("absent.bit"), -1);
    EXPECT_FALSE(fs::exists(kFpgaUpdateFileName));

    std::string earlier = Pattern(500, 9);
    Write(kFpgaUpdateFileName, earlier);
    EXPECT_EQ(MakeFpgaUpdateFile("absent.bit"), -1);
    EXPECT_EQ(Image(), earlier);
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

TEST_F(FpgaUpdate, UncreatableImageIsReported) {
    Write("top.bit", Pattern(600, 4));
    std::error_code ec;
    fs::create_directory(kFpgaUpdateFileName, ec);
    ASSERT_FALSE(ec);
    EXPECT_EQ(MakeFpgaUpdateFile("top.bit"), -1);
    EXPECT_TRUE(fs::is_directory(kFpgaUpdateFileName));
}

TEST_F(FpgaUpdate, ShortWriteIsReported) {
    std::error_code ec;
    if (!fs::exists("/dev/full", ec)) GTEST_SKIP() << "no /dev/full here";
    fs::create_symlink("/dev/full", kFpgaUpdateFileName, ec);
    if (ec) GTEST_SKIP() << "no symbolic links here";
    Write("top.bit", Pattern(600, 4));
    EXPECT_EQ(MakeFpgaUpdateFile("top.bit"), -1);
    // A source that leaves nothing to write succeeds even there.
    Write("empty.bit", "");
    EXPECT_EQ(MakeFpgaUpdateFile("empty.bit"), 0);
}

}  // namespace
