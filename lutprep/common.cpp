// What lutprep's commands share: arguments, messages, the box's families
// and sizes as lut/ defines them, reading a source LUT, JSON output.
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "lutprep/lutprep.h"
#include "platform/json_string.h"
#include "platform/platform.h"
#include "prep/lut_write.h"

namespace {

// Appends text to out[0, size), always NUL-terminated, cut when full.
void Append(char *out, size_t size, const char *text) {
    size_t used = strnlen(out, size);
    if (used + 1 >= size) return;
    snprintf(out + used, size - used, "%s", text);
}

struct CommandUsage {
    const char *command;
    const char *format;  // the box's point counts, then the 3dl depths written, for each %s
};

const CommandUsage kUsages[] = {
    {"check", "lutprep check [--json] [--strict] FILE..."},
    {"convert", "lutprep convert [--size %s] [--bits %s] [--interp tetrahedral|trilinear] IN OUT"},
    {"compare", "lutprep compare [--json] [--tolerance T] A B"},
    {"preview", "lutprep preview [--width W] LUT [LUT2] OUT.png"},
};

}  // namespace

void PrintUsage(FILE *out, const char *command) {
    char points[64];
    Lut3dSizesText(&Lut3dSize::points, "|", "|", points, sizeof points);
    char bits[64] = "";
    for (int32_t b = 1; b <= 32; b++) {
        if (!PrepIsWritableBits(b)) continue;
        char number[8];
        snprintf(number, sizeof number, "%s%d", bits[0] == '\0' ? "" : "|", b);
        Append(bits, sizeof bits, number);
    }
    bool first = true;
    for (const CommandUsage &usage : kUsages) {
        if (command != nullptr && strcmp(command, usage.command) != 0) continue;
        char line[200];
        snprintf(line, sizeof line, usage.format, points, bits);
        fprintf(out, "%s%s\n", first ? "usage: " : "       ", line);
        first = false;
    }
    if (command == nullptr) fputs("       lutprep --help | --version\n", out);
}

// What standard output holds goes out first, so the two stay in order.
__attribute__((format(printf, 1, 0))) static void PrintErrorLine(const char *format, va_list args) {
    fflush(stdout);
    fputs("lutprep: ", stderr);
    vfprintf(stderr, format, args);
    fputc('\n', stderr);
}

int UsageError(const char *command, const char *format, ...) {
    va_list args;
    va_start(args, format);
    PrintErrorLine(format, args);
    va_end(args);
    PrintUsage(stderr, command);
    return kExitUsage;
}

void PrintError(const char *format, ...) {
    va_list args;
    va_start(args, format);
    PrintErrorLine(format, args);
    va_end(args);
}

int ParseArgs(const char *command, int count, char **args, Option *options, int optionCount) {
    int operands = 0;
    bool optionsEnded = false;
    for (int i = 0; i < count; i++) {
        char *arg = args[i];
        // "-" alone is a name, as in most tools.
        if (optionsEnded || arg[0] != '-' || arg[1] == '\0') {
            args[operands++] = arg;
            continue;
        }
        if (strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        const char *equals = strchr(arg, '=');
        size_t nameLength = equals != nullptr ? static_cast<size_t>(equals - arg) : strlen(arg);
        Option *option = nullptr;
        for (int k = 0; k < optionCount; k++) {
            if (strlen(options[k].name) == nameLength && strncmp(options[k].name, arg, nameLength) == 0) {
                option = &options[k];
            }
        }
        if (option == nullptr) {
            UsageError(command, "unknown option '%.*s' for %s", static_cast<int>(nameLength), arg, command);
            return -1;
        }
        if (option->given) {
            UsageError(command, "%s given twice", option->name);
            return -1;
        }
        option->given = true;
        if (!option->takesValue) {
            if (equals != nullptr) {
                UsageError(command, "%s takes no value", option->name);
                return -1;
            }
            continue;
        }
        if (equals != nullptr) {
            option->value = equals + 1;
        } else if (i + 1 < count) {
            option->value = args[++i];
        } else {
            UsageError(command, "%s needs a value", option->name);
            return -1;
        }
    }
    return operands;
}

int32_t ParseCount(const char *text) {
    char *end = nullptr;
    long value = strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 1 << 20) return -1;
    return static_cast<int32_t>(value);
}

int WriteReplacing(const char *out, int (*write)(FILE *file, const void *context, PrepError *error),
                   bool (*check)(const char *tempPath, const void *context, char *why, size_t whySize),
                   const void *context) {
    PlatformReplacement replacement;
    FILE *file = PlatformCreateReplacement(replacement, out);
    if (file == nullptr) {
        PrintError("%s: cannot write it (not writable, or no temporary file can be made beside it)", out);
        return -1;
    }
    PrepError error{};
    if (write(file, context, &error) != 0) {
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
    if (PlatformCommitReplacement(replacement) != 0) {
        PrintError("%s: cannot put the written file in its place; left as it was", out);
        return -1;
    }
    return 0;
}

const Lut3dSize *BoxSizeOfPoints(int32_t points) {
    for (const Lut3dSize &size : kLut3dSizes) {
        if (size.points == points) return &size;
    }
    return nullptr;
}

const Lut3dSize *LargestBoxSize() {
    const Lut3dSize *largest = &kLut3dSizes[0];
    for (const Lut3dSize &size : kLut3dSizes) {
        if (size.points > largest->points) largest = &size;
    }
    return largest;
}

void BoxExtensionsText(char *out, size_t size) {
    out[0] = '\0';
    for (int i = 0; Lut3dFamilyAt(i) != nullptr; i++) {
        for (const char *extension : Lut3dFamilyAt(i)->extensions) {
            if (out[0] != '\0') Append(out, size, ", ");
            Append(out, size, extension);
        }
    }
}

PrepFamily PrepFamilyOfBox(const Lut3dFamily *family) {
    // The engine tells its families by the same extensions, in any case.
    return family == nullptr ? kPrepFamilyNone : PrepFamilyOfName(family->extensions[0]);
}

PrepFamily ReadingFamily(const char *path) {
    const Lut3dFamily *box = Lut3dFamilyOfPath(path);
    return box != nullptr ? PrepFamilyOfBox(box) : PrepFamilyOfName(path);
}

int ReadSourceLut(const char *path, PrepLut *lut, PrepWarnings *warnings) {
    PrepError error{};
    if (PrepReadLutFile(path, ReadingFamily(path), lut, warnings, &error) == 0) return 0;
    if (error.line > 0) {
        PrintError("%s: line %lld: %s", path, static_cast<long long>(error.line), error.text);
    } else {
        PrintError("%s: %s", path, error.text);
    }
    return -1;
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
    if (lut->shaperPoints > 0) Append(out, size, " with a shaper");
    bool domain = false;
    for (int c = 0; c < 3; c++) domain = domain || lut->domainMin[c] != 0.0f || lut->domainMax[c] != 1.0f;
    if (domain) Append(out, size, lut->shaperPoints > 0 ? " and a domain" : " with a domain");
}

void PutJsonString(FILE *out, const char *text) {
    WriteJsonString(
        text, SIZE_MAX,
        [](void *to, const char *bytes, size_t count) { fwrite(bytes, 1, count, static_cast<FILE *>(to)); }, out);
}

void PutJsonNumber(FILE *out, double value) {
    if (std::isfinite(value)) {
        fprintf(out, "%.9g", value);
    } else {
        fputs("null", out);
    }
}
