// A transform of several operations: building one, applying it, and baking
// it into the one 3D table the box holds.
//
// Every operation is applied in double, one after the other, with nothing
// clamped between them: OpenColorIO, the reference, clamps only where an
// operation says so (a Range, a clamping CDL style, a table's own input
// range), and so does each apply function here.
#include "prep/transform.h"

#include <cstdlib>
#include <cstring>

#include "prep/cdl.h"
#include "prep/clf_ops.h"
#include "prep/format.h"
#include "prep/lut_read.h"

namespace {

void FreeOp(PrepOp *op) {
    PrepFreeLut(&op->lut);
    free(op->curve.values);
    free(op->curve.positions);
    *op = PrepOp{};
}

// The curve's value for channel c at input x.
double CurveValue(const PrepCurve &curve, int c, double x) {
    int32_t n = curve.points;
    int32_t i = 0;
    double f = 0.0;
    if (curve.positions == nullptr) {
        PrepLocate(x, curve.min[c], curve.max[c], n, &i, &f);
    } else {
        // The last position not above x, by bisection; beyond the ends the
        // ends hold.
        const float(*p)[3] = curve.positions;
        if (!(x > p[0][c])) return curve.values[0][c];
        if (x >= p[n - 1][c]) return curve.values[n - 1][c];
        int32_t lo = 0, hi = n - 1;
        while (hi - lo > 1) {
            int32_t mid = lo + (hi - lo) / 2;
            if (p[mid][c] <= x) {
                lo = mid;
            } else {
                hi = mid;
            }
        }
        double span = static_cast<double>(p[hi][c]) - p[lo][c];
        i = lo;
        f = span > 0.0 ? (x - p[lo][c]) / span : 0.0;
    }
    double a = curve.values[i][c];
    double b = curve.values[i + 1][c];
    return f == 0.0 ? a : a + f * (b - a);
}

void ApplyLutWith(const PrepOp &op, PrepInterp interp, double rgb[3]) {
    if (op.interp != kPrepInterpDefault) interp = static_cast<PrepInterp>(op.interp);
    double out[3];
    PrepEvaluateDouble(&op.lut, interp, rgb, out);
    for (int c = 0; c < 3; c++) rgb[c] = out[c];
}

// An operation's steps that act on each channel alone: a channel's result
// then depends on that channel's input only, so that on a grid, whose axes
// share their positions, they are worked out once per position rather than
// at every node. `mix` is what the operation does after them (null: none),
// given a row of nodes at once.
struct ChannelSteps {
    PrepApply apply;
    PrepApply channels;
    PrepApplyRow mix;
};

constexpr ChannelSteps kChannelSteps[] = {
    {PrepApplyCurve, PrepApplyCurve, nullptr},
    {PrepApplyHalfCurve, PrepApplyHalfCurve, nullptr},
    {PrepApplyInverseCurve, PrepApplyInverseCurve, nullptr},
    {PrepApplyRange, PrepApplyRange, nullptr},
    {PrepApplyLog, PrepApplyLog, nullptr},
    {PrepApplyExponent, PrepApplyExponent, nullptr},
    {PrepApplyExposureContrast, PrepApplyExposureContrast, nullptr},
    {PrepApplyCdl, PrepApplyCdlChannels, PrepApplyCdlMix},
};

// The channel steps of op, or null when its channels mix from the start (a
// matrix, a 3D LUT, a hue curve).
const ChannelSteps *ChannelStepsOf(const PrepOp &op) {
    for (const ChannelSteps &steps : kChannelSteps) {
        if (steps.apply == op.apply) return &steps;
    }
    return nullptr;
}

void ApplyOps(const PrepTransform *t, int32_t from, PrepInterp interp, double rgb[3]) {
    for (int32_t i = from; i < t->count; i++) {
        const PrepOp &op = t->ops[i];
        if (op.apply == PrepApplyLut) {
            ApplyLutWith(op, interp, rgb);
        } else {
            op.apply(op, rgb);
        }
    }
}

}  // namespace

void PrepApplyLut(const PrepOp &op, double rgb[3]) { ApplyLutWith(op, kPrepTetrahedral, rgb); }

void PrepApplyCurve(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = CurveValue(op.curve, c, rgb[c]);
}

void PrepApplyMatrix(const PrepOp &op, double rgb[3]) {
    const double *m = op.params;
    double in[3] = {rgb[0], rgb[1], rgb[2]};
    for (int r = 0; r < 3; r++) rgb[r] = m[4 * r] * in[0] + m[4 * r + 1] * in[1] + m[4 * r + 2] * in[2] + m[4 * r + 3];
}

void PrepFreeTransform(PrepTransform *t) {
    for (int32_t i = 0; i < t->count; i++) FreeOp(&t->ops[i]);
    t->count = 0;
    t->family = nullptr;
    t->notes[0] = '\0';
}

