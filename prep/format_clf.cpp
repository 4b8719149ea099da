// The Academy/ASC Common LUT Format (.clf) and its parent, Autodesk's Color
// Transform Format (.ctf): XML files that list process nodes applied in
// order, read as a transform (prep/transform.h) the way OpenColorIO 2.1
// reads them.
//
//   <ProcessList id="..." compCLFversion="3.0">     (a .ctf: version="2.0")
//     <Description>...</Description>                 notes
//     <Matrix inBitDepth="32f" outBitDepth="10i"> <Array dim="3 4"> ...
//     <LUT1D ...> <Array dim="1024 3"> ...           rows evenly over 0..1
//     <LUT3D ...> <Array dim="33 33 33 3"> ...       blue fastest
//     <Range>, <Log>, <Exponent> (or <Gamma>), <ASC_CDL>
//   </ProcessList>
//
// Element and attribute names are read in any letter case. Every node
// states the bit depth of its input and output; the numbers in the file are
// codes of those depths (10i: 1023 stands for 1), normalised here, and each
// node's input depth must be the one the node before it gave. CTF files
// add InverseLUT1D, ExposureContrast and FixedFunction (the styles of
// kFixedStyles); any other process node (InverseLUT3D, the Grading nodes,
// another FixedFunction style) is refused by name: skipping one would
// change the colours.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/ascii.h"
#include "prep/cdl.h"
#include "prep/clf_ops.h"
#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"
#include "prep/xml_tree.h"

