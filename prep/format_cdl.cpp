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

// A NaN passes, as -0 does: a maximum then a minimum, which the processor
// does without a branch on the value.
double Clamp01(double v) { return std::min(std::max(v, 0.0), 1.0); }

// A negative value has no real power; it passes unchanged, and a NaN
// becomes 0 so that it cannot spread through the luma to the other
// channels.
double PowerOf(double v, double power) {
    if (v >= 0.0) return std::pow(v, power);
    return std::isnan(v) ? 0.0 : v;
}

// Inline in the row loops: a call for each node cost more than its work.
[[gnu::always_inline]] inline void Saturate(double rgb[3], double saturation, bool clamp) {
    double luma = kLuma[0] * rgb[0] + kLuma[1] * rgb[1] + kLuma[2] * rgb[2];
    for (int c = 0; c < 3; c++) {
        rgb[c] = luma + saturation * (rgb[c] - luma);
        if (clamp) rgb[c] = Clamp01(rgb[c]);
    }
}

// Forward: the slope, offset and power of each channel, then the
// saturation.
void ForwardChannels(const double *p, bool clamp, double rgb[3]) {
    for (int c = 0; c < 3; c++) {
        double v = rgb[c] * p[kPrepCdlSlope + c] + p[kPrepCdlOffset + c];
        rgb[c] = PowerOf(clamp ? Clamp01(v) : v, p[kPrepCdlPower + c]);
    }
}

void ForwardMix(const double *p, bool clamp, double (*rgb)[3], int32_t count) {
    for (int32_t i = 0; i < count; i++) Saturate(rgb[i], p[kPrepCdlSaturation], clamp);
}

// Forward's steps undone in the reverse order; the reader refuses a zero
// slope or saturation here, which no reverse undoes.
void ReverseChannels(bool clamp, double rgb[3]) {
    if (clamp) {
        for (int c = 0; c < 3; c++) rgb[c] = Clamp01(rgb[c]);
    }
}

