// patch and patchgen: the box as a calibration program's patch generator.
// Both rely on the box showing the KX_DEV_SetChVal levels as a full field
// in the USER (and CALIB) source mode.
#include <cstdio>

#include "ctl/ctl_commands.h"
#include "ctl/patch_reader.h"
#include "device/control_settings.h"
#include "platform/platform.h"

// ---- patch ------------------------------------------------------------------

int RunPatch(Session &session, const CtlOptions &options) {
    int32_t result = OpenBox(session);
    // OpenBox names a failed open itself.
    const char *failedEntry = nullptr;
    if (result >= 0 && !PlatformInterrupted()) {
        failedEntry = "KX_DEV_SetSourceMode";
        result = SetSourceMode(session, options.sourceCode);
        if (result >= 0 && !PlatformInterrupted()) {
            failedEntry = "KX_DEV_SetChVal";
            result = SetChannelLevels(session, options.levels);
        }
    }
    CloseRunSession();
    if (PlatformInterrupted()) return kExitFailed;
    if (result < 0 && failedEntry != nullptr) SayCallFailed(failedEntry, result);
    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        JsonText(object, "command", "patch");
        JsonText(object, "source", options.sourceName);
        JsonKey(object, "levels");
        JsonObject array = JsonArrayBegin(out);
        for (float level : options.levels) {
            JsonItem(array);
            JsonNumberValue(out, static_cast<double>(level));
        }
        JsonArrayEnd(array);
        JsonInt(object, "result", result);
        JsonBool(object, "ok", result >= 0);
        JsonEnd(object);
    } else if (result >= 0) {
        Say({"patch %.9g %.9g %.9g on %s: ok\n", "patch %.9g %.9g %.9g 于 %s: ok\n"},
            static_cast<double>(options.levels[0]), static_cast<double>(options.levels[1]),
            static_cast<double>(options.levels[2]), options.sourceName);
    }
    return result < 0 ? kExitFailed : kExitOk;
}

// ---- patchgen ---------------------------------------------------------------

namespace {

struct PatchRun {
    int64_t patches;
    bool failed;
    bool saidIgnored;
    FILE *log;
};

void LogPatch(PatchRun &run, const PatchMessage &message, const float (&levels)[3], int32_t result) {
    if (run.log == nullptr) return;
    char time[kPlatformTimeTextSize];
    PlatformLocalTimeText(time);
    fprintf(run.log, "%s %d %d %d %d %.9g %.9g %.9g %d\n", time, static_cast<int>(message.codes[0]),
            static_cast<int>(message.codes[1]), static_cast<int>(message.codes[2]), static_cast<int>(message.bits),
            static_cast<double>(levels[0]), static_cast<double>(levels[1]), static_cast<double>(levels[2]),
            static_cast<int>(result));
    if (fflush(run.log) != 0) {
        SayError({"lutctl: the log cannot be written\n", "lutctl: 无法写入日志\n"});
        run.failed = true;
    }
}

// Shows every message until the peer closes, something fails or an
// interrupt arrives.
void ShowMessages(Session &session, PatchReader &reader, PatchRun &run) {
    char error[160];
    for (;;) {
        int read = ReadPatchMessage(reader, error, sizeof error);
        if (read == kPatchPeerClosed || read == kPatchReadInterrupted) return;
        PatchMessage message;
        if (read != kPatchRead || ParsePatchMessage(reader.xml, reader.length, message, error, sizeof error) < 0) {
            SayError({"lutctl: patch %lld: %s\n", "lutctl: 色块 %lld: %s\n"}, static_cast<long long>(run.patches + 1),
                     error);
            run.failed = true;
            return;
        }
        float levels[3];
        int32_t result = ShowPatch(session, message, levels);
        LogPatch(run, message, levels, result);
        if (!run.saidIgnored && (message.hasBackground || message.hasGeometry)) {
            SayError({"lutctl: the box shows a full field: background and geometry are ignored\n",
                      "lutctl: 本机只显示满屏颜色: 忽略背景和几何\n"});
            run.saidIgnored = true;
        }
        if (result < 0) {
            SayError({"lutctl: patch %lld (%d %d %d, %d bits): KX_DEV_SetChVal failed (%d)\n",
                      "lutctl: 色块 %lld (%d %d %d, %d 位): KX_DEV_SetChVal 失败 (%d)\n"},
                     static_cast<long long>(run.patches + 1), static_cast<int>(message.codes[0]),
                     static_cast<int>(message.codes[1]), static_cast<int>(message.codes[2]),
                     static_cast<int>(message.bits), static_cast<int>(result));
            run.failed = true;
        }
        if (run.failed) return;
        run.patches++;
    }
}

void PrintPatchgen(const CtlOptions &options, const PatchRun &run, double seconds) {
    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        JsonText(object, "command", "patchgen");
        JsonInt(object, "patches", run.patches);
        JsonNumber(object, "seconds", seconds);
        JsonText(object, "restored", options.restoreName);
        JsonBool(object, "ok", !run.failed);
        JsonEnd(object);
        return;
    }
    Say({"patchgen: %lld patches shown, connected %.1f s\n", "patchgen: 已显示 %lld 个色块, 连接 %.1f 秒\n"},
        static_cast<long long>(run.patches), seconds);
}

}  // namespace

int RunPatchgen(Session &session, const CtlOptions &options) {
    PatchRun run = {};
    if (options.log != nullptr && (run.log = PlatformOpenFile(options.log, "ab")) == nullptr) {
        SayError({"lutctl: the log %s cannot be opened\n", "lutctl: 无法打开日志 %s\n"}, options.log);
        return kExitFailed;
    }
    // The largest message's buffer, once per run.
    static PatchReader reader;
    reader.timeoutMs = options.timeoutSeconds * 1000;
    char error[160];
    int connected = PlatformConnect(options.host, options.port, reader.timeoutMs, &reader.socket, error, sizeof error);
    if (connected != 1) {
        if (connected != kPlatformSocketInterrupted) {
            SayError({"lutctl: cannot connect to %s port %s: %s\n", "lutctl: 无法连接 %s 端口 %s: %s\n"}, options.host,
                     options.port, error);
        }
        if (run.log != nullptr) fclose(run.log);
        return kExitFailed;
    }
    int64_t start = PlatformMonotonicMicros();
    int32_t result = OpenBox(session);
    if (result >= 0 && !PlatformInterrupted()) {
        result = SetSourceMode(session, options.sourceCode);
        if (result < 0) SayCallFailed("KX_DEV_SetSourceMode", result);
    }
    run.failed = result < 0;
    if (!run.failed) ShowMessages(session, reader, run);
    if (result >= 0) {
        int32_t restored = SetSourceMode(session, options.restoreCode);
        if (restored < 0) SayCallFailed("KX_DEV_SetSourceMode", restored);
        run.failed = run.failed || restored < 0;
    }
    CloseRunSession();
    PlatformCloseSocket(reader.socket);
    if (run.log != nullptr && fclose(run.log) != 0) run.failed = true;
    PrintPatchgen(options, run, static_cast<double>(PlatformMonotonicMicros() - start) / 1e6);
    return run.failed || PlatformInterrupted() ? kExitFailed : kExitOk;
}
