#include "console/console_loop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/command_table.h"
#include "console/loop_state.h"
#include "console/word_reader.h"
#include "device/device_api.h"
#include "platform/platform.h"

// "请输入命令: ->" in GBK; no line end.
static const char kPrompt[] = "\xC7\xEB\xCA\xE4\xC8\xEB\xC3\xFC\xC1\xEE: ->";

static void *AllocateFromHeap(size_t size) {
    return malloc(size);
}

void *(*AllocateDeviceContext)(size_t size) = AllocateFromHeap;

static int StartupFailure(const char *message, const char *pauseCommand) {
    fputs(message, stdout);
    PlatformPause(pauseCommand);
    return -1;
}

int RunConsole() {
    ResetLoopState();
    if (LoadDeviceLibrary() < 0) return StartupFailure("LoadLibrary fail", "Pause");
    // On a failed binding the library stays loaded until the process ends.
    if (BindDeviceApi() < 0) return StartupFailure("GetFunAddr fail", "Pause");
    // Never released: the library may keep using it until the process ends.
    DeviceContext = AllocateDeviceContext(kDeviceContextSize);
    if (DeviceContext == nullptr) return StartupFailure("Memory Allocate Failure!\n", "pause");

    for (;;) {
        memset(TextReply, 0, sizeof TextReply);
        memset(SerialReply, 0, sizeof SerialReply);
        fputs(kPrompt, stdout);
        fflush(stdout);

        WordResult read = ReadCommandWord(stdin, CommandBuffer, kMaxWordLength);
        // At the end of input there is no new word: shut down as on "exit".
        if (read == kWordEnd) break;
        if (read == kWordTooLong) {
            printf("Command word too long: at most %d characters.\n", kMaxWordLength);
            continue;
        }
        if (strstr(CommandBuffer, "exit") != nullptr) break;

        const CommandRow *row = FindCommand(CommandBuffer);
        if (row == nullptr) continue;
        row->handler(CommandBuffer + row->argOffset);
        if (row->closeAfter) DeviceApi.KX_DEV_DeInit(DeviceContext);
    }

    DeviceApi.KX_DEV_DeInit(DeviceContext);
    ReleaseDeviceLibrary();
    return 0;
}
