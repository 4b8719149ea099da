#include "cli/cli.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/ascii.h"
#include "platform/platform.h"

namespace {

// The options every program has, after the program's own rows.
const CliOption kBuiltIns[] = {
    {.name = "help",
     .shortName = 'h',
     .help = "prints this help; after a command word, the command's",
     .commands = kCliEveryCommand},
    {.name = "version", .help = "prints the program's version", .commands = kCliEveryCommand},
};
constexpr int kBuiltInCount = static_cast<int>(std::size(kBuiltIns));
enum { kHelpBuiltIn, kVersionBuiltIn };

// Room for one line of usage or help.
constexpr size_t kLineSize = 512;

int OptionCount(const CliProgram &program) { return program.optionCount + kBuiltInCount; }

const CliOption &OptionAt(const CliProgram &program, int index) {
    return index < program.optionCount ? program.options[index] : kBuiltIns[index - program.optionCount];
}

bool TakesValue(const CliOption &option) { return option.valueName != nullptr || option.values != nullptr; }

int CommandCount(const CliProgram &program) {
    int count = 0;
    while (count < kCliMaxCommands && program.commandAt(count) != nullptr) count++;
    return count;
}

bool TakesOption(const CliOption &option, int command) {
    return command < 0 || (option.commands & CliCommandBit(command)) != 0;
}

// "-" alone and "-" before a digit are operands.
bool IsOption(const char *arg) { return arg[0] == '-' && arg[1] != '\0' && !IsAsciiDigit(arg[1]); }

// The row of "--name", "--name=value" or "-c", or -1; *equals is the '='
// of a long option that has one.
int FindOption(const CliProgram &program, const char *arg, const char **equals) {
    *equals = nullptr;
    if (arg[1] != '-') {
        for (int i = 0; i < OptionCount(program) && arg[2] == '\0'; i++) {
            if (OptionAt(program, i).shortName != 0 && OptionAt(program, i).shortName == arg[1]) return i;
        }
        return -1;
    }
    const char *name = arg + 2;
    *equals = strchr(name, '=');
    size_t length = *equals != nullptr ? static_cast<size_t>(*equals - name) : strlen(name);
    for (int i = 0; i < OptionCount(program); i++) {
        const char *rowName = OptionAt(program, i).name;
        if (strlen(rowName) == length && strncmp(rowName, name, length) == 0) return i;
    }
    return -1;
}

int TakeOption(const CliProgram &program, int argc, char **argv, int &i, CliArgs &args, bool *seen) {
    const char *arg = argv[i];
    const char *equals = nullptr;
    int row = FindOption(program, arg, &equals);
    if (row < 0) {
        int shown = static_cast<int>(equals != nullptr ? equals - arg : static_cast<ptrdiff_t>(strlen(arg)));
        return CliUsageError(program, args.command, "unknown option '%.*s'", shown, arg);
    }
    const CliOption &option = OptionAt(program, row);
    if (seen[row]) return CliUsageError(program, args.command, "--%s given twice", option.name);
    seen[row] = true;
    const char *value = nullptr;
    if (!TakesValue(option)) {
        if (equals != nullptr) return CliUsageError(program, args.command, "--%s takes no value", option.name);
    } else if (equals != nullptr) {
        value = equals + 1;
    } else if (i + 1 < argc) {
        value = argv[++i];
    } else {
        return CliUsageError(program, args.command, "--%s needs a value", option.name);
    }
    if (row < program.optionCount) {
        args.given[row] = true;
        args.value[row] = value;
    } else if (row - program.optionCount == kHelpBuiltIn) {
        args.help = true;
    } else {
        args.version = true;
    }
    return kExitOk;
}

int TakeCommandWord(const CliProgram &program, const char *word, CliArgs &args) {
    for (int c = 0; program.commandAt(c) != nullptr; c++) {
        if (strcmp(program.commandAt(c)->word, word) == 0) {
            args.command = c;
            return kExitOk;
        }
    }
    char words[kLineSize] = "";
    for (int c = 0; program.commandAt(c) != nullptr; c++) {
        if (c > 0) CliAppend(words, sizeof words, ", ");
        CliAppend(words, sizeof words, program.commandAt(c)->word);
    }
    return CliUsageError(program, -1, "unknown command '%s'; valid: %s", word, words);
}

// "[--name]" or "[--name VALUE]".
void AppendOptionUsage(const CliOption &option, char *out, size_t size) {
    CliAppend(out, size, " [--");
    CliAppend(out, size, option.name);
    if (option.values != nullptr) {
        char values[kLineSize];
        option.values(values, sizeof values);
        CliAppend(out, size, " ");
        CliAppend(out, size, values);
    } else if (option.valueName != nullptr) {
        CliAppend(out, size, " ");
        CliAppend(out, size, option.valueName);
    }
    CliAppend(out, size, "]");
}

// "NAME WORD [options of the command] OPERANDS".
void CommandUsageLine(const CliProgram &program, int command, char *out, size_t size) {
    const CliCommand &row = *program.commandAt(command);
    snprintf(out, size, "%s %s", program.name, row.word);
    for (int i = 0; i < program.optionCount; i++) {
        if (TakesOption(program.options[i], command)) AppendOptionUsage(program.options[i], out, size);
    }
    if (row.operands[0] != '\0') {
        CliAppend(out, size, " ");
        CliAppend(out, size, row.operands);
    }
}

// "NAME [options of every command] WORD|WORD ... (see NAME --help)".
void ProgramUsageLine(const CliProgram &program, char *out, size_t size) {
    snprintf(out, size, "%s", program.name);
    for (int i = 0; i < program.optionCount; i++) {
        if (program.options[i].commands == kCliEveryCommand) AppendOptionUsage(program.options[i], out, size);
    }
    for (int c = 0; program.commandAt(c) != nullptr; c++) {
        CliAppend(out, size, c == 0 ? " " : "|");
        CliAppend(out, size, program.commandAt(c)->word);
    }
    char see[64];
    snprintf(see, sizeof see, " ... (see %s --help)", program.name);
    CliAppend(out, size, see);
}

// "NAME --help | --version", from the built-in rows.
void BuiltInUsageLine(const CliProgram &program, char *out, size_t size) {
    snprintf(out, size, "%s", program.name);
    for (int b = 0; b < kBuiltInCount; b++) {
        CliAppend(out, size, b == 0 ? " --" : " | --");
        CliAppend(out, size, kBuiltIns[b].name);
    }
}

// Every command's usage line, then the built-ins'.
void PrintEveryCommandUsage(const CliProgram &program, FILE *out) {
    char line[kLineSize];
    for (int c = 0; program.commandAt(c) != nullptr; c++) {
        CommandUsageLine(program, c, line, sizeof line);
        fprintf(out, "%s%s\n", c == 0 ? "usage: " : "       ", line);
    }
    BuiltInUsageLine(program, line, sizeof line);
    fprintf(out, "       %s\n", line);
}

// "  -h, --help VALUE      help (default: D; unit: UNIT)".
void PrintOptionHelp(const CliOption &option, FILE *out) {
    char left[kLineSize];
    snprintf(left, sizeof left, "%c%c%s--%s", option.shortName != 0 ? '-' : ' ',
             option.shortName != 0 ? option.shortName : ' ', option.shortName != 0 ? ", " : "  ", option.name);
    if (option.values != nullptr) {
        char values[kLineSize];
        option.values(values, sizeof values);
        CliAppend(left, sizeof left, " ");
        CliAppend(left, sizeof left, values);
    } else if (option.valueName != nullptr) {
        CliAppend(left, sizeof left, " ");
        CliAppend(left, sizeof left, option.valueName);
    }
    char details[kLineSize] = "";
    if (option.defaultText != nullptr) {
        snprintf(details, sizeof details, "default: %s", option.defaultText);
    } else if (option.numberDefault) {
        snprintf(details, sizeof details, "default: %.9g", option.defaultNumber);
    }
    if (option.unit != nullptr) {
        CliAppend(details, sizeof details, details[0] != '\0' ? "; unit: " : "unit: ");
        CliAppend(details, sizeof details, option.unit);
    }
    fprintf(out, "  %-24s %s", left, option.help);
    if (details[0] != '\0') fprintf(out, " (%s)", details);
    fputs("\n", out);
}

void PrintCommandHelp(const CliProgram &program, int command, FILE *out) {
    const CliCommand &row = *program.commandAt(command);
    char line[kLineSize];
    CommandUsageLine(program, command, line, sizeof line);
    fprintf(out, "usage: %s\n\n%s\n", line, row.help);
    if (row.moreHelp != nullptr) row.moreHelp(out);
    fputs("\nOptions:\n", out);
    for (int i = 0; i < OptionCount(program); i++) {
        if (TakesOption(OptionAt(program, i), command)) PrintOptionHelp(OptionAt(program, i), out);
    }
}

}  // namespace