namespace {

// The bit depths of a node's values, and the code that stands for 1.
struct ClfBitDepth {
    const char *name;
    double scale;
};
constexpr ClfBitDepth kBitDepths[] = {{"8i", 255.0},    {"10i", 1023.0}, {"12i", 4095.0},
                                      {"16i", 65535.0}, {"16f", 1.0},    {"32f", 1.0}};

// The newest versions read, as OpenColorIO 2.1 reads them.
constexpr double kNewestClf = 3.0;
constexpr double kNewestCtf = 2.1;
// A CTF ProcessList without a version is of this one.
constexpr double kOldestCtf = 1.2;

// The longest 1D LUT, and the entries of one over the half-float domain.
constexpr int64_t kMaxLut1dEntries = int64_t{1} << 20;
constexpr int64_t kHalfDomainEntries = 65536;

bool SameText(const char *a, const char *b) {
    for (; *a != '\0' && *b != '\0'; a++, b++) {
        if (AsciiLower(static_cast<unsigned char>(*a)) != AsciiLower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

struct ClfReading {
    // CLF's rules (a .clf, or a ProcessList with compCLFversion), and then
    // its major version, 2 or 3; else CTF's, of ctfVersion.
    bool clf;
    int32_t clfMajor;
    double ctfVersion;
    // The output bit depth of the node before, null before the first.
    const ClfBitDepth *lastOut;
    int64_t lastLine;
    PrepTransform *t;
    PrepWarnings *warnings;
    PrepError *error;
};

// What a node's bit depths divide its input and output values by.
struct ClfScales {
    double in;
    double out;
};

bool IsSeparator(char c, char also) { return IsAsciiSpace(static_cast<unsigned char>(c)) || c == ',' || c == also; }

// A field at *p that is no plain decimal, through from_chars: kept apart
// so that the plain ones, nearly every number of an Array, pay nothing for
// it.
__attribute__((noinline)) FieldResult NextOtherNumber(const char **p, const char *end, char also, double *value) {
    const char *q = *p;
    const char *fieldEnd = q;
    while (fieldEnd < end && !IsSeparator(*fieldEnd, also)) fieldEnd++;
    // from_chars takes no '+', which the files write ("+0.1").
    if (*q == '+' && fieldEnd - q > 1 && q[1] != '-' && q[1] != '+') q++;
    auto [stop, failure] = std::from_chars(q, fieldEnd, *value);
    if (failure != std::errc{} || stop != fieldEnd) return kFieldBad;
    *p = fieldEnd;
    return kFieldNumber;
}

// The next number of a list at *p (blanks and commas separate numbers;
// also, when not 0, separates them too): kFieldNumber with *value set and
// *p after it, kFieldEnd when only separators remain, kFieldBad with *p at
// the field when it is no number or beyond a double.
FieldResult NextNumber(const char **p, const char *end, char also, double *value) {
    const char *q = *p;
    while (q < end && IsSeparator(*q, also)) q++;
    *p = q;
    if (q == end) return kFieldEnd;
    // Most numbers are plain decimals, read without from_chars' cost.
    const char *plainEnd = ScanPlainDouble(q, end, value);
    if (plainEnd != nullptr && (plainEnd == end || IsSeparator(*plainEnd, also))) {
        *p = plainEnd;
        return kFieldNumber;
    }
    return NextOtherNumber(p, end, also, value);
}

// The physical line of p within the node's text (comments within the text
// are not counted, as they are not in it).
int64_t LineAt(const PrepXmlNode *node, const char *p) {
    int64_t line = node->line;
    for (const char *q = node->text; q != nullptr && q < p; q++) line += *q == '\n' ? 1 : 0;
    return line;
}

// The text at p for a message, up to its first separator when field is
// set: at most 24 bytes, printable ASCII only.
void QuoteText(const char *p, const char *end, bool field, char (&out)[32]) {
    size_t n = 0;
    for (; p < end && !(field && IsSeparator(*p, 0)) && n < 24; p++) out[n++] = *p >= ' ' && *p <= '~' ? *p : '?';
    out[n] = '\0';
}

int RefuseField(ClfReading *r, const PrepXmlNode *node, const char *p, const char *what) {
    char word[32];
    QuoteText(p, node->text + node->textLength, true, word);
    PrepSetError(r->error, LineAt(node, p), "'%s' in %s is not a number", word, what);
    return -1;
}

// The one number an element's text or an attribute's value holds.
int ReadNumberText(ClfReading *r, int64_t line, const char *text, const char *what, double *value) {
    const char *p = text, *end = text + strlen(text);
    double extra = 0.0;
    if (NextNumber(&p, end, 0, value) != kFieldNumber || NextNumber(&p, end, 0, &extra) != kFieldEnd) {
        char word[32];
        const char *begin = text;
        while (begin < end && IsAsciiSpace(static_cast<unsigned char>(*begin))) begin++;
        QuoteText(begin, end, false, word);
        PrepSetError(r->error, line, "%s '%s' is not one number", what, word);
        return -1;
    }
    if (!std::isfinite(*value)) {
        PrepSetError(r->error, line, "%s is %g: not a finite number", what, *value);
        return -1;
    }
    return 0;
}

int ReadElementNumber(ClfReading *r, const PrepXmlNode *node, double *value) {
    return ReadNumberText(r, node->line, node->text != nullptr ? node->text : "", PrepXmlLocalName(node), value);
}

// A node's operation, with the line of the node when the transform is full.
PrepOp *AddNodeOp(ClfReading *r, const PrepXmlNode *node, const char *name, PrepApply apply) {
    PrepOp *op = PrepAddOp(r->t, name, apply, r->error);
    if (op == nullptr && r->error != nullptr) r->error->line = node->line;
    return op;
}

// The sizes an Array's dim attribute lists, one to four.
struct ClfDims {
    int32_t count;
    int64_t n[4];
};

int ReadDims(ClfReading *r, const PrepXmlNode *array, const char *owner, ClfDims *dims) {
    const char *dim = PrepXmlAttributeValue(array, "dim");
    if (dim == nullptr) {
        PrepSetError(r->error, array->line, "the Array of the %s has no dim", owner);
        return -1;
    }
    const char *p = dim, *end = dim + strlen(dim);
    *dims = ClfDims{};
    for (;;) {
        while (p < end && IsAsciiSpace(static_cast<unsigned char>(*p))) p++;
        if (p == end) break;
        int64_t n = 0;
        auto [stop, failure] = std::from_chars(p, end, n);
        bool whole = stop < end ? IsAsciiSpace(static_cast<unsigned char>(*stop)) : true;
        if (failure != std::errc{} || stop == p || !whole || n < 0 || n > kMaxLut1dEntries || dims->count == 4) {
            PrepSetError(r->error, array->line, "the Array of the %s has dim \"%.40s\": not 1 to 4 sizes", owner, dim);
            return -1;
        }
        dims->n[dims->count++] = n;
        p = stop;
    }
    if (dims->count == 0) {
        PrepSetError(r->error, array->line, "the Array of the %s has an empty dim", owner);
        return -1;
    }
    return 0;
}

const PrepXmlNode *FindArray(ClfReading *r, const PrepXmlNode *node, const char *owner, ClfDims *dims) {
    const PrepXmlNode *array = PrepXmlChild(node, "Array");
    if (array == nullptr) {
        PrepSetError(r->error, node->line, "a %s without an Array", owner);
        return nullptr;
    }
    return ReadDims(r, array, owner, dims) == 0 ? array : nullptr;
}

// Where the numbers of an Array go, each divided by scale (a half-float
// pattern first made its value, for rawHalfs): as doubles; as the values of
// a lattice, blue fastest in the file, to their red-fastest rows; or as the
// rows of a curve, each number a whole row when spread (a table of one
// column). With checkFirst, a number that cannot be stored is refused only
// after the count and the fields of the whole Array, as a check before the
// storing would refuse them, so that the Array is read once.
struct ClfArrayOut {
    double *doubles;
    float *lattice;
    int32_t latticePoints;
    float (*rows)[3];
    bool spread;
    bool rawHalfs;
    double scale;
    bool checkFirst;
};

// One number of an Array, stored (in a lattice, at the row of its node);
// -1 with *error set when it cannot be.
int StoreNumber(ClfReading *r, const PrepXmlNode *array, const char *at, const char *owner, const ClfArrayOut &out,
                int64_t n, int64_t latticeRow, double v) {
    if (out.rawHalfs) {
        if (!(v >= 0.0 && v <= 65535.0 && v == std::floor(v))) {
            PrepSetError(r->error, LineAt(array, at), "%g in the Array of the %s is no half-float pattern (rawHalfs)",
                         v, owner);
            return -1;
        }
        v = PrepHalfValue(static_cast<uint16_t>(v));
    }
    v /= out.scale;
    if (out.doubles != nullptr) {
        // A matrix of NaN or infinity would spoil every value it touches.
        if (!std::isfinite(v)) {
            PrepSetError(r->error, LineAt(array, at), "%g in the Array of the %s is not a finite number", v, owner);
            return -1;
        }
        out.doubles[n] = v;
        return 0;
    }
    if (std::isfinite(v) && std::fabs(v) > FLT_MAX) {
        PrepSetError(r->error, LineAt(array, at), "%g in the Array of the %s is beyond the range of a float", v, owner);
        return -1;
    }
    // As OpenColorIO stores them: NaN as 0, an infinity as the largest
    // float of its sign, so that the table interpolates to finite values.
    if (!std::isfinite(v)) {
        NoteValue(r->warnings, v, -HUGE_VAL, HUGE_VAL, LineAt(array, at));
        v = std::isnan(v) ? 0.0 : std::copysign(FLT_MAX, v);
    }
    float f = static_cast<float>(v);
    if (out.lattice != nullptr) {
        out.lattice[3 * latticeRow + n % 3] = f;
    } else if (out.spread) {
        out.rows[n][0] = out.rows[n][1] = out.rows[n][2] = f;
    } else {
        out.rows[n / 3][n % 3] = f;
    }
    return 0;
}

// The count numbers of the Array, stored (only checked when out is null,
// which a table does before it allocates, unless it reads its Array once);
// more or fewer are refused. 1, with *error set, when out checks first
// and a number could not be stored.
int ReadArrayNumbers(ClfReading *r, const PrepXmlNode *array, const char *owner, int64_t count,
                     const ClfArrayOut *out) {
    const char *p = array->text != nullptr ? array->text : "";
    const char *end = p + (array->text != nullptr ? array->textLength : 0);
    int64_t n = 0;
    double v = 0.0;
    int unstored = 0;
    // A lattice's row of the node, found once for its three numbers (its
    // divisions are dear).
    int64_t latticeRow = 0;
    bool lattice = out != nullptr && out->lattice != nullptr;
    FieldResult field;
    while ((field = NextNumber(&p, end, 0, &v)) == kFieldNumber) {
        if (n == count) {
            PrepSetError(r->error, LineAt(array, p), "the Array of the %s holds more than the %lld values of its dim",
                         owner, static_cast<long long>(count));
            return -1;
        }
        if (lattice && n % 3 == 0) latticeRow = PrepBlueFastestNode(out->latticePoints, n / 3);
        if (out != nullptr && unstored == 0 && StoreNumber(r, array, p, owner, *out, n, latticeRow, v) != 0) {
            if (!out->checkFirst) return -1;
            unstored = 1;
        }
        n++;
    }
    if (field == kFieldBad) return RefuseField(r, array, p, "an Array");
    if (n < count) {
        PrepSetError(r->error, array->line, "the Array of the %s holds %lld values; its dim needs %lld", owner,
                     static_cast<long long>(n), static_cast<long long>(count));
        return -1;
    }
    return unstored;
}

// Whether the Array's text is long enough for count numbers, a byte and a
// separator each.
bool CouldHold(const PrepXmlNode *array, int64_t count) {
    return static_cast<int64_t>(array->textLength) >= 2 * count - 1;
}

// The shape of a Matrix: rows, columns, and whether the last column holds
// offsets. Its dim is "3 3", "3 4" (offsets), "4 4" (alpha) or "4 5" (alpha
// and offsets), optionally with a third size equal to the rows; in CTF
// files before version 1.3 it is "3 3 3", or "4 4 3" for a 3x3 matrix with
// offsets in the fourth column (the fourth row unused).
bool MatrixShape(const ClfReading *r, const ClfDims &dims, int64_t *rows, int64_t *columns, bool *offsets) {
    *rows = dims.n[0];
    *columns = dims.count >= 2 ? dims.n[1] : 0;
    if (!r->clf && r->ctfVersion < 1.3) {
        *offsets = *rows == 4;
        return dims.count == 3 && dims.n[2] == 3 && (*rows == 3 || *rows == 4) && *columns == *rows;
    }
    *offsets = *columns == *rows + 1;
    bool shaped = (*rows == 3 || *rows == 4) && (*columns == *rows || *offsets);
    return shaped && (dims.count == 2 || (dims.count == 3 && dims.n[2] == *rows));
}

int ReadMatrix(ClfReading *r, const PrepXmlNode *node, const ClfScales &s) {
    ClfDims dims{};
    const PrepXmlNode *array = FindArray(r, node, "Matrix", &dims);
    if (array == nullptr) return -1;
    int64_t rows = 0, columns = 0;
    bool offsets = false;
    if (!MatrixShape(r, dims, &rows, &columns, &offsets)) {
        PrepSetError(r->error, array->line, "a Matrix Array of dim \"%s\": %s", PrepXmlAttributeValue(array, "dim"),
                     !r->clf && r->ctfVersion < 1.3 ? "this CTF version's matrices are \"3 3 3\" or \"4 4 3\""
                                                    : "a matrix is 3x3, 3x4, 4x4 or 4x5");
        return -1;
    }
    double m[20] = {};
    ClfArrayOut out{m, nullptr, 0, nullptr, false, false, 1.0, false};
    if (ReadArrayNumbers(r, array, "Matrix", rows * columns, &out) != 0) return -1;
    PrepOp *op = AddNodeOp(r, node, "Matrix", PrepApplyMatrix);
    if (op == nullptr) return -1;
    // The alpha row and column fall away: alpha is 0 in a bake.
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) op->params[4 * i + j] = m[i * columns + j] * s.in / s.out;
        op->params[4 * i + 3] = offsets ? m[i * columns + columns - 1] / s.out : 0.0;
    }
    return 0;
}

// A Range from [minIn, maxIn] to [minOut, maxOut], clamped as clamps says.
int AddRange(ClfReading *r, const PrepXmlNode *node, const double v[4], int32_t clamps) {
    PrepOp *op = AddNodeOp(r, node, "Range", PrepApplyRange);
    if (op == nullptr) return -1;
    // A one-sided Range moves nothing: only its clamp is left.
    bool both = !std::isnan(v[0]) && !std::isnan(v[1]);
    double scale = both ? (v[3] - v[2]) / (v[1] - v[0]) : 1.0;
    double offset = both ? v[2] - v[0] * scale : 0.0;
    op->params[kPrepRangeScale] = scale;
    op->params[kPrepRangeOffset] = offset;
    op->params[kPrepRangeLow] = v[2];
    op->params[kPrepRangeHigh] = v[3];
    op->style = clamps;
    return 0;
}

// The values of a Range, in order: minIn, maxIn, minOut, maxOut.
constexpr const char *kRangeValues[] = {"minInValue", "maxInValue", "minOutValue", "maxOutValue"};

// The values, normalised; NaN where the Range gives none.
int ReadRangeValues(ClfReading *r, const PrepXmlNode *node, const ClfScales &s, double v[4]) {
    for (int k = 0; k < 4; k++) {
        const PrepXmlNode *child = PrepXmlChild(node, kRangeValues[k]);
        v[k] = NAN;
        if (child != nullptr && ReadElementNumber(r, child, &v[k]) != 0) return -1;
        v[k] /= k < 2 ? s.in : s.out;
    }
    return 0;
}

int ReadRange(ClfReading *r, const PrepXmlNode *node, const ClfScales &s) {
    const char *style = PrepXmlAttributeValue(node, "style");
    bool clamp = style == nullptr || SameText(style, "Clamp");
    if (!clamp && !SameText(style, "noClamp")) {
        PrepSetError(r->error, node->line, "Range style \"%.40s\": Clamp or noClamp", style);
        return -1;
    }
    double v[4];
    if (ReadRangeValues(r, node, s, v) != 0) return -1;
    bool given[4];
    for (int k = 0; k < 4; k++) given[k] = !std::isnan(v[k]);
    bool low = given[0] && given[2], high = given[1] && given[3];
    if (given[0] != given[2] || given[1] != given[3] || (!low && !high)) {
        PrepSetError(r->error, node->line,
                     "a Range needs minInValue with minOutValue, maxInValue with maxOutValue, or all four");
        return -1;
    }
    if (!clamp && !(low && high)) {
        PrepSetError(r->error, node->line, "a noClamp Range needs all four values");
        return -1;
    }
    if (low && high) {
        if (!(v[1] > v[0])) {
            PrepSetError(r->error, node->line, "the Range's maxInValue is not above its minInValue");
            return -1;
        }
        return AddRange(r, node, v, clamp ? kPrepRangeClampLow | kPrepRangeClampHigh : 0);
    }
    // One pair alone is a clamp on that side, which moves nothing.
    int k = low ? 0 : 1;
    if (v[k] != v[k + 2]) {
        PrepSetError(r->error, node->line, "a Range with only %s and %s needs them equal (after their bit depths)",
                     kRangeValues[k], kRangeValues[k + 2]);
        return -1;
    }
    return AddRange(r, node, v, low ? kPrepRangeClampLow : kPrepRangeClampHigh);
}

// An IndexMap of a table of `entries` per axis: in CLF 2 (and CTF before
// 2.0) a clamping Range before the table that maps its two inputs to the
// table's positions; in later versions OpenColorIO ignores it, and so is it
// here.
int ReadIndexMap(ClfReading *r, const PrepXmlNode *table, int64_t entries, const ClfScales &s) {
    const PrepXmlNode *map = PrepXmlChild(table, "IndexMap");
    if (map == nullptr) return 0;
    if (r->clf ? r->clfMajor > 2 : r->ctfVersion >= 2.0) {
        NoteWarning(r->warnings, kPrepWarnIgnored, map->line,
                    "an IndexMap is not read in this version (only in CLF 2 and CTF before 2.0), nor by OpenColorIO");
        return 0;
    }
    const char *p = map->text != nullptr ? map->text : "";
    const char *end = p + (map->text != nullptr ? map->textLength : 0);
    int ats = 0;
    for (const char *q = p; q < end; q++) ats += *q == '@' ? 1 : 0;
    double pairs[5] = {};
    int n = 0;
    FieldResult field;
    while (n < 5 && (field = NextNumber(&p, end, '@', &pairs[n])) == kFieldNumber) n++;
    if (n < 5 && field == kFieldBad) return RefuseField(r, map, p, "an IndexMap");
    if (n != 4 || ats != 2) {
        PrepSetError(r->error, map->line, "an IndexMap of other than two entries (\"in@index in@index\")");
        return -1;
    }
    double last = static_cast<double>(entries > 1 ? entries - 1 : 1);
    double v[4] = {pairs[0] / s.in, pairs[2] / s.in, pairs[1] / last, pairs[3] / last};
    bool finite = std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]) && std::isfinite(v[3]);
    if (!finite || !(v[1] > v[0])) {
        PrepSetError(r->error, map->line, "the IndexMap's second input is not above its first, or not finite");
        return -1;
    }
    return AddRange(r, map, v, kPrepRangeClampLow | kPrepRangeClampHigh);
}

