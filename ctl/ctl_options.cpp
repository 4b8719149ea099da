#include "ctl/ctl_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "ctl/ctl_commands.h"
#include "ctl/patch_message.h"
#include "device/box_codes.h"
#include "device/control_settings.h"
#include "lutbox_version.h"
#include "platform/ascii.h"

namespace {

// The values of --lang and --leds, in the order of their enums after the
// first (kLanguageOfSystem, kLedsByInput: no option given).
const char *const kLanguageWords[] = {"en", "zh"};
const char *const kLedsWords[] = {"ask", "skip"};

void LanguageValues(char *out, size_t size) { CliJoinList(kLanguageWords, 2, "|", out, size); }
void LedsValues(char *out, size_t size) { CliJoinList(kLedsWords, 2, "|", out, size); }

void PrintSettings(FILE *out);

// The number settings pass any value of the library's 32-bit argument: the
// box's valid register values are its own, as at the console.
const CtlSetting kSettings[] = {
    {"source", SourceCodeOfName, SourceNames, 0, 0, SetSourceMode, "KX_DEV_SetSourceMode"},
    {"lutmode", LutModeCodeOfName, LutModeNames, 0, 0, SetLutMode, "KX_DEV_SetLutCtrlStatus"},
    {"hdmi", nullptr, nullptr, INT32_MIN, INT32_MAX, SetHdmiOut, "KX_DEV_Set_HDMIOutStatus"},
    {"mode", nullptr, nullptr, INT32_MIN, INT32_MAX, SetDeviceMode, "KX_DEV_SetMode"},
    {"reg1", nullptr, nullptr, INT32_MIN, INT32_MAX, SetFpgaReg1, "KX_DEV_SetFPGAREG1"},
    {"reg3", nullptr, nullptr, INT32_MIN, INT32_MAX, SetFpgaReg3, "KX_DEV_Set3DLUT_Points"},
};

// In the order of CtlCommand.
const CtlCommandRow kCommands[] = {
    {{"info", "", "product, serial number, firmware and flash IDs", nullptr}, RunInfo, true},
    {{"selftest", "", "the production self-test: both test ports, then the LEDs; a verdict and a record", nullptr},
     RunSelftest,
     true},
    {{"load", "FILE", "downloads a CSV, cube or 3dl 3D LUT as the box's own reader takes it", nullptr}, RunLoad, true},
    {{"set", "SETTING VALUE", "sets one setting of the box", PrintSettings}, RunSetting, true},
    {{"reset-fpga", "", "resets the box's FPGA", nullptr}, RunSetting, true},
    {{"erase-luts", "", "erases every LUT in the box's flash", nullptr}, RunSetting, true},
    {{"patch", "R G B", "shows one colour as a full field: levels from 0 to 1, or codes with --bits", nullptr},
     RunPatch,
     true},
    {{"patchgen", "", "shows the colours a calibration program's network pattern generator is sent", nullptr},
     RunPatchgen,
     true},
    {{"watch", "LUT",
      "loads LUT, then again each time the file changes, converted when the box cannot take it as it is", nullptr},
     RunWatch,
     true},
};

const CliCommand *CommandAt(int index) {
    return index >= 0 && index < static_cast<int>(std::size(kCommands)) ? &kCommands[index].cli : nullptr;
}

enum OptionRow {
    kOptJson,
    kOptLang,
    kOptRecord,
    kOptStation,
    kOptLeds,
    kOptVerify,
    kOptYes,
    kOptBits,
    kOptSource,
    kOptConnect,
    kOptRestore,
    kOptTimeout,
    kOptLog,
    kOptDebounce,
};

// The sources patch and patchgen show, and the patch generator's defaults.
const char *const kPatchSourceWords[] = {"user", "calib"};
void PatchSourceValues(char *out, size_t size) { CliJoinList(kPatchSourceWords, 2, "|", out, size); }
void RestoreValues(char *out, size_t size) {
    SourceNames("|", out, static_cast<int>(size));
    for (char *p = out; *p != '\0'; p++) *p = static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
}
constexpr const char *kDefaultHost = "127.0.0.1";
constexpr int kDefaultPort = 20002;
constexpr int kDefaultTimeoutSeconds = 60;
constexpr uint32_t kPatchCommands = CliCommandBit(kCmdPatch) | CliCommandBit(kCmdPatchgen);

const CliOption kOptions[] = {
    {.name = "json", .help = "one JSON object on standard output instead of the text", .commands = kCliEveryCommand},
    {.name = "lang",
     .values = LanguageValues,
     .defaultText = "the system's language",
     .help = "the language of the text",
     .commands = kCliEveryCommand},
    {.name = "record",
     .valueName = "FILE",
     .help = "appends the record to FILE: CSV when it ends in .csv, else JSON Lines",
     .commands = CliCommandBit(kCmdSelftest)},
    {.name = "station",
     .valueName = "NAME",
     .defaultText = "empty",
     .help = "the test station's name in the record",
     .commands = CliCommandBit(kCmdSelftest)},
    {.name = "leds",
     .values = LedsValues,
     .defaultText = "ask when standard input is a terminal, else skip",
     .help = "whether the operator is asked about the LEDs",
     .commands = CliCommandBit(kCmdSelftest)},
    {.name = "verify",
     .help = "reads the LUT back and compares it bit for bit",
     .commands = CliCommandBit(kCmdLoad) | CliCommandBit(kCmdWatch)},
    {.name = "yes", .help = "required: the erase cannot be undone", .commands = CliCommandBit(kCmdEraseLuts)},
    {.name = "bits",
     .valueName = "N",
     .defaultText = "none: R G B are levels from 0 to 1",
     .help = "R G B are codes from 0 to 2^N - 1 (N: 8, 10, 12 or 16)",
     .commands = CliCommandBit(kCmdPatch)},
    {.name = "source",
     .values = PatchSourceValues,
     .defaultText = "user",
     .help = "the source mode that shows the levels",
     .commands = kPatchCommands},
    {.name = "connect",
     .valueName = "HOST[:PORT]",
     .defaultText = "127.0.0.1:20002",
     .help = "the calibration program's pattern generator port",
     .commands = CliCommandBit(kCmdPatchgen)},
    {.name = "restore",
     .values = RestoreValues,
     .defaultText = "hdmi",
     .help = "the source set at the end (the box cannot tell the one it had)",
     .commands = CliCommandBit(kCmdPatchgen)},
    {.name = "timeout",
     .valueName = "SECONDS",
     .defaultNumber = kDefaultTimeoutSeconds,
     .numberDefault = true,
     .unit = "seconds",
     .help = "the longest wait for the connection and for each message",
     .commands = CliCommandBit(kCmdPatchgen)},
    {.name = "log",
     .valueName = "FILE",
     .help = "appends one line per patch: time, codes, bits, levels, the device result",
     .commands = CliCommandBit(kCmdPatchgen)},
    {.name = "debounce",
     .valueName = "MS",
     .defaultNumber = kDefaultDebounceMs,
     .numberDefault = true,
     .unit = "milliseconds",
     .help = "how long the file must stay unchanged before it is read",
     .commands = CliCommandBit(kCmdWatch)},
};

// "set"'s part of its help: each setting and what it takes.
void PrintSettings(FILE *out) {
    fputs("\nSettings:\n", out);
    for (const CtlSetting &setting : kSettings) {
        char takes[160];
        if (setting.names != nullptr) {
            setting.names("|", takes, sizeof takes);
        } else {
            snprintf(takes, sizeof takes, "a whole decimal number from %lld to %lld",
                     static_cast<long long>(setting.min), static_cast<long long>(setting.max));
        }
        fprintf(out, "  %-12s %s\n", setting.word, takes);
    }
}

}  // namespace

