#include "ctl/lutctl.h"

#include <cstdio>
#include <cstdlib>

#include "ctl/ctl_commands.h"
#include "ctl/ctl_options.h"
#include "ctl/ctl_output.h"
#include "device/device_api.h"
#include "device/session.h"
#include "lutbox_version.h"
#include "platform/platform.h"

static const Text kCannotLoad = {"lutctl: the device library %s cannot be loaded\n",
                                 "lutctl: 无法加载设备库 %s\n"};
static const Text kCannotBind = {"lutctl: the device library %s lacks entry points\n",
                                 "lutctl: 设备库 %s 缺少入口点\n"};
static const Text kNoMemory = {"lutctl: no memory for the device context\n", "lutctl: 无法为设备上下文分配内存\n"};

static int RunCommand(Session &session, const CtlOptions &options) {
    switch (options.command) {
    case kCmdInfo: return RunInfo(session, options);
    case kCmdSelftest: return RunSelftest(session, options);
    case kCmdLoad: return RunLoad(session, options);
    case kCmdSet:
    case kCmdResetFpga:
    case kCmdEraseLuts: return RunSetting(session, options);
    case kNoCommand: break;
    }
    return kExitUsage;
}

int RunLutctl(int argc, char **argv) {
    CtlOptions options;
    int status = ParseOptions(argc, argv, options);
    if (status != kExitOk) return status;
    if (options.help) {
        PrintHelp();
        return kExitOk;
    }
    if (options.version) {
        printf("lutctl %s\n", kLutboxVersion);
        return kExitOk;
    }
    SetChinese(options.language == kLanguageChinese ||
               (options.language == kLanguageOfSystem && PlatformSystemLanguageIsChinese()));

    if (LoadDeviceLibrary() < 0) {
        SayError(kCannotLoad, kDeviceLibraryName);
        return kExitNoLibrary;
    }
    // As at the console, a library that failed to bind stays loaded until
    // the process ends.
    if (BindDeviceApi() < 0) {
        SayError(kCannotBind, kDeviceLibraryName);
        return kExitNoLibrary;
    }
    void *deviceContext = AllocateDeviceContext();
    if (deviceContext == nullptr) {
        SayError(kNoMemory);
        return kExitFailed;
    }
    // The run's session; the interrupt path reaches it once a command
    // watches it, and the close below (a second one does nothing) ends that
    // before the session goes out of scope.
    Session session;
    StartSession(session, deviceContext);

    PlatformBeginDeviceUse();
    status = RunCommand(session, options);
    CloseRunSession();
    PlatformEndDeviceUse();
    fflush(stdout);
    ReleaseDeviceLibrary();
    PlatformEndAsInterrupted();
    return status;
}