// A boolean attribute that OpenColorIO takes only as "true".
int ReadTrue(ClfReading *r, const PrepXmlNode *node, const char *name, bool *value) {
    const char *text = PrepXmlAttributeValue(node, name);
    *value = text != nullptr;
    if (text == nullptr || SameText(text, "true")) return 0;
    PrepSetError(r->error, node->line, "%s=\"%.40s\": only \"true\" is read", name, text);
    return -1;
}

int CheckLut1dAttributes(ClfReading *r, const PrepXmlNode *node, bool *halfDomain, bool *rawHalfs, bool *hueAdjust) {
    const char *interpolation = PrepXmlAttributeValue(node, "interpolation");
    if (interpolation != nullptr && !SameText(interpolation, "linear")) {
        PrepSetError(r->error, node->line, "a LUT1D of interpolation \"%.40s\": only linear is read", interpolation);
        return -1;
    }
    const char *hue = PrepXmlAttributeValue(node, "hueAdjust");
    *hueAdjust = hue != nullptr && SameText(hue, "dw3");
    if (hue != nullptr && !*hueAdjust && !SameText(hue, "none")) {
        PrepSetError(r->error, node->line, "a LUT1D with hueAdjust=\"%.40s\": dw3 or none", hue);
        return -1;
    }
    if (ReadTrue(r, node, "halfDomain", halfDomain) != 0) return -1;
    return ReadTrue(r, node, "rawHalfs", rawHalfs);
}

// The rows and columns of a LUT1D's Array (or an InverseLUT1D's).
int Lut1dShape(ClfReading *r, const PrepXmlNode *array, const ClfDims &dims, const char *owner, int64_t *entries,
               int64_t *columns) {
    *entries = dims.n[0];
    *columns = dims.count == 2 ? dims.n[1] : 0;
    if (dims.count != 2 || (*columns != 1 && *columns != 3) || *entries < 2) {
        PrepSetError(r->error, array->line, "a %s Array of dim \"%s\": a 1D LUT is 2 or more rows of 1 or 3", owner,
                     PrepXmlAttributeValue(array, "dim"));
        return -1;
    }
    return 0;
}

PrepOp *AddCurveOp(ClfReading *r, const PrepXmlNode *array, const char *name, int64_t entries, bool positioned) {
    PrepOp *op = PrepAddCurve(r->t, name, static_cast<int32_t>(entries), positioned, r->error);
    if (op == nullptr && r->error != nullptr) r->error->line = array->line;
    return op;
}

