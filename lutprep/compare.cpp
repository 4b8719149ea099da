// "lutprep compare": how far B is from A, at A's nodes.
//
// B is usually a conversion of A, which the box's range forced into
// [0, 1]: A is taken as the box would show it, clamped there too, and so
// is B's table where it holds values beyond (two files of another tool),
// unless --raw asks for the values as they are. The tolerance is in 10-bit code
// values, the unit of every loss lutprep reports.
#include <cmath>
#include <cstdlib>

#include "cli/cli_output.h"
#include "lutprep/lutprep.h"
#include "prep/resample.h"

namespace {

// An array of numbers as the member key.
void PutJsonNumbers(JsonObject &object, const char *key, const double *values, int count) {
    JsonKey(object, key);
    JsonObject array = JsonArrayBegin(*object.sink);
    for (int i = 0; i < count; i++) {
        JsonItem(array);
        JsonNumberValue(*object.sink, values[i]);
    }
    JsonArrayEnd(array);
}

// What compare found: the comparison, the values of A the clamp changed
// (-1: --raw, nothing clamped), the tolerance in code values and the verdict.
struct Outcome {
    PrepComparison r;
    int64_t clamped;
    int64_t clampedB;  // the values of B's table the clamp changed
    double tolerance;
    bool within;
};

void PrintJson(const Outcome &o) {
    const PrepComparison &r = o.r;
    const struct {
        const char *key;
        double value;
    } numbers[] = {{"max", r.max},
                   {"mean", r.mean},
                   {"p99", r.p99},
                   {"max_code10", r.maxCode10},
                   {"tolerance_code10", o.tolerance}};
    Sink out = StreamSink(stdout);
    JsonObject object = JsonBegin(out);
    for (const auto &n : numbers) JsonNumber(object, n.key, n.value);
    if (o.clamped >= 0) {
        JsonInt(object, "clamped", o.clamped);
        JsonInt(object, "clamped_b", o.clampedB);
    } else {
        JsonNull(object, "clamped");
        JsonNull(object, "clamped_b");
    }
    JsonBool(object, "within", o.within);
    JsonKey(object, "worst");
    JsonObject worst = JsonBegin(out);
    const double node[3] = {static_cast<double>(r.worstNode[0]), static_cast<double>(r.worstNode[1]),
                            static_cast<double>(r.worstNode[2])};
    const double a[3] = {r.worstA[0], r.worstA[1], r.worstA[2]};
    const double b[3] = {r.worstB[0], r.worstB[1], r.worstB[2]};
    PutJsonNumbers(worst, "node", node, 3);
    PutJsonNumbers(worst, "a", a, 3);
    PutJsonNumbers(worst, "b", b, 3);
    JsonClose(worst);
    JsonEnd(object);
}

void PrintText(const Outcome &o) {
    const PrepComparison &r = o.r;
    printf("max %.6g (%.3f 10-bit code values), mean %.6g, 99th percentile %.6g\n", r.max, r.maxCode10, r.mean, r.p99);
    printf("worst at node %d,%d,%d (red, green, blue): A %.6g %.6g %.6g, B %.6g %.6g %.6g\n", r.worstNode[0],
           r.worstNode[1], r.worstNode[2], static_cast<double>(r.worstA[0]), static_cast<double>(r.worstA[1]),
           static_cast<double>(r.worstA[2]), static_cast<double>(r.worstB[0]), static_cast<double>(r.worstB[1]),
           static_cast<double>(r.worstB[2]));
    // Where the difference is not finite, no order matches better.
    if (r.rowOrderSwapped && std::isfinite(r.max) && std::isfinite(r.swappedMax)) {
        printf(
            "B matches A far better with its red and blue axes swapped (max %.6g, mean %.6g): one of them has "
            "its rows in the other order\n",
            r.swappedMax, r.swappedMean);
    }
    if (o.clamped > 0) {
        printf("A clamped to [0, 1] as the box shows it: %lld value%s changed (--raw compares them as they are)\n",
               static_cast<long long>(o.clamped), o.clamped == 1 ? "" : "s");
    }
    if (o.clampedB > 0) {
        printf("B clamped to [0, 1] as the box shows it: %lld value%s changed\n", static_cast<long long>(o.clampedB),
               o.clampedB == 1 ? "" : "s");
    }
    printf("%s the tolerance %.6g 10-bit code values\n", o.within ? "within" : "beyond", o.tolerance);
}

// A as the box can show it: its transform at its own nodes (where compare
// evaluates it), clamped to [0, 1]; *clamped is how many values that
// changed. The nodes are A's own, so the comparison copies them as they are.
int ClampAsShown(const PrepLut *a, PrepLut *shown, int64_t *clamped, PrepError *error) {
    if (PrepResample(a, a->points, kPrepTetrahedral, shown, error) != 0) return -1;
    *clamped = PrepClampLut(shown);
    return 0;
}

// Compares A (clamped unless raw) with B into *o: 0, or -1 when it says
// why not.
int Compare(const PrepLut *a, PrepLut *b, bool raw, Outcome *o) {
    PrepLut shown{};
    PrepError error{};
    o->clamped = -1;
    // The box interpolates between the values it holds, clamped.
    if (!raw) o->clampedB = PrepClampLut(b);
    int result = -1;
    if (!raw && ClampAsShown(a, &shown, &o->clamped, &error) != 0) {
        PrintError("%s", error.text);
    } else if (PrepCompare(raw ? a : &shown, b, kPrepTetrahedral, &o->r, &error) != 0) {
        PrintError("%s", error.text);
    } else {
        // A NaN difference is no match, whatever the tolerance.
        o->within = o->r.maxCode10 <= o->tolerance;
        result = 0;
    }
    PrepFreeLut(&shown);
    return result;
}

}  // namespace

int RunCompare(const CliArgs &args) {
    if (args.operandCount != 2) return UsageError("compare", "compare needs A and B");
    Outcome outcome{};
    outcome.tolerance = kCompareDefaultTolerance;
    if (const char *text = OptionValue(args, "tolerance"); text != nullptr) {
        char *end = nullptr;
        outcome.tolerance = strtod(text, &end);
        if (end == text || *end != '\0' || !std::isfinite(outcome.tolerance) || outcome.tolerance < 0.0) {
            return UsageError("compare", "--tolerance %s: not a number of 0 or more", text);
        }
    }

    PrepLut a{}, b{};
    int status = kExitFailed;
    PrepReadOptions options = ReadOptions(args);
    if (ReadSourceLut(args.operands[0], options, &a, nullptr) == 0 &&
        ReadSourceLut(args.operands[1], options, &b, nullptr) == 0) {
        if (Compare(&a, &b, OptionGiven(args, "raw"), &outcome) == 0) {
            if (OptionGiven(args, "json")) {
                PrintJson(outcome);
            } else {
                PrintText(outcome);
            }
            status = outcome.within ? kExitOk : kExitFailed;
        }
    }
    PrepFreeLut(&a);
    PrepFreeLut(&b);
    return status;
}
