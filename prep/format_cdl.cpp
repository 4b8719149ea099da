// lutprep's ASC CDL formats: a ColorCorrection (.cc), a
// ColorCorrectionCollection (.ccc) and a ColorDecisionList (.cdl), read as
// OpenColorIO 2.1 reads them; and the correction's arithmetic, which CLF's
// ASC_CDL node shares (prep/cdl.h).
//
//   <ColorCorrection id="shot1">
//     <SOPNode>
//       <Slope>1.1 1.0 0.9</Slope> <Offset>-0.03 0 0</Offset> <Power>1.2 1 1</Power>
//     </SOPNode>
//     <SatNode> <Saturation>0.8</Saturation> </SatNode>
//   </ColorCorrection>
//
// out = (in * slope + offset) ^ power per channel, then each channel moved
// from the luma by the saturation. Slope and saturation are 0 or more, a
// power more than 0. The numbers are separated by white space or commas.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "prep/cdl.h"
#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/xml_tree.h"

namespace {

// Rec. 709's luma weights, as ASC CDL v1.2 gives them.
constexpr double kLuma[3] = {0.2126, 0.7152, 0.0722};

double Clamp01(double v) { return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v; }

// A negative value has no real power; it passes unchanged, and a NaN
// becomes 0 so that it cannot spread through the luma to the other
// channels.
double PowerOf(double v, double power) {
    if (v >= 0.0) return std::pow(v, power);
    return std::isnan(v) ? 0.0 : v;
}

void Saturate(double rgb[3], double saturation, bool clamp) {
    double luma = kLuma[0] * rgb[0] + kLuma[1] * rgb[1] + kLuma[2] * rgb[2];
    for (int c = 0; c < 3; c++) {
        rgb[c] = luma + saturation * (rgb[c] - luma);
        if (clamp) rgb[c] = Clamp01(rgb[c]);
    }
}

void Forward(const double *p, bool clamp, double rgb[3]) {
    for (int c = 0; c < 3; c++) {
        double v = rgb[c] * p[kPrepCdlSlope + c] + p[kPrepCdlOffset + c];
        rgb[c] = PowerOf(clamp ? Clamp01(v) : v, p[kPrepCdlPower + c]);
    }
    Saturate(rgb, p[kPrepCdlSaturation], clamp);
}

// Forward's steps undone in the reverse order; the reader refuses a zero
// slope or saturation here, which no reverse undoes.
void Reverse(const double *p, bool clamp, double rgb[3]) {
    if (clamp) {
        for (int c = 0; c < 3; c++) rgb[c] = Clamp01(rgb[c]);
    }
    Saturate(rgb, 1.0 / p[kPrepCdlSaturation], clamp);
    for (int c = 0; c < 3; c++) {
        double v = (PowerOf(rgb[c], 1.0 / p[kPrepCdlPower + c]) - p[kPrepCdlOffset + c]) / p[kPrepCdlSlope + c];
        rgb[c] = clamp ? Clamp01(v) : v;
    }
}

bool IsReverse(int32_t style) { return style == kPrepCdlRev || style == kPrepCdlRevNoClamp; }
bool Clamps(int32_t style) { return style == kPrepCdlFwd || style == kPrepCdlRev; }

// The values of one correction as they are read, with the line of the
// element each came from for the checks that follow.
struct CdlValues {
    double params[kPrepCdlSaturation + 1];
    int64_t sopLine;   // 0: no SOPNode
    int64_t satLine;   // 0: no SatNode
    int64_t lines[4];  // Slope, Offset, Power, Saturation
};

constexpr const char *kSopNames[3] = {"Slope", "Offset", "Power"};

// White space of XML text, which runs over lines.
bool IsXmlSpace(char c) { return c == '\n' || IsBlank(c); }

const char *SkipXmlSpace(const char *p, const char *end) {
    while (p < end && IsXmlSpace(*p)) p++;
    return p;
}

// The element's text as exactly count finite numbers, separated by white
// space or a comma.
int ReadNumbers(const PrepXmlNode *node, int count, double *out, PrepError *error) {
    const char *p = node->text != nullptr ? node->text : "";
    const char *end = p + (node->text != nullptr ? node->textLength : 0);
    int found = 0;
    for (p = SkipXmlSpace(p, end); p < end; found++) {
        const char *fieldEnd = p;
        while (fieldEnd < end && !IsXmlSpace(*fieldEnd) && *fieldEnd != ',') fieldEnd++;
        const char *at = p;
        float value = 0.0f;
        if (ScanReal(&at, fieldEnd, 0, false, &value) != kFieldNumber || at != fieldEnd || !std::isfinite(value)) {
            char word[32];
            QuoteField(p, fieldEnd == p ? std::min(p + 1, end) : fieldEnd, 0, word);
            PrepSetError(error, node->line, "%s: '%s' is not a finite number", node->name, word);
            return -1;
        }
        if (found < count) out[found] = value;
        p = SkipXmlSpace(fieldEnd, end);
        if (p < end && *p == ',') p = SkipXmlSpace(p + 1, end);
    }
    if (found != count) {
        PrepSetError(error, node->line, "%s takes %d number%s; it holds %d", node->name, count, count == 1 ? "" : "s",
                     found);
        return -1;
    }
    return 0;
}

// Elements that describe and are read past silently, as OpenColorIO does.
bool IsDescription(const PrepXmlNode *node) {
    return PrepXmlIs(node, "Description") || PrepXmlIs(node, "InputDescription") ||
           PrepXmlIs(node, "ViewingDescription");
}

// An element skipped: named in the warning, since its values then change
// nothing. The old ASC_SOP and ASC_SAT names are common enough to name the
// fix.
void NoteIgnored(PrepWarnings *warnings, const PrepXmlNode *node, const PrepXmlNode *parent) {
    const char *rename = PrepXmlIs(node, "ASC_SOP") ? "SOPNode" : PrepXmlIs(node, "ASC_SAT") ? "SatNode" : nullptr;
    if (rename != nullptr) {
        NoteWarning(warnings, kPrepWarnIgnored, node->line,
                    "%s is not read (nor by OpenColorIO): its values are not applied; the element is named %s",
                    node->name, rename);
    } else {
        NoteWarning(warnings, kPrepWarnIgnored, node->line, "%s inside %s is not read: its values are not applied",
                    node->name, parent->name);
    }
}

// The first of two elements that say the same thing; -1 with *error set
// when there is one already.
int Once(const PrepXmlNode *node, int64_t *line, PrepError *error) {
    if (*line != 0) {
        PrepSetError(error, node->line, "%s given twice (first on line %lld)", node->name,
                     static_cast<long long>(*line));
        return -1;
    }
    *line = node->line;
    return 0;
}

int ReadSop(const PrepXmlNode *sop, CdlValues *v, PrepWarnings *warnings, PrepError *error) {
    for (const PrepXmlNode *child = sop->firstChild; child != nullptr; child = child->next) {
        int k = 0;
        while (k < 3 && !PrepXmlIs(child, kSopNames[k])) k++;
        if (k == 3) {
            if (!IsDescription(child)) NoteIgnored(warnings, child, sop);
            continue;
        }
        if (Once(child, &v->lines[k], error) != 0) return -1;
        if (ReadNumbers(child, 3, &v->params[3 * k], error) != 0) return -1;
    }
    for (int k = 0; k < 3; k++) {
        if (v->lines[k] == 0) {
            PrepSetError(error, sop->line, "%s without %s: it needs Slope, Offset and Power", sop->name, kSopNames[k]);
            return -1;
        }
    }
    return 0;
}

int ReadSat(const PrepXmlNode *sat, CdlValues *v, PrepWarnings *warnings, PrepError *error) {
    for (const PrepXmlNode *child = sat->firstChild; child != nullptr; child = child->next) {
        if (!PrepXmlIs(child, "Saturation")) {
            if (!IsDescription(child)) NoteIgnored(warnings, child, sat);
            continue;
        }
        if (Once(child, &v->lines[3], error) != 0) return -1;
        if (ReadNumbers(child, 1, &v->params[kPrepCdlSaturation], error) != 0) return -1;
    }
    if (v->lines[3] == 0) {
        PrepSetError(error, sat->line, "%s without Saturation", sat->name);
        return -1;
    }
    return 0;
}

// The SOPNode and SatNode children of node into *v (identity for one that
// is absent).
int ReadCorrection(const PrepXmlNode *node, CdlValues *v, PrepWarnings *warnings, PrepError *error) {
    *v = CdlValues{};
    for (int c = 0; c < 3; c++) v->params[kPrepCdlSlope + c] = v->params[kPrepCdlPower + c] = 1.0;
    v->params[kPrepCdlSaturation] = 1.0;
    for (const PrepXmlNode *child = node->firstChild; child != nullptr; child = child->next) {
        bool sop = PrepXmlIs(child, "SOPNode");
        // SatNode, also spelt SATNode, which the letter case takes in.
        bool sat = PrepXmlIs(child, "SatNode");
        if (!sop && !sat) {
            if (!IsDescription(child)) NoteIgnored(warnings, child, node);
            continue;
        }
        if (Once(child, sop ? &v->sopLine : &v->satLine, error) != 0) return -1;
        int read = sop ? ReadSop(child, v, warnings, error) : ReadSat(child, v, warnings, error);
        if (read != 0) return -1;
    }
    return 0;
}

// The limits of the values, and what a reverse style needs to undo them.
int CheckValues(const CdlValues &v, int32_t style, PrepError *error) {
    const double *p = v.params;
    for (int c = 0; c < 3; c++) {
        if (p[kPrepCdlSlope + c] < 0.0) {
            PrepSetError(error, v.lines[0], "Slope %g: a slope is 0 or more", p[kPrepCdlSlope + c]);
            return -1;
        }
        if (p[kPrepCdlSlope + c] == 0.0 && IsReverse(style)) {
            PrepSetError(error, v.lines[0], "Slope 0 in a reverse correction: no slope of 0 can be undone");
            return -1;
        }
        if (!(p[kPrepCdlPower + c] > 0.0)) {
            PrepSetError(error, v.lines[2], "Power %g: a power is more than 0", p[kPrepCdlPower + c]);
            return -1;
        }
    }
    if (p[kPrepCdlSaturation] < 0.0) {
        PrepSetError(error, v.lines[3], "Saturation %g: a saturation is 0 or more", p[kPrepCdlSaturation]);
        return -1;
    }
    if (p[kPrepCdlSaturation] == 0.0 && IsReverse(style)) {
        PrepSetError(error, v.lines[3], "Saturation 0 in a reverse correction: no saturation of 0 can be undone");
        return -1;
    }
    return 0;
}

}  // namespace

void PrepApplyCdl(const PrepOp &op, double rgb[3]) {
    if (IsReverse(op.style)) {
        Reverse(op.params, Clamps(op.style), rgb);
    } else {
        Forward(op.params, Clamps(op.style), rgb);
    }
}

int PrepAddCdl(PrepTransform *t, const PrepXmlNode *node, int32_t style, PrepWarnings *warnings, PrepError *error) {
    CdlValues v;
    if (ReadCorrection(node, &v, warnings, error) != 0 || CheckValues(v, style, error) != 0) return -1;
    PrepOp *op = PrepAddOp(t, "ASC_CDL", PrepApplyCdl, error);
    if (op == nullptr) return -1;
    memcpy(op->params, v.params, sizeof v.params);
    op->style = style;
    return 0;
}