int ReadLut1d(ClfReading *r, const PrepXmlNode *node, const ClfScales &s) {
    bool halfDomain = false, rawHalfs = false, hueAdjust = false;
    if (CheckLut1dAttributes(r, node, &halfDomain, &rawHalfs, &hueAdjust) != 0) return -1;
    ClfDims dims{};
    const PrepXmlNode *array = FindArray(r, node, "LUT1D", &dims);
    int64_t entries = 0, columns = 0;
    if (array == nullptr || Lut1dShape(r, array, dims, "LUT1D", &entries, &columns) != 0) return -1;
    if (halfDomain && hueAdjust) {
        PrepSetError(r->error, node->line, "a halfDomain LUT1D with hueAdjust is not supported");
        return -1;
    }
    if (halfDomain && entries != kHalfDomainEntries) {
        PrepSetError(r->error, array->line, "a halfDomain LUT1D of %lld entries: it needs %lld",
                     static_cast<long long>(entries), static_cast<long long>(kHalfDomainEntries));
        return -1;
    }
    if (ReadArrayNumbers(r, array, "LUT1D", entries * columns, nullptr) != 0) return -1;
    if (ReadIndexMap(r, node, entries, s) != 0) return -1;
    PrepOp *op = AddCurveOp(r, array, "1D LUT", entries, false);
    if (op == nullptr) return -1;
    if (halfDomain) op->apply = PrepApplyHalfCurve;
    if (hueAdjust) op->apply = PrepApplyHueCurve;
    ClfArrayOut out{nullptr, nullptr, 0, op->curve.values, columns == 1, rawHalfs, s.out, false};
    return ReadArrayNumbers(r, array, "LUT1D", entries * columns, &out);
}

// A table that starts or ends flat inverts, beyond its ends, to the
// entry where it leaves (or reaches) that flat run, as OpenColorIO inverts
// it, not to its first or last entry.
void HoldFlatEnds(PrepCurve *curve, int c) {
    int32_t n = curve->points;
    int32_t first = 0, last = n - 1;
    while (first + 1 < n && curve->positions[first + 1][c] == curve->positions[0][c]) first++;
    while (last > 0 && curve->positions[last - 1][c] == curve->positions[n - 1][c]) last--;
    for (int32_t k = 0; k < first; k++) curve->values[k][c] = curve->values[first][c];
    for (int32_t k = last + 1; k < n; k++) curve->values[k][c] = curve->values[last][c];
}

// The inverse of a table as a curve through the positions its values give:
// evenly spaced outputs, put in increasing order of their positions. A
// value that turns back is held at the one before it, as OpenColorIO holds
// it, so that the table runs one way (the way from its first value to its
// last).
void InvertCurve(PrepOp *op) {
    PrepCurve *curve = &op->curve;
    int32_t n = curve->points;
    float(*p)[3] = curve->positions;
    for (int c = 0; c < 3; c++) {
        bool falling = p[n - 1][c] < p[0][c];
        op->style |= falling ? 1 << c : 0;
        for (int32_t k = 1; k < n; k++) {
            if (falling ? p[k][c] > p[k - 1][c] : p[k][c] < p[k - 1][c]) p[k][c] = p[k - 1][c];
        }
        for (int32_t k = 0; k < n; k++) {
            int32_t from = falling ? n - 1 - k : k;
            curve->values[k][c] = static_cast<float>(static_cast<double>(from) / (n - 1));
        }
        for (int32_t k = 0; falling && k < n / 2; k++) {
            float swap = p[k][c];
            p[k][c] = p[n - 1 - k][c];
            p[n - 1 - k][c] = swap;
        }
        HoldFlatEnds(curve, c);
    }
}

// An InverseLUT1D (CTF): the inverse of the LUT1D its Array gives. Its
// values are of the input's bit depth, which the table's outputs are.
int ReadInverseLut1d(ClfReading *r, const PrepXmlNode *node, const ClfScales &s) {
    bool halfDomain = false, rawHalfs = false, hueAdjust = false;
    if (CheckLut1dAttributes(r, node, &halfDomain, &rawHalfs, &hueAdjust) != 0) return -1;
    if (halfDomain || hueAdjust) {
        PrepSetError(r->error, node->line, "an InverseLUT1D with halfDomain or hueAdjust is not supported");
        return -1;
    }
    ClfDims dims{};
    const PrepXmlNode *array = FindArray(r, node, "InverseLUT1D", &dims);
    int64_t entries = 0, columns = 0;
    if (array == nullptr || Lut1dShape(r, array, dims, "InverseLUT1D", &entries, &columns) != 0) return -1;
    if (ReadArrayNumbers(r, array, "InverseLUT1D", entries * columns, nullptr) != 0) return -1;
    PrepOp *op = AddCurveOp(r, array, "inverse 1D LUT", entries, true);
    if (op == nullptr) return -1;
    op->apply = PrepApplyInverseCurve;
    ClfArrayOut out{nullptr, nullptr, 0, op->curve.positions, columns == 1, rawHalfs, s.in, false};
    if (ReadArrayNumbers(r, array, "InverseLUT1D", entries * columns, &out) != 0) return -1;
    InvertCurve(op);
    return 0;
}

// A LUT3D's interpolation: the command's when the file names none.
int Lut3dInterp(ClfReading *r, const PrepXmlNode *node, int32_t *interp) {
    const char *name = PrepXmlAttributeValue(node, "interpolation");
    *interp = kPrepInterpDefault;
    if (name == nullptr) return 0;
    if (SameText(name, "trilinear")) {
        *interp = kPrepTrilinear;
    } else if (SameText(name, "tetrahedral")) {
        *interp = kPrepTetrahedral;
    } else {
        PrepSetError(r->error, node->line, "a LUT3D of interpolation \"%.40s\": trilinear or tetrahedral", name);
        return -1;
    }
    return 0;
}

// A LUT3D's table of points per axis, allocated into *lut and filled from
// its Array of n per axis. Most Arrays are read once, into the table; one
// is checked before the table is allocated when its text is too short for
// its dim, so that a few bytes cannot ask for a large table, and when an
// IndexMap comes with it, whose refusal and warning come before the
// table's.
int FillLut3d(ClfReading *r, const PrepXmlNode *node, const PrepXmlNode *array, int64_t n, int32_t points,
              const ClfScales &s, PrepLut *lut) {
    int64_t count = 3 * n * n * n;
    bool once = CouldHold(array, count) && PrepXmlChild(node, "IndexMap") == nullptr;
    PrepError unallocated{};
    bool allocated = once && PrepAllocLut(lut, points, 0, &unallocated) == 0;
    if (!allocated) {
        if (ReadArrayNumbers(r, array, "LUT3D", count, nullptr) != 0 || ReadIndexMap(r, node, n, s) != 0) return -1;
        if (once || PrepAllocLut(lut, points, 0, &unallocated) != 0) {
            if (r->error != nullptr) {
                *r->error = unallocated;
                r->error->line = array->line;
            }
            return -1;
        }
    }
    // (Of one point per axis, the one value lands on the first node.)
    ClfArrayOut out{nullptr, lut->values, static_cast<int32_t>(n), nullptr, false, false, s.out, true};
    return ReadArrayNumbers(r, array, "LUT3D", count, &out) == 0 ? 0 : -1;
}

