// lutprep: check, convert, compare and preview 3D LUT files for the box.
#include <cstring>
#include <iterator>

#include "lutbox_version.h"
#include "lutprep/lutprep.h"
#include "platform/platform.h"
#include "prep/lut_write.h"
#include "prep/preview.h"

namespace {

struct Command {
    CliCommand cli;
    int (*run)(const CliArgs &args);
};

enum CommandIndex { kCheck, kConvert, kCompare, kPreview };

void PreviewMoreHelp(FILE *out) {
    fprintf(out,
            "The pattern: a grey ramp, hues at full and half saturation, primaries, secondaries and skin tones,\n"
            "near-black and near-white steps; the difference of LUT and LUT2 is shown %d times as large.\n",
            kPreviewDiffGain);
}

const Command kCommands[] = {
    {{"check", "FILE...",
      "says for each FILE whether \"load:\" takes it (family, points, layout) or why not (line, column, rows), "
      "then what it would show wrongly",
      nullptr},
     RunCheck},
    {{"convert", "IN... OUT",
      "writes OUT, in the family its name gives, at a size the box takes, checked with the box's own reader "
      "before it replaces OUT; several INs are applied in their order, as one LUT",
      nullptr},
     RunConvert},
    {{"compare", "A B", "the difference of B from A at A's nodes", nullptr}, RunCompare},
    {{"preview", "LUT [LUT2] OUT.png",
      "a PNG of a test pattern, then the pattern through LUT, then, with LUT2, through LUT2 and the difference",
      PreviewMoreHelp},
     RunPreview},
};

const CliCommand *CommandAt(int index) {
    return index >= 0 && index < static_cast<int>(std::size(kCommands)) ? &kCommands[index].cli : nullptr;
}

// The point counts of the box's sizes, "17|26|33".
void SizeValues(char *out, size_t size) { Lut3dSizesText(&Lut3dSize::points, "|", "|", out, size); }

// The 3dl depths lutprep writes, "10|12|16".
void BitsValues(char *out, size_t size) {
    out[0] = '\0';
    for (int32_t b = 1; b <= 32; b++) {
        if (!PrepIsWritableBits(b)) continue;
        char number[8];
        snprintf(number, sizeof number, "%s%d", out[0] == '\0' ? "" : "|", b);
        CliAppend(out, size, number);
    }
}

constexpr uint32_t kJsonCommands = CliCommandBit(kCheck) | CliCommandBit(kCompare);

const CliOption kOptions[] = {
    {.name = "json", .help = "one JSON object per line instead of the text", .commands = kJsonCommands},
    {.name = "strict", .help = "a warning fails the run as a refusal does", .commands = CliCommandBit(kCheck)},
    {.name = "size",
     .values = SizeValues,
     .defaultText = "IN's, when the box takes it, else the largest",
     .unit = "points per axis",
     .help = "the size of OUT",
     .commands = CliCommandBit(kConvert)},
    {.name = "bits",
     .values = BitsValues,
     .defaultNumber = kPrepDefaultBits,
     .numberDefault = true,
     .unit = "bits",
     .help = "the output depth of a 3dl OUT",
     .commands = CliCommandBit(kConvert)},
    {.name = "interp",
     .values = InterpValues,
     .defaultText = "tetrahedral",
     .help = "how OUT's nodes are taken from IN",
     .commands = CliCommandBit(kConvert)},
    {.name = "tolerance",
     .valueName = "T",
     .defaultNumber = kCompareDefaultTolerance,
     .numberDefault = true,
     .unit = "output values of 0 to 1",
     .help = "the largest difference that still matches",
     .commands = CliCommandBit(kCompare)},
    {.name = "cccid",
     .valueName = "ID",
     .help = "the correction of a .ccc or .cdl collection to read: its id, or else its index from 0",
     .commands = CliCommandBit(kCheck) | CliCommandBit(kConvert) | CliCommandBit(kCompare) | CliCommandBit(kPreview)},
    {.name = "width",
     .valueName = "W",
     .defaultNumber = kPreviewDefaultWidth,
     .numberDefault = true,
     .unit = "pixels",
     .help = "the picture's width",
     .commands = CliCommandBit(kPreview)},
};

}  // namespace

const CliProgram kLutprepProgram = {
    .name = "lutprep",
    .version = kLutboxVersion,
    .summary = "check, convert, compare and preview 3D LUT files for the LUT loader box",
    .commandAt = CommandAt,
    .options = kOptions,
    .optionCount = static_cast<int>(std::size(kOptions)),
    .usagePerCommand = true,
    .failedMeaning = "a file refused (check --strict: or warned about), not converted, or beyond the tolerance",
    .deviceLibrary = false,
};

int main(int argc, char **argv) {
    PlatformIgnoreFileSizeSignal();
    // The arguments as UTF-8 (on Windows from the wide command line, so that
    // any file name can be given), and file names opened as UTF-8.
    PlatformUseUtf8Arguments(argc, argv);
    CliArgs args;
    int status = CliParse(kLutprepProgram, argc, argv, args);
    if (status != kExitOk) return status;
    if (CliAnswerHelpOrVersion(kLutprepProgram, args)) return kExitOk;
    status = kCommands[args.command].run(args);
    if (fflush(stdout) != 0 || ferror(stdout) != 0) {
        PrintError("cannot write the report to standard output");
        if (status == kExitOk) status = kExitFailed;
    }
    // An interrupt that came after OUT was written ends the run as it would have.
    PlatformEndAsInterrupted();
    return status;
}
