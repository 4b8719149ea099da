// watch: a LUT that follows its file. Grading software exports the look
// again and again; each export that has stood still for the debounce
// interval and reads whole is sent to the box, converted by lutprep's
// engine when the box cannot take it as it is. Anything else leaves the
// last good LUT in the box.
#include <cstdio>
#include <cstring>

#include "ctl/ctl_commands.h"
#include "ctl/ctl_output.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"
#include "platform/platform.h"
#include "prep/box_lut.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"

namespace {

// What reading the file made of it: a table ready to send, or why not.
struct Prepared {
    int32_t layout;      // of the table; 0: refused
    int32_t fromPoints;  // converted from a LUT of these points; 0: sent as it is
    char why[400];
};

// The box family a converted LUT is sent as: the one its name gives, else
// cube.
const Lut3dFamily *FamilyToSend(const char *path) {
    const Lut3dFamily *box = Lut3dFamilyOfPath(path);
    for (int i = 0; box == nullptr && Lut3dFamilyAt(i) != nullptr; i++) {
        if (PrepFamilyOfBox(Lut3dFamilyAt(i)) == kPrepFamilyCube) box = Lut3dFamilyAt(i);
    }
    return box;
}

// The LUT read leniently, made into the box's table at a size it takes.
void Convert(const char *path, const PrepLut &source, Lut3dTable &table, Prepared &p) {
    PrepLut fitted{};
    PrepError error{};
    int64_t clamped = 0;
    if (PrepFitToBox(&source, BoxSizeForSource(&source, nullptr), kPrepTetrahedral, &fitted, &clamped, nullptr,
                     &error) != 0) {
        snprintf(p.why, sizeof p.why, "%s", error.text);
        return;
    }
    // A 3dl keeps its own depth where it is one the box's 3dl files have.
    bool ownDepth = source.family != nullptr && source.family->hasBitDepth && PrepIsWritableBits(source.bits);
    p.layout = PrepFillBoxTable(&fitted, FamilyToSend(path), ownDepth ? source.bits : kPrepDefaultBits, table);
    p.fromPoints = source.points;
    PrepFreeLut(&fitted);
}

// Reads the file with the box's reader and, leniently, as its format. It
// is sent only when the second reads it whole (a file cut short reads as
// no LUT, or as fewer rows than it states) and both agree on its size;
// what the box's reader refuses is converted.
void Prepare(const char *path, Lut3dTable &table, Prepared &p) {
    p = {};
    Lut3dReport report;
    int32_t layout = Read3dLutFile(path, table, &report);
    const Lut3dSize *boxSize = report.reason == kLut3dRead ? Lut3dSizeOfLayout(layout) : nullptr;
    if (report.reason == kLut3dCannotOpen) {
        RefusalText(report, p.why, sizeof p.why);
        return;
    }
    PrepLut lut{};
    PrepError error{};
    if (PrepReadLutFile(path, ReadingFamily(path), &lut, nullptr, &error) != 0) {
        if (error.line > 0) {
            snprintf(p.why, sizeof p.why, "line %lld: %s", static_cast<long long>(error.line), error.text);
        } else {
            snprintf(p.why, sizeof p.why, "%s", error.text);
        }
        return;
    }
    if (lut.statedPoints != 0 && lut.statedPoints != lut.points) {
        snprintf(p.why, sizeof p.why, "it states %d points but holds the rows of %d: cut short", lut.statedPoints,
                 lut.points);
    } else if (boxSize != nullptr && boxSize->points != lut.points) {
        snprintf(p.why, sizeof p.why, "the box's reader takes %d points, its format holds %d", boxSize->points,
                 lut.points);
    } else if (boxSize != nullptr) {
        p.layout = layout;
    } else {
        Convert(path, lut, table, p);
    }
    PrepFreeLut(&lut);
}

// What became of one version of the file.
struct Load {
    Prepared prepared;
    bool sent;
    bool verifyAsked;
    bool verified;
    DownloadResult download;
    ReadBackResult readBack;
};

// The result of a load after the file's name, in the text.
void LoadText(const Load &load, char *out, size_t size) {
    const Prepared &p = load.prepared;
    if (p.layout == 0) {
        snprintf(out, size, InLanguage({"refused: %s", "被拒绝: %s"}), p.why);
        return;
    }
    if (!load.sent) {
        snprintf(out, size, InLanguage({"not loaded: %s failed (%d)", "未加载: %s 失败 (%d)"}), load.download.entry,
                 static_cast<int>(load.download.result));
        return;
    }
    int n =
        snprintf(out, size, InLanguage({"loaded, %d points", "已加载, %d 点"}), Lut3dSizeOfLayout(p.layout)->points);
    if (n < 0 || static_cast<size_t>(n) >= size) return;
    if (p.fromPoints != 0) {
        n += snprintf(out + n, size - static_cast<size_t>(n), InLanguage({" (converted from %d)", " (由 %d 点转换)"}),
                      p.fromPoints);
    }
    if (!load.verifyAsked || n < 0 || static_cast<size_t>(n) >= size) return;
    const ReadBackResult &r = load.readBack;
    if (load.verified) {
        snprintf(out + n, size - static_cast<size_t>(n), ", verified");
    } else if (r.row > 0) {
        char sent[64];
        char read[64];
        RowText(r.sent, r.intTable, sent, sizeof sent);
        RowText(r.read, r.intTable, read, sizeof read);
        snprintf(out + n, size - static_cast<size_t>(n),
                 InLanguage({", row %d differs: sent %s, read %s", ", 第 %d 行不同: 发送 %s, 读回 %s"}),
                 static_cast<int>(r.row), sent, read);
    } else {
        snprintf(out + n, size - static_cast<size_t>(n),
                 InLanguage({", read-back failed: %s (%d)", ", 回读失败: %s (%d)"}), r.entry,
                 static_cast<int>(r.result));
    }
}

// One line on standard output per load, sent at once: a script or a
// colourist follows it as it comes.
void PrintLoad(const CtlOptions &options, const Load &load, const char *lastGood) {
    char time[kPlatformTimeTextSize];
    PlatformLocalTimeText(time);
    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        JsonText(object, "time", time);
        JsonText(object, "file", options.file);
        JsonBool(object, "sent", load.sent);
        const Lut3dSize *size = Lut3dSizeOfLayout(load.prepared.layout);
        if (size != nullptr) {
            JsonInt(object, "points", size->points);
            JsonInt(object, "layout", load.prepared.layout);
        } else {
            JsonNull(object, "points");
            JsonNull(object, "layout");
        }
        if (load.prepared.fromPoints != 0) {
            JsonInt(object, "converted_from", load.prepared.fromPoints);
        } else {
            JsonNull(object, "converted_from");
        }
        if (load.sent && load.verifyAsked) {
            JsonBool(object, "verified", load.verified);
        } else {
            JsonNull(object, "verified");
        }
        char result[600];
        LoadText(load, result, sizeof result);
        if (load.sent) {
            JsonNull(object, "refused");
        } else {
            JsonText(object, "refused", result);
        }
        JsonEnd(object);
    } else {
        char result[600];
        LoadText(load, result, sizeof result);
        char kept[96] = "";
        if (!load.sent) {
            snprintf(kept, sizeof kept,
                     lastGood[0] != '\0' ? InLanguage({"; the box keeps the LUT of %s", "; 盒子保留 %s 的 LUT"})
                                         : InLanguage({"; nothing loaded yet%s", "; 尚未加载%s"}),
                     lastGood);
        }
        Say({"%s %s: %s%s\n", "%s %s: %s%s\n"}, time, options.file, result, kept);
    }
    fflush(stdout);
}

