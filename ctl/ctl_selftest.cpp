// selftest: the console's production self-test with an LED check that
// asks the operator, a verdict, an exit status and a record on disk.
#include <cstdio>
#include <cstring>

#include "ctl/ctl_commands.h"
#include "ctl/ctl_output.h"
#include "device/port_test.h"
#include "device/session.h"
#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

enum LedAnswer { kLedYes, kLedNo, kLedSkipped, kLedFail };
const char *const kLedAnswerWords[] = {"yes", "no", "skipped", "fail"};

struct PortOutcome {
    int32_t openResult;
    IdentityReadings readings;
    bool passed;  // opened, and all four readings succeeded
};

struct SelftestOutcome {
    char time[kPlatformTimeTextSize];
    PortOutcome usb;
    PortOutcome eth;
    LedAnswer red;
    LedAnswer green;
    bool passed;
};

const Text kPortNames[] = {{"USB port", "USB接口"}, {"Ethernet port", "网口"}};
const Text kLedLabels[] = {{"LEDs red", "指示灯红色"}, {"LEDs green", "指示灯绿色"}};
const Text kLedQuestions[] = {{"Are all indicator LEDs red? [y/n] ", "指示灯是否全为红色? [y/n] "},
                              {"Are all indicator LEDs green? [y/n] ", "指示灯是否全为绿色? [y/n] "}};
const Text kRecordFailed = {"lutctl: the record cannot be written to %s\n", "lutctl: 无法写入记录文件 %s\n"};

PortOutcome TestPort(Session &session, TestPortId port, bool text) {
    PortOutcome outcome = {};
    if (text) Say({"%s:\n", "%s:\n"}, InLanguage(kPortNames[port]));
    outcome.openResult = OpenTestPort(session, port);
    if (outcome.openResult < 0) {
        if (text) Say({"  not opened (%d)\n", "  无法打开 (%d)\n"}, static_cast<int>(outcome.openResult));
        return outcome;
    }
    outcome.passed = ReadPortIdentity(session, port, outcome.readings);
    if (!text) return outcome;
    for (int r = 0; r < kIdentityReadingCount; r++) {
        if (outcome.readings.result[r] < 0) {
            Say({"  %s: failed (%d)\n", "  %s: 失败 (%d)\n"},
                InLanguage(ReadingOfIdentity(static_cast<IdentityReadingId>(r)).label),
                static_cast<int>(outcome.readings.result[r]));
        } else {
            Say({"  %s: %.*s\n", "  %s: %.*s\n"},
                InLanguage(ReadingOfIdentity(static_cast<IdentityReadingId>(r)).label), kReplySize,
                outcome.readings.reply[r]);
        }
    }
    return outcome;
}

// The operator's answer: y or n, other keys ignored; no answer at all (the
// end of the input, an interrupt) counts as no.
LedAnswer AskOperator(const Text &question, FILE *prompts) {
    char line[256];
    snprintf(line, sizeof line, "%s", InLanguage(question));
    PlatformWriteText(prompts, line);
    fflush(prompts);
    for (;;) {
        int key = PlatformReadKey();
        if (key < 0 || PlatformInterrupted()) break;
        int lower = AsciiLower(key);
        if (lower == 'y' || lower == 'n') {
            PlatformWriteText(prompts, lower == 'y' ? "y\n" : "n\n");
            fflush(prompts);
            return lower == 'y' ? kLedYes : kLedNo;
        }
    }
    PlatformWriteText(prompts, "\n");
    return kLedNo;
}

LedAnswer CheckLeds(Session &session, int colour, int32_t state, bool ask, FILE *prompts) {
    int32_t result = ShowLeds(session, state);
    if (result < 0) {
        SayCallFailed("KX_DEV_Set_IndicatorLEDStatus", result);
        return kLedFail;
    }
    return ask ? AskOperator(kLedQuestions[colour], prompts) : kLedSkipped;
}

// A reading of the USB port for the record: its reply, or empty when it
// failed.
const char *UsbReading(const SelftestOutcome &outcome, IdentityReadingId reading) {
    return outcome.usb.openResult >= 0 && outcome.usb.readings.result[reading] >= 0
               ? outcome.usb.readings.reply[reading]
               : "";
}

// The record's fields, in their order.
struct RecordField {
    const char *name;
    const char *value;
    size_t maxBytes;
};
constexpr int kRecordFieldCount = 11;

void RecordFields(const SelftestOutcome &outcome, const char *station, RecordField (&fields)[kRecordFieldCount]) {
    const size_t reply = kReplySize;
    const RecordField inOrder[kRecordFieldCount] = {
        {"time", outcome.time, sizeof outcome.time},
        {"station", station, SIZE_MAX},
        {ReadingOfIdentity(kReadSerial).key, UsbReading(outcome, kReadSerial), reply},
        {ReadingOfIdentity(kReadName).key, UsbReading(outcome, kReadName), reply},
        {ReadingOfIdentity(kReadMcuVersion).key, UsbReading(outcome, kReadMcuVersion), reply},
        {ReadingOfIdentity(kReadW25qId).key, UsbReading(outcome, kReadW25qId), reply},
        {"usb", outcome.usb.passed ? "pass" : "fail", SIZE_MAX},
        {"ethernet", outcome.eth.passed ? "pass" : "fail", SIZE_MAX},
        {"leds_red", kLedAnswerWords[outcome.red], SIZE_MAX},
        {"leds_green", kLedAnswerWords[outcome.green], SIZE_MAX},
        {"verdict", outcome.passed ? "pass" : "fail", SIZE_MAX},
    };
    memcpy(fields, inOrder, sizeof inOrder);
}

