#include "console/console_loop.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/command_table.h"
#include "console/word_reader.h"
#include "console/word_support.h"
#include "device/device_api.h"
#include "lut/lut_tables.h"
#include "platform/platform.h"

// "请输入命令: ->" in GBK; no line end.
static const char kPrompt[] = "\xC7\xEB\xCA\xE4\xC8\xEB\xC3\xFC\xC1\xEE: ->";

static int StartupFailure(const char *message) {
    PlatformConsolePuts(message);
    PlatformPause();
    return -1;
}

// Said on standard error before "LoadLibrary fail", which stays as it was
// on standard output: which library was looked for, where, and where the
// simulated box of the release package is. UTF-8, as the path may hold
// any character.
static void ExplainMissingLibrary() {
    char path[kPlatformPathBytes];
    if (PlatformPathBesideProgram(kDeviceLibraryName, path, sizeof path) != 0) {
        snprintf(path, sizeof path, "%s", kDeviceLibraryName);
    }
    static const char kEnglish[] =
        "lutbox: the device library %s cannot be loaded. It was looked for beside the program, as\n"
        "  %s\n"
        "lutbox: to try the console without a box, start it in the simulator folder of the package, where the "
        "simulated box is.\n";
    static const char kChinese[] =
        "lutbox: 无法加载设备库 %s。程序在自己的文件夹中查找它：\n"
        "  %s\n"
        "lutbox: 不接设备试用时，请在程序包的 simulator 文件夹中启动控制台，模拟加载器就在那里。\n";
    char text[kPlatformPathBytes + 512];
    snprintf(text, sizeof text, PlatformSystemLanguageIsChinese() ? kChinese : kEnglish, kDeviceLibraryName, path);
    PlatformWriteText(stderr, text);
}

bool DispatchWord(Session &session, const char *word) {
    if (strstr(word, "exit") != nullptr) return false;
    const CommandRow *row = FindCommand(word);
    if (row == nullptr) return true;
    row->handler(session, word + strlen(row->keyword));
    if (row->closeAfter) ReportClose(CloseDevice(session));
    return true;
}

int RunConsole() {
    // Until the first word is read the buffer holds the self-test keyword.
    char commandBuffer[kCommandBufferSize] = {};
    memcpy(commandBuffer, kLoaderTestKeyword, sizeof kLoaderTestKeyword);

    if (LoadDeviceLibrary() < 0) {
        ExplainMissingLibrary();
        return StartupFailure("LoadLibrary fail");
    }
    // On a failed binding the library stays loaded until the process ends.
    if (BindDeviceApi() < 0) return StartupFailure("GetFunAddr fail");
    void *deviceContext = AllocateDeviceContext();
    if (deviceContext == nullptr) return StartupFailure("Memory Allocate Failure!\n");
    Session session;
    StartSession(session, deviceContext);
    // The run's 3D table, which "load:" fills and "setLut" sends again:
    // static, as it is large.
    static Lut3dTable lut3d;
    session.Lut3d = &lut3d;
    WatchRunSession(session);

    // An interrupt ends the loop as the end of input does: at the read it
    // cuts short, or before the next prompt.
    while (!PlatformInterrupted()) {
        ClearReplies(session);
        PlatformConsolePuts(kPrompt);
        fflush(stdout);

        WordResult read = ReadCommandWord(stdin, commandBuffer, kMaxWordLength);
        // At the end of input there is no new word: shut down as on "exit".
        if (read == kWordEnd) break;
        if (read == kWordTooLong) {
            PlatformConsolePrintf("Command word too long: at most %d characters.\n", kMaxWordLength);
            continue;
        }
        // A word cut short by an interrupt must not run.
        if (PlatformInterrupted()) break;
        PlatformBeginDeviceUse();
        bool goOn = DispatchWord(session, commandBuffer);
        PlatformEndDeviceUse();
        if (!goOn) break;
    }

    ReportClose(CloseRunSession());
    ReleaseDeviceLibrary();
    PlatformEndAsInterrupted();
    return 0;
}