void ReverseMix(const double *p, bool clamp, double (*rgb)[3], int32_t count) {
    for (int32_t i = 0; i < count; i++) {
        Saturate(rgb[i], 1.0 / p[kPrepCdlSaturation], clamp);
        for (int c = 0; c < 3; c++) {
            double v = (PowerOf(rgb[i][c], 1.0 / p[kPrepCdlPower + c]) - p[kPrepCdlOffset + c]) / p[kPrepCdlSlope + c];
            rgb[i][c] = clamp ? Clamp01(v) : v;
        }
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
    // Without a Saturation the saturation stays 1, as OpenColorIO reads it.
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

// How a document holds its corrections: the root one alone, a collection
// of them, or a list of decisions that each hold them.
enum RootKind { kLone, kCollection, kList };

// The corrections of a document in file order.
const PrepXmlNode *CorrectionAfter(const PrepXmlNode *decision, const PrepXmlNode *c) {
    c = c != nullptr ? PrepXmlNextNamed(c, "ColorCorrection") : nullptr;
    while (c == nullptr && decision != nullptr) {
        decision = PrepXmlNextNamed(decision, "ColorDecision");
        c = decision != nullptr ? PrepXmlChild(decision, "ColorCorrection") : nullptr;
    }
    return c;
}
const PrepXmlNode *FirstCorrection(const PrepXmlNode *root, RootKind kind) {
    if (kind == kLone) return root;
    if (kind == kCollection) return PrepXmlChild(root, "ColorCorrection");
    const PrepXmlNode *decision = PrepXmlChild(root, "ColorDecision");
    const PrepXmlNode *c = decision != nullptr ? PrepXmlChild(decision, "ColorCorrection") : nullptr;
    return c != nullptr ? c : CorrectionAfter(decision, nullptr);
}
const PrepXmlNode *NextCorrection(const PrepXmlNode *c, RootKind kind) {
    if (kind == kLone) return nullptr;
    return CorrectionAfter(kind == kList ? c->parent : nullptr, c);
}

// The children of node that are neither its kind of child nor a
// description, warned as skipped.
void NoteStrangers(const PrepXmlNode *node, const char *child, PrepWarnings *warnings) {
    for (const PrepXmlNode *c = node->firstChild; c != nullptr; c = c->next) {
        if (!PrepXmlIs(c, child) && !IsDescription(c)) NoteIgnored(warnings, c, node);
    }
}

int KindOfRoot(const PrepXmlNode *root, RootKind *kind, PrepWarnings *warnings, PrepError *error) {
    if (PrepXmlIs(root, "ColorCorrection")) {
        *kind = kLone;
    } else if (PrepXmlIs(root, "ColorCorrectionCollection")) {
        *kind = kCollection;
        NoteStrangers(root, "ColorCorrection", warnings);
    } else if (PrepXmlIs(root, "ColorDecisionList")) {
        *kind = kList;
        NoteStrangers(root, "ColorDecision", warnings);
        for (const PrepXmlNode *d = PrepXmlChild(root, "ColorDecision"); d != nullptr;
             d = PrepXmlNextNamed(d, "ColorDecision")) {
            NoteStrangers(d, "ColorCorrection", warnings);
        }
    } else {
        PrepSetError(error, root->line,
                     "the root element is %s; an ASC CDL file holds a ColorCorrection, a ColorCorrectionCollection or "
                     "a ColorDecisionList",
                     root->name);
        return -1;
    }
    return 0;
}

const char *IdOf(const PrepXmlNode *c) {
    const char *id = PrepXmlAttributeValue(c, "id");
    return id != nullptr ? id : "";
}

bool ById(const PrepXmlNode *a, const PrepXmlNode *b) {
    int order = strcmp(IdOf(a), IdOf(b));
    return order != 0 ? order < 0 : a->line < b->line;
}

// An id names one correction only (corrections without one are reached by
// their index). Sorted, so that a collection of many is not compared pair
// by pair.
int CheckUniqueIds(const PrepXmlNode *root, RootKind kind, int64_t count, PrepError *error) {
    const PrepXmlNode **sorted =
        static_cast<const PrepXmlNode **>(malloc(static_cast<size_t>(count) * sizeof(PrepXmlNode *)));
    if (sorted == nullptr) {
        PrepSetError(error, root->line, "out of memory for the ids of %lld corrections", static_cast<long long>(count));
        return -1;
    }
    int64_t n = 0;
    for (const PrepXmlNode *c = FirstCorrection(root, kind); c != nullptr; c = NextCorrection(c, kind)) {
        if (IdOf(c)[0] != '\0') sorted[n++] = c;
    }
    std::sort(sorted, sorted + n, ById);
    int result = 0;
    for (int64_t i = 1; i < n && result == 0; i++) {
        if (strcmp(IdOf(sorted[i - 1]), IdOf(sorted[i])) == 0) {
            PrepSetError(error, sorted[i]->line, "a second ColorCorrection with id '%.60s' (the first is on line %lld)",
                         IdOf(sorted[i]), static_cast<long long>(sorted[i - 1]->line));
            result = -1;
        }
    }
    free(sorted);
    return result;
}

// The corrections by id, or by index for one without, for a message that
// asks for --cccid; cut short with "..." when they do not fit.
void ListIds(const PrepXmlNode *root, RootKind kind, char *out, size_t size) {
    size_t used = 0;
    int64_t index = 0;
    out[0] = '\0';
    for (const PrepXmlNode *c = FirstCorrection(root, kind); c != nullptr; c = NextCorrection(c, kind), index++) {
        const char *joint = index == 0 ? "" : ", ";
        int n = IdOf(c)[0] != '\0'
                    ? snprintf(out + used, size - used, "%s%s", joint, IdOf(c))
                    : snprintf(out + used, size - used, "%sindex %lld (no id)", joint, static_cast<long long>(index));
        if (n < 0 || static_cast<size_t>(n) >= size - used) {
            snprintf(out + std::min(used, size - 6), 6, ", ...");
            return;
        }
        used += static_cast<size_t>(n);
    }
}

// The correction --cccid names: the one of that id, else, when it is a
// whole number, the one at that index from 0. Without --cccid a document
// of one correction gives that one.
int ChooseCorrection(const PrepXmlNode *root, RootKind kind, const char *cccid, const PrepXmlNode **chosen,
                     PrepError *error) {
    int64_t count = 0;
    for (const PrepXmlNode *c = FirstCorrection(root, kind); c != nullptr; c = NextCorrection(c, kind)) count++;
    if (count == 0) {
        PrepSetError(error, root->line, "%s holds no ColorCorrection", root->name);
        return -1;
    }
    if (CheckUniqueIds(root, kind, count, error) != 0) return -1;
    bool given = cccid != nullptr && cccid[0] != '\0';
    *chosen = given || count > 1 ? nullptr : FirstCorrection(root, kind);
    for (const PrepXmlNode *c = FirstCorrection(root, kind); given && c != nullptr; c = NextCorrection(c, kind)) {
        if (strcmp(IdOf(c), cccid) == 0) *chosen = c;
    }
    // An index as OpenColorIO takes one: blanks before it, none after.
    int64_t index = -1;
    const char *p = cccid;
    const char *end = given ? cccid + strlen(cccid) : cccid;
    if (given && *chosen == nullptr && !IsBlank(end[-1]) && ScanInteger(&p, end, 0, &index) == kFieldNumber &&
        p == end && index >= 0 && index < count) {
        *chosen = FirstCorrection(root, kind);
        for (int64_t i = 0; i < index; i++) *chosen = NextCorrection(*chosen, kind);
    }
    if (*chosen != nullptr) return 0;
    char ids[160];
    ListIds(root, kind, ids, sizeof ids);
    if (given) {
        PrepSetError(error, root->line, "--cccid %.40s: no correction has that id or index (from 0) among: %s", cccid,
                     ids);
    } else {
        PrepSetError(error, root->line, "%lld corrections: choose one with --cccid, by id or index from 0: %s",
                     static_cast<long long>(count), ids);
    }
    return -1;
}

// The descriptions of the correction, for the notes of the file written
// from it: one note per line of their text.
void AddDescriptions(PrepTransform *t, const PrepXmlNode *correction) {
    for (const PrepXmlNode *c = correction->firstChild; c != nullptr; c = c->next) {
        if (!IsDescription(c) || c->text == nullptr) continue;
        PrepLineReader lines;
        PrepLine line;
        StartLines(&lines, c->text, c->textLength);
        while (NextLine(&lines, &line)) {
            PrepLine trimmed = TrimLine(line);
            if (trimmed.begin != trimmed.end) PrepAddNote(t, trimmed.begin, trimmed.end);
        }
    }
}

// The reading of all three: a ColorCorrection at the root of a .cc file is
// the correction, --cccid or not, as OpenColorIO takes it; one in a .ccc or
// .cdl file is taken as a collection of one, and a collection in a .cc file
// as a collection. OpenColorIO 2.1 applies all three without clamping.
int ReadCdl(const PrepSource &source, const PrepReadOptions &options, PrepFamily family, PrepTransform *t,
            PrepWarnings *warnings, PrepError *error) {
    PrepFreeTransform(t);
    PrepXmlDocument doc{};
    if (PrepParseXml(source, &doc, error) != 0) return -1;
    RootKind kind = kLone;
    const PrepXmlNode *chosen = doc.root;
    int result = KindOfRoot(doc.root, &kind, warnings, error);
    bool pick = kind != kLone || family != &kPrepFormatCc;
    if (result == 0 && pick) result = ChooseCorrection(doc.root, kind, options.cccid, &chosen, error);
    if (result == 0) result = PrepAddCdl(t, chosen, kPrepCdlFwdNoClamp, warnings, error);
    if (result == 0) {
        t->family = family;
        AddDescriptions(t, chosen);
    } else {
        PrepFreeTransform(t);
    }
    PrepFreeXml(&doc);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

int ReadCc(const PrepSource &source, const PrepReadOptions &options, PrepTransform *t, PrepWarnings *warnings,
           PrepError *error) {
    return ReadCdl(source, options, &kPrepFormatCc, t, warnings, error);
}
int ReadCcc(const PrepSource &source, const PrepReadOptions &options, PrepTransform *t, PrepWarnings *warnings,
            PrepError *error) {
    return ReadCdl(source, options, &kPrepFormatCcc, t, warnings, error);
}
int ReadCdlList(const PrepSource &source, const PrepReadOptions &options, PrepTransform *t, PrepWarnings *warnings,
                PrepError *error) {
    return ReadCdl(source, options, &kPrepFormatCdl, t, warnings, error);
}

}  // namespace

void PrepApplyCdlChannels(const PrepOp &op, double rgb[3]) {
    if (IsReverse(op.style)) {
        ReverseChannels(Clamps(op.style), rgb);
    } else {
        ForwardChannels(op.params, Clamps(op.style), rgb);
    }
}

void PrepApplyCdlMix(const PrepOp &op, double (*rgb)[3], int32_t count) {
    if (IsReverse(op.style)) {
        ReverseMix(op.params, Clamps(op.style), rgb, count);
    } else {
        ForwardMix(op.params, Clamps(op.style), rgb, count);
    }
}

void PrepApplyCdl(const PrepOp &op, double rgb[3]) {
    PrepApplyCdlChannels(op, rgb);
    PrepApplyCdlMix(op, reinterpret_cast<double(*)[3]>(rgb), 1);
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

const PrepFormat kPrepFormatCc = {
    .name = "cc",
    .extension = ".cc",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ReadCc,
    .write = nullptr,
    .rowNode = nullptr,
};

const PrepFormat kPrepFormatCcc = {
    .name = "ccc",
    .extension = ".ccc",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ReadCcc,
    .write = nullptr,
    .rowNode = nullptr,
};

const PrepFormat kPrepFormatCdl = {
    .name = "cdl",
    .extension = ".cdl",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ReadCdlList,
    .write = nullptr,
    .rowNode = nullptr,
};
