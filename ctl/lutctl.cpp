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

static const Text kOutputFailed = {"lutctl: standard output cannot be written\n", "lutctl: 无法写入标准输出\n"};

static int RunParsedCommand(int argc, char **argv) {
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
    // The commands close the box before they show their result; a close
    // that failed is the run's failure all the same.
    int32_t closed = CloseRunSession();
    PlatformEndDeviceUse();
    if (closed < 0) {
        SayCallFailed("KX_DEV_DeInit", closed);
        if (status == kExitOk) status = kExitFailed;
    }
    fflush(stdout);
    ReleaseDeviceLibrary();
    PlatformEndAsInterrupted();
    return status;
}

int RunLutctl(int argc, char **argv) {
    // Past the file-size limit a write fails, and is reported as any other,
    // instead of ending the run unannounced with its record half written.
    PlatformIgnoreFileSizeSignal();
    int status = RunParsedCommand(argc, argv);
    // A result that never reached standard output (a full disk, a closed
    // pipe) is no success.
    if (fflush(stdout) != 0 || ferror(stdout)) {
        SayError(kOutputFailed);
        if (status == kExitOk) status = kExitFailed;
    }
    return status;
}
