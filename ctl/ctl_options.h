// lutctl's command line: its tables (the commands, their options, the
// settings of "set") and what the parser makes of argv, under the rules of
// cli/cli.h.
#pragma once

#include <cstdint>

#include "cli/cli.h"
#include "device/session.h"

// The commands, in the order of the command table.
enum CtlCommand : int32_t {
    kCmdInfo,
    kCmdSelftest,
    kCmdLoad,
    kCmdSet,
    kCmdResetFpga,
    kCmdEraseLuts,
    kCmdPatch,
    kCmdPatchgen,
    kCmdWatch,
};
enum CtlLanguage : int32_t { kLanguageOfSystem, kLanguageEnglish, kLanguageChinese };
enum CtlLeds : int32_t { kLedsByInput, kLedsAsk, kLedsSkip };

// A setting of "set": a name setting takes a name of its code table, a
// number setting a whole decimal number in [min, max]; call sends the code
// or the number.
struct CtlSetting {
    const char *word;
    int32_t (*codeOfName)(const char *);  // nullptr: a number setting
    void (*names)(const char *sep, char *out, int outSize);
    int64_t min;
    int64_t max;
    int32_t (*call)(Session &, int32_t);
    const char *entry;  // the device library's entry call makes
};

struct CtlOptions {
    bool json;
    CtlLanguage language;
    CtlCommand command;
    // selftest
    const char *record;
    const char *station;
    CtlLeds leds;
    // load and watch
    bool verify;
    const char *file;
    // watch: how long the file must stay unchanged before it is read
    int32_t debounceMs;
    // set: the setting, its value (a code or a number) and the text typed
    const CtlSetting *setting;
    int32_t value;
    const char *valueText;
    // erase-luts
    bool yes;
    // patch: the levels sent, and the codes and their bits (0: levels typed)
    float levels[3];
    int32_t codes[3];
    int32_t bits;
    // patch and patchgen: the source shown (its code and name); patchgen:
    // the source set at the end, the peer, the longest silence, the log
    int32_t sourceCode;
    const char *sourceName;
    int32_t restoreCode;
    const char *restoreName;
    char host[256];
    char port[8];
    int32_t timeoutSeconds;
    const char *log;
};

// A command row: the parser's row, the handler, and whether the command
// runs on the box (the device library loaded and a session started for
// it).
struct CtlCommandRow {
    CliCommand cli;
    int (*run)(Session &session, const CtlOptions &options);
    bool opensBox;
};

const CtlCommandRow &CtlCommandOf(CtlCommand command);

// lutctl's command and option tables, for the parser and the help.
extern const CliProgram kLutctlProgram;

// watch's quiet interval when none is given, and the longest one taken.
constexpr int32_t kDefaultDebounceMs = 200;
constexpr int32_t kMaxDebounceMs = 60000;

// The longest station name a record takes.
constexpr int kMaxStationBytes = 64;

// Reads argv into options. Returns kExitOk with a command to run, or
// kExitUsage after a usage line on standard error (an unknown command,
// option or name, a missing or malformed value, an option the command does
// not take, erase-luts without --yes); *answered is true when the help or
// the version was asked for and printed instead.
int ParseOptions(int argc, char **argv, CtlOptions &options, bool *answered);
