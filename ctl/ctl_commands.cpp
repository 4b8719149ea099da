// info, load and the settings; the self-test is in ctl_selftest.cpp.
#include "ctl/ctl_commands.h"

#include <cstdio>
#include <cstring>

#include "ctl/ctl_output.h"
#include "device/control_settings.h"
#include "device/info_queries.h"
#include "device/lut_download.h"
#include "device/session.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"
#include "platform/platform.h"

int32_t OpenBox(Session &session) {
    WatchRunSession(session);
    int32_t count = InitDevice(session);
    if (count < 0) SayCallFailed("KX_DEV_Init", count);
    return count;
}

// ---- info -------------------------------------------------------------------

// The flash ID parameters: the console takes them from the typed word;
// lutctl asks the W25Qxxx for its manufacturer and device ID (0x90, as the
// self-test does, so that info and a self-test record agree) and the S25F
// with parameter 0 (what a bare "getS25F_" passes).
static int32_t QueryW25qForInfo(Session &session, char *reply) {
    return QueryW25qId(session, kW25qManufacturerId, reply);
}
static int32_t QueryS25fForInfo(Session &session, char *reply) { return QueryS25fId(session, 0, reply); }

// In info's order. The W25Qxxx's reply holds the manufacturer and the device
// ID, so both languages name it "W25Qxxx ID".
static const CtlReading kCtlReadings[] = {
    {"product", {"Product name", "产品名称"}, QueryName, kReadName, "KX_DEV_GetName"},
    {"serial", {"Serial number", "产品序列号"}, QuerySerial, kReadSerial, "KX_DEV_GetSN"},
    {"mcu_version", {"MCU firmware", "MCU固件版本"}, QueryMcuVersion, kReadMcuVersion, "KX_DEV_GetDevicePara"},
    {"w25q_id", {"W25Qxxx ID", "W25Qxxx ID"}, QueryW25qForInfo, kReadW25qId, "KX_DEV_GetDevicePara"},
    {"s25f_id", {"S25Fxxx ID", "S25Fxxx ID"}, QueryS25fForInfo, -1, "KX_DEV_GetDevicePara"},
    {"usb_file", {"USB flash file", "USB闪存文件"}, QueryUsbFileName, -1, "KX_DEV_GetDevicePara"},
    {"lmh0341_format", {"LMH0341 format", "LMH0341格式"}, QueryLmh0341Format, -1, "KX_DEV_GetLMH0341Format"},
};
constexpr int kInfoQueryCount = sizeof kCtlReadings / sizeof kCtlReadings[0];

const CtlReading &ReadingOfIdentity(IdentityReadingId identity) {
    for (const CtlReading &reading : kCtlReadings) {
        if (reading.identity == identity) return reading;
    }
    // Every identity reading has its row; the first stands in for none.
    return kCtlReadings[0];
}

static const Text kLabelLine = {"%s: %.*s\n", "%s: %.*s\n"};
static const Text kQueryFailedLine = {"%s: failed (%d)\n", "%s: 失败 (%d)\n"};
static const Text kDevicesLabel = {"Devices", "设备数"};

int RunInfo(Session &session, const CtlOptions &options) {
    int32_t devices = OpenBox(session);
    int32_t results[kInfoQueryCount] = {};
    char replies[kInfoQueryCount][kReplySize] = {};
    bool failed = devices < 0;
    for (int q = 0; q < kInfoQueryCount && devices >= 0; q++) {
        results[q] = kCtlReadings[q].query(session, replies[q]);
        failed = failed || results[q] < 0;
    }
    CloseRunSession();

    if (options.json) {
        for (int q = 0; q < kInfoQueryCount; q++) {
            if (devices >= 0 && results[q] < 0) SayCallFailed(kCtlReadings[q].entry, results[q]);
        }
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        if (devices < 0) {
            JsonNull(object, "devices");
        } else {
            JsonInt(object, "devices", devices);
        }
        for (int q = 0; q < kInfoQueryCount; q++) {
            if (devices < 0 || results[q] < 0) {
                JsonNull(object, kCtlReadings[q].key);
            } else {
                JsonText(object, kCtlReadings[q].key, replies[q], kReplySize);
            }
        }
        JsonEnd(object);
    } else if (devices >= 0) {
        Say({"%s: %d\n", "%s: %d\n"}, InLanguage(kDevicesLabel), static_cast<int>(devices));
        for (int q = 0; q < kInfoQueryCount; q++) {
            const char *label = InLanguage(kCtlReadings[q].label);
            if (results[q] < 0) {
                // Beside its line of the text, when the two streams are one.
                SayCallFailed(kCtlReadings[q].entry, results[q]);
                Say(kQueryFailedLine, label, static_cast<int>(results[q]));
            } else {
                Say(kLabelLine, label, kReplySize, replies[q]);
            }
        }
    }
    return failed ? kExitFailed : kExitOk;
}