void SendPrepared(Session &session, Lut3dTable &table, Load &load) {
    load.download = DownloadLut(session, table, load.prepared.layout);
    load.sent = load.download.sent && load.download.result >= 0;
    if (!load.sent || !load.verifyAsked || PlatformInterrupted()) return;
    load.readBack = ReadBackLut(session, table, load.prepared.layout);
    load.verified = load.readBack.result >= 0 && load.readBack.row == 0;
}

// Waits until the file has not changed for the debounce interval: the
// timeout, or an interrupt or an error.
PlatformWatchResult WaitQuiet(PlatformWatch *watch, int32_t debounceMs) {
    PlatformWatchResult r;
    do {
        r = PlatformWatchWait(watch, debounceMs);
    } while (r == kPlatformWatchChanged);
    return r;
}

// Waits for the next change: a change, or an interrupt or an error.
PlatformWatchResult WaitChange(PlatformWatch *watch) {
    PlatformWatchResult r;
    do {
        r = PlatformWatchWait(watch, 1000);
    } while (r == kPlatformWatchTimeout);
    return r;
}

// The loads until an interrupt; kExitFailed when the watch fails.
int WatchLoop(Session &session, const CtlOptions &options, PlatformWatch *watch) {
    static Lut3dTable table;
    char lastGood[kPlatformTimeTextSize] = "";
    PlatformWatchResult r = kPlatformWatchChanged;
    while (r == kPlatformWatchChanged) {
        r = WaitQuiet(watch, options.debounceMs);
        if (r != kPlatformWatchTimeout) break;
        Load load = {};
        load.verifyAsked = options.verify;
        Prepare(options.file, table, load.prepared);
        // A change while it was read: what was read may be a mixture of two
        // versions; the file is waited on again.
        r = PlatformWatchWait(watch, 0);
        if (r == kPlatformWatchChanged) continue;
        if (r != kPlatformWatchTimeout) break;
        if (load.prepared.layout != 0) SendPrepared(session, table, load);
        PrintLoad(options, load, lastGood);
        if (load.sent) PlatformLocalTimeText(lastGood);
        r = WaitChange(watch);
    }
    if (r != kPlatformWatchError) return kExitOk;
    SayError({"lutctl: the watch of %s failed\n", "lutctl: 监视 %s 失败\n"}, options.file);
    return kExitFailed;
}

}  // namespace

int RunWatch(Session &session, const CtlOptions &options) {
    // The watch first: a file that cannot be watched leaves the box unopened.
    PlatformWatch *watch = PlatformWatchOpen(options.file);
    if (watch == nullptr) {
        SayError(
            {"lutctl: %s cannot be watched: its directory cannot be opened\n", "lutctl: 无法监视 %s: 无法打开其目录\n"},
            options.file);
        return kExitFailed;
    }
    int status = kExitFailed;
    if (OpenBox(session) >= 0) status = WatchLoop(session, options, watch);
    CloseRunSession();
    PlatformWatchClose(watch);
    return status;
}
