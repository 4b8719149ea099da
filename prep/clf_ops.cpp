// The operations of CLF and CTF files that are neither a plain table nor a
// matrix (prep/clf_ops.h).
#include "prep/clf_ops.h"

#include <cfloat>
#include <cmath>

namespace {

double Clamped(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

}  // namespace

void PrepApplyRange(const PrepOp &op, double rgb[3]) {
    const double *p = op.params;
    for (int c = 0; c < 3; c++) {
        double v = rgb[c] * p[kPrepRangeScale] + p[kPrepRangeOffset];
        if ((op.style & kPrepRangeClampLow) != 0 && !(v >= p[kPrepRangeLow])) v = p[kPrepRangeLow];
        if ((op.style & kPrepRangeClampHigh) != 0 && v > p[kPrepRangeHigh]) v = p[kPrepRangeHigh];
        rgb[c] = v;
    }
}

namespace {

// A logarithm's argument is raised to the smallest positive normal float
// first, as OpenColorIO does, so that log2(0) is -126 and not -infinity.
double LogOf(double x, double base) { return std::log(x >= FLT_MIN ? x : FLT_MIN) / std::log(base); }

double LinToLog(const double *q, double x) {
    return q[kPrepLogSideSlope] * LogOf(q[kPrepLinSideSlope] * x + q[kPrepLinSideOffset], q[kPrepLogBase]) +
           q[kPrepLogSideOffset];
}

double LogToLin(const double *q, double y) {
    double e = (y - q[kPrepLogSideOffset]) / q[kPrepLogSideSlope];
    return (std::pow(q[kPrepLogBase], e) - q[kPrepLinSideOffset]) / q[kPrepLinSideSlope];
}

double LogChannel(int32_t style, const double *q, double x) {
    switch (style) {
    case kPrepLog10:
        return LogOf(x, 10.0);
    case kPrepLog2:
        return LogOf(x, 2.0);
    case kPrepAntiLog10:
        return std::pow(10.0, x);
    case kPrepAntiLog2:
        return std::pow(2.0, x);
    case kPrepLinToLog:
        return LinToLog(q, x);
    case kPrepLogToLin:
        return LogToLin(q, x);
    case kPrepCameraLinToLog:
        if (x <= q[kPrepLinSideBreak]) return q[kPrepLinearSlope] * x + q[kPrepLinearOffset];
        return LinToLog(q, x);
    default: {
        // The log value at the break, where the two pieces meet.
        double logBreak = q[kPrepLinearSlope] * q[kPrepLinSideBreak] + q[kPrepLinearOffset];
        if (x <= logBreak) return (x - q[kPrepLinearOffset]) / q[kPrepLinearSlope];
        return LogToLin(q, x);
    }
    }
}

}  // namespace

void PrepApplyLog(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = LogChannel(op.style, op.params + c * kPrepLogParams, rgb[c]);
}

namespace {

// The monCurve shape: a power curve of the offset input ((x + offset) /
// (1 + offset))^g above the break offset / (g - 1), and below it the
// straight line through 0 that meets the curve there with the same slope.
// Forward maps the encoded value to the linear one.
//
// An exponent of 1 (or just above) would put the break at infinity; it is
// raised to 1 + 1e-6 as OpenColorIO raises it, which gives the straight
// line x / (1 + offset) in effect.
constexpr double kMonCurveLeast = 1.0 + 1e-6;

double MonCurveFwd(double x, double g, double offset) {
    if (g < kMonCurveLeast && offset > 0.0) g = kMonCurveLeast;
    if (offset <= 0.0) return x > 0.0 ? std::pow(x, g) : g == 1.0 ? x : 0.0;
    double brk = offset / (g - 1.0);
    if (x >= brk) return std::pow((x + offset) / (1.0 + offset), g);
    double slope = std::pow(g * offset / ((g - 1.0) * (1.0 + offset)), g) / brk;
    return x * slope;
}

double MonCurveRev(double y, double g, double offset) {
    if (g < kMonCurveLeast && offset > 0.0) g = kMonCurveLeast;
    if (offset <= 0.0) return y > 0.0 ? std::pow(y, 1.0 / g) : g == 1.0 ? y : 0.0;
    double brk = offset / (g - 1.0);
    double linearBreak = std::pow(g * offset / ((g - 1.0) * (1.0 + offset)), g);
    if (y >= linearBreak) return (1.0 + offset) * std::pow(y, 1.0 / g) - offset;
    return y * brk / linearBreak;
}

double ExponentChannel(int32_t style, double g, double offset, double x) {
    double a = std::fabs(x);
    double sign = x < 0.0 ? -1.0 : 1.0;
    switch (style) {
    case kPrepBasicFwd:
        return std::pow(x > 0.0 ? x : 0.0, g);
    case kPrepBasicRev:
        return std::pow(x > 0.0 ? x : 0.0, 1.0 / g);
    case kPrepBasicMirrorFwd:
        return sign * std::pow(a, g);
    case kPrepBasicMirrorRev:
        return sign * std::pow(a, 1.0 / g);
    case kPrepBasicPassThruFwd:
        return x < 0.0 ? x : std::pow(x, g);
    case kPrepBasicPassThruRev:
        return x < 0.0 ? x : std::pow(x, 1.0 / g);
    case kPrepMonCurveFwd:
        return MonCurveFwd(x, g, offset);
    case kPrepMonCurveRev:
        return MonCurveRev(x, g, offset);
    case kPrepMonCurveMirrorFwd:
        return sign * MonCurveFwd(a, g, offset);
    default:
        return sign * MonCurveRev(a, g, offset);
    }
}

}  // namespace

void PrepApplyExponent(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = ExponentChannel(op.style, op.params[2 * c], op.params[2 * c + 1], rgb[c]);
}

double PrepHalfValue(uint16_t bits) {
    int exponent = (bits >> 10) & 0x1f;
    int mantissa = bits & 0x3ff;
    double sign = (bits & 0x8000) != 0 ? -1.0 : 1.0;
    if (exponent == 0) return sign * std::ldexp(mantissa, -24);
    if (exponent == 0x1f) return mantissa == 0 ? sign * HUGE_VAL : NAN;
    return sign * std::ldexp(1024 + mantissa, exponent - 25);
}

namespace {

constexpr uint16_t kHalfLargest = 0x7bff;  // 65504
constexpr uint16_t kHalfSign = 0x8000;

// The pattern of the largest half value not above a, for 0 <= a < 65504.
uint16_t HalfAtOrBelow(double a) {
    if (a < std::ldexp(1.0, -14)) return static_cast<uint16_t>(std::floor(std::ldexp(a, 24)));
    int e = 0;
    double m = std::frexp(a, &e);  // a = m 2^e, m in [0.5, 1)
    int mantissa = static_cast<int>(std::floor((2.0 * m - 1.0) * 1024.0));
    return static_cast<uint16_t>(((e - 1 + 15) << 10) | mantissa);
}

double HalfCurveAt(const PrepCurve &curve, int c, double x) {
    if (std::isnan(x)) return x;
    uint16_t sign = std::signbit(x) ? kHalfSign : 0;
    double a = std::fabs(x);
    if (a >= PrepHalfValue(kHalfLargest)) return curve.values[sign | kHalfLargest][c];
    uint16_t k = HalfAtOrBelow(a);
    double lo = PrepHalfValue(k), hi = PrepHalfValue(static_cast<uint16_t>(k + 1));
    double f = Clamped((a - lo) / (hi - lo), 0.0, 1.0);
    double v0 = curve.values[sign | k][c], v1 = curve.values[sign | (k + 1)][c];
    return v0 + f * (v1 - v0);
}

}  // namespace

void PrepApplyHalfCurve(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = HalfCurveAt(op.curve, c, rgb[c]);
}

namespace {

double InverseCurveAt(const PrepCurve &curve, int c, double x, bool falling) {
    const float(*p)[3] = curve.positions;
    int32_t n = curve.points;
    if (!(x > p[0][c])) return curve.values[0][c];
    if (x >= p[n - 1][c]) return curve.values[n - 1][c];
    // By bisection, the first position not below x (p[lo] < x <= p[hi]);
    // for a falling table, whose positions were reversed, the last one not
    // above it (p[lo] <= x < p[hi]): the table's first entry either way.
    int32_t lo = 0, hi = n - 1;
    while (hi - lo > 1) {
        int32_t mid = lo + (hi - lo) / 2;
        if (falling ? p[mid][c] <= x : p[mid][c] < x) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    double f = (x - p[lo][c]) / (static_cast<double>(p[hi][c]) - p[lo][c]);
    double a = curve.values[lo][c], b = curve.values[hi][c];
    return a + f * (b - a);
}

}  // namespace

void PrepApplyInverseCurve(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = InverseCurveAt(op.curve, c, rgb[c], (op.style >> c & 1) != 0);
}

void PrepApplyHueCurve(const PrepOp &op, double rgb[3]) {
    double in[3] = {rgb[0], rgb[1], rgb[2]};
    int hi = 0, lo = 0;
    // Of equal values, the last is taken as the largest and the first as
    // the smallest, as OpenColorIO orders them.
    for (int c = 1; c < 3; c++) {
        if (in[c] >= in[hi]) hi = c;
        if (in[c] < in[lo]) lo = c;
    }
    PrepApplyCurve(op, rgb);
    if (hi == lo) return;
    int mid = 3 - hi - lo;
    double chroma = in[hi] - in[lo];
    double factor = chroma > 0.0 ? (in[mid] - in[lo]) / chroma : 0.0;
    rgb[mid] = rgb[lo] + factor * (rgb[hi] - rgb[lo]);
}

namespace {

double ExposureChannel(int32_t style, const double *q, double x) {
    double gain = q[kPrepExposureGain], pivot = q[kPrepExposurePivot], power = q[kPrepExposurePower];
    switch (style) {
    case kPrepExposureLog:
        return (x + gain - pivot) * power + pivot;
    case kPrepExposureLogRev:
        return (x - pivot) / power + pivot - gain;
    case kPrepExposureLinear:
    case kPrepExposureVideo:
        if (power == 1.0) return x * gain;
        return pivot * std::pow(std::fmax(x * gain / pivot, 0.0), power);
    default:
        if (power == 1.0) return x / gain;
        return pivot * std::pow(std::fmax(x / pivot, 0.0), 1.0 / power) / gain;
    }
}

}  // namespace

void PrepApplyExposureContrast(const PrepOp &op, double rgb[3]) {
    for (int c = 0; c < 3; c++) rgb[c] = ExposureChannel(op.style, op.params, rgb[c]);
}

namespace {

void Rec2100Surround(double gamma, double rgb[3]) {
    double y = 0.2627 * rgb[0] + 0.6780 * rgb[1] + 0.0593 * rgb[2];
    double scale = std::pow(std::fmax(y, 1e-4), gamma - 1.0);
    for (int c = 0; c < 3; c++) rgb[c] *= scale;
}

void XyzToXyy(double v[3]) {
    double d = v[0] + v[1] + v[2];
    double y = v[1];
    v[0] = d == 0.0 ? 0.0 : v[0] / d;
    v[1] = d == 0.0 ? 0.0 : y / d;
    v[2] = y;
}

void XyyToXyz(double v[3]) {
    double x = v[0], y = v[1], luminance = v[2];
    double d = y == 0.0 ? 0.0 : luminance / y;
    v[0] = x * d;
    v[1] = luminance;
    v[2] = (1.0 - x - y) * d;
}

void UvyToXyz(double v[3]) {
    double u = v[0], w = v[1], luminance = v[2];
    double d = w == 0.0 ? 0.0 : luminance / (4.0 * w);
    v[0] = 9.0 * u * d;
    v[1] = luminance;
    v[2] = (12.0 - 3.0 * u - 20.0 * w) * d;
}

// OpenColorIO's HSV covers every RGB: with a channel below 0, V is the
// largest plus the smallest and S the spread over the larger of the
// largest and the smallest's magnitude, so S passes 1 where the channels
// straddle 0.
void RgbToHsv(double v[3]) {
    double hi = std::fmax(v[0], std::fmax(v[1], v[2]));
    double lo = std::fmin(v[0], std::fmin(v[1], v[2]));
    double chroma = hi - lo;
    double scale = std::fmax(hi, -lo);
    double hue = 0.0;
    if (chroma > 0.0) {
        if (v[0] == hi) {
            hue = (v[1] - v[2]) / chroma;
        } else if (v[1] == hi) {
            hue = (v[2] - v[0]) / chroma + 2.0;
        } else {
            hue = (v[0] - v[1]) / chroma + 4.0;
        }
        hue /= 6.0;
        if (hue < 0.0) hue += 1.0;
    }
    v[0] = hue;
    v[1] = scale > 0.0 ? chroma / scale : 0.0;
    v[2] = hi + std::fmin(lo, 0.0);
}

// OpenColorIO holds S below 2 by this float: at 2 the largest and smallest
// channels of a V other than 0 would be infinite.
constexpr double kHsvMostSaturation = static_cast<double>(1.999f);

// The largest and smallest channels of an S and V, inverting RgbToHsv: V
// below 0 has its smallest channel below 0, as does S above 1.
void HsvExtremes(double saturation, double value, double *hi, double *lo) {
    if (value < 0.0) {
        *lo = value / (2.0 - saturation);
        *hi = value - *lo;
    } else if (saturation <= 1.0) {
        *hi = value;
        *lo = value * (1.0 - saturation);
    } else {
        *hi = value / (2.0 - saturation);
        *lo = *hi * (1.0 - saturation);
    }
}

// H wraps into 0..1, S is held within 0..kHsvMostSaturation.
void HsvToRgb(double v[3]) {
    double hi, lo;
    HsvExtremes(Clamped(v[1], 0.0, kHsvMostSaturation), v[2], &hi, &lo);
    double sixths = (v[0] - std::floor(v[0])) * 6.0;
    // A hue just below 0 wraps to 1 in double, the last sextant's end (a
    // NaN is put there too, not cast).
    int sextant = sixths >= 0.0 && sixths < 6.0 ? static_cast<int>(sixths) : 5;
    double step = (sixths - sextant) * (hi - lo);
    double rise = lo + step, fall = hi - step;
    const double out[6][3] = {{hi, rise, lo}, {fall, hi, lo}, {lo, hi, rise},
                              {lo, fall, hi}, {rise, lo, hi}, {hi, lo, fall}};
    for (int c = 0; c < 3; c++) v[c] = out[sextant][c];
}

}  // namespace

void PrepApplyFixedFunction(const PrepOp &op, double rgb[3]) {
    switch (op.style) {
    case kPrepFixedRec2100SurroundFwd:
        return Rec2100Surround(op.params[0], rgb);
    case kPrepFixedRec2100SurroundRev:
        return Rec2100Surround(1.0 / op.params[0], rgb);
    case kPrepFixedXyzToXyy:
        return XyzToXyy(rgb);
    case kPrepFixedXyyToXyz:
        return XyyToXyz(rgb);
    case kPrepFixedUvyToXyz:
        return UvyToXyz(rgb);
    case kPrepFixedRgbToHsv:
        return RgbToHsv(rgb);
    default:
        return HsvToRgb(rgb);
    }
}
