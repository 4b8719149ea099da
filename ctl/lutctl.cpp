#include "ctl/lutctl.h"

#include <cstdio>
#include <cstdlib>

#include "ctl/ctl_commands.h"
#include "ctl/ctl_options.h"
#include "ctl/ctl_output.h"
#include "device/device_api.h"
#include "device/session.h"
#include "platform/platform.h"

static const Text kCannotLoad = {"lutctl: the device library %s cannot be loaded\n", "lutctl: 无法加载设备库 %s\n"};
static const Text kCannotBind = {"lutctl: the device library %s lacks entry points\n",
                                 "lutctl: 设备库 %s 缺少入口点\n"};
static const Text kNoMemory = {"lutctl: no memory for the device context\n", "lutctl: 无法为设备上下文分配内存\n"};

int RunLutctl(int argc, char **argv) {
    PlatformIgnoreFileSizeSignal();
    CtlOptions options;
    bool answered = false;
    int status = ParseOptions(argc, argv, options, &answered);
    if (status != kExitOk || answered) return status;
    SetChinese(options.language == kLanguageChinese ||
               (options.language == kLanguageOfSystem && PlatformSystemLanguageIsChinese()));
    const CtlCommandRow &command = CtlCommandOf(options.command);
    Session session{};
    if (!command.opensBox) return command.run(session, options);

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
    StartSession(session, deviceContext);

    PlatformBeginDeviceUse();
    status = command.run(session, options);
    CloseRunSession();
    PlatformEndDeviceUse();
    fflush(stdout);
    ReleaseDeviceLibrary();
    PlatformEndAsInterrupted();
    return status;
}