int ReadLut3d(ClfReading *r, const PrepXmlNode *node, const ClfScales &s) {
    int32_t interp = kPrepInterpDefault;
    if (Lut3dInterp(r, node, &interp) != 0) return -1;
    ClfDims dims{};
    const PrepXmlNode *array = FindArray(r, node, "LUT3D", &dims);
    if (array == nullptr) return -1;
    int64_t n = dims.n[0];
    if (dims.count != 4 || dims.n[1] != n || dims.n[2] != n || dims.n[3] != 3 || n < 1 || n > kPrepMaxPoints) {
        PrepSetError(r->error, array->line, "a LUT3D Array of dim \"%s\": a 3D LUT is \"n n n 3\", n from 1 to %d",
                     PrepXmlAttributeValue(array, "dim"), kPrepMaxPoints);
        return -1;
    }
    // One point per axis is a constant: held as the 2-point lattice of it.
    int32_t points = n == 1 ? 2 : static_cast<int32_t>(n);
    PrepLut lut{};
    if (FillLut3d(r, node, array, n, points, s, &lut) != 0) {
        PrepFreeLut(&lut);
        return -1;
    }
    for (int64_t k = 3; n == 1 && k < 3 * PrepNodeCount(points); k++) lut.values[k] = lut.values[k % 3];
    lut.family = r->clf ? &kPrepFormatClf : &kPrepFormatCtf;
    if (PrepAddLut(r->t, &lut, interp, r->error) != 0) {
        if (r->error != nullptr) r->error->line = node->line;
        return -1;
    }
    return 0;
}

// A style attribute's name and its value of the op.
struct ClfStyle {
    const char *name;
    int32_t style;
};

constexpr ClfStyle kLogStyles[] = {{"log10", kPrepLog10},
                                   {"log2", kPrepLog2},
                                   {"antiLog10", kPrepAntiLog10},
                                   {"antiLog2", kPrepAntiLog2},
                                   {"linToLog", kPrepLinToLog},
                                   {"logToLin", kPrepLogToLin},
                                   {"cameraLinToLog", kPrepCameraLinToLog},
                                   {"cameraLogToLin", kPrepCameraLogToLin}};

constexpr ClfStyle kExponentStyles[] = {{"basicFwd", kPrepBasicFwd},
                                        {"basicRev", kPrepBasicRev},
                                        {"basicMirrorFwd", kPrepBasicMirrorFwd},
                                        {"basicMirrorRev", kPrepBasicMirrorRev},
                                        {"basicPassThruFwd", kPrepBasicPassThruFwd},
                                        {"basicPassThruRev", kPrepBasicPassThruRev},
                                        {"monCurveFwd", kPrepMonCurveFwd},
                                        {"monCurveRev", kPrepMonCurveRev},
                                        {"monCurveMirrorFwd", kPrepMonCurveMirrorFwd},
                                        {"monCurveMirrorRev", kPrepMonCurveMirrorRev}};

int FindStyle(ClfReading *r, const PrepXmlNode *node, const ClfStyle *styles, size_t count, int32_t *style) {
    const char *name = PrepXmlAttributeValue(node, "style");
    for (size_t i = 0; name != nullptr && i < count; i++) {
        if (SameText(name, styles[i].name)) {
            *style = styles[i].style;
            return 0;
        }
    }
    if (name == nullptr) {
        PrepSetError(r->error, node->line, "the %s has no style", PrepXmlLocalName(node));
    } else {
        PrepSetError(r->error, node->line, "the %s's style \"%.40s\" is none of its styles", PrepXmlLocalName(node),
                     name);
    }
    return -1;
}

// The channels a params element sets: the one its channel attribute
// names, or all three.
int ParamChannels(ClfReading *r, const PrepXmlNode *params, int *first, int *last) {
    const char *channel = PrepXmlAttributeValue(params, "channel");
    *first = 0;
    *last = 2;
    if (channel == nullptr) return 0;
    static const char *const kChannels[] = {"R", "G", "B"};
    for (int c = 0; c < 3; c++) {
        if (SameText(channel, kChannels[c])) {
            *first = *last = c;
            return 0;
        }
    }
    PrepSetError(r->error, params->line, "channel=\"%.20s\": R, G or B", channel);
    return -1;
}

// The attributes of LogParams in the order of PrepLogParam (up to
// linearSlope), and their values when not given; NaN: none.
constexpr const char *kLogParamNames[] = {"base",          "logSideSlope", "logSideOffset", "linSideSlope",
                                          "linSideOffset", "linSideBreak", "linearSlope"};
constexpr double kLogParamDefaults[] = {2.0, 1.0, 0.0, 1.0, 0.0, NAN, NAN};
// The Cineon-style parameters of older CTF files, in this order, as
// given for each channel (a bit of `given` per parameter).
enum ClfCineonParam : int32_t { kCineonGamma, kCineonRefWhite, kCineonRefBlack, kCineonHighlight, kCineonShadow };
constexpr const char *kCineonNames[] = {"gamma", "refWhite", "refBlack", "highlight", "shadow"};
constexpr int32_t kCineonAll = (1 << std::size(kCineonNames)) - 1;
// (Held as wide as a Log's numbers, so that both are read alike.)
struct ClfCineon {
    double v[3][kPrepLogParams];
    int32_t given[3];
};

// One set of numbers of a LogParams into q, or into *cineon for the
// Cineon-style names; mask is the bit of each name given.
int ReadNamedParams(ClfReading *r, const PrepXmlNode *params, const char *const *names, size_t count, int first,
                    int last, double (*rows)[kPrepLogParams], int32_t *masks) {
    for (size_t k = 0; k < count; k++) {
        const char *text = PrepXmlAttributeValue(params, names[k]);
        double v = 0.0;
        if (text == nullptr) continue;
        if (ReadNumberText(r, params->line, text, names[k], &v) != 0) return -1;
        // The base is the Log's, whichever channel's params give it.
        bool all = masks == nullptr && k == kPrepLogBase;
        for (int c = all ? 0 : first; c <= (all ? 2 : last); c++) {
            rows[c][k] = v;
            if (masks != nullptr) masks[c] |= 1 << k;
        }
    }
    return 0;
}

int ReadLogParams(ClfReading *r, const PrepXmlNode *params, double q[3][kPrepLogParams], ClfCineon *cineon) {
    int first = 0, last = 0;
    if (ParamChannels(r, params, &first, &last) != 0) return -1;
    if (ReadNamedParams(r, params, kLogParamNames, std::size(kLogParamNames), first, last, q, nullptr) != 0) return -1;
    return ReadNamedParams(r, params, kCineonNames, std::size(kCineonNames), first, last, cineon->v, cineon->given);
}

// The Cineon-style curve out = (10^((1023 in - refWhite) 0.002 / gamma) -
// black) (highlight - shadow) / (1 - black) + shadow, where black is the
// same power at refBlack, as the parameters of the logToLin style (and of
// its inverse, linToLog). refWhite and refBlack are 10-bit codes; 0.002 is
// the density of one code.
constexpr double kCineonCodes = 1023.0;
constexpr double kCineonDensityPerCode = 0.002;

int CineonToLog(ClfReading *r, const PrepXmlNode *node, const double *c, double *q) {
    double gamma = c[kCineonGamma];
    double black = std::pow(10.0, (c[kCineonRefBlack] - c[kCineonRefWhite]) * kCineonDensityPerCode / gamma);
    double gain = (c[kCineonHighlight] - c[kCineonShadow]) / (1.0 - black);
    if (!(gamma > 0.01) || !std::isfinite(gain) || gain == 0.0) {
        PrepSetError(r->error, node->line,
                     "Cineon-style LogParams of gamma %g, refWhite %g, refBlack %g, highlight %g, shadow %g: gamma "
                     "must be above 0.01, refWhite and refBlack differ, highlight and shadow too",
                     gamma, c[kCineonRefWhite], c[kCineonRefBlack], c[kCineonHighlight], c[kCineonShadow]);
        return -1;
    }
    q[kPrepLogBase] = 10.0;
    q[kPrepLogSideSlope] = gamma / (kCineonCodes * kCineonDensityPerCode);
    q[kPrepLogSideOffset] = c[kCineonRefWhite] / kCineonCodes;
    q[kPrepLinSideSlope] = 1.0 / gain;
    q[kPrepLinSideOffset] = black - c[kCineonShadow] / gain;
    return 0;
}