// ---- load -------------------------------------------------------------------

void RefusalText(const Lut3dReport &report, char *out, size_t size) {
    char reason[256];
    switch (report.reason) {
    case kLut3dCannotOpen:
        snprintf(reason, sizeof reason, "%s", InLanguage({"the file cannot be opened or read", "无法打开或读取文件"}));
        break;
    case kLut3dUnknownFamily:
        snprintf(reason, sizeof reason, "%s",
                 InLanguage({"the name has none of .csv, .cube, .3dl (or .CSV, .CUBE, .3DL)",
                             "文件名不含 .csv, .cube, .3dl (或 .CSV, .CUBE, .3DL)"}));
        break;
    case kLut3dNoDataLine:
        snprintf(reason, sizeof reason, "%s", InLanguage({"no data line", "没有数据行"}));
        break;
    case kLut3dBadCount: {
        char rows[64];
        Lut3dSizesText(&Lut3dSize::rows, ", ", " or ", rows, sizeof rows);
        snprintf(reason, sizeof reason, InLanguage({"%lld data rows, not %s", "%lld 个数据行, 而不是 %s"}),
                 static_cast<long long>(report.rows), rows);
        break;
    }
    case kLut3dBadRow:
        snprintf(reason, sizeof reason, InLanguage({"row %lld cannot be read", "第 %lld 行无法读取"}),
                 static_cast<long long>(report.row));
        break;
    case kLut3dRead:
        reason[0] = '\0';
        break;
    }
    char where[96] = "";
    if (report.line > 0 && report.column > 0) {
        snprintf(where, sizeof where, InLanguage({" (line %lld, column %lld)", " (第 %lld 行, 第 %lld 列)"}),
                 static_cast<long long>(report.line), static_cast<long long>(report.column));
    } else if (report.line > 0) {
        snprintf(where, sizeof where, InLanguage({" (line %lld)", " (第 %lld 行)"}),
                 static_cast<long long>(report.line));
    }
    snprintf(out, size, "%s%s", reason, where);
}

static void ReportRefusal(const char *path, const Lut3dReport &report) {
    char reason[384];
    RefusalText(report, reason, sizeof reason);
    SayError({"lutctl: %s refused: %s\n", "lutctl: %s 被拒绝: %s\n"}, path, reason);
}

void RowText(const LutRow &row, bool intTable, char *out, size_t size) {
    if (intTable) {
        snprintf(out, size, "%d %d %d", row.intValues[0], row.intValues[1], row.intValues[2]);
    } else {
        snprintf(out, size, "%.9g %.9g %.9g", static_cast<double>(row.floatValues[0]),
                 static_cast<double>(row.floatValues[1]), static_cast<double>(row.floatValues[2]));
    }
}

static void JsonRow(Sink &out, const LutRow &row, bool intTable) {
    JsonObject array = JsonArrayBegin(out);
    for (int v = 0; v < 3; v++) {
        JsonItem(array);
        JsonNumberValue(out, intTable ? row.intValues[v] : static_cast<double>(row.floatValues[v]));
    }
    JsonArrayEnd(array);
}

struct LoadOutcome {
    const char *family;
    const Lut3dSize *size;
    int32_t layout;
    bool sent;
    bool verifyAsked;
    bool verified;
    ReadBackResult readBack;
};

static void PrintLoad(const CtlOptions &options, const LoadOutcome &outcome) {
    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        JsonText(object, "file", options.file);
        if (outcome.family != nullptr) {
            JsonText(object, "family", outcome.family);
        } else {
            JsonNull(object, "family");
        }
        if (outcome.size != nullptr) {
            JsonInt(object, "points", outcome.size->points);
            JsonInt(object, "layout", outcome.layout);
        } else {
            JsonNull(object, "points");
            JsonNull(object, "layout");
        }
        JsonBool(object, "sent", outcome.sent);
        if (outcome.verifyAsked && outcome.sent) {
            JsonBool(object, "verified", outcome.verified);
        } else {
            JsonNull(object, "verified");
        }
        if (outcome.readBack.row > 0) {
            JsonKey(object, "first_difference");
            JsonObject difference = JsonBegin(out);
            JsonInt(difference, "row", outcome.readBack.row);
            JsonKey(difference, "sent");
            JsonRow(out, outcome.readBack.sent, outcome.readBack.intTable);
            JsonKey(difference, "read");
            JsonRow(out, outcome.readBack.read, outcome.readBack.intTable);
            JsonClose(difference);
        } else {
            JsonNull(object, "first_difference");
        }
        JsonEnd(object);
        return;
    }
    if (outcome.size == nullptr) return;
    Say({"File: %s\n", "文件: %s\n"}, options.file);
    Say({"Family: %s\n", "格式: %s\n"}, outcome.family);
    Say({"Points: %d\n", "点数: %d\n"}, static_cast<int>(outcome.size->points));
    Say({"Layout: %d\n", "布局: %d\n"}, static_cast<int>(outcome.layout));
    Say({"Sent: %s\n", "已发送: %s\n"}, outcome.sent ? "yes" : "no");
    if (!outcome.verifyAsked || !outcome.sent) return;
    if (outcome.verified) {
        Say({"Read-back: verified\n", "回读: verified\n"});
    } else if (outcome.readBack.row > 0) {
        char sent[64];
        char read[64];
        RowText(outcome.readBack.sent, outcome.readBack.intTable, sent, sizeof sent);
        RowText(outcome.readBack.read, outcome.readBack.intTable, read, sizeof read);
        Say({"Read-back: row %d differs: sent %s, read %s\n", "回读: 第 %d 行不同: 发送 %s, 读回 %s\n"},
            static_cast<int>(outcome.readBack.row), sent, read);
    } else {
        Say({"Read-back: failed\n", "回读: 失败\n"});
    }
}

