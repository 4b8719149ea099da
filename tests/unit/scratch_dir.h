// A fresh directory for each test's files, removed after the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

class ScratchDirTest : public ::testing::Test {
protected:
    std::filesystem::path dir;

    void SetUp() override {
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("lutbox_") + info->test_suite_name() + "_" + info->name();
        for (char &c : name) {
            if (c == '/') c = '_';
        }
        std::random_device random;
        dir = std::filesystem::temp_directory_path() / (name + "_" + std::to_string(random()));
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        ASSERT_FALSE(ec) << dir;
    }

    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    // Writes bytes to the file name in dir; returns its path.
    std::string Write(const std::string &name, const std::string &bytes) {
        std::string path = (dir / name).string();
        FILE *f = fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr) << path;
        if (f != nullptr) {
            EXPECT_EQ(fwrite(bytes.data(), 1, bytes.size(), f), bytes.size()) << path;
            fclose(f);
        }
        return path;
    }

    // The whole file, or "<missing>" when it cannot be opened.
    static std::string ReadAll(const std::filesystem::path &path) {
        std::string bytes;
        FILE *f = fopen(path.string().c_str(), "rb");
        if (f == nullptr) return "<missing>";
        char chunk[65536];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        fclose(f);
        return bytes;
    }

    // Whether OpenColorIO's ociobakelut, the reference, runs here: its help
    // text names the option the tests use. (It exits 1 even for --help, so
    // its status tells nothing, and a shell's "not found" message repeats
    // the command.)
    bool HaveOcio() {
        std::string probe = (dir / "probe.txt").string();
        int ignored = std::system(("ociobakelut --help > \"" + probe + "\" 2>&1").c_str());
        (void)ignored;
        return ReadAll(probe).find("--cubesize") != std::string::npos;
    }
};
