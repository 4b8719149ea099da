// "lutprep compare": how far B is from A, at A's nodes.
#include <cmath>
#include <cstdlib>

#include "lutprep/lutprep.h"
#include "prep/resample.h"

namespace {

// Half a 10-bit code value: what rounding to 10 bits may leave.
constexpr double kDefaultTolerance = 0.5 / kPrepCode10;

void PutJsonTriple(const float v[3]) {
    fputc('[', stdout);
    for (int c = 0; c < 3; c++) {
        if (c > 0) fputc(',', stdout);
        PutJsonNumber(stdout, v[c]);
    }
    fputc(']', stdout);
}

void PrintJson(const PrepComparison &r, double tolerance, bool within) {
    const struct {
        const char *key;
        double value;
    } numbers[] = {
        {"max", r.max}, {"mean", r.mean}, {"p99", r.p99}, {"max_code10", r.maxCode10}, {"tolerance", tolerance}};
    fputc('{', stdout);
    for (const auto &n : numbers) {
        printf("\"%s\":", n.key);
        PutJsonNumber(stdout, n.value);
        fputc(',', stdout);
    }
    printf("\"within\":%s,\"worst\":{\"node\":[%d,%d,%d],\"a\":", within ? "true" : "false", r.worstNode[0],
           r.worstNode[1], r.worstNode[2]);
    PutJsonTriple(r.worstA);
    fputs(",\"b\":", stdout);
    PutJsonTriple(r.worstB);
    fputs("}}\n", stdout);
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

int RunCompare(int count, char **args) {
    enum { kJson, kTolerance };
    Option options[] = {{"--json", false, false, nullptr}, {"--tolerance", true, false, nullptr}};
    int operands = ParseArgs("compare", count, args, options, 2);
    if (operands < 0) return kExitUsage;
    if (operands != 2) return UsageError("compare", "compare needs A and B");
    double tolerance = kDefaultTolerance;
    if (options[kTolerance].given) {
        const char *text = options[kTolerance].value;
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
    if (ReadSourceLut(args[0], &a, nullptr) == 0 && ReadSourceLut(args[1], &b, nullptr) == 0) {
        if (PrepCompare(&a, &b, kPrepTetrahedral, &result, &error) != 0) {
            PrintError("%s", error.text);
        } else {
            // A NaN difference is no match, whatever the tolerance.
            bool within = result.max <= tolerance;
            if (options[kJson].given) {
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