const CliProgram kLutctlProgram = {
    .name = "lutctl",
    .version = kLutboxVersion,
    .summary = "the LUT loader box from scripts and on the production line",
    .commandAt = CommandAt,
    .options = kOptions,
    .optionCount = static_cast<int>(std::size(kOptions)),
    .usagePerCommand = false,
    .failedMeaning = "a device call, check, test or verification failed",
    .deviceLibrary = true,
};

const CtlCommandRow &CtlCommandOf(CtlCommand command) { return kCommands[command]; }

namespace {

// The index of value in words, or -1.
int WordIndex(const char *const *words, int count, const char *value) {
    for (int i = 0; i < count; i++) {
        if (strcmp(words[i], value) == 0) return i;
    }
    return -1;
}

int ApplyOptions(const CliArgs &args, CtlOptions &options) {
    options.json = args.given[kOptJson];
    options.verify = args.given[kOptVerify];
    options.yes = args.given[kOptYes];
    options.debounceMs = kDefaultDebounceMs;
    int64_t debounce = 0;
    if (args.given[kOptDebounce]) {
        if (!CliWholeNumber(args.value[kOptDebounce], 0, kMaxDebounceMs, &debounce)) {
            return CliUsageError(kLutctlProgram, -1, "--debounce takes milliseconds from 0 to %d, not '%s'",
                                 static_cast<int>(kMaxDebounceMs), args.value[kOptDebounce]);
        }
        options.debounceMs = static_cast<int32_t>(debounce);
    }
    options.record = args.value[kOptRecord];
    options.station = args.given[kOptStation] ? args.value[kOptStation] : "";
    if (strlen(options.station) > static_cast<size_t>(kMaxStationBytes)) {
        return CliUsageError(kLutctlProgram, -1, "--station takes at most %d bytes", kMaxStationBytes);
    }
    char valid[64];
    if (args.given[kOptLang]) {
        int language = WordIndex(kLanguageWords, 2, args.value[kOptLang]);
        CliJoinList(kLanguageWords, 2, ", ", valid, sizeof valid);
        if (language < 0) {
            return CliUsageError(kLutctlProgram, -1, "unknown language '%s'; valid: %s", args.value[kOptLang], valid);
        }
        options.language = static_cast<CtlLanguage>(kLanguageEnglish + language);
    }
    if (args.given[kOptLeds]) {
        int leds = WordIndex(kLedsWords, 2, args.value[kOptLeds]);
        CliJoinList(kLedsWords, 2, ", ", valid, sizeof valid);
        if (leds < 0) {
            return CliUsageError(kLutctlProgram, -1, "unknown --leds value '%s'; valid: %s", args.value[kOptLeds],
                                 valid);
        }
        options.leds = static_cast<CtlLeds>(kLedsAsk + leds);
    }
    return kExitOk;
}

int ParseSetting(const char *word, const char *value, CtlOptions &options) {
    for (const CtlSetting &s : kSettings) {
        if (strcmp(s.word, word) == 0) options.setting = &s;
    }
    if (options.setting == nullptr) {
        char words[128] = "";
        for (const CtlSetting &s : kSettings) {
            if (words[0] != '\0') CliAppend(words, sizeof words, ", ");
            CliAppend(words, sizeof words, s.word);
        }
        return CliUsageError(kLutctlProgram, -1, "unknown setting '%s'; valid: %s", word, words);
    }
    const CtlSetting &setting = *options.setting;
    options.valueText = value;
    if (setting.codeOfName != nullptr) {
        options.value = setting.codeOfName(value);
        if (options.value < 0) {
            char names[128];
            setting.names(", ", names, sizeof names);
            return CliUsageError(kLutctlProgram, -1, "unknown %s '%s'; valid: %s", word, value, names);
        }
        return kExitOk;
    }
    int64_t number = 0;
    if (!CliWholeNumber(value, setting.min, setting.max, &number)) {
        return CliUsageError(kLutctlProgram, -1, "%s takes a whole decimal number from %lld to %lld, not '%s'", word,
                             static_cast<long long>(setting.min), static_cast<long long>(setting.max), value);
    }
    options.value = static_cast<int32_t>(number);
    return kExitOk;
}

// --connect HOST[:PORT] ("[::1]:PORT" for an IPv6 address with a port).
int ParseConnect(const char *text, CtlOptions &options) {
    snprintf(options.port, sizeof options.port, "%d", kDefaultPort);
    const char *hostStart = text;
    const char *hostEnd = text + strlen(text);
    const char *colon = strrchr(text, ':');
    if (text[0] == '[') {
        hostStart = text + 1;
        hostEnd = strchr(text, ']');
        colon = hostEnd != nullptr && hostEnd[1] == ':' ? hostEnd + 1 : nullptr;
        if (hostEnd == nullptr || (hostEnd[1] != '\0' && colon == nullptr)) hostEnd = nullptr;
    } else if (colon != nullptr && strchr(text, ':') != colon) {
        colon = nullptr;  // an IPv6 address without a port
    } else if (colon != nullptr) {
        hostEnd = colon;
    }
    int64_t port = kDefaultPort;
    if (hostEnd == nullptr || hostEnd == hostStart || static_cast<size_t>(hostEnd - hostStart) >= sizeof options.host ||
        (colon != nullptr && !CliWholeNumber(colon + 1, 1, 65535, &port))) {
        return CliUsageError(kLutctlProgram, -1, "--connect takes HOST or HOST:PORT (PORT 1 to 65535), not '%s'", text);
    }
    snprintf(options.host, sizeof options.host, "%.*s", static_cast<int>(hostEnd - hostStart), hostStart);
    snprintf(options.port, sizeof options.port, "%d", static_cast<int>(port));
    return kExitOk;
}

int ApplyPatchOptions(const CliArgs &args, CtlOptions &options) {
    options.sourceName = args.given[kOptSource] ? args.value[kOptSource] : kPatchSourceWords[0];
    char valid[64];
    CliJoinList(kPatchSourceWords, 2, ", ", valid, sizeof valid);
    if (WordIndex(kPatchSourceWords, 2, options.sourceName) < 0) {
        return CliUsageError(kLutctlProgram, -1, "unknown source '%s'; valid: %s", options.sourceName, valid);
    }
    options.sourceCode = SourceCodeOfName(options.sourceName);
    options.restoreName = args.given[kOptRestore] ? args.value[kOptRestore] : "hdmi";
    options.restoreCode = SourceCodeOfName(options.restoreName);
    if (options.restoreCode < 0) {
        SourceNames(", ", valid, sizeof valid);
        return CliUsageError(kLutctlProgram, -1, "unknown source '%s'; valid: %s", options.restoreName, valid);
    }
    int64_t timeout = kDefaultTimeoutSeconds;
    if (args.given[kOptTimeout] && !CliWholeNumber(args.value[kOptTimeout], 1, 86400, &timeout)) {
        return CliUsageError(kLutctlProgram, -1, "--timeout takes whole seconds from 1 to 86400, not '%s'",
                             args.value[kOptTimeout]);
    }
    options.timeoutSeconds = static_cast<int32_t>(timeout);
    options.log = args.value[kOptLog];
    return ParseConnect(args.given[kOptConnect] ? args.value[kOptConnect] : kDefaultHost, options);
}

// patch's R G B: codes of --bits bits, or levels from 0 to 1 without it.
int ParsePatchOperands(const CliArgs &args, char **operands, CtlOptions &options) {
    static const int32_t kBits[] = {8, 10, 12, 16};
    int64_t bits = 0;
    if (args.given[kOptBits] && (!CliWholeNumber(args.value[kOptBits], 1, 16, &bits) ||
                                 (bits != kBits[0] && bits != kBits[1] && bits != kBits[2] && bits != kBits[3]))) {
        return CliUsageError(kLutctlProgram, -1, "--bits takes 8, 10, 12 or 16, not '%s'", args.value[kOptBits]);
    }
    options.bits = static_cast<int32_t>(bits);
    for (int c = 0; c < 3; c++) {
        if (bits != 0) {
            int64_t code = 0;
            if (!CliWholeNumber(operands[c], 0, (int64_t{1} << bits) - 1, &code)) {
                return CliUsageError(kLutctlProgram, -1, "a %d-bit code is a whole number from 0 to %lld, not '%s'",
                                     static_cast<int>(bits), static_cast<long long>((int64_t{1} << bits) - 1),
                                     operands[c]);
            }
            options.codes[c] = static_cast<int32_t>(code);
            options.levels[c] = PatchLevel(options.codes[c], options.bits);
            continue;
        }
        // Digits with an optional fraction: no sign, exponent, hex or blanks.
        const char *text = operands[c];
        const char *dot = strchr(text, '.');
        bool decimal = IsAsciiDigit(static_cast<unsigned char>(text[0])) &&
                       strspn(text, "0123456789.") == strlen(text) &&
                       (dot == nullptr || strchr(dot + 1, '.') == nullptr);
        double level = decimal ? strtod(text, nullptr) : -1.0;
        if (!(level >= 0.0 && level <= 1.0)) {
            return CliUsageError(kLutctlProgram, -1, "a level is a decimal number from 0 to 1, not '%s'", operands[c]);
        }
        options.levels[c] = static_cast<float>(level);
    }
    return kExitOk;
}

// The operands a command takes: the words of its operand text.
int OperandsOf(const CliCommand &command) {
    int count = 0;
    for (const char *p = command.operands; *p != '\0'; p++) {
        if (p[0] != ' ' && (p == command.operands || p[-1] == ' ')) count++;
    }
    return count;
}

}  // namespace

