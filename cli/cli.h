// The programs' command line, shared by lutctl and lutprep: the exit
// statuses, one option parser driven by the program's command and option
// tables, and the usage and help text derived from the same tables, so that
// a command or an option added to a table is parsed, refused and described
// with nothing else to change.
//
// The rules, the same in every program:
// - Options may stand before or after the command word, in any order.
// - "--name value" and "--name=value" give a value; a flag given "=value"
//   and a value option at the end of the line are usage errors.
// - "-h" is "--help", at the top level and after a command word; with a
//   command word it asks for that command's help. "--version" anywhere.
// - An option given twice is a usage error, also as "-h" and "--help".
// - An unknown option ("-x", "--bogus"), before or after the command word,
//   is a usage error, and so is an option of another command.
// - "--" ends the options: every later argument is an operand.
// - "-" alone and "-" before a digit are operands, not options: a file
//   named "-", a negative number ("set reg1 -3").
// - A usage error prints "PROGRAM: what is wrong" and the usage on standard
//   error and the run ends with kExitUsage; nothing else has been done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;     // the program's own failure (CliProgram::failedMeaning)
constexpr int kExitUsage = 2;      // the command line; nothing was done
constexpr int kExitNoLibrary = 3;  // the device library cannot be loaded or bound (lutctl only)

// An option row. A value option has a valueName, or values: the words of
// the table the value is looked up in ("17|26|33"), written by a function
// of that table so that the list is never typed twice.
constexpr uint32_t kCliEveryCommand = 0xFFFFFFFFu;
constexpr uint32_t CliCommandBit(int command) { return 1u << command; }

struct CliOption {
    const char *name;    // the long name, without "--"
    char shortName = 0;  // 0: none
    const char *valueName = nullptr;
    void (*values)(char *out, size_t size) = nullptr;
    // The default, as words or as a number; the unit of the value.
    const char *defaultText = nullptr;
    double defaultNumber = 0.0;
    bool numberDefault = false;
    const char *unit = nullptr;
    const char *help = "";                 // one line
    uint32_t commands = kCliEveryCommand;  // CliCommandBit of each command that takes it
};

// A command row, the first member of the program's own command rows (which
// add the handler and what else the program needs of a command).
struct CliCommand {
    const char *word;
    const char *operands;         // "IN OUT", "FILE...", "" for none
    const char *help;             // one line
    void (*moreHelp)(FILE *out);  // the command help's text from other tables, or nullptr
};

struct CliProgram {
    const char *name;
    const char *version;
    const char *summary;  // one line
    // The program's command rows, by index; nullptr past the last.
    const CliCommand *(*commandAt)(int index);
    const CliOption *options;
    int optionCount;
    // The usage of a usage error: one line of the options every command
    // takes and the command words (lutctl), or one line per command
    // (lutprep).
    bool usagePerCommand;
    const char *failedMeaning;  // what kExitFailed says in the help
    bool deviceLibrary;         // kExitNoLibrary is one of its statuses
};

// The most option rows a program has, and the most commands.
constexpr int kCliMaxOptions = 24;
constexpr int kCliMaxCommands = 32;

// The parsed command line. value[i] and given[i] are of program.options[i].
struct CliArgs {
    int command;  // index of the command row; -1: none (only with help or version)
    bool help;
    bool version;
    bool given[kCliMaxOptions];
    const char *value[kCliMaxOptions];
    char **operands;  // the operands, in their order, moved to the front of argv + 1
    int operandCount;
};

// Parses argv[1, argc): kExitOk, or kExitUsage after a usage error. A
// command is required unless help or version was asked for.
int CliParse(const CliProgram &program, int argc, char **argv, CliArgs &args);

// Whether the option of this name was given; its value or nullptr.
bool CliGiven(const CliProgram &program, const CliArgs &args, const char *name);
const char *CliValue(const CliProgram &program, const CliArgs &args, const char *name);

// What a parse that returned kExitOk asked for besides a command: prints
// the help (of the command, if one was given) or the version on standard
// output and returns true; false when a command is to run.
bool CliAnswerHelpOrVersion(const CliProgram &program, const CliArgs &args);

// The usage: of command (-1: of the program), as a usage error shows it.
void CliPrintUsage(const CliProgram &program, int command, FILE *out);
// The help: of command (-1: of the program), with every option's values,
// default and unit.
void CliPrintHelp(const CliProgram &program, int command, FILE *out);

// "PROGRAM: " and the formatted message, then the usage of command (-1:
// of the program), on standard error after what standard output holds;
// returns kExitUsage.
int CliUsageError(const CliProgram &program, int command, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// A whole decimal number: an optional sign and digits, nothing else (no
// blanks, no base prefix), within [min, max]. true with *value set.
bool CliWholeNumber(const char *text, int64_t min, int64_t max, int64_t *value);

// Appends text to out (size bytes, always terminated, cut when full).
void CliAppend(char *out, size_t size, const char *text);
// words[0, count) joined by sep into out, as CliAppend writes.
void CliJoinList(const char *const *words, int count, const char *sep, char *out, size_t size);
