// "lutprep convert": any common LUT file into one the box takes.
//
// OUT is written as a temporary file beside it, read back with the box's
// own reader, and checked value by value against what was meant before it
// takes OUT's place: whatever fails, OUT stays as it was and no temporary
// file is left. IN is read whole first, so IN and OUT may be one file.
#include <cctype>
#include <cstring>
#include <new>

#include "lutprep/lutprep.h"
#include "platform/platform.h"
#include "prep/lut_write.h"
#include "prep/resample.h"

namespace {

struct InterpName {
    const char *name;
    PrepInterp interp;
};

const InterpName kInterps[] = {{"tetrahedral", kPrepTetrahedral}, {"trilinear", kPrepTrilinear}};

// The two tables of the read-back, the file's and the meant one, in one
// block the platform may back with huge pages (they are large); null when
// there is no memory for them. Their rows are left unset: each row compared
// is written first, and zeroing would write both tables whole (1.3 MB,
// integer rows included) for every process.
Lut3dTable *NewTables() {
    Lut3dTable *tables = static_cast<Lut3dTable *>(PlatformAllocLarge(2 * sizeof(Lut3dTable)));
    if (tables != nullptr) {
        new (&tables[0]) Lut3dTable;
        new (&tables[1]) Lut3dTable;
    }
    return tables;
}

// Whether the box's reader, given the temporary file, reads exactly what
// was meant: the layout of the size and family, the family's file type, and
// every value (3dl: every integer) of every row, bit for bit. *why says what
// differs.
bool ReadsBackAsMeant(const char *path, const Lut3dFamily *box, const PrepLut *lut, int32_t bits, char *why,
                      size_t whySize) {
    Lut3dReport report;
    static Lut3dTable *tables = NewTables();
    if (tables == nullptr) {
        snprintf(why, whySize, "out of memory for reading it back");
        return false;
    }
    Lut3dTable &read = tables[0];
    Lut3dTable &meantTable = tables[1];
    int32_t layout = Read3dLutFileInPlace(path, read, &report);
    int32_t meant = PrepFillBoxTable(lut, box, bits, meantTable);
    if (layout != meant || read.fileType != meantTable.fileType) {
        snprintf(why, whySize, "the box's reader gives layout %d and file type %d, not %d and %d", layout,
                 static_cast<int>(read.fileType), meant, static_cast<int>(meantTable.fileType));
        return false;
    }
    // The rows as bytes, compared in one go; row by row only to name the
    // first that differs.
    const Lut3dSize *size = Lut3dSizeOfLayout(layout);
    const size_t rowBytes = box->intTable ? sizeof read.intRows[0] : sizeof read.floatRows[0];
    const void *gotRows = box->intTable ? static_cast<const void *>(read.intRows) : read.floatRows;
    const void *wantRows = box->intTable ? static_cast<const void *>(meantTable.intRows) : meantTable.floatRows;
    const auto *got = static_cast<const unsigned char *>(gotRows);
    const auto *want = static_cast<const unsigned char *>(wantRows);
    if (memcmp(got, want, static_cast<size_t>(size->rows) * rowBytes) == 0) return true;
    int64_t row = 0;
    while (row < size->rows && memcmp(got + row * rowBytes, want + row * rowBytes, rowBytes) == 0) row++;
    snprintf(why, whySize, "row %lld does not read back as written", static_cast<long long>(row + 1));
    return false;
}

// What convert writes: the LUT, in the box's family, at a 3dl depth.
struct Written {
    const Lut3dFamily *box;
    const PrepLut *lut;
    int32_t bits;
    const char *notes;  // IN's title and comments, carried over
};

int WriteLut(FILE *file, const void *context, PrepError *error) {
    const Written *w = static_cast<const Written *>(context);
    return PrepWriteLut(file, PrepFamilyOfBox(w->box), w->lut, w->bits, w->notes, error);
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
void PrintNonfinite(const Request &q, const Lut3dSize *size, int64_t values, int64_t touched) {
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
}

// The smallest size the box takes whose nodes include every node of
// source, which keeps it whole; nullptr for none.
const Lut3dSize *SizeHolding(const PrepLut *source) {
    const Lut3dSize *holding = nullptr;
    for (const Lut3dSize &size : kLut3dSizes) {
        bool holds = PrepIsPlainLattice(source) && (size.points - 1) % (source->points - 1) == 0;
        if (holds && (holding == nullptr || size.points < holding->points)) holding = &size;
    }
    return holding;
}

// A coarser grid's own loss, apart from the NaN and infinite values, and
// what causes it; a null source is a transform (FindLossCause).
void PrintLossWarning(const Request &q, const PrepLut *source, const PrepLut *result, const PrepLoss &loss) {
    if (loss.finiteMaxCode10 <= 1.0) return;
    LossCause cause{};
    FindLossCause(source, result, loss, &cause);
    char why[256];
    if (cause.kind == kLossCurved) {
        snprintf(why, sizeof why,
                 "most of it lies where an input is near %d, where IN's response is steep or curved: a shaper "
                 "before the table could straighten that, but the box has none",
                 cause.end);
    } else if (cause.kind == kLossCoarser && source == nullptr) {
        snprintf(why, sizeof why, "it cannot follow IN's changes between its nodes");
    } else if (cause.kind == kLossCoarser) {
        snprintf(why, sizeof why, "it is coarser than IN's %d points and cannot follow IN's changes between its nodes",
                 source->points);
    } else {
        const Lut3dSize *holding = SizeHolding(source);
        snprintf(why, sizeof why,
                 "its nodes fall between IN's %d, where IN is interpolated: the grids do not line up%s", source->points,
                 holding != nullptr ? "" : " (no size the box takes holds every node of IN)");
        if (holding != nullptr) {
            size_t used = strlen(why);
            snprintf(why + used, sizeof why - used, "; --size %d holds every node of IN", holding->points);
        }
    }
    PrintError("warning: %s: the %d-point grid is up to %.3f 10-bit code values off between its nodes; %s", q.out,
               result->points, loss.finiteMaxCode10, why);
}

// OUT is written as the box reads it, by any of its extensions anywhere in
// the name; a last extension that names another format is then misleading.
void PrintNameWarning(const Request &q) {
    PrepFamily named = PrepFamilyOfName(q.out);
    if (named == nullptr || named == PrepFamilyOfBox(q.box)) return;
    const char *held = q.box->extensions[0];
    for (const char *extension : q.box->extensions) {
        if (strstr(q.out, extension) != nullptr) held = extension;
    }
    PrintError(
        "warning: %s: written as %s, since the box reads a name that holds \"%s\" as %s; its last "
        "extension says %s",
        q.out, q.box->name, held, q.box->name, named->name);
}

// IN as read: a single 3D LUT file as it is, in *source; anything else (a
// chain, a CDL, a pre-LUT) as its transform, in *t, with *source empty.
// *size becomes the output size; *notes, IN's title and comments (kept
// until the next reading).
int ReadSource(const Request &q, PrepTransform *t, PrepLut *source, const Lut3dSize **size, char *from, size_t fromSize,
               const char **notes) {
    PrepWarnings warnings{};
    if (ReadSourceChain(q.ins, q.inCount, q.options, t, &warnings) != 0) return -1;
    DescribeTransform(t, from, fromSize);
    *notes = t->notes;
    *size = q.size != nullptr ? q.size : LargestBoxSize();
    if (!PrepIsSingleLut(t)) return 0;
    PrepError error{};
    if (PrepTransformToLut(t, (*size)->points, q.interp, source, &error) != 0) {
        PrintError("%s: %s", q.in, error.text);
        PrepFreeTransform(t);
        return -1;
    }
    *size = BoxSizeForSource(source, q.size);
    return 0;
}

// What IN makes of OUT's lattice before it is written.
struct Fitted {
    int64_t clamped;    // values clamped to [0, 1]
    int64_t nonfinite;  // IN's NaN and infinite values
    int64_t touched;    // the output nodes they reached
    PrepLoss loss;      // measured on what is written: clamped, which it does not count again
};

// *result: IN at OUT's size, clamped; a transform is baked at OUT's nodes
// (each then holds IN's exact value) and its loss measured between them.
int Fit(const Request &q, const PrepTransform *t, const PrepLut *source, const Lut3dSize *size, PrepLut *result,
        Fitted *fit, PrepError *error) {
    if (source->values != nullptr) {
        fit->nonfinite = PrepCountNonfiniteValues(source);
        return PrepFitToBox(source, size, q.interp, result, &fit->clamped, &fit->touched, error) != 0 ||
                       PrepMeasureLoss(source, result, q.interp, &fit->loss, error) != 0
                   ? -1
                   : 0;
    }
    if (PrepBakeTransform(t, size->points, q.interp, result, error) != 0) return -1;
    fit->nonfinite = PrepCountNonfiniteValues(result);
    // A node it reached holds one of the values counted.
    fit->touched = fit->nonfinite > 0 ? PrepCountNonfiniteNodes(result) : 0;
    fit->clamped = PrepClampLut(result);
    return PrepMeasureTransformLoss(t, result, q.interp, &fit->loss, error);
}

// Reads IN, resamples it, writes OUT and says so; the exit status.
int Convert(const Request &q) {
    static PrepTransform t;
    PrepLut source{}, result{};
    const Lut3dSize *size = nullptr;
    char from[160];
    const char *notes = "";
    if (ReadSource(q, &t, &source, &size, from, sizeof from, &notes) != 0) return kExitFailed;

    PrepError error{};
    Fitted fit{};
    int status = kExitFailed;
    if (Fit(q, &t, &source, size, &result, &fit, &error) != 0) {
        PrintError("%s: %s", q.in, error.text);
    } else {
        const Written written{q.box, &result, q.bits, notes};
        if (WriteReplacing(q.out, WriteLut, CheckLut, &written) == 0) {
            const PrepLut *in = source.values != nullptr ? &source : nullptr;
            PrintConverted(q, from, size, fit.clamped, fit.loss);
            PrintLossWarning(q, in, &result, fit.loss);
            PrintNonfinite(q, size, fit.nonfinite, fit.touched);
            PrintNameWarning(q);
            status = kExitOk;
        }
    }
    PrepFreeTransform(&t);
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

namespace {

// The options every conversion of the run takes into q (size, bits,
// interpolation, reading options); kExitOk, or the usage error's status.
int ParseOptions(const CliArgs &args, Request *q, const char **bitsText) {
    if (const char *sizeText = OptionValue(args, "size"); sizeText != nullptr) {
        q->size = BoxSizeOfPoints(ParseCount(sizeText));
        if (q->size == nullptr) return UsageError("convert", "--size %s: the box takes no such size", sizeText);
    }
    q->bits = kPrepDefaultBits;
    *bitsText = OptionValue(args, "bits");
    if (*bitsText != nullptr) {
        q->bits = ParseCount(*bitsText);
        if (!PrepIsWritableBits(q->bits)) return UsageError("convert", "--bits %s: no such 3dl depth", *bitsText);
    }
    q->interp = kPrepTetrahedral;
    if (const char *interpText = OptionValue(args, "interp"); interpText != nullptr) {
        const InterpName *found = nullptr;
        for (const InterpName &name : kInterps) {
            if (strcmp(name.name, interpText) == 0) found = &name;
        }
        if (found == nullptr) return UsageError("convert", "--interp %s: no such interpolation", interpText);
        q->interp = found->interp;
    }
    q->options = ReadOptions(args);
    return kExitOk;
}

// OUT's family is the one the box will read it as; a name the box does
// not recognise is refused before anything is read or written.
bool SetOutFamily(Request *q) {
    q->box = Lut3dFamilyOfPath(q->out);
    if (q->box != nullptr) return true;
    char extensions[128];
    BoxExtensionsText(extensions, sizeof extensions);
    PrintError("%s would not be recognised by the box: its name must hold one of %s", q->out, extensions);
    return false;
}

// IN... OUT: one conversion of the chain of INs.
int ConvertChain(const CliArgs &args, Request q, const char *bitsText) {
    if (args.operandCount < 2) return UsageError("convert", "convert needs IN and OUT");
    if (OptionGiven(args, "to")) return UsageError("convert", "--to is for --into: OUT's name gives its family");
    q.inCount = args.operandCount - 1;
    q.ins = args.operands;
    q.out = args.operands[q.inCount];
    // A chain is named in messages as its files joined by " + ".
    char in[512] = "";
    for (int32_t i = 0; i < q.inCount; i++) {
        if (i > 0) CliAppend(in, sizeof in, " + ");
        CliAppend(in, sizeof in, args.operands[i]);
    }
    q.in = in;
    if (!SetOutFamily(&q)) return kExitFailed;
    if (bitsText != nullptr && !q.box->intTable) {
        return UsageError("convert", "--bits is for a 3dl OUT; %s is written as %s", q.out, q.box->name);
    }
    return Convert(q);
}

// Whether c ends a folder in a path: '/', and on Windows '\\' and a
// drive's ':' too.
bool EndsFolder(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\' || c == ':';
#else
    return c == '/';
#endif
}

// The name of FILE's conversion in dir: FILE's base name (no folder, no
// last extension) with the extension of family. false when FILE has no
// base name or the name does not fit.
bool IntoName(const char *dir, const char *file, const Lut3dFamily *family, char *out, size_t size) {
    const char *base = file;
    for (const char *p = file; *p != '\0'; p++) {
        if (EndsFolder(*p)) base = p + 1;
    }
    const char *dot = strrchr(base, '.');
    size_t length = dot != nullptr && dot != base ? static_cast<size_t>(dot - base) : strlen(base);
    size_t dirLength = strlen(dir);
    if (length == 0 || length + dirLength + 16 > size) return false;
    snprintf(out, size, "%s%s%.*s%s", dir, dirLength > 0 && EndsFolder(dir[dirLength - 1]) ? "" : "/",
             static_cast<int>(length), base, PrepFamilyOfBox(family)->extension);
    return true;
}

// Whether two names are one file's on a file system that ignores letter
// case (Windows', macOS').
bool SameName(const char *a, const char *b) {
    for (; *a != '\0' && *b != '\0'; a++, b++) {
        if (tolower(static_cast<unsigned char>(*a)) != tolower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

// Whether an earlier FILE of the run gives the same name in dir as
// files[index]: the later one is then not written over it.
const char *EarlierWithName(const CliArgs &args, const char *dir, const Lut3dFamily *family, int index,
                            const char *name) {
    char other[kPlatformPathBytes];
    for (int i = 0; i < index; i++) {
        if (IntoName(dir, args.operands[i], family, other, sizeof other) && SameName(other, name)) {
            return args.operands[i];
        }
    }
    return nullptr;
}

// The FILE of the run that name is already, if any: --into never writes
// over a file it was given.
const char *GivenFileNamed(const CliArgs &args, const char *name) {
    for (int i = 0; i < args.operandCount; i++) {
        if (SameName(args.operands[i], name) || PlatformSameFile(args.operands[i], name)) return args.operands[i];
    }
    return nullptr;
}

// --into DIR FILE...: each FILE converted on its own into DIR, in the
// family --to names; one line per file and a total.
int ConvertInto(const CliArgs &args, const char *dir, Request q, const char *bitsText) {
    if (args.operandCount < 1) return UsageError("convert", "convert --into DIR needs at least one FILE");
    const char *to = OptionValue(args, "to");
    const Lut3dFamily *family = BoxFamilyNamed(to != nullptr ? to : kIntoDefaultFamily);
    if (family == nullptr) return UsageError("convert", "--to %s: the box has no such family", to);
    if (bitsText != nullptr && !family->intTable) {
        return UsageError("convert", "--bits is for a 3dl OUT; --into writes %s", family->name);
    }
    int converted = 0;
    for (int i = 0; i < args.operandCount; i++) {
        char out[kPlatformPathBytes];
        const char *file = args.operands[i];
        const char *earlier = nullptr, *given = nullptr;
        if (!IntoName(dir, file, family, out, sizeof out)) {
            PrintError("%s: no name in %s can be made of it", file, dir);
        } else if ((given = GivenFileNamed(args, out)) != nullptr) {
            PrintError("%s: not converted: %s is %s, given to convert; it is not written over", file, out,
                       given == file ? "the file itself" : given);
        } else if ((earlier = EarlierWithName(args, dir, family, i, out)) != nullptr) {
            PrintError("%s: not converted: %s is %s's conversion already", file, out, earlier);
        } else {
            q.ins = &args.operands[i];
            q.inCount = 1;
            q.in = file;
            q.out = out;
            if (SetOutFamily(&q) && Convert(q) == kExitOk) converted++;
        }
    }
    printf("%s: %d of %d file%s converted\n", dir, converted, args.operandCount, args.operandCount == 1 ? "" : "s");
    return converted == args.operandCount ? kExitOk : kExitFailed;
}

}  // namespace

int RunConvert(const CliArgs &args) {
    Request q{};
    const char *bitsText = nullptr;
    int status = ParseOptions(args, &q, &bitsText);
    if (status != kExitOk) return status;
    const char *into = OptionValue(args, "into");
    return into != nullptr ? ConvertInto(args, into, q, bitsText) : ConvertChain(args, q, bitsText);
}
