// The operations of CLF and CTF files that are neither a plain table nor a
// matrix: Range, Log, Exponent and ExposureContrast, and the 1D tables that
// apply otherwise than linearly over 0..1 (indexed by half-float values,
// inverted, hue-adjusted). Each is an apply function of a PrepOp
// (prep/transform.h) that reads its numbers from params (or its curve),
// already normalised to 0..1 by the reader (prep/format_clf.cpp), and
// computes as OpenColorIO 2.1 does, in double.
#pragma once

#include <cstdint>

#include "prep/transform.h"

// Range: out = in * scale + offset, then clamped below, above or both.
enum PrepRangeParam : int32_t { kPrepRangeScale, kPrepRangeOffset, kPrepRangeLow, kPrepRangeHigh };
// Its style: which of the clamps apply (bits).
enum PrepRangeClamp : int32_t { kPrepRangeClampLow = 1, kPrepRangeClampHigh = 2 };
void PrepApplyRange(const PrepOp &op, double rgb[3]);

enum PrepLogStyle : int32_t {
    kPrepLog10,
    kPrepLog2,
    kPrepAntiLog10,
    kPrepAntiLog2,
    kPrepLinToLog,
    kPrepLogToLin,
    kPrepCameraLinToLog,
    kPrepCameraLogToLin
};
// The numbers of a Log, per channel: channel c's are params[c *
// kPrepLogParams + k]. The linear segment of the camera styles (below
// linSideBreak) is out = linearSlope * in + linearOffset.
enum PrepLogParam : int32_t {
    kPrepLogBase,
    kPrepLogSideSlope,
    kPrepLogSideOffset,
    kPrepLinSideSlope,
    kPrepLinSideOffset,
    kPrepLinSideBreak,
    kPrepLinearSlope,
    kPrepLinearOffset,
    kPrepLogParams
};
void PrepApplyLog(const PrepOp &op, double rgb[3]);

enum PrepExponentStyle : int32_t {
    kPrepBasicFwd,
    kPrepBasicRev,
    kPrepBasicMirrorFwd,
    kPrepBasicMirrorRev,
    kPrepBasicPassThruFwd,
    kPrepBasicPassThruRev,
    kPrepMonCurveFwd,
    kPrepMonCurveRev,
    kPrepMonCurveMirrorFwd,
    kPrepMonCurveMirrorRev
};
// The numbers of an Exponent, per channel: the exponent at params[2 * c],
// the offset (monCurve styles) at params[2 * c + 1].
void PrepApplyExponent(const PrepOp &op, double rgb[3]);

// A 1D LUT over the half-float domain: op.curve holds 65536 rows, row k
// the output for the input whose 16-bit half-float pattern is k; between
// two half values the output is linear.
void PrepApplyHalfCurve(const PrepOp &op, double rgb[3]);

// CTF's ExposureContrast, by style: linear and video scale by a gain and
// raise the ratio to a pivot to a power (contrast times gamma, when it is
// not 1; below 0 the ratio is then 0); log adds a shift and scales about a
// log pivot. Rev inverts each.
enum PrepExposureStyle : int32_t {
    kPrepExposureLinear,
    kPrepExposureLinearRev,
    kPrepExposureVideo,
    kPrepExposureVideoRev,
    kPrepExposureLog,
    kPrepExposureLogRev
};
// Its numbers: the gain (linear, video) or the shift (log), the pivot (for
// log, the log pivot), and the power.
enum PrepExposureParam : int32_t { kPrepExposureGain, kPrepExposurePivot, kPrepExposurePower };
void PrepApplyExposureContrast(const PrepOp &op, double rgb[3]);

// CTF's FixedFunction styles read: the Rec. 2100 surround correction
// (params[0] its gamma; Rev inverts it), the conversions from XYZ to xyY,
// back, and from u'v'Y to XYZ, and OpenColorIO's RGB to HSV and back, which
// reach below 0 and above 1.
enum PrepFixedStyle : int32_t {
    kPrepFixedRec2100SurroundFwd,
    kPrepFixedRec2100SurroundRev,
    kPrepFixedXyzToXyy,
    kPrepFixedXyyToXyz,
    kPrepFixedUvyToXyz,
    kPrepFixedRgbToHsv,
    kPrepFixedHsvToRgb
};
void PrepApplyFixedFunction(const PrepOp &op, double rgb[3]);

// A 1D LUT with CTF's "dw3" hue adjustment: the curve is applied to each
// channel, then the middle channel is set back between the new largest and
// smallest where it stood between the old ones, so that the hue is kept.
void PrepApplyHueCurve(const PrepOp &op, double rgb[3]);

// An inverted 1D LUT: op.curve with positions, increasing, linear between
// them; bit c of op.style is set when channel c's table falls (its
// positions are then reversed). Where positions repeat (a flat run of the
// table inverted), an input equal to them takes the table's first entry of
// the run, as OpenColorIO's inverse does; beyond the ends the ends hold.
void PrepApplyInverseCurve(const PrepOp &op, double rgb[3]);

// The value of a 16-bit half-float pattern.
double PrepHalfValue(uint16_t bits);
