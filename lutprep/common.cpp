// What lutprep's commands share: arguments and messages (on cli/), the
// box's families and sizes as lut/ defines them, reading a source LUT.
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "lutprep/lutprep.h"
#include "platform/platform.h"
#include "prep/lut_write.h"

// What standard output holds goes out first, so the two stay in order.
__attribute__((format(printf, 1, 0))) static void PrintErrorLine(const char *format, va_list args) {
    fflush(stdout);
    fputs("lutprep: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
}

int UsageError(const char *command, const char *format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(message, sizeof message, format, args);
    va_end(args);
    int index = 0;
    while (kLutprepProgram.commandAt(index) != nullptr &&
           strcmp(kLutprepProgram.commandAt(index)->word, command) != 0) {
        index++;
    }
    return CliUsageError(kLutprepProgram, kLutprepProgram.commandAt(index) != nullptr ? index : -1, "%s", message);
}

void PrintError(const char *format, ...) {
    va_list args;
    va_start(args, format);
    PrintErrorLine(format, args);
    va_end(args);
}

int32_t ParseCount(const char *text) {
    int64_t value = 0;
    return CliWholeNumber(text, 0, 1 << 20, &value) ? static_cast<int32_t>(value) : -1;
}

namespace {

// The steps of WriteReplacing between creating the temporary file and
// putting it in OUT's place; an interrupt between them removes the file.
int WriteChecked(PlatformReplacement &replacement, const char *out,
                 int (*write)(FILE *file, const void *context, PrepError *error),
                 bool (*check)(const char *tempPath, const void *context, char *why, size_t whySize),
                 const void *context) {
    PrepError error{};
    int written = write(replacement.file, context, &error);
    if (PlatformEndReplacementIfInterrupted(replacement) != 0) return -1;
    if (written != 0) {
        PlatformDiscardReplacement(replacement);
        PrintError("%s: %s; left as it was", out, error.text);
        return -1;
    }
    if (PlatformCloseReplacement(replacement) != 0) {
        PrintError("%s: write failed; left as it was", out);
        return -1;
    }
    char why[160];
    if (check != nullptr && !check(replacement.tempPath, context, why, sizeof why)) {
        PlatformDiscardReplacement(replacement);
        PrintError("%s: the written file failed the check: %s; left as it was", out, why);
        return -1;
    }
    if (PlatformEndReplacementIfInterrupted(replacement) != 0) return -1;
    if (PlatformCommitReplacement(replacement) != 0) {
        PrintError("%s: cannot put the written file in its place; left as it was", out);
        return -1;
    }
    return 0;
}

}  // namespace

int WriteReplacing(const char *out, int (*write)(FILE *file, const void *context, PrepError *error),
                   bool (*check)(const char *tempPath, const void *context, char *why, size_t whySize),
                   const void *context) {
    // From here an interrupt only notes itself, so that the temporary file
    // can be removed before the process ends; a write beyond the file size
    // limit fails as a write (a full disk, say) does.
    PlatformCatchInterrupts(nullptr);
    PlatformIgnoreFileSizeSignal();
    // Windows handles an interrupt on a thread of its own, which ends the
    // process: it waits while the temporary file exists.
    PlatformBeginDeviceUse();
    PlatformReplacement replacement;
    int result = -1;
    if (PlatformCreateReplacement(replacement, out) == nullptr) {
        PrintError("%s: cannot write it (not writable, or no temporary file can be made beside it)", out);
    } else if (PlatformEndReplacementIfInterrupted(replacement) == 0) {
        result = WriteChecked(replacement, out, write, check, context);
    }
    PlatformEndDeviceUse();
    // OUT is complete (or as it was): the interrupt ends the process now.
    PlatformEndAsInterrupted();
    return result;
}

void BoxExtensionsText(char *out, size_t size) {
    out[0] = '\0';
    for (int i = 0; Lut3dFamilyAt(i) != nullptr; i++) {
        for (const char *extension : Lut3dFamilyAt(i)->extensions) {
            if (out[0] != '\0') CliAppend(out, size, ", ");
            CliAppend(out, size, extension);
        }
    }
}

const Lut3dFamily *BoxFamilyNamed(const char *name) {
    for (int i = 0; Lut3dFamilyAt(i) != nullptr; i++) {
        if (strcmp(Lut3dFamilyAt(i)->name, name) == 0) return Lut3dFamilyAt(i);
    }
    return nullptr;
}

void BoxFamilyValues(char *out, size_t size) {
    out[0] = '\0';
    for (int i = 0; Lut3dFamilyAt(i) != nullptr; i++) {
        if (i > 0) CliAppend(out, size, "|");
        CliAppend(out, size, Lut3dFamilyAt(i)->name);
    }
}

PrepReadOptions ReadOptions(const CliArgs &args) { return PrepReadOptions{OptionValue(args, "cccid"), nullptr}; }

namespace {

void PrintReadError(const char *path, const PrepError &error) {
    if (error.line > 0) {
        PrintError("%s: line %lld: %s", path, static_cast<long long>(error.line), error.text);
    } else {
        PrintError("%s: %s", path, error.text);
    }
}

// What the reading of a file had to guess (a 3dl's depth) and, for the
// formats that check cannot judge for the box, everything it noted.
void PrintReaderWarnings(const char *path, const PrepTransform *t, const PrepWarnings *warnings) {
    PrintGuessedDepth(path, warnings);
    bool all = t->family != nullptr && t->family->parseTransform != nullptr;
    for (int32_t i = 0; all && i < warnings->count; i++) {
        const PrepWarning &w = warnings->list[i];
        if (w.code == kPrepWarnBitDepth) continue;
        if (w.line > 0) {
            PrintError("warning: %s: line %lld: %s", path, static_cast<long long>(w.line), w.text);
        } else {
            PrintError("warning: %s: %s", path, w.text);
        }
    }
}

// A table that states more points than its rows make is most likely a
// file cut short (a copy that stopped): never converted as the smaller
// table its rows happen to make. -1, said, for such a file.
int RefuseCutShort(const char *path, const PrepTransform *t) {
    for (int32_t i = 0; i < t->count; i++) {
        const PrepLut &lut = t->ops[i].lut;
        if (lut.values == nullptr || lut.statedPoints == 0 || lut.statedPoints == lut.points) continue;
        PrintError("%s: it states %d points but holds the rows of %d: cut short?", path, lut.statedPoints, lut.points);
        return -1;
    }
    return 0;
}

}  // namespace

int ReadSourceChain(const char *const *paths, int32_t count, const PrepReadOptions &options, PrepTransform *t,
                    PrepWarnings *warnings) {
    PrepFreeTransform(t);
    // One file's operations at a time, then added to the chain.
    static PrepTransform one;
    for (int32_t i = 0; i < count; i++) {
        PrepWarnings read{};
        PrepError error{};
        if (PrepReadTransformFile(paths[i], ReadingFamily(paths[i]), options, &one, &read, &error) != 0) {
            PrintReadError(paths[i], error);
            PrepFreeTransform(t);
            return -1;
        }
        PrintReaderWarnings(paths[i], &one, &read);
        if (RefuseCutShort(paths[i], &one) != 0) {
            PrepFreeTransform(&one);
            PrepFreeTransform(t);
            return -1;
        }
        if (warnings != nullptr) *warnings = read;
        if (PrepAppendTransform(t, &one, &error) != 0) {
            PrintReadError(paths[i], error);
            PrepFreeTransform(&one);
            PrepFreeTransform(t);
            return -1;
        }
    }
    return 0;
}

int ReadSourceLut(const char *path, const PrepReadOptions &options, PrepLut *lut, PrepWarnings *warnings) {
    static PrepTransform t;
    if (ReadSourceChain(&path, 1, options, &t, warnings) != 0) return -1;
    PrepError error{};
    if (PrepTransformToLut(&t, PrepBakePoints(LargestBoxSize()->points), kPrepTetrahedral, lut, &error) != 0) {
        PrintReadError(path, error);
        PrepFreeTransform(&t);
        return -1;
    }
    return 0;
}

void PrintGuessedDepth(const char *path, const PrepWarnings *warnings) {
    for (int32_t i = 0; i < warnings->count; i++) {
        if (warnings->list[i].code == kPrepWarnBitDepth) {
            PrintError("%s: line %lld: %s", path, static_cast<long long>(warnings->list[i].line),
                       warnings->list[i].text);
        }
    }
}

void DescribeLut(const PrepLut *lut, char *out, size_t size) {
    const char *name = lut->family != nullptr ? lut->family->name : "LUT";
    if (lut->family != nullptr && lut->family->hasBitDepth) {
        snprintf(out, size, "%d-point %d-bit %s", lut->points, lut->bits, name);
    } else {
        snprintf(out, size, "%d-point %s", lut->points, name);
    }
    if (lut->shaperPoints > 0) CliAppend(out, size, " with a shaper");
    bool domain = false;
    for (int c = 0; c < 3; c++) domain = domain || lut->domainMin[c] != 0.0f || lut->domainMax[c] != 1.0f;
    if (domain) CliAppend(out, size, lut->shaperPoints > 0 ? " and a domain" : " with a domain");
}

void DescribeTransform(const PrepTransform *t, char *out, size_t size) {
    if (PrepIsSingleLut(t)) {
        DescribeLut(&t->ops[0].lut, out, size);
        return;
    }
    snprintf(out, size, "%d operation%s:", t->count, t->count == 1 ? "" : "s");
    for (int32_t i = 0; i < t->count; i++) {
        CliAppend(out, size, i == 0 ? " " : ", ");
        CliAppend(out, size, t->ops[i].name);
    }
}