PrepOp *PrepAddOp(PrepTransform *t, const char *name, PrepApply apply, PrepError *error) {
    if (t->count >= kPrepMaxOps) {
        PrepSetError(error, 0, "more than %d operations: more than any LUT file or chain holds", kPrepMaxOps);
        return nullptr;
    }
    PrepOp *op = &t->ops[t->count++];
    *op = PrepOp{};
    PrepFreeLut(&op->lut);  // the reset state: domains [0, 1]
    op->name = name;
    op->apply = apply;
    op->interp = kPrepInterpDefault;
    return op;
}

PrepOp *PrepAddCurve(PrepTransform *t, const char *name, int32_t points, bool positioned, PrepError *error) {
    if (points < kPrepMinPoints || points > kPrepMaxShaperPoints * 16) {
        PrepSetError(error, 0, "%d entries: a 1D LUT has %d to %d", points, kPrepMinPoints, kPrepMaxShaperPoints * 16);
        return nullptr;
    }
    PrepOp *op = PrepAddOp(t, name, PrepApplyCurve, error);
    if (op == nullptr) return nullptr;
    size_t rows = static_cast<size_t>(points);
    op->curve.values = static_cast<float(*)[3]>(calloc(rows, sizeof *op->curve.values));
    if (positioned) op->curve.positions = static_cast<float(*)[3]>(calloc(rows, sizeof *op->curve.positions));
    if (op->curve.values == nullptr || (positioned && op->curve.positions == nullptr)) {
        FreeOp(op);
        t->count--;
        PrepSetError(error, 0, "out of memory for a 1D LUT of %d entries", points);
        return nullptr;
    }
    op->curve.points = points;
    for (int c = 0; c < 3; c++) op->curve.max[c] = 1.0f;
    return op;
}

int PrepAddLut(PrepTransform *t, PrepLut *lut, int32_t interp, PrepError *error) {
    PrepOp *op = PrepAddOp(t, "3D LUT", PrepApplyLut, error);
    if (op == nullptr) {
        PrepFreeLut(lut);
        return -1;
    }
    op->lut = *lut;
    op->interp = interp;
    *lut = PrepLut{};
    PrepFreeLut(lut);
    return 0;
}

int PrepAppendTransform(PrepTransform *to, PrepTransform *from, PrepError *error) {
    if (to->count + from->count > kPrepMaxOps) {
        PrepSetError(error, 0, "more than %d operations in the chain", kPrepMaxOps);
        return -1;
    }
    for (int32_t i = 0; i < from->count; i++) to->ops[to->count++] = from->ops[i];
    from->count = 0;
    if (to->family == nullptr) to->family = from->family;
    size_t used = strlen(to->notes);
    snprintf(to->notes + used, sizeof to->notes - used, "%s", from->notes);
    from->notes[0] = '\0';
    return 0;
}

void PrepAddNote(PrepTransform *t, const char *begin, const char *end) {
    size_t used = strlen(t->notes);
    size_t length = static_cast<size_t>(end - begin);
    // A line that does not fit whole is dropped, not cut.
    if (used + length + 2 > sizeof t->notes) return;
    memcpy(t->notes + used, begin, length);
    t->notes[used + length] = '\n';
    t->notes[used + length + 1] = '\0';
}

void PrepApplyTransform(const PrepTransform *t, PrepInterp interp, double rgb[3]) { ApplyOps(t, 0, interp, rgb); }

int PrepSampleTransform(const PrepTransform *t, PrepInterp interp, PrepGrid grid, float (*out)[3]) {
    if (grid.count < 1 || grid.count > kPrepMaxPoints || grid.cells < 1) return -1;
    // The operations that act on each channel alone, and the first steps
    // of the one after them when it has such (`split`).
    int32_t first = 0;
    const ChannelSteps *steps = nullptr;
    while (first < t->count && (steps = ChannelStepsOf(t->ops[first])) != nullptr && steps->mix == nullptr) first++;
    const ChannelSteps *split = first < t->count ? steps : nullptr;
    // Each axis position through them, as a pixel of that value on every
    // channel: its channel c is channel c of every node at that position.
    double axis[kPrepMaxPoints][3];
    const int32_t n = grid.count;
    for (int32_t k = 0; k < n; k++) {
        const double x = PrepGridPosition(grid, k);
        double *v = axis[k];
        v[0] = v[1] = v[2] = x;
        for (int32_t i = 0; i < first; i++) t->ops[i].apply(t->ops[i], v);
        if (split != nullptr) split->channels(t->ops[first], v);
    }
    const int32_t rest = split != nullptr ? first + 1 : first;
    // A row at a time: its nodes mixed at one call, with no call per node.
    double row[kPrepMaxPoints][3];
    int64_t node = 0;
    for (int32_t b = 0; b < n; b++) {
        for (int32_t g = 0; g < n; g++) {
            for (int32_t r = 0; r < n; r++) {
                row[r][0] = axis[r][0];
                row[r][1] = axis[g][1];
                row[r][2] = axis[b][2];
            }
            if (split != nullptr) split->mix(t->ops[first], row, n);
            for (int32_t r = 0; r < n; r++, node++) {
                if (rest < t->count) ApplyOps(t, rest, interp, row[r]);
                for (int c = 0; c < 3; c++) out[node][c] = static_cast<float>(row[r][c]);
            }
        }
    }
    return 0;
}

