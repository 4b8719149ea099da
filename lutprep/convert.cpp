// "lutprep convert": any common LUT file into one the box takes.
//
// OUT is written as a temporary file beside it, read back with the box's
// own reader, and checked value by value against what was meant before it
// takes OUT's place: whatever fails, OUT stays as it was and no temporary
// file is left. IN is read whole first, so IN and OUT may be one file.
#include <cstring>

#include "lutprep/lutprep.h"
#include "prep/lut_write.h"
#include "prep/resample.h"

namespace {

struct InterpName {
    const char *name;
    PrepInterp interp;
};

const InterpName kInterps[] = {{"tetrahedral", kPrepTetrahedral}, {"trilinear", kPrepTrilinear}};

// Whether the box's reader, given the temporary file, reads exactly what
// was meant: the layout of the size and family, the family's file type, and
// every value (3dl: every integer) of every row, bit for bit. *why says what
// differs.
bool ReadsBackAsMeant(const char *path, const Lut3dFamily *box, const PrepLut *lut, int32_t bits, char *why,
                      size_t whySize) {
    Lut3dReport report;
    static Lut3dTable read;
    static Lut3dTable meantTable;
    int32_t layout = Read3dLutFile(path, read, &report);
    int32_t meant = PrepFillBoxTable(lut, box, bits, meantTable);
    if (layout != meant || read.fileType != meantTable.fileType) {
        snprintf(why, whySize, "the box's reader gives layout %d and file type %d, not %d and %d", layout,
                 static_cast<int>(read.fileType), meant, static_cast<int>(meantTable.fileType));
        return false;
    }
    const Lut3dSize *size = Lut3dSizeOfLayout(layout);
    for (int64_t row = 0; row < size->rows; row++) {
        bool same = box->intTable
                        ? memcmp(read.intRows[row], meantTable.intRows[row], sizeof read.intRows[row]) == 0
                        : memcmp(read.floatRows[row], meantTable.floatRows[row], sizeof read.floatRows[row]) == 0;
        if (!same) {
            snprintf(why, whySize, "row %lld does not read back as written", static_cast<long long>(row + 1));
            return false;
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
    return PrepWriteLut(file, PrepFamilyOfBox(w->box), w->lut, w->bits, "", error);
}

bool CheckLut(const char *tempPath, const void *context, char *why, size_t whySize) {
    const Written *w = static_cast<const Written *>(context);
    return ReadsBackAsMeant(tempPath, w->box, w->lut, w->bits, why, whySize);
}

// What convert was asked for: IN (one file, or a chain applied in order;
// `in` names them for messages), OUT in the box's family, the size (null:
// by IN's), the 3dl depth, the interpolation and the reading options.
struct Request {
    const char *const *ins;
    int32_t inCount;
    const char *in;
    const char *out;
    const Lut3dFamily *box;
    const Lut3dSize *size;
    int32_t bits;
    PrepInterp interp;
    PrepReadOptions options;
};

// What IN's NaN and infinite values did: which output nodes they reached,
// and that the loss counts each as a total one.
void PrintNonfinite(const Request &q, const PrepLut *source, const Lut3dSize *size, int64_t touched) {
    int64_t values = PrepCountNonfiniteValues(source);
    if (values == 0) return;
    PrintError(
        "warning: %s: %s holds %lld NaN or infinite value%s, which reach%s %lld of the %lld output nodes; there "
        "the values are clamped (NaN to 0) and the loss counts them as total (%.3f 10-bit code values)",
        q.out, q.in, static_cast<long long>(values), values == 1 ? "" : "s", values == 1 ? "es" : "",
        static_cast<long long>(touched), static_cast<long long>(PrepNodeCount(size->points)), kPrepCode10);
}

void PrintConverted(const Request &q, const char *from, const Lut3dSize *size, int64_t clamped, const PrepLoss &loss) {
    char depth[16] = "";
    if (q.box->intTable) snprintf(depth, sizeof depth, " %d-bit", q.bits);
    int32_t layout = q.box->intTable ? size->intLayout : size->floatLayout;
    printf(
        "%s: %d-point%s %s, layout %d, from %s (%s); %lld value%s clamped; loss between the nodes: "
        "max %.3f, 99th percentile %.3f 10-bit code values\n",
        q.out, size->points, depth, q.box->name, layout, q.in, from, static_cast<long long>(clamped),
        clamped == 1 ? "" : "s", loss.maxCode10, loss.p99Code10);
    // A coarser grid's own loss, apart from the NaN and infinite values.
    if (loss.finiteMaxCode10 > 1.0) {
        PrintError(
            "warning: %s: the %d-point grid is up to %.3f 10-bit code values off between its nodes; "
            "such a LUT needs a shaper, which the box does not have",
            q.out, size->points, loss.finiteMaxCode10);
    }
}

// IN as one LUT: a single 3D LUT file as it is; anything else (a chain, a
// CDL, a pre-LUT) baked at the nodes of the output size and between them.
// *size becomes the output size.
int ReadSource(const Request &q, PrepLut *source, const Lut3dSize **size, char *from, size_t fromSize) {
    static PrepTransform t;
    PrepWarnings warnings{};
    if (ReadSourceChain(q.ins, q.inCount, q.options, &t, &warnings) != 0) return -1;
    if (q.inCount == 1) PrintGuessedDepth(q.in, &warnings);
    *size = q.size != nullptr ? q.size : LargestBoxSize();
    DescribeTransform(&t, from, fromSize);
    PrepError error{};
    int32_t bake = PrepBakePoints((*size)->points);
    if (PrepTransformToLut(&t, bake, q.interp, source, &error) != 0) {
        PrintError("%s: %s", q.in, error.text);
        PrepFreeTransform(&t);
        return -1;
    }
    *size = BoxSizeForSource(source, q.size);
    return 0;
}

// Reads IN, resamples it, writes OUT and says so; the exit status.
int Convert(const Request &q) {
    PrepLut source{}, result{};
    const Lut3dSize *size = nullptr;
    char from[160];
    if (ReadSource(q, &source, &size, from, sizeof from) != 0) return kExitFailed;

    PrepError error{};
    PrepLoss loss{};
    int64_t clamped = 0;
    int status = kExitFailed;
    // The loss is measured on what is written: clamped, which the loss
    // does not count again.
    int64_t touched = 0;
    if (PrepFitToBox(&source, size, q.interp, &result, &clamped, &touched, &error) != 0 ||
        PrepMeasureLoss(&source, &result, q.interp, &loss, &error) != 0) {
        PrintError("%s: %s", q.in, error.text);
    } else {
        const Written written{q.box, &result, q.bits};
        if (WriteReplacing(q.out, WriteLut, CheckLut, &written) == 0) {
            PrintConverted(q, from, size, clamped, loss);
            PrintNonfinite(q, &source, size, touched);
            status = kExitOk;
        }
    }
    PrepFreeLut(&source);
    PrepFreeLut(&result);
    return status;
}

}  // namespace

void InterpValues(char *out, size_t size) {
    out[0] = '\0';
    for (const InterpName &name : kInterps) {
        if (out[0] != '\0') CliAppend(out, size, "|");
        CliAppend(out, size, name.name);
    }
}

int RunConvert(const CliArgs &args) {
    if (args.operandCount < 2) return UsageError("convert", "convert needs IN and OUT");
    const int32_t inCount = args.operandCount - 1;
    const char *out = args.operands[inCount];
    // A chain is named in messages as its files joined by " + ".
    char in[512] = "";
    for (int32_t i = 0; i < inCount; i++) {
        if (i > 0) CliAppend(in, sizeof in, " + ");
        CliAppend(in, sizeof in, args.operands[i]);
    }

    const Lut3dSize *size = nullptr;
    const char *sizeText = OptionValue(args, "size");
    if (sizeText != nullptr) {
        size = BoxSizeOfPoints(ParseCount(sizeText));
        if (size == nullptr) return UsageError("convert", "--size %s: the box takes no such size", sizeText);
    }
    int32_t bits = kPrepDefaultBits;
    const char *bitsText = OptionValue(args, "bits");
    if (bitsText != nullptr) {
        bits = ParseCount(bitsText);
        if (!PrepIsWritableBits(bits)) return UsageError("convert", "--bits %s: no such 3dl depth", bitsText);
    }
    PrepInterp interp = kPrepTetrahedral;
    const char *interpText = OptionValue(args, "interp");
    if (interpText != nullptr) {
        const InterpName *found = nullptr;
        for (const InterpName &name : kInterps) {
            if (strcmp(name.name, interpText) == 0) found = &name;
        }
        if (found == nullptr) return UsageError("convert", "--interp %s: no such interpolation", interpText);
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
    if (bitsText != nullptr && !box->intTable) {
        return UsageError("convert", "--bits is for a 3dl OUT; %s is written as %s", out, box->name);
    }

    return Convert(Request{args.operands, inCount, in, out, box, size, bits, interp, ReadOptions(args)});
}