int ParseOptions(int argc, char **argv, CtlOptions &options, bool *answered) {
    options = {};
    options.station = "";
    *answered = false;
    CliArgs args;
    int status = CliParse(kLutctlProgram, argc, argv, args);
    if (status != kExitOk) return status;
    if (CliAnswerHelpOrVersion(kLutctlProgram, args)) {
        *answered = true;
        return kExitOk;
    }
    status = ApplyOptions(args, options);
    if (status == kExitOk) status = ApplyPatchOptions(args, options);
    if (status != kExitOk) return status;
    options.command = static_cast<CtlCommand>(args.command);
    const CliCommand &command = kCommands[args.command].cli;
    int operands = OperandsOf(command);
    if (args.operandCount > operands) {
        return CliUsageError(kLutctlProgram, -1, "unexpected '%s' after %s", args.operands[operands], command.word);
    }
    if (args.operandCount < operands)
        return CliUsageError(kLutctlProgram, -1, "%s needs %s", command.word,
                             options.command == kCmdLoad  ? "a FILE"
                             : options.command == kCmdSet ? "a setting and a value"
                                                          : command.operands);
    switch (options.command) {
    case kCmdLoad:
    case kCmdWatch:
        options.file = args.operands[0];
        break;
    case kCmdSet:
        return ParseSetting(args.operands[0], args.operands[1], options);
    case kCmdPatch:
        return ParsePatchOperands(args, args.operands, options);
    case kCmdEraseLuts:
        if (!options.yes) {
            return CliUsageError(kLutctlProgram, -1,
                                 "erase-luts erases every LUT in the box's flash: give --yes to run it");
        }
        break;
    default:
        break;
    }
    return kExitOk;
}
