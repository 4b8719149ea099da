// "lutprep convert": any common LUT file into one the box takes.
//
// OUT is written as a temporary file beside it, read back with the box's
// own reader, and checked value by value against what was meant before it
// takes OUT's place: whatever fails, OUT stays as it was and no temporary
// file is left. IN is read whole first, so IN and OUT may be one file.
#include <cstring>

#include "prep/lut_write.h"
#include "prep/lutprep.h"
#include "prep/resample.h"

namespace {

struct InterpName {
    const char *name;
    PrepInterp interp;
};

const InterpName kInterps[] = {{"tetrahedral", kPrepTetrahedral}, {"trilinear", kPrepTrilinear}};

// Whether the box's reader, given the temporary file, reads exactly what
// was meant: the layout of the size and family, the family's file type, and
// every value (3dl: every integer) of every row. *why says what differs.
bool ReadsBackAsMeant(const char *path, const Lut3dFamily *box, const PrepLut *lut, int32_t bits, char *why,
                      size_t whySize) {
    Lut3dReport report;
    static Lut3dTable read;
    int32_t layout = Read3dLutFile(path, read, &report);
    const Lut3dSize *size = BoxSizeOfPoints(lut->points);
    int32_t meant = box->intTable ? size->intLayout : size->floatLayout;
    if (layout != meant || read.fileType != box->fileType) {
        snprintf(why, whySize, "the box's reader gives layout %d and file type %d, not %d and %d", layout,
                 static_cast<int>(read.fileType), meant, static_cast<int>(box->fileType));
        return false;
    }
    PrepFamily family = PrepFamilyOfBox(box);
    for (int64_t row = 0; row < size->rows; row++) {
        const float *v = lut->values + 3 * PrepFileRowNode(family, lut->points, row);
        for (int c = 0; c < 3; c++) {
            bool same;
            if (box->intTable) {
                // The box keeps the low 16 bits of each integer.
                uint16_t code = static_cast<uint16_t>(Prep3dlCode(v[c], bits));
                same = read.intRows[row][c] == static_cast<int16_t>(code);
            } else {
                // Bit for bit: the written text must give the same float.
                same = memcmp(&read.floatRows[row][c], &v[c], sizeof v[c]) == 0;
            }
            if (!same) {
                snprintf(why, whySize, "row %lld, value %d does not read back as written", static_cast<long long>(row + 1),
                         c + 1);
                return false;
            }
        }
    }
    return true;
}

// What convert writes: the LUT, in the box's family, at a 3dl depth.
struct Written {
    const Lut3dFamily *box;
    const PrepLut *lut;
    int32_t bits;
};

int WriteLut(FILE *file, const void *context, PrepError *error) {
    const Written *w = static_cast<const Written *>(context);
    return PrepWriteLut(file, PrepFamilyOfBox(w->box), w->lut, w->bits, error);
}

bool CheckLut(const char *tempPath, const void *context, char *why, size_t whySize) {
    const Written *w = static_cast<const Written *>(context);
    return ReadsBackAsMeant(tempPath, w->box, w->lut, w->bits, why, whySize);
}

}  // namespace

int RunConvert(int count, char **args) {
    enum { kSize, kBits, kInterp };
    Option options[] = {
        {"--size", true, false, nullptr}, {"--bits", true, false, nullptr}, {"--interp", true, false, nullptr}};
    int operands = ParseArgs("convert", count, args, options, 3);
    if (operands < 0) return kExitUsage;
    if (operands != 2) return UsageError("convert", "convert needs IN and OUT");
    const char *in = args[0];
    const char *out = args[1];

    const Lut3dSize *size = nullptr;
    if (options[kSize].given) {
        size = BoxSizeOfPoints(ParseCount(options[kSize].value));
        if (size == nullptr) return UsageError("convert", "--size %s: the box takes no such size", options[kSize].value);
    }
    int32_t bits = kPrepDefaultBits;
    if (options[kBits].given) {
        bits = ParseCount(options[kBits].value);
        if (!PrepIsWritableBits(bits)) return UsageError("convert", "--bits %s: no such 3dl depth", options[kBits].value);
    }
    PrepInterp interp = kPrepTetrahedral;
    if (options[kInterp].given) {
        const InterpName *found = nullptr;
        for (const InterpName &name : kInterps) {
            if (strcmp(name.name, options[kInterp].value) == 0) found = &name;
        }
        if (found == nullptr) return UsageError("convert", "--interp %s: no such interpolation", options[kInterp].value);
        interp = found->interp;
    }

    // OUT's family is the one the box will read it as; a name the box does
    // not recognise is refused before anything is read or written.
    const Lut3dFamily *box = Lut3dFamilyOfPath(out);
    if (box == nullptr) {
        char extensions[128];
        BoxExtensionsText(extensions, sizeof extensions);
        PrintError("%s would not be recognised by the box: its name must hold one of %s", out, extensions);
        return kExitFailed;
    }
    if (options[kBits].given && !box->intTable) {
        return UsageError("convert", "--bits is for a 3dl OUT; %s is written as %s", out, box->name);
    }

    PrepLut source{}, result{};
    PrepWarnings warnings{};
    if (ReadSourceLut(in, &source, &warnings) != 0) return kExitFailed;
    PrintGuessedDepth(in, &warnings);
    if (size == nullptr) size = BoxSizeOfPoints(source.points);
    if (size == nullptr) size = LargestBoxSize();

    PrepError error{};
    PrepLoss loss{};
    int64_t clamped = 0;
    int status = kExitFailed;
    // The loss is measured on what is written: clamped, which the loss
    // does not count again.
    if (PrepResample(&source, size->points, interp, &result, &error) != 0 ||
        (clamped = PrepClampLut(&result), PrepMeasureLoss(&source, &result, interp, &loss, &error)) != 0) {
        PrintError("%s: %s", in, error.text);
    } else {
        const Written written{box, &result, bits};
        if (WriteReplacing(out, WriteLut, CheckLut, &written) == 0) {
            char from[96];
            DescribeLut(&source, from, sizeof from);
            char depth[16] = "";
            if (box->intTable) snprintf(depth, sizeof depth, " %d-bit", bits);
            int32_t layout = box->intTable ? size->intLayout : size->floatLayout;
            printf("%s: %d-point%s %s, layout %d, from %s (%s); %lld value%s clamped; loss between the nodes: "
                   "max %.3f, 99th percentile %.3f 10-bit code values\n",
                   out, size->points, depth, box->name, layout, in, from, static_cast<long long>(clamped),
                   clamped == 1 ? "" : "s", loss.maxCode10, loss.p99Code10);
            if (loss.maxCode10 > 1.0) {
                PrintError("warning: %s: the %d-point grid is up to %.3f 10-bit code values off between its nodes; "
                           "such a LUT needs a shaper, which the box does not have",
                           out, size->points, loss.maxCode10);
            }
            status = kExitOk;
        }
    }
    PrepFreeLut(&source);
    PrepFreeLut(&result);
    return status;
}
