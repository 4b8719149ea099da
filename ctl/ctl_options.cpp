#include "ctl/ctl_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "ctl/ctl_output.h"
#include "device/box_codes.h"
#include "platform/ascii.h"

namespace {

struct CommandWord {
    const char *word;
    CtlCommand command;
    int operands;  // exactly this many follow the word
};

const CommandWord kCommands[] = {
    {"info", kCmdInfo, 0},         {"selftest", kCmdSelftest, 0},   {"load", kCmdLoad, 1},
    {"set", kCmdSet, 2},           {"reset-fpga", kCmdResetFpga, 0}, {"erase-luts", kCmdEraseLuts, 0},
};

enum OptionId { kOptHelp, kOptVersion, kOptJson, kOptLang, kOptRecord, kOptStation, kOptLeds, kOptVerify, kOptYes };

struct OptionWord {
    const char *name;
    OptionId id;
    bool takesValue;
    CtlCommand onlyFor;  // kNoCommand: any command
};

const OptionWord kOptions[] = {
    {"--help", kOptHelp, false, kNoCommand},        {"--version", kOptVersion, false, kNoCommand},
    {"--json", kOptJson, false, kNoCommand},        {"--lang", kOptLang, true, kNoCommand},
    {"--record", kOptRecord, true, kCmdSelftest},   {"--station", kOptStation, true, kCmdSelftest},
    {"--leds", kOptLeds, true, kCmdSelftest},       {"--verify", kOptVerify, false, kCmdLoad},
    {"--yes", kOptYes, false, kCmdEraseLuts},
};

struct SettingWord {
    const char *word;
    CtlSetting setting;
    int32_t (*codeOfName)(const char *);  // nullptr: a number setting
    void (*names)(const char *, char *, int);
    int64_t min;
    int64_t max;
};

// The number settings pass any value of the library's 32-bit argument: the
// box's valid register values are its own, as at the console.
const SettingWord kSettings[] = {
    {"source", kSetSource, SourceCodeOfName, SourceNames, 0, 0},
    {"lutmode", kSetLutMode, LutModeCodeOfName, LutModeNames, 0, 0},
    {"hdmi", kSetHdmi, nullptr, nullptr, INT32_MIN, INT32_MAX},
    {"mode", kSetMode, nullptr, nullptr, INT32_MIN, INT32_MAX},
    {"reg1", kSetReg1, nullptr, nullptr, INT32_MIN, INT32_MAX},
    {"reg3", kSetReg3, nullptr, nullptr, INT32_MIN, INT32_MAX},
};

// The words of a table, joined by ", ", for the usage messages.
template <typename Row, size_t N>
void JoinWords(const Row (&table)[N], char *out, size_t outSize) {
    size_t used = 0;
    out[0] = '\0';
    for (size_t i = 0; i < N && used < outSize; i++) {
        int n = snprintf(out + used, outSize - used, "%s%s", i == 0 ? "" : ", ", table[i].word);
        if (n < 0) break;
        used += static_cast<size_t>(n);
    }
}

const CommandWord *FindCommand(const char *word) {
    for (const CommandWord &c : kCommands) {
        if (strcmp(c.word, word) == 0) return &c;
    }
    return nullptr;
}

// A whole decimal integer: an optional sign and at least one digit, nothing
// else, within [min, max].
bool WholeDecimal(const char *text, int64_t min, int64_t max, int32_t *value) {
    const char *digits = text + (*text == '-' || *text == '+' ? 1 : 0);
    if (!IsAsciiDigit(static_cast<unsigned char>(*digits))) return false;
    for (const char *p = digits; *p != '\0'; p++) {
        if (!IsAsciiDigit(static_cast<unsigned char>(*p))) return false;
    }
    errno = 0;
    long long parsed = strtoll(text, nullptr, 10);
    if (errno == ERANGE || parsed < min || parsed > max) return false;
    *value = static_cast<int32_t>(parsed);
    return true;
}

int ApplyOption(const OptionWord &option, const char *value, CtlOptions &options) {
    switch (option.id) {
    case kOptHelp: options.help = true; break;
    case kOptVersion: options.version = true; break;
    case kOptJson: options.json = true; break;
    case kOptVerify: options.verify = true; break;
    case kOptYes: options.yes = true; break;
    case kOptRecord: options.record = value; break;
    case kOptStation:
        if (strlen(value) > static_cast<size_t>(kMaxStationBytes)) {
            return UsageError("--station takes at most %d bytes", kMaxStationBytes);
        }
        options.station = value;
        break;
    case kOptLang:
        if (strcmp(value, "en") == 0) {
            options.language = kLanguageEnglish;
        } else if (strcmp(value, "zh") == 0) {
            options.language = kLanguageChinese;
        } else {
            return UsageError("unknown language '%s'; valid: en, zh", value);
        }
        break;
    case kOptLeds:
        if (strcmp(value, "ask") == 0) {
            options.leds = kLedsAsk;
        } else if (strcmp(value, "skip") == 0) {
            options.leds = kLedsSkip;
        } else {
            return UsageError("unknown --leds value '%s'; valid: ask, skip", value);
        }
        break;
    }
    return kExitOk;
}

int ParseSetting(const char *word, const char *value, CtlOptions &options) {
    const SettingWord *setting = nullptr;
    for (const SettingWord &s : kSettings) {
        if (strcmp(s.word, word) == 0) setting = &s;
    }
    if (setting == nullptr) {
        char words[128];
        JoinWords(kSettings, words, sizeof words);
        return UsageError("unknown setting '%s'; valid: %s", word, words);
    }
    options.setting = setting->setting;
    options.valueText = value;
    if (setting->codeOfName != nullptr) {
        options.value = setting->codeOfName(value);
        if (options.value < 0) {
            char names[128];
            setting->names(", ", names, sizeof names);
            return UsageError("unknown %s '%s'; valid: %s", word, value, names);
        }
        return kExitOk;
    }
    if (!WholeDecimal(value, setting->min, setting->max, &options.value)) {
        return UsageError("%s takes a whole decimal number from %lld to %lld, not '%s'", word,
                          static_cast<long long>(setting->min), static_cast<long long>(setting->max), value);
    }
    return kExitOk;
}

}  // namespace

