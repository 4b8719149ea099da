// "lutprep compare": how far B is from A, at A's nodes.
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

void PrintJson(const PrepComparison &r, double tolerance, bool within) {
    const struct {
        const char *key;
        double value;
    } numbers[] = {
        {"max", r.max}, {"mean", r.mean}, {"p99", r.p99}, {"max_code10", r.maxCode10}, {"tolerance", tolerance}};
    Sink out = StreamSink(stdout);
    JsonObject object = JsonBegin(out);
    for (const auto &n : numbers) JsonNumber(object, n.key, n.value);
    JsonBool(object, "within", within);
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

void PrintText(const PrepComparison &r, double tolerance, bool within) {
    printf("max %.6g (%.3f 10-bit code values), mean %.6g, 99th percentile %.6g\n", r.max, r.maxCode10, r.mean, r.p99);
    printf("worst at node %d,%d,%d (red, green, blue): A %.6g %.6g %.6g, B %.6g %.6g %.6g\n", r.worstNode[0],
           r.worstNode[1], r.worstNode[2], static_cast<double>(r.worstA[0]), static_cast<double>(r.worstA[1]),
           static_cast<double>(r.worstA[2]), static_cast<double>(r.worstB[0]), static_cast<double>(r.worstB[1]),
           static_cast<double>(r.worstB[2]));
    if (r.rowOrderSwapped) {
        printf(
            "B matches A far better with its red and blue axes swapped (max %.6g, mean %.6g): one of them has "
            "its rows in the other order\n",
            r.swappedMax, r.swappedMean);
    }
    printf("%s the tolerance %.6g\n", within ? "within" : "beyond", tolerance);
}

}  // namespace

int RunCompare(const CliArgs &args) {
    if (args.operandCount != 2) return UsageError("compare", "compare needs A and B");
    double tolerance = kCompareDefaultTolerance;
    if (const char *text = OptionValue(args, "tolerance"); text != nullptr) {
        char *end = nullptr;
        tolerance = strtod(text, &end);
        if (end == text || *end != '\0' || !std::isfinite(tolerance) || tolerance < 0.0) {
            return UsageError("compare", "--tolerance %s: not a number of 0 or more", text);
        }
    }

    PrepLut a{}, b{};
    PrepComparison result{};
    PrepError error{};
    int status = kExitFailed;
    PrepReadOptions options = ReadOptions(args);
    if (ReadSourceLut(args.operands[0], options, &a, nullptr) == 0 &&
        ReadSourceLut(args.operands[1], options, &b, nullptr) == 0) {
        if (PrepCompare(&a, &b, kPrepTetrahedral, &result, &error) != 0) {
            PrintError("%s", error.text);
        } else {
            // A NaN difference is no match, whatever the tolerance.
            bool within = result.max <= tolerance;
            if (OptionGiven(args, "json")) {
                PrintJson(result, tolerance, within);
            } else {
                PrintText(result, tolerance, within);
            }
            status = within ? kExitOk : kExitFailed;
        }
    }
    PrepFreeLut(&a);
    PrepFreeLut(&b);
    return status;
}
