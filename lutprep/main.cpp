// lutprep: check, convert, compare and preview 3D LUT files for the box.
#include <cstring>

#include "lutbox_version.h"
#include "lutprep/lutprep.h"
#include "prep/preview.h"

namespace {

struct Command {
    const char *word;
    int (*run)(int count, char **args);
};

const Command kCommands[] = {
    {"check", RunCheck}, {"convert", RunConvert}, {"compare", RunCompare}, {"preview", RunPreview}};

void PrintHelp() {
    printf("lutprep %s: check, convert, compare and preview 3D LUT files for the LUT loader box\n\n", kLutboxVersion);
    PrintUsage(stdout, nullptr);
    printf(
        "\n"
        "check    says for each FILE whether \"load:\" takes it (family, points, layout)\n"
        "         or why not (line, column, rows), then what it would show wrongly\n"
        "convert  writes OUT, in the family its name gives, at a size the box takes,\n"
        "         checked with the box's own reader before it replaces OUT\n"
        "compare  the difference of B from A at A's nodes\n"
        "preview  a PNG of a test pattern (grey ramp, hues at full and half\n"
        "         saturation, primaries, secondaries and skin tones, near-black\n"
        "         and near-white steps), then the pattern through LUT, then,\n"
        "         with LUT2, through LUT2 and the difference of the two times %d\n\n"
        "Exit status: 0 success; 1 a file refused (check --strict: or warned\n"
        "about), not converted, or beyond the tolerance; 2 a usage error.\n",
        kPreviewDiffGain);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) return UsageError(nullptr, "no command");
    const char *word = argv[1];
    if (strcmp(word, "--help") == 0 || strcmp(word, "-h") == 0) {
        PrintHelp();
        return kExitOk;
    }
    if (strcmp(word, "--version") == 0) {
        printf("lutprep %s\n", kLutboxVersion);
        return kExitOk;
    }
    for (const Command &command : kCommands) {
        if (strcmp(word, command.word) == 0) {
            // --help after the command word is help too, not an unknown option.
            for (int i = 2; i < argc && strcmp(argv[i], "--") != 0; i++) {
                if (strcmp(argv[i], "--help") == 0) {
                    PrintUsage(stdout, command.word);
                    return kExitOk;
                }
            }
            int status = command.run(argc - 2, argv + 2);
            return fflush(stdout) == 0 || status != kExitOk ? status : kExitFailed;
        }
    }
    return UsageError(nullptr, "unknown command '%s'", word);
}
