// The ASC Color Decision List correction as one operation of a transform:
// per channel a slope, an offset and a power, then a saturation about the
// Rec. 709 luma. ASC CDL files (format_cdl.cpp) hold it in a
// ColorCorrection element, CLF files in an ASC_CDL node; both give it as
// SOPNode and SatNode children.
#pragma once

#include <cstdint>

#include "prep/source_lut.h"
#include "prep/transform.h"

struct PrepWarnings;
struct PrepXmlNode;

// Which way the correction runs and whether it clamps, as CLF's style
// attribute names them (Fwd, Rev, FwdNoClamp, RevNoClamp). The clamping
// styles are ASC CDL v1.2: the value is clamped to [0, 1] before the power
// and at the end. Without clamping a value below 0 passes the power
// unchanged, since it has no real power.
enum PrepCdlStyle : int32_t { kPrepCdlFwd, kPrepCdlRev, kPrepCdlFwdNoClamp, kPrepCdlRevNoClamp };

// Where PrepApplyCdl finds its numbers in PrepOp::params: three slopes,
// three offsets, three powers (red, green, blue), then the saturation.
enum PrepCdlParam : int32_t { kPrepCdlSlope = 0, kPrepCdlOffset = 3, kPrepCdlPower = 6, kPrepCdlSaturation = 9 };

// The correction of op (its params, its style a PrepCdlStyle) at one pixel:
// PrepApplyCdlChannels, then PrepApplyCdlMix. The first are the steps
// before the saturation, which act on each channel alone (forward: slope,
// offset, clamp and power; reverse: the clamp of the input); the second
// the saturation and what follows it, here at count pixels in turn.
void PrepApplyCdl(const PrepOp &op, double rgb[3]);
void PrepApplyCdlChannels(const PrepOp &op, double rgb[3]);
void PrepApplyCdlMix(const PrepOp &op, double (*rgb)[3], int32_t count);

// Adds the correction that the children of node give (a ColorCorrection or
// an ASC_CDL element) as one "ASC_CDL" operation of style. SOPNode needs
// its Slope, Offset and Power, three numbers each; SatNode holds one
// Saturation; what is absent stays at the identity.
// Elements the correction does not read (the old ASC_SOP and ASC_SAT
// names among them) are skipped with an "ignored" warning. 0, or -1 with
// *error naming the line and the cause (a value missing or out of range, a
// reverse style that cannot be inverted).
int PrepAddCdl(PrepTransform *t, const PrepXmlNode *node, int32_t style, PrepWarnings *warnings, PrepError *error);