int RunLoad(Session &session, const CtlOptions &options) {
    LoadOutcome outcome = {};
    outcome.verifyAsked = options.verify;
    // The box's own reader decides, before the box is opened.
    Lut3dReport report;
    static Lut3dTable table;
    outcome.layout = Read3dLutFile(options.file, table, &report);
    outcome.size = Lut3dSizeOfLayout(outcome.layout);
    const Lut3dFamily *family = Lut3dFamilyOfPath(options.file);
    outcome.family = family != nullptr ? family->name : nullptr;
    if (report.reason != kLut3dRead || outcome.size == nullptr) {
        ReportRefusal(options.file, report);
        PrintLoad(options, outcome);
        return kExitFailed;
    }

    bool failed = true;
    if (OpenBox(session) >= 0 && !PlatformInterrupted()) {
        DownloadResult download = DownloadLut(session, table, outcome.layout);
        outcome.sent = download.sent && download.result >= 0;
        if (!outcome.sent) SayCallFailed(download.entry, download.result);
        if (outcome.sent && options.verify && !PlatformInterrupted()) {
            outcome.readBack = ReadBackLut(session, table, outcome.layout);
            outcome.verified = outcome.readBack.result >= 0 && outcome.readBack.row == 0;
            if (outcome.readBack.result < 0) {
                SayCallFailed(outcome.readBack.entry, outcome.readBack.result);
            }
        }
        failed = !outcome.sent || (options.verify && !outcome.verified);
    }
    CloseRunSession();
    PrintLoad(options, outcome);
    return failed ? kExitFailed : kExitOk;
}

// ---- set, reset-fpga, erase-luts ------------------------------------------

int RunSetting(Session &session, const CtlOptions &options) {
    const CtlSetting *setting = options.command == kCmdSet ? options.setting : nullptr;
    if (options.command == kCmdSet && setting == nullptr) return kExitUsage;
    const char *command = CtlCommandOf(options.command).cli.word;

    // A failed open is reported by OpenBox; entry stays empty for it.
    const char *entry = nullptr;
    int32_t result = OpenBox(session);
    if (result >= 0 && !PlatformInterrupted()) {
        if (setting != nullptr) {
            entry = setting->entry;
            result = setting->call(session, options.value);
        } else if (options.command == kCmdResetFpga) {
            entry = "KX_DEV_SetFPGAReset";
            result = ResetFpga(session);
        } else {
            entry = "KX_DEV_Set_W25QXX_All_Chip_Erase";
            result = EraseLutFlash(session);
        }
    }
    CloseRunSession();
    if (result < 0 && entry != nullptr && !PlatformInterrupted()) SayCallFailed(entry, result);
    // Cut short before the call: nothing was set, and nothing is reported
    // as done.
    if (PlatformInterrupted()) return kExitFailed;

    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonObject object = JsonBegin(out);
        JsonText(object, "command", command);
        if (setting != nullptr) {
            JsonText(object, "setting", setting->word);
            JsonText(object, "value", options.valueText);
            JsonInt(object, "code", options.value);
        }
        JsonInt(object, "result", result);
        JsonBool(object, "ok", result >= 0);
        JsonEnd(object);
    } else {
        char what[128];
        if (setting != nullptr) {
            snprintf(what, sizeof what, "%s %s %s (%d)", command, setting->word, options.valueText,
                     static_cast<int>(options.value));
        } else {
            snprintf(what, sizeof what, "%s", command);
        }
        if (result < 0) {
            Say({"%s: failed (%d)\n", "%s: 失败 (%d)\n"}, what, static_cast<int>(result));
        } else {
            Say({"%s: ok\n", "%s: ok\n"}, what);
        }
    }
    return result < 0 ? kExitFailed : kExitOk;
}
