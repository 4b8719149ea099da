// The start-up failure that no library can cause: the DeviceContext block
// cannot be allocated.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console/console_loop.h"
#include "device/device_api.h"
#include "scratch_dir.h"

namespace {

class Startup : public ScratchDirTest {};

TEST_F(Startup, ContextAllocationFailureEndsBeforeThePrompt) {
    // The pause must not wait for a key: give it an input that has ended.
    ASSERT_NE(freopen(Write("empty", "").c_str(), "rb", stdin), nullptr);
    void *(*original)(size_t) = AllocateDeviceContext;
    AllocateDeviceContext = [](size_t) -> void * { return nullptr; };

    testing::internal::CaptureStdout();
    int status = RunConsole();
    std::string out = testing::internal::GetCapturedStdout();
    AllocateDeviceContext = original;
    ReleaseDeviceLibrary();

    EXPECT_EQ(status, -1);
    // The message, then the shell's pause; no prompt, no command.
    EXPECT_EQ(out.rfind("Memory Allocate Failure!", 0), 0u) << out;
    EXPECT_NE(out.find("Press any key to continue"), std::string::npos) << out;
    EXPECT_EQ(out.find("\xC7\xEB\xCA\xE4\xC8\xEB\xC3\xFC\xC1\xEE"), std::string::npos) << out;
}

}  // namespace