// Cineon-style parameters, when a LogParams gave any, replace the others:
// each channel needs all five, and the style must be linToLog or logToLin.
int UseCineon(ClfReading *r, const PrepXmlNode *node, int32_t style, const ClfCineon &cineon,
              double q[3][kPrepLogParams]) {
    if ((cineon.given[0] | cineon.given[1] | cineon.given[2]) == 0) return 0;
    for (int c = 0; c < 3; c++) {
        if (cineon.given[c] != kCineonAll || (style != kPrepLinToLog && style != kPrepLogToLin)) {
            PrepSetError(r->error, node->line,
                         "Cineon-style LogParams need gamma, refWhite, refBlack, highlight and shadow for every "
                         "channel, and the style linToLog or logToLin");
            return -1;
        }
        if (CineonToLog(r, node, cineon.v[c], q[c]) != 0) return -1;
    }
    return 0;
}

// The straight segment of a camera style below the break: unless given,
// the slope of the log curve there; and the offset that joins the two.
int JoinAtBreak(ClfReading *r, const PrepXmlNode *node, double *q) {
    double brk = q[kPrepLinSideBreak];
    double inner = q[kPrepLinSideSlope] * brk + q[kPrepLinSideOffset];
    if (!(inner > 0.0)) {
        PrepSetError(r->error, node->line, "a camera Log whose linSideBreak %g falls where its curve is undefined",
                     brk);
        return -1;
    }
    double lnBase = std::log(q[kPrepLogBase]);
    if (std::isnan(q[kPrepLinearSlope])) {
        q[kPrepLinearSlope] = q[kPrepLogSideSlope] * q[kPrepLinSideSlope] / (inner * lnBase);
    }
    double atBreak = q[kPrepLogSideSlope] * std::log(inner) / lnBase + q[kPrepLogSideOffset];
    q[kPrepLinearOffset] = atBreak - q[kPrepLinearSlope] * brk;
    return 0;
}

int CheckLogParams(ClfReading *r, const PrepXmlNode *node, int32_t style, double q[3][kPrepLogParams]) {
    bool camera = style == kPrepCameraLinToLog || style == kPrepCameraLogToLin;
    for (int c = 0; c < 3; c++) {
        double *p = q[c];
        if (camera == std::isnan(p[kPrepLinSideBreak])) {
            PrepSetError(r->error, node->line,
                         camera ? "a camera Log style without linSideBreak"
                                : "linSideBreak in a Log of a style other than cameraLinToLog and cameraLogToLin");
            return -1;
        }
        if (!(p[kPrepLogBase] > 0.0) || p[kPrepLogBase] == 1.0 || !std::isfinite(p[kPrepLogBase]) ||
            p[kPrepLogSideSlope] == 0.0 || p[kPrepLinSideSlope] == 0.0) {
            PrepSetError(r->error, node->line,
                         "a Log of base %g, logSideSlope %g and linSideSlope %g: the base must be positive and not "
                         "1, the slopes not 0",
                         p[kPrepLogBase], p[kPrepLogSideSlope], p[kPrepLinSideSlope]);
            return -1;
        }
        if (camera && JoinAtBreak(r, node, p) != 0) return -1;
    }
    return 0;
}

int ReadLog(ClfReading *r, const PrepXmlNode *node, const ClfScales &) {
    int32_t style = 0;
    if (FindStyle(r, node, kLogStyles, std::size(kLogStyles), &style) != 0) return -1;
    double q[3][kPrepLogParams];
    for (int c = 0; c < 3; c++) {
        for (int k = 0; k < kPrepLogParams; k++) q[c][k] = k < kPrepLinearOffset ? kLogParamDefaults[k] : 0.0;
    }
    ClfCineon cineon{};
    for (const PrepXmlNode *p = PrepXmlChild(node, "LogParams"); p != nullptr; p = PrepXmlNextNamed(p, "LogParams")) {
        if (ReadLogParams(r, p, q, &cineon) != 0) return -1;
    }
    if (UseCineon(r, node, style, cineon, q) != 0) return -1;
    bool parametric = style != kPrepLog10 && style != kPrepLog2 && style != kPrepAntiLog10 && style != kPrepAntiLog2;
    if (parametric && CheckLogParams(r, node, style, q) != 0) return -1;
    PrepOp *op = AddNodeOp(r, node, "Log", PrepApplyLog);
    if (op == nullptr) return -1;
    op->style = style;
    memcpy(op->params, q, sizeof q);
    return 0;
}

// The exponent and offset of the Exponent's channels (ExponentParams, or
// the GammaParams of a Gamma, which names its exponent gamma).
int ReadExponentParams(ClfReading *r, const PrepXmlNode *params, int32_t style, double q[3][2]) {
    bool monCurve = style >= kPrepMonCurveFwd;
    int first = 0, last = 0;
    if (ParamChannels(r, params, &first, &last) != 0) return -1;
    const char *exponent = PrepXmlAttributeValue(params, "exponent");
    if (exponent == nullptr) exponent = PrepXmlAttributeValue(params, "gamma");
    const char *offset = PrepXmlAttributeValue(params, "offset");
    double g = 1.0, o = 0.0;
    if (exponent == nullptr) {
        PrepSetError(r->error, params->line, "%s without an exponent", PrepXmlLocalName(params));
        return -1;
    }
    if (ReadNumberText(r, params->line, exponent, "the exponent", &g) != 0) return -1;
    if (offset != nullptr && !monCurve) {
        PrepSetError(r->error, params->line, "an offset in an Exponent of a basic style (only monCurve has one)");
        return -1;
    }
    if (offset != nullptr && ReadNumberText(r, params->line, offset, "the offset", &o) != 0) return -1;
    double least = monCurve ? 1.0 : 0.01, most = monCurve ? 10.0 : 100.0;
    if (!(g >= least && g <= most) || !(o >= 0.0 && o <= 0.9)) {
        PrepSetError(r->error, params->line,
                     "exponent %g, offset %g: the %s styles take exponents from %g to %g and offsets from 0 to 0.9", g,
                     o, monCurve ? "monCurve" : "basic", least, most);
        return -1;
    }
    for (int c = first; c <= last; c++) {
        q[c][0] = g;
        q[c][1] = o;
    }
    return 0;
}

int ReadExponent(ClfReading *r, const PrepXmlNode *node, const ClfScales &) {
    int32_t style = 0;
    if (FindStyle(r, node, kExponentStyles, std::size(kExponentStyles), &style) != 0) return -1;
    // A channel no params name is left as it is: exponent 1.
    double q[3][2] = {{1.0, 0.0}, {1.0, 0.0}, {1.0, 0.0}};
    for (const PrepXmlNode *p = node->firstChild; p != nullptr; p = p->next) {
        if (!PrepXmlIs(p, "ExponentParams") && !PrepXmlIs(p, "GammaParams")) continue;
        if (ReadExponentParams(r, p, style, q) != 0) return -1;
    }
    PrepOp *op = AddNodeOp(r, node, "Exponent", PrepApplyExponent);
    if (op == nullptr) return -1;
    op->style = style;
    memcpy(op->params, q, sizeof q);
    return 0;
}

// The ASC_CDL styles, with the names of CTF files for the same ones.
constexpr ClfStyle kCdlStyles[] = {{"Fwd", kPrepCdlFwd},
                                   {"Rev", kPrepCdlRev},
                                   {"FwdNoClamp", kPrepCdlFwdNoClamp},
                                   {"RevNoClamp", kPrepCdlRevNoClamp},
                                   {"v1.2_Fwd", kPrepCdlFwd},
                                   {"v1.2_Rev", kPrepCdlRev},
                                   {"noClampFwd", kPrepCdlFwdNoClamp},
                                   {"noClampRev", kPrepCdlRevNoClamp}};

// An ASC_CDL without a style clamps (Fwd), unlike an ASC CDL file's
// correction; its numbers are not scaled by the bit depths.
int ReadCdl(ClfReading *r, const PrepXmlNode *node, const ClfScales &) {
    int32_t style = kPrepCdlFwd;
    if (PrepXmlAttributeValue(node, "style") != nullptr &&
        FindStyle(r, node, kCdlStyles, std::size(kCdlStyles), &style) != 0) {
        return -1;
    }
    return PrepAddCdl(r->t, node, style, r->warnings, r->error);
}