void JsonRecord(Sink &out, const RecordField (&fields)[kRecordFieldCount]) {
    JsonObject object = JsonBegin(out);
    for (const RecordField &field : fields) JsonText(object, field.name, field.value, field.maxBytes);
    JsonEnd(object);
}

void CsvRecord(Sink &out, const RecordField (&fields)[kRecordFieldCount], bool header) {
    for (int pass = header ? 0 : 1; pass < 2; pass++) {
        for (int f = 0; f < kRecordFieldCount; f++) {
            if (f > 0) PutText(out, ",");
            CsvField(out, pass == 0 ? fields[f].name : fields[f].value, fields[f].maxBytes);
        }
        PutText(out, "\n");
    }
}

bool EndsWithCsv(const char *path) {
    static const char kCsv[] = ".csv";
    size_t length = strlen(path);
    size_t suffix = sizeof kCsv - 1;
    if (length < suffix) return false;
    for (size_t i = 0; i < suffix; i++) {
        if (AsciiLower(static_cast<unsigned char>(path[length - suffix + i])) != kCsv[i]) return false;
    }
    return true;
}

// Appends the record (with the CSV header when the file is empty) in one
// write, then makes sure it reached the disk; closes the file. 0 or -1.
int AppendRecord(FILE *file, const char *path, const RecordField (&fields)[kRecordFieldCount]) {
    // The fields are bounded (replies of 64 bytes, each byte at most six
    // when escaped; a station name of kMaxStationBytes), so this holds any
    // record; an overflow is a failure all the same.
    char text[8192];
    Sink out = BufferSink(text, sizeof text);
    bool empty = fseek(file, 0, SEEK_END) == 0 && ftell(file) == 0;
    if (EndsWithCsv(path)) {
        CsvRecord(out, fields, empty);
    } else {
        JsonRecord(out, fields);
    }
    bool written = !out.overflow && fwrite(text, 1, out.length, file) == out.length;
    written = PlatformSyncFile(file) == 0 && written;
    return fclose(file) == 0 && written ? 0 : -1;
}

}  // namespace

int RunSelftest(Session &session, const CtlOptions &options) {
    bool ask = options.leds == kLedsAsk || (options.leds == kLedsByInput && PlatformStdinIsTerminal());
    bool text = !options.json;
    // The questions must not mix with the one JSON object on standard output.
    FILE *prompts = options.json ? stderr : stdout;

    // Opened before the box: a test whose result cannot be kept is not run.
    FILE *record = nullptr;
    if (options.record != nullptr) {
        record = PlatformOpenFile(options.record, "ab");
        if (record == nullptr) {
            SayError(kRecordFailed, options.record);
            return kExitFailed;
        }
    }

    SelftestOutcome outcome = {};
    // The console's test: no KX_DEV_Init, the two test ports open the box.
    WatchRunSession(session);
    outcome.usb = TestPort(session, kUsbTestPort, text);
    outcome.eth = TestPort(session, kEthTestPort, text);
    if (text) {
        Say({"Ports: %s\n", "接口: %s\n"}, SelftestPasses(outcome.usb.passed, outcome.eth.passed) ? "pass" : "fail");
    }

    // As at the console, the LEDs are shown only once the Ethernet port
    // opened; otherwise they count as failed.
    outcome.red = outcome.green = kLedFail;
    LedAnswer *answers[] = {&outcome.red, &outcome.green};
    const int32_t states[] = {kLedsRed, kLedsGreen};
    for (int colour = 0; colour < 2 && SelftestShowsLeds(outcome.eth.openResult) && !PlatformInterrupted(); colour++) {
        *answers[colour] = CheckLeds(session, colour, states[colour], ask, prompts);
        // An answer cut short by an interrupt is none.
        if (text && !PlatformInterrupted()) {
            Say({"%s: %s\n", "%s: %s\n"}, InLanguage(kLedLabels[colour]), kLedAnswerWords[*answers[colour]]);
        }
    }
    CloseRunSession();

    // An interrupted test has no result to record.
    if (PlatformInterrupted()) {
        if (record != nullptr) fclose(record);
        return kExitFailed;
    }

    outcome.passed = SelftestPasses(outcome.usb.passed, outcome.eth.passed) &&
                     (outcome.red == kLedYes || outcome.red == kLedSkipped) &&
                     (outcome.green == kLedYes || outcome.green == kLedSkipped);
    PlatformLocalTimeText(outcome.time);
    RecordField fields[kRecordFieldCount];
    RecordFields(outcome, options.station, fields);

    // The record reaches the disk before the verdict is shown.
    bool recordFailed = record != nullptr && AppendRecord(record, options.record, fields) < 0;
    if (recordFailed) SayError(kRecordFailed, options.record);
    if (options.json) {
        Sink out = StreamSink(stdout);
        JsonRecord(out, fields);
    } else {
        if (record != nullptr && !recordFailed) Say({"Record: %s\n", "记录: %s\n"}, options.record);
        Say({"Verdict: %s\n", "结论: %s\n"}, outcome.passed ? "pass" : "fail");
    }
    int status = outcome.passed && !recordFailed ? kExitOk : kExitFailed;
    return status;
}