void CliAppend(char *out, size_t size, const char *text) {
    size_t used = strnlen(out, size);
    if (used + 1 >= size) return;
    snprintf(out + used, size - used, "%s", text);
}

void CliJoinList(const char *const *words, int count, const char *sep, char *out, size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    for (int i = 0; i < count; i++) {
        if (i > 0) CliAppend(out, size, sep);
        CliAppend(out, size, words[i]);
    }
}

int CliParse(const CliProgram &program, int argc, char **argv, CliArgs &args) {
    args = {};
    args.command = -1;
    args.operands = argv + 1;
    bool seen[kCliMaxOptions + kBuiltInCount] = {};
    bool ended = false;
    int operands = 0;
    for (int i = 1; i < argc; i++) {
        char *arg = argv[i];
        if (!ended && strcmp(arg, "--") == 0) {
            ended = true;
        } else if (!ended && IsOption(arg)) {
            int status = TakeOption(program, argc, argv, i, args, seen);
            if (status != kExitOk) return status;
        } else if (args.command < 0) {
            int status = TakeCommandWord(program, arg, args);
            if (status != kExitOk) return status;
        } else {
            // Never past i: every operand was read before its slot is written.
            args.operands[operands++] = arg;
        }
    }
    args.operandCount = operands;
    if (args.command < 0) return args.help || args.version ? kExitOk : CliUsageError(program, -1, "no command");
    for (int i = 0; i < program.optionCount; i++) {
        if (args.given[i] && !TakesOption(program.options[i], args.command)) {
            return CliUsageError(program, args.command, "%s does not take --%s", program.commandAt(args.command)->word,
                                 program.options[i].name);
        }
    }
    return kExitOk;
}

