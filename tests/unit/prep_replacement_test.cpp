// Writing a file by replacement as lutprep writes OUT: nothing but the old
// or the whole new file ever stands at its name, whatever stops the write,
// and the file replaced keeps who may read it.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "scratch_dir.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

class PrepReplacement : public ScratchDirTest {
protected:
    // The names in the scratch directory other than the one given.
    std::string Others(const std::string &keep) {
        std::string names;
        for (const auto &entry : std::filesystem::directory_iterator(dir)) {
            std::string name = entry.path().filename().string();
            if (name != keep) names += name + " ";
        }
        return names;
    }

    std::string Read(const std::string &path) {
        std::string bytes;
        FILE *f = fopen(path.c_str(), "rb");
        if (f == nullptr) return "(none)";
        for (int c; (c = fgetc(f)) != EOF;) bytes += static_cast<char>(c);
        fclose(f);
        return bytes;
    }
};

#ifndef _WIN32

mode_t ModeOf(const std::string &path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST_F(PrepReplacement, KeepsThePermissionBitsOfTheFileReplaced) {
    for (mode_t mode : {mode_t{0600}, mode_t{0640}, mode_t{0755}}) {
        std::string path = Write("out.cube", "old\n");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        PlatformReplacement r;
        ASSERT_NE(PlatformCreateReplacement(r, path.c_str()), nullptr);
        fputs("new\n", r.file);
        ASSERT_EQ(PlatformFinishReplacement(r), 0);
        EXPECT_EQ(Read(path), "new\n");
        EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
        std::filesystem::remove(path);
    }
    // A new file gets what any new file gets.
    mode_t mask = umask(0);
    umask(mask);
    std::string path = (dir / "new.cube").string();
    PlatformReplacement r;
    ASSERT_NE(PlatformCreateReplacement(r, path.c_str()), nullptr);
    ASSERT_EQ(PlatformFinishReplacement(r), 0);
    EXPECT_EQ(ModeOf(path), 0666 & ~mask);
}

// In a child of the test: an interrupt comes while the temporary file of
// path exists; the writer's check follows.
void InterruptWhileWriting(const std::string &path, int signal) {
    PlatformCatchInterrupts(nullptr);
    PlatformReplacement r;
    if (PlatformCreateReplacement(r, path.c_str()) == nullptr) _Exit(3);
    fputs("new, half written\n", r.file);
    raise(signal);
    PlatformEndReplacementIfInterrupted(r);
    _Exit(4);
}

// The handler only notes an interrupt; the writer's check while the
// temporary file exists removes it and ends the process by the signal.
TEST_F(PrepReplacement, AnInterruptWhileTheTemporaryFileExistsRemovesIt) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::string path = Write("out.cube", "old\n");
        EXPECT_EXIT(InterruptWhileWriting(path, signal), ::testing::KilledBySignal(signal), "") << signal;
        EXPECT_EQ(Others("out.cube"), "") << signal;
        EXPECT_EQ(Read(path), "old\n") << signal;
    }
}

// In a child of the test: writes 64 KiB by replacement of path under a
// file size limit of 4 KiB; exits 0 when the close fails as a write error.
void WriteBeyondTheLimit(const std::string &path) {
    PlatformIgnoreFileSizeSignal();
    struct rlimit limit = {4096, 4096};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _Exit(3);
    PlatformReplacement r;
    if (PlatformCreateReplacement(r, path.c_str()) == nullptr) _Exit(4);
    std::string block(1000, 'x');
    for (int i = 0; i < 64; i++) fputs(block.c_str(), r.file);
    _Exit(PlatformCloseReplacement(r) == -1 ? 0 : 5);
}

// Beyond the file size limit a write fails as on a full disk: the
// temporary file is removed and OUT stays, instead of SIGXFSZ ending the
// process with the temporary file left behind.
TEST_F(PrepReplacement, AWriteBeyondTheFileSizeLimitFailsAndRemovesTheTemporaryFile) {
    std::string path = Write("out.cube", "old\n");
    EXPECT_EXIT(WriteBeyondTheLimit(path), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(Others("out.cube"), "");
    EXPECT_EQ(Read(path), "old\n");
}

#endif

}  // namespace
