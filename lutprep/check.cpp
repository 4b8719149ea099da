// "lutprep check": whether "load:" would take each file, and why not.
//
// The verdict is the box's own reader's (Read3dLutFile and its report), so
// check and "load:" cannot disagree. The one rule of the box repeated here
// is what a row of each format must read as, for the reason of a row the box
// could not read: the format's row in prep/format.h holds it, beside the
// writer that writes rows of that form.
// The warnings come from the engine's lenient reading of the file, which
// sees what the box reads without a word: a domain, a shaper, rows that are
// shifted by a number too many.
#include <cstring>

#include "cli/cli_output.h"
#include "lutprep/lutprep.h"
#include "prep/text_scan.h"

namespace {

struct Verdict {
    const char *file;
    const Lut3dFamily *family;  // the box's, by the path; nullptr: none
    const Lut3dSize *size;      // accepted: the size read; nullptr: refused
    int32_t layout;
    Lut3dReport report;
    const char *reasonCode;  // refused: "open", "family", "empty", "count" or "row"
    char reason[512];
    PrepWarnings warnings;
    // A warning beyond the engine's list: the lenient reading failed too,
    // so convert cannot help without an edit.
    bool unreadable;
    PrepError unreadableError;
};

const char *const kUnreadableCode = "unreadable";

// How to get a file the box takes, after the reason: convert, named only
// when lutprep can read the file (by any of its readers), since that is
// what convert reads. The size is the box's own count when that is a
// cube's, else what lutprep read; a transform of several operations is
// baked at the largest size, as convert does.
void Suggest(Verdict *v, const PrepTransform *lenient, bool lenientRead) {
    const Lut3dReport &r = v->report;
    int32_t counted = r.reason == kLut3dBadCount ? CubeRoot(r.rows) : 0;
    bool single = lenientRead && PrepIsSingleLut(lenient);
    int32_t n = counted != 0 ? counted : single ? lenient->ops[0].lut.points : 0;
    if (n == 0 && !lenientRead) return;
    size_t used = strlen(v->reason);
    char *end = v->reason + used;
    size_t left = sizeof v->reason - used;
    if (!lenientRead) {
        snprintf(end, left, "; that is a %d-point LUT, but lutprep cannot read it to convert it (see the warning)", n);
        return;
    }
    char read[160];
    if (counted != 0) {
        snprintf(read, sizeof read, "that is a %d-point LUT", n);
    } else if (single) {
        snprintf(read, sizeof read, "lutprep reads it as a %d-point LUT", n);
    } else {
        char ops[128];
        DescribeTransform(lenient, ops, sizeof ops);
        snprintf(read, sizeof read, "lutprep reads it as %s", ops);
    }
    // The size convert chooses by default.
    const Lut3dSize *made = BoxSizeOfPoints(n) != nullptr ? BoxSizeOfPoints(n) : LargestBoxSize();
    snprintf(end, left, "; %s: lutprep convert %s OUT.cube makes a %d-point one the box takes", read, v->file,
             made->points);
}

void Explain(Verdict *v, const PrepTransform *lenient, bool lenientRead) {
    const Lut3dReport &r = v->report;
    char rows[64];
    char points[64];
    Lut3dSizesText(&Lut3dSize::rows, ", ", " or ", rows, sizeof rows);
    Lut3dSizesText(&Lut3dSize::points, ", ", " or ", points, sizeof points);
    const PrepFormat *format = PrepFamilyOfBox(v->family);
    switch (r.reason) {
    case kLut3dCannotOpen:
        v->reasonCode = "open";
        snprintf(v->reason, sizeof v->reason,
                 "cannot be opened or read (no such file, not readable, or not a regular file)");
        return;
    case kLut3dUnknownFamily: {
        v->reasonCode = "family";
        char extensions[128];
        BoxExtensionsText(extensions, sizeof extensions);
        snprintf(v->reason, sizeof v->reason, "the box does not recognise the name: it holds none of %s", extensions);
        break;
    }
    case kLut3dNoDataLine:
        v->reasonCode = "empty";
        snprintf(v->reason, sizeof v->reason, "no data line: no line begins with a digit");
        break;
    case kLut3dBadCount:
        v->reasonCode = "count";
        snprintf(v->reason, sizeof v->reason, "%s%lld data row%s%s; the box takes %s rows (%s points)",
                 r.line > 0 ? "the run of data lines ends here, at a line that does not begin with a digit: " : "",
                 static_cast<long long>(r.rows), r.rows == 1 ? "" : "s",
                 v->family->meshLines > 0 ? " after the mesh line" : "", rows, points);
        break;
    case kLut3dBadRow:
        v->reasonCode = "row";
        snprintf(v->reason, sizeof v->reason, "row %lld of %lld cannot be read as %s", static_cast<long long>(r.row),
                 static_cast<long long>(r.rows), format != nullptr ? format->boxRow : "its numbers");
        break;
    case kLut3dRead:
        return;
    }
    Suggest(v, lenient, lenientRead);
}

void Check(const char *file, const PrepReadOptions &options, Verdict *v) {
    *v = Verdict{};
    v->file = file;
    v->family = Lut3dFamilyOfPath(file);
    static Lut3dTable rows;  // only the verdict is looked at
    v->layout = Read3dLutFile(file, rows, &v->report);
    v->size = Lut3dSizeOfLayout(v->layout);

    static PrepTransform lenient;
    bool lenientRead = false;
    PrepFamily family = ReadingFamily(file);
    // A file the box cannot open, lutprep cannot either: nothing to add.
    if (v->report.reason != kLut3dCannotOpen && family != kPrepFamilyNone) {
        lenientRead = PrepReadTransformFile(file, family, options, &lenient, &v->warnings, &v->unreadableError) == 0;
        v->unreadable = !lenientRead;
        // A failure on a line that a warning names already is that warning.
        for (int32_t i = 0; v->unreadable && i < v->warnings.count; i++) {
            if (v->warnings.list[i].line == v->unreadableError.line) v->unreadable = false;
        }
    }
    if (v->size == nullptr) Explain(v, &lenient, lenientRead);
    PrepFreeTransform(&lenient);
}

void PrintLine(const char *text, int64_t line, const char *prefix) {
    if (line > 0) {
        printf("%sline %lld: %s", prefix, static_cast<long long>(line), text);
    } else {
        printf("%s%s", prefix, text);
    }
}

void PrintText(const Verdict &v) {
    if (v.size != nullptr) {
        printf("%s: ok: %s, %d points, layout %d\n", v.file, v.family->name, v.size->points, v.layout);
    } else {
        printf("%s: refused: ", v.file);
        if (v.report.line > 0 && v.report.column > 0) {
            printf("line %lld, column %lld: ", static_cast<long long>(v.report.line),
                   static_cast<long long>(v.report.column));
        }
        printf("%s\n", v.reason);
    }
    for (int32_t i = 0; i < v.warnings.count; i++) {
        PrintLine("warning: ", v.warnings.list[i].line, "  ");
        printf("%s\n", v.warnings.list[i].text);
    }
    if (v.unreadable) {
        PrintLine("warning: lutprep cannot read it either: ", v.unreadableError.line, "  ");
        printf("%s\n", v.unreadableError.text);
    }
}

// A count of the report as JSON: null where it has none.
void PutJsonCount(JsonObject &object, const char *key, int64_t value, bool present) {
    if (present) {
        JsonInt(object, key, value);
    } else {
        JsonNull(object, key);
    }
}

void PutJsonWarning(JsonObject &warnings, const char *code, int64_t line, const char *text) {
    JsonItem(warnings);
    JsonObject warning = JsonBegin(*warnings.sink);
    JsonText(warning, "code", code);
    PutJsonCount(warning, "line", line, line > 0);
    JsonText(warning, "text", text);
    JsonClose(warning);
}

void PrintJson(const Verdict &v) {
    Sink out = StreamSink(stdout);
    JsonObject object = JsonBegin(out);
    JsonText(object, "file", v.file);
    JsonText(object, "verdict", v.size != nullptr ? "ok" : "refused");
    if (v.family != nullptr) {
        JsonText(object, "family", v.family->name);
    } else {
        JsonNull(object, "family");
    }
    PutJsonCount(object, "points", v.size != nullptr ? v.size->points : 0, v.size != nullptr);
    PutJsonCount(object, "layout", v.layout, v.size != nullptr);
    if (v.size != nullptr) {
        JsonNull(object, "reason");
    } else {
        JsonKey(object, "reason");
        JsonObject reason = JsonBegin(out);
        JsonText(reason, "code", v.reasonCode);
        PutJsonCount(reason, "line", v.report.line, v.report.line > 0);
        PutJsonCount(reason, "column", v.report.column, v.report.column > 0);
        PutJsonCount(reason, "rows", v.report.rows, v.report.rows >= 0);
        JsonText(reason, "text", v.reason);
        JsonClose(reason);
    }
    JsonKey(object, "warnings");
    JsonObject warnings = JsonArrayBegin(out);
    for (int32_t i = 0; i < v.warnings.count; i++) {
        const PrepWarning &w = v.warnings.list[i];
        PutJsonWarning(warnings, PrepWarningName(w.code), w.line, w.text);
    }
    if (v.unreadable) {
        char text[sizeof v.unreadableError.text + 48];
        snprintf(text, sizeof text, "lutprep cannot read it either: %s", v.unreadableError.text);
        PutJsonWarning(warnings, kUnreadableCode, v.unreadableError.line, text);
    }
    JsonArrayEnd(warnings);
    JsonEnd(object);
}

}  // namespace

int RunCheck(const CliArgs &args) {
    int files = args.operandCount;
    if (files == 0) return UsageError("check", "check needs at least one FILE");
    bool json = OptionGiven(args, "json");
    bool strict = OptionGiven(args, "strict");
    PrepReadOptions options = ReadOptions(args);

    int status = kExitOk;
    // One verdict at a time: each holds its warnings only while printed.
    static Verdict verdict;
    for (int i = 0; i < files; i++) {
        Check(args.operands[i], options, &verdict);
        if (json) {
            PrintJson(verdict);
        } else {
            PrintText(verdict);
        }
        bool warned = verdict.warnings.count > 0 || verdict.unreadable;
        if (verdict.size == nullptr || (strict && warned)) status = kExitFailed;
    }
    return status;
}