bool PrepIsSingleLut(const PrepTransform *t) {
    // A LUT that names its own interpolation is baked with it.
    return t->count == 1 && t->ops[0].apply == PrepApplyLut && t->ops[0].interp == kPrepInterpDefault;
}

int32_t PrepBakePoints(int32_t points) {
    int32_t bake = 2 * (points - 1) + 1;
    return bake <= kPrepMaxPoints ? bake : points;
}

int PrepBakeTransform(const PrepTransform *t, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error) {
    if (PrepAllocLut(out, points, 0, error) != 0) return -1;
    if (PrepSampleTransform(t, interp, PrepLatticeGrid(points), reinterpret_cast<float(*)[3]>(out->values)) != 0) {
        PrepFreeLut(out);
        PrepSetError(error, 0, "cannot bake at %d points", points);
        return -1;
    }
    out->family = t->family;
    return 0;
}

int PrepTransformToLut(PrepTransform *t, int32_t points, PrepInterp interp, PrepLut *out, PrepError *error) {
    if (PrepIsSingleLut(t)) {
        PrepFreeLut(out);
        *out = t->ops[0].lut;
        if (out->family == nullptr) out->family = t->family;
        t->ops[0].lut = PrepLut{};
    } else if (PrepBakeTransform(t, points, interp, out, error) != 0) {
        return -1;
    }
    // The notes stay for the file written from the LUT.
    char notes[kPrepMaxNotes];
    memcpy(notes, t->notes, sizeof notes);
    PrepFreeTransform(t);
    memcpy(t->notes, notes, sizeof notes);
    return 0;
}

namespace {

struct TransformRequest {
    PrepFamily family;
    const PrepReadOptions *options;
    PrepTransform *t;
    PrepWarnings *warnings;
    PrepError *error;
};

// A 1D LUT held as a shaper before an identity lattice, as its curve.
int AddShaperAsCurve(PrepTransform *t, PrepLut *lut, PrepError *error) {
    PrepOp *op = PrepAddCurve(t, "1D LUT", lut->shaperPoints, false, error);
    if (op != nullptr) {
        memcpy(op->curve.values, lut->shaper, static_cast<size_t>(lut->shaperPoints) * sizeof op->curve.values[0]);
        for (int c = 0; c < 3; c++) {
            op->curve.min[c] = lut->shaperMin[c];
            op->curve.max[c] = lut->shaperMax[c];
        }
    }
    PrepFreeLut(lut);
    return op != nullptr ? 0 : -1;
}

// A format read as a transform by its own reader; one of the box's shapes
// as one LUT.
int ParseTransformRequest(const PrepSource &source, void *context) {
    const TransformRequest *q = static_cast<const TransformRequest *>(context);
    PrepTransform *t = q->t;
    PrepFreeTransform(t);
    if (q->warnings != nullptr) *q->warnings = PrepWarnings{};
    int result = -1;
    if (q->family != nullptr && q->family->parseTransform != nullptr) {
        result = q->family->parseTransform(source, *q->options, t, q->warnings, q->error);
    } else {
        // The box's shapes keep their title and comments in the notes.
        PrepSource noted = source;
        noted.notes = t->notes;
        noted.notesSize = sizeof t->notes;
        PrepLut lut{};
        result = PrepParseSourceLut(noted, q->family, &lut, q->warnings, q->error);
        if (result == 0)
            result = lut.oneD ? AddShaperAsCurve(t, &lut, q->error) : PrepAddLut(t, &lut, kPrepInterpDefault, q->error);
    }
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = q->family;
    return 0;
}

}  // namespace

int PrepReadTransformFile(const char *path, PrepFamily family, const PrepReadOptions &options, PrepTransform *t,
                          PrepWarnings *warnings, PrepError *error) {
    PrepFreeTransform(t);
    if (warnings != nullptr) *warnings = PrepWarnings{};
    PrepReadOptions named = options;
    if (named.name == nullptr) named.name = path;
    TransformRequest request{family, &named, t, warnings, error};
    return PrepReadFileSource(path, ParseTransformRequest, &request, error);
}

int PrepParseTransform(const char *text, size_t size, PrepFamily family, const PrepReadOptions &options,
                       PrepTransform *t, PrepWarnings *warnings, PrepError *error) {
    TransformRequest request{family, &options, t, warnings, error};
    return ParseTransformRequest(PrepSource{text, size, nullptr}, &request);
}