constexpr ClfStyle kExposureStyles[] = {{"linear", kPrepExposureLinear}, {"linearRev", kPrepExposureLinearRev},
                                        {"video", kPrepExposureVideo},   {"videoRev", kPrepExposureVideoRev},
                                        {"log", kPrepExposureLog},       {"logRev", kPrepExposureLogRev}};

// The ECParams of an ExposureContrast, in this order, and their values
// when not given; NaN: required.
enum ClfExposureParam : int32_t { kEcExposure, kEcContrast, kEcGamma, kEcPivot, kEcLogStep, kEcLogMidGray };
constexpr const char *kExposureParamNames[] = {"exposure", "contrast",        "gamma",
                                               "pivot",    "logExposureStep", "logMidGray"};
constexpr double kExposureParamDefaults[] = {NAN, NAN, 1.0, NAN, 0.088, 0.435};
// The smallest contrast and pivot taken; the power of the video style's
// encoding; the pivot that stands at logMidGray in the log style.
constexpr double kExposureLeast = 0.001;
constexpr double kVideoPower = 0.54644808743;
constexpr double kLogMidGrayPivot = 0.18;

int ReadExposureParams(ClfReading *r, const PrepXmlNode *node, double v[std::size(kExposureParamNames)]) {
    const PrepXmlNode *params = PrepXmlChild(node, "ECParams");
    for (size_t k = 0; k < std::size(kExposureParamNames); k++) {
        const char *text = params != nullptr ? PrepXmlAttributeValue(params, kExposureParamNames[k]) : nullptr;
        v[k] = kExposureParamDefaults[k];
        if (text == nullptr && std::isnan(v[k])) {
            PrepSetError(r->error, params != nullptr ? params->line : node->line, "an ExposureContrast without %s",
                         kExposureParamNames[k]);
            return -1;
        }
        if (text != nullptr && ReadNumberText(r, params->line, text, kExposureParamNames[k], &v[k]) != 0) return -1;
    }
    return 0;
}

// An ExposureContrast (CTF); its DynamicParameter children are settings of
// an application, not of the file.
int ReadExposureContrast(ClfReading *r, const PrepXmlNode *node, const ClfScales &) {
    int32_t style = 0;
    double v[std::size(kExposureParamNames)];
    if (FindStyle(r, node, kExposureStyles, std::size(kExposureStyles), &style) != 0) return -1;
    if (ReadExposureParams(r, node, v) != 0) return -1;
    PrepOp *op = AddNodeOp(r, node, "ExposureContrast", PrepApplyExposureContrast);
    if (op == nullptr) return -1;
    op->style = style;
    double pivot = std::fmax(v[kEcPivot], kExposureLeast);
    double *q = op->params;
    q[kPrepExposurePower] = std::fmax(v[kEcContrast] * v[kEcGamma], kExposureLeast);
    if (style == kPrepExposureLog || style == kPrepExposureLogRev) {
        // OpenColorIO 2.1's logRev shifts by the default step whatever
        // the file gives (its log pivot takes the file's); followed, as it
        // is the reference.
        double step = style == kPrepExposureLogRev ? kExposureParamDefaults[kEcLogStep] : v[kEcLogStep];
        q[kPrepExposureGain] = v[kEcExposure] * step;
        q[kPrepExposurePivot] = std::log2(pivot / kLogMidGrayPivot) * v[kEcLogStep] + v[kEcLogMidGray];
    } else {
        bool video = style == kPrepExposureVideo || style == kPrepExposureVideoRev;
        q[kPrepExposureGain] = std::exp2(v[kEcExposure] * (video ? kVideoPower : 1.0));
        q[kPrepExposurePivot] = video ? std::pow(pivot, kVideoPower) : pivot;
    }
    return 0;
}

// The FixedFunction styles read; OpenColorIO's others (the ACES ones,
// CIE L*u*v*...) are refused by name.
constexpr ClfStyle kFixedStyles[] = {{"Rec2100SurroundFwd", kPrepFixedRec2100SurroundFwd},
                                     {"Rec2100SurroundRev", kPrepFixedRec2100SurroundRev},
                                     {"XYZ_TO_xyY", kPrepFixedXyzToXyy},
                                     {"xyY_TO_XYZ", kPrepFixedXyyToXyz},
                                     {"uvY_TO_XYZ", kPrepFixedUvyToXyz},
                                     {"RGB_TO_HSV", kPrepFixedRgbToHsv},
                                     {"HSV_TO_RGB", kPrepFixedHsvToRgb}};

int RefuseFixedStyle(ClfReading *r, const PrepXmlNode *node, const char *style) {
    char known[160] = "";
    for (const ClfStyle &s : kFixedStyles) {
        size_t used = strlen(known);
        snprintf(known + used, sizeof known - used, "%s%s", used == 0 ? "" : ", ", s.name);
    }
    PrepSetError(r->error, node->line, "a FixedFunction of style \"%.40s\" is not supported (only %s)",
                 style != nullptr ? style : "", known);
    return -1;
}

// A FixedFunction (CTF) of the styles read; the surround correction takes
// one parameter, its gamma, the others none.
int ReadFixedFunction(ClfReading *r, const PrepXmlNode *node, const ClfScales &) {
    const char *name = PrepXmlAttributeValue(node, "style");
    const ClfStyle *found = nullptr;
    for (const ClfStyle &s : kFixedStyles) {
        if (name != nullptr && SameText(name, s.name)) found = &s;
    }
    if (found == nullptr) return RefuseFixedStyle(r, node, name);
    bool surround = found->style == kPrepFixedRec2100SurroundFwd || found->style == kPrepFixedRec2100SurroundRev;
    const char *params = PrepXmlAttributeValue(node, "params");
    double gamma = 1.0;
    if (surround != (params != nullptr)) {
        PrepSetError(r->error, node->line, "a FixedFunction of style %s takes %s", found->name,
                     surround ? "one parameter, its gamma" : "no parameters");
        return -1;
    }
    if (surround && ReadNumberText(r, node->line, params, "params", &gamma) != 0) return -1;
    if (surround && !(gamma > 0.0)) {
        PrepSetError(r->error, node->line, "a Rec2100Surround gamma of %g: it must be above 0", gamma);
        return -1;
    }
    PrepOp *op = AddNodeOp(r, node, "FixedFunction", PrepApplyFixedFunction);
    if (op == nullptr) return -1;
    op->style = found->style;
    op->params[0] = gamma;
    return 0;
}

using ClfReader = int (*)(ClfReading *r, const PrepXmlNode *node, const ClfScales &s);

// The process nodes read, and the first CLF (0: none) and CTF versions
// that have each.
struct ClfNode {
    const char *name;
    ClfReader read;
    int32_t sinceClf;
    double sinceCtf;
};
constexpr ClfNode kNodes[] = {{"Matrix", ReadMatrix, 2, 0.0},
                              {"LUT1D", ReadLut1d, 2, 0.0},
                              {"LUT3D", ReadLut3d, 2, 0.0},
                              {"Range", ReadRange, 2, 0.0},
                              {"Log", ReadLog, 3, 1.3},
                              {"Exponent", ReadExponent, 3, 0.0},
                              {"Gamma", ReadExponent, 3, 0.0},
                              {"ASC_CDL", ReadCdl, 2, 0.0},
                              {"InverseLUT1D", ReadInverseLut1d, 0, 0.0},
                              {"ExposureContrast", ReadExposureContrast, 0, 0.0},
                              {"FixedFunction", ReadFixedFunction, 0, 0.0}};

// OpenColorIO's other process nodes: refused, not skipped as unknown
// elements are, since skipping one changes the colours.
constexpr const char *kOtherNodes[] = {"InverseLUT3D", "Function", "GradingPrimary", "GradingRGBCurve",
                                       "GradingTone",  "ACES",     "Reference"};

