// lutctl's command line: the command word, its operands and the options,
// which may stand before or after the command word.
#pragma once

#include <cstdint>

enum CtlCommand : int32_t { kNoCommand, kCmdInfo, kCmdSelftest, kCmdLoad, kCmdSet, kCmdResetFpga, kCmdEraseLuts };
enum CtlLanguage : int32_t { kLanguageOfSystem, kLanguageEnglish, kLanguageChinese };
enum CtlLeds : int32_t { kLedsByInput, kLedsAsk, kLedsSkip };

// The settings of "set"; a name setting takes a name of its code table, a
// number setting a whole decimal number in [min, max].
enum CtlSetting : int32_t { kSetSource, kSetLutMode, kSetHdmi, kSetMode, kSetReg1, kSetReg3 };

struct CtlOptions {
    bool help;
    bool version;
    bool json;
    CtlLanguage language;
    CtlCommand command;
    // selftest
    const char *record;
    const char *station;
    CtlLeds leds;
    // load
    bool verify;
    const char *file;
    // set: the setting, its value (a code or a number) and the name typed
    CtlSetting setting;
    int32_t value;
    const char *valueText;
    // erase-luts
    bool yes;
};

// The longest station name a record takes.
constexpr int kMaxStationBytes = 64;

// Reads argv into options. Returns kExitOk, or kExitUsage after a usage
// line on standard error (an unknown command, option or name, a missing or
// malformed value, an option the command does not take, erase-luts
// without --yes). With --help or --version the command may be missing.
int ParseOptions(int argc, char **argv, CtlOptions &options);

// The help text, in English.
void PrintHelp();