int ParseOptions(int argc, char **argv, CtlOptions &options) {
    options = {};
    options.station = "";
    const CommandWord *command = nullptr;
    const char *operands[2] = {};
    int operandCount = 0;
    // Which options were given, to check once the command is known.
    bool given[std::size(kOptions)] = {};
    bool optionsEnded = false;

    for (int i = 1; i < argc; i++) {
        const char *arg = argv[i];
        if (!optionsEnded && strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        // Only "--" starts an option, so that "set reg1 -3" is a number.
        if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
            // "--name value" or "--name=value".
            const char *equals = strchr(arg, '=');
            size_t nameLength = equals != nullptr ? static_cast<size_t>(equals - arg) : strlen(arg);
            const OptionWord *option = nullptr;
            for (const OptionWord &o : kOptions) {
                if (strlen(o.name) == nameLength && strncmp(o.name, arg, nameLength) == 0) option = &o;
            }
            if (option == nullptr) return UsageError("unknown option '%s'", arg);
            const char *value = nullptr;
            if (option->takesValue) {
                if (equals != nullptr) {
                    value = equals + 1;
                } else if (i + 1 < argc) {
                    value = argv[++i];
                } else {
                    return UsageError("%s needs a value", option->name);
                }
            } else if (equals != nullptr) {
                return UsageError("%s takes no value", option->name);
            }
            int status = ApplyOption(*option, value, options);
            if (status != kExitOk) return status;
            given[option - kOptions] = true;
            continue;
        }
        if (command == nullptr) {
            command = FindCommand(arg);
            if (command == nullptr) {
                char words[128];
                JoinWords(kCommands, words, sizeof words);
                return UsageError("unknown command '%s'; valid: %s", arg, words);
            }
            continue;
        }
        if (operandCount >= command->operands) return UsageError("unexpected '%s' after %s", arg, command->word);
        operands[operandCount++] = arg;
    }

    if (options.help || options.version) return kExitOk;
    if (command == nullptr) return UsageError("no command given");
    options.command = command->command;
    for (size_t o = 0; o < std::size(kOptions); o++) {
        if (given[o] && kOptions[o].onlyFor != kNoCommand && kOptions[o].onlyFor != command->command) {
            return UsageError("%s does not take %s", command->word, kOptions[o].name);
        }
    }
    if (operandCount < command->operands) {
        return UsageError(command->command == kCmdLoad ? "load needs a FILE" : "set needs a setting and a value");
    }
    switch (command->command) {
    case kCmdLoad:
        options.file = operands[0];
        break;
    case kCmdSet:
        return ParseSetting(operands[0], operands[1], options);
    case kCmdEraseLuts:
        if (!options.yes) return UsageError("erase-luts erases every LUT in the box's flash: give --yes to run it");
        break;
    default:
        break;
    }
    return kExitOk;
}

void PrintHelp() {
    fputs("lutctl: the LUT loader box from scripts and on the production line\n"
          "\n"
          "  lutctl info                      product, serial number, firmware and flash IDs\n"
          "  lutctl selftest [--record FILE] [--station NAME] [--leds ask|skip]\n"
          "                                   the production self-test; --record appends one\n"
          "                                   record (CSV when FILE ends in .csv, else JSON Lines)\n"
          "  lutctl load [--verify] FILE      downloads a CSV, cube or 3dl 3D LUT; --verify reads\n"
          "                                   it back and compares it bit for bit\n"
          "  lutctl set source SMPTE|USER|SDI|HDMI|CALIB\n"
          "  lutctl set lutmode OFF|709|EBU|SMPTE|P3\n"
          "  lutctl set hdmi|mode|reg1|reg3 N\n"
          "  lutctl reset-fpga\n"
          "  lutctl erase-luts --yes          erases every LUT in the box's flash\n"
          "\n"
          "Options (before or after the command): --json (one JSON object on standard\n"
          "output), --lang en|zh, --help, --version.\n"
          "Exit status: 0 success; 1 a device call, check, test or verification failed;\n"
          "2 usage; 3 the device library cannot be loaded or bound.\n",
          stdout);
}