bool CliGiven(const CliProgram &program, const CliArgs &args, const char *name) {
    for (int i = 0; i < program.optionCount; i++) {
        if (strcmp(program.options[i].name, name) == 0) return args.given[i];
    }
    return false;
}

const char *CliValue(const CliProgram &program, const CliArgs &args, const char *name) {
    for (int i = 0; i < program.optionCount; i++) {
        if (strcmp(program.options[i].name, name) == 0) return args.value[i];
    }
    return nullptr;
}

bool CliAnswerHelpOrVersion(const CliProgram &program, const CliArgs &args) {
    if (args.help) {
        CliPrintHelp(program, args.command, stdout);
    } else if (args.version) {
        printf("%s %s\n", program.name, program.version);
    }
    return args.help || args.version;
}

void CliPrintUsage(const CliProgram &program, int command, FILE *out) {
    char line[kLineSize];
    if (!program.usagePerCommand) {
        ProgramUsageLine(program, line, sizeof line);
        fprintf(out, "usage: %s\n", line);
    } else if (command >= 0) {
        CommandUsageLine(program, command, line, sizeof line);
        fprintf(out, "usage: %s\n", line);
    } else {
        PrintEveryCommandUsage(program, out);
    }
}

void CliPrintHelp(const CliProgram &program, int command, FILE *out) {
    if (command >= 0) {
        PrintCommandHelp(program, command, out);
        return;
    }
    fprintf(out, "%s %s: %s\n\n", program.name, program.version, program.summary);
    PrintEveryCommandUsage(program, out);
    fputs("\nCommands:\n", out);
    for (int c = 0; c < CommandCount(program); c++) {
        fprintf(out, "  %-12s %s\n", program.commandAt(c)->word, program.commandAt(c)->help);
    }
    fputs("\nOptions (before or after the command word; \"COMMAND --help\" tells a command's):\n", out);
    for (int i = 0; i < OptionCount(program); i++) PrintOptionHelp(OptionAt(program, i), out);
    fprintf(out, "\nExit status: %d success; %d %s; %d usage", kExitOk, kExitFailed, program.failedMeaning, kExitUsage);
    if (program.deviceLibrary) fprintf(out, "; %d the device library cannot be loaded or bound", kExitNoLibrary);
    fputs(".\n", out);
}

int CliUsageError(const CliProgram &program, int command, const char *format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    // What standard output holds goes out first, so that the two read in
    // order when they share one pipe.
    fflush(stdout);
    fprintf(stderr, "%s: ", program.name);
    PlatformWriteText(stderr, message);
    fputs("\n", stderr);
    CliPrintUsage(program, command, stderr);
    fflush(stderr);
    return kExitUsage;
}

bool CliWholeNumber(const char *text, int64_t min, int64_t max, int64_t *value) {
    const char *digits = text + (text[0] == '-' || text[0] == '+' ? 1 : 0);
    if (!IsAsciiDigit(static_cast<unsigned char>(*digits))) return false;
    for (const char *p = digits; *p != '\0'; p++) {
        if (!IsAsciiDigit(static_cast<unsigned char>(*p))) return false;
    }
    errno = 0;
    long long parsed = strtoll(text, nullptr, 10);
    if (errno == ERANGE || parsed < min || parsed > max) return false;
    *value = parsed;
    return true;
}