// The inBitDepth and outBitDepth of a node, as the scales of its values;
// its input must be what the node before it gave.
int ReadScales(ClfReading *r, const PrepXmlNode *node, ClfScales *s) {
    static const char *const kNames[2] = {"inBitDepth", "outBitDepth"};
    const ClfBitDepth *depth[2] = {};
    for (int k = 0; k < 2; k++) {
        const char *name = PrepXmlAttributeValue(node, kNames[k]);
        for (const ClfBitDepth &d : kBitDepths) {
            if (name != nullptr && SameText(name, d.name)) depth[k] = &d;
        }
        if (depth[k] != nullptr) continue;
        char known[64] = "";
        for (const ClfBitDepth &d : kBitDepths) {
            size_t used = strlen(known);
            snprintf(known + used, sizeof known - used, "%s%s", used == 0 ? "" : ", ", d.name);
        }
        PrepSetError(r->error, node->line, "the %s's %s is \"%.20s\": one of %s", PrepXmlLocalName(node), kNames[k],
                     name != nullptr ? name : "", known);
        return -1;
    }
    if (r->lastOut != nullptr && depth[0] != r->lastOut) {
        PrepSetError(r->error, node->line,
                     "the %s's inBitDepth %s is not the outBitDepth %s of the node before (line %lld)",
                     PrepXmlLocalName(node), depth[0]->name, r->lastOut->name, static_cast<long long>(r->lastLine));
        return -1;
    }
    r->lastOut = depth[1];
    r->lastLine = node->line;
    s->in = depth[0]->scale;
    s->out = depth[1]->scale;
    return 0;
}

// The elements of a ProcessList that describe it, and nothing of the
// colours.
constexpr const char *kMetadata[] = {"Description", "InputDescriptor", "OutputDescriptor", "Info"};

bool IsMetadata(const PrepXmlNode *node) {
    for (const char *name : kMetadata) {
        if (PrepXmlIs(node, name)) return true;
    }
    return false;
}

const ClfNode *FindNode(const PrepXmlNode *node) {
    for (const ClfNode &kind : kNodes) {
        if (PrepXmlIs(node, kind.name)) return &kind;
    }
    return nullptr;
}

// One child of the ProcessList. Elements that are neither process nodes
// nor known are skipped, as OpenColorIO skips them.
int ReadNode(ClfReading *r, const PrepXmlNode *node) {
    const ClfNode *kind = FindNode(node);
    if (kind == nullptr) {
        for (const char *name : kOtherNodes) {
            if (!PrepXmlIs(node, name)) continue;
            PrepSetError(r->error, node->line, "the process node %s is not supported", name);
            return -1;
        }
        if (!IsMetadata(node)) {
            NoteWarning(r->warnings, kPrepWarnIgnored, node->line,
                        "%.60s inside the ProcessList is no process node: skipped, as OpenColorIO skips it",
                        node->name);
        }
        return 0;
    }
    if (r->clf && kind->sinceClf == 0) {
        PrepSetError(r->error, node->line, "the process node %s is not in CLF files (only in CTF)", kind->name);
        return -1;
    }
    if (r->clf && r->clfMajor < kind->sinceClf) {
        PrepSetError(r->error, node->line, "the process node %s is not in CLF %d (compCLFversion %d.0 has it)",
                     kind->name, r->clfMajor, kind->sinceClf);
        return -1;
    }
    if (!r->clf && r->ctfVersion < kind->sinceCtf) {
        PrepSetError(r->error, node->line, "the process node %s is not in CTF version %g (version %g has it)",
                     kind->name, r->ctfVersion, kind->sinceCtf);
        return -1;
    }
    ClfScales s{};
    if (ReadScales(r, node, &s) != 0) return -1;
    return kind->read(r, node, s);
}

// Under CLF's rules (a .clf, or any file with compCLFversion) the file's
// CLF version, else its CTF version.
int ReadVersion(ClfReading *r, const PrepXmlNode *root, bool clfName) {
    const char *clfVersion = PrepXmlAttributeValue(root, "compCLFversion");
    const char *version = PrepXmlAttributeValue(root, "version");
    r->clf = clfVersion != nullptr || (clfName && version == nullptr);
    double v = kOldestCtf;
    if (r->clf && clfVersion == nullptr) {
        PrepSetError(r->error, root->line, "a .clf ProcessList without compCLFversion");
        return -1;
    }
    const char *text = r->clf ? clfVersion : version;
    const char *what = r->clf ? "compCLFversion" : "version";
    if (text != nullptr && ReadNumberText(r, root->line, text, what, &v) != 0) return -1;
    double newest = r->clf ? kNewestClf : kNewestCtf;
    if (!(v > 0.0 && v <= newest)) {
        PrepSetError(r->error, root->line, "%s %g: the versions read are %g and older", what, v, newest);
        return -1;
    }
    r->clfMajor = v <= 2.0 ? 2 : 3;
    r->ctfVersion = v;
    return 0;
}

// A Description of the ProcessList, line by line, as notes.
void AddDescription(PrepTransform *t, const PrepXmlNode *node) {
    const char *p = node->text != nullptr ? node->text : "";
    const char *end = p + (node->text != nullptr ? node->textLength : 0);
    while (p < end) {
        const char *lineEnd = static_cast<const char *>(memchr(p, '\n', static_cast<size_t>(end - p)));
        if (lineEnd == nullptr) lineEnd = end;
        PrepLine line = TrimLine(PrepLine{p, lineEnd, 0});
        if (line.begin < line.end) PrepAddNote(t, line.begin, line.end);
        p = lineEnd + (lineEnd < end ? 1 : 0);
    }
}

int ReadProcessList(ClfReading *r, const PrepXmlNode *root, bool clfName) {
    // OpenColorIO knows the file by this name as written, without a prefix.
    if (strcmp(root->name, "ProcessList") != 0) {
        PrepSetError(r->error, root->line, "the root element is %.40s: a CLF or CTF file's is ProcessList", root->name);
        return -1;
    }
    const char *id = PrepXmlAttributeValue(root, "id");
    if (id == nullptr || id[0] == '\0') {
        PrepSetError(r->error, root->line, "the ProcessList has no id");
        return -1;
    }
    if (ReadVersion(r, root, clfName) != 0) return -1;
    for (const PrepXmlNode *node = root->firstChild; node != nullptr; node = node->next) {
        if (PrepXmlIs(node, "Description")) AddDescription(r->t, node);
        if (ReadNode(r, node) != 0) return -1;
    }
    if (r->t->count == 0) {
        PrepSetError(r->error, root->line, "no process node in the ProcessList");
        return -1;
    }
    return 0;
}

int ParseClfOrCtf(const PrepSource &source, bool clfName, PrepTransform *t, PrepWarnings *warnings, PrepError *error) {
    PrepFreeTransform(t);
    PrepXmlDocument doc{};
    if (PrepParseXml(source, &doc, error) != 0) return -1;
    ClfReading r{};
    r.t = t;
    r.warnings = warnings;
    r.error = error;
    int result = ReadProcessList(&r, doc.root, clfName);
    PrepFreeXml(&doc);
    FinishWarnings(warnings, "the range of a float");
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = clfName ? &kPrepFormatClf : &kPrepFormatCtf;
    return 0;
}

int ParseClf(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *warnings,
             PrepError *error) {
    return ParseClfOrCtf(source, true, t, warnings, error);
}

int ParseCtf(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *warnings,
             PrepError *error) {
    return ParseClfOrCtf(source, false, t, warnings, error);
}

}  // namespace

const PrepFormat kPrepFormatClf = {
    .name = "clf",
    .extension = ".clf",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseClf,
    .write = nullptr,
    .rowNode = nullptr,
};

const PrepFormat kPrepFormatCtf = {
    .name = "ctf",
    .extension = ".ctf",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseCtf,
    .write = nullptr,
    .rowNode = nullptr,
};
