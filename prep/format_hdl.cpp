// lutprep's reading of Houdini LUTs (.hdl; Houdini writes them as .lut too,
// which the Discreet reader hands on here when they are not its own).
//
// A header of keyword lines, keywords in any letter case, up to "LUT:",
// each of them required:
//   Version v, Format f, To lo hi, Black b, White w   read, not applied
//   Type t        C (one 1D curve for red, green and blue), 3D, or 3D+1D
//                 (a 1D curve for all three channels, then a 3D table)
//   From lo hi    the input range of the 1D curve
//   Length n      or, for 3D+1D, Length n3d n1d
// then blocks of numbers in braces, across lines as the writer pleases:
//   RGB { v ... }        C: n values
//   { r g b ... }        3D (also "3D {"): n^3 rows, red fastest
//   Pre { v ... }        3D+1D: n1d values
// From maps the input onto the 1D curve (types C and 3D+1D); To, Black and
// White are read and not applied, and From is not applied to type 3D, as
// OpenColorIO reads them.
#include <cmath>
#include <cstring>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"
#include "prep/transform.h"

namespace {

enum HdlKey { kVersion, kFormat, kType, kFrom, kTo, kBlack, kWhite, kLength, kKeyCount };
const char *const kKeyNames[kKeyCount] = {"Version", "Format", "Type", "From", "To", "Black", "White", "Length"};

enum HdlType { kTypeC, kType3d, kType3d1d, kTypeCount };
const char *const kTypeNames[kTypeCount] = {"C", "3D", "3D+1D"};

// The blocks of the body: the 1D curve of type C ("RGB"), the 3D table and
// the 1D curve of type 3D+1D ("Pre").
enum HdlBlock { kBlockRgb, kBlockLattice, kBlockPre, kBlockCount, kNoBlock = kBlockCount };
const char *const kBlockNames[kBlockCount] = {"RGB", "3D", "Pre"};

// OpenColorIO's bound for a 1D table.
constexpr int64_t kMaxCurvePoints = int64_t{1} << 20;

struct HdlReading {
    int64_t keyLine[kKeyCount];
    HdlType type;
    float from[2];
    int64_t length[2];  // 3D, 1D (or the curve's alone for type C)
    bool body;
    // The name before a '{' (of up to 7 bytes), and the block being read.
    char name[8];
    int64_t nameLine;
    HdlBlock block;
    int64_t blockLine;
    int64_t filled[kBlockCount];
    bool closed[kBlockCount];
    PrepOp *curve;  // RGB or Pre
    PrepLut lut;
    PrepTransform *t;
    PrepError *error;
};

bool Used(const HdlReading &h, HdlBlock b) {
    return b == kBlockRgb ? h.type == kTypeC : b == kBlockLattice ? h.type != kTypeC : h.type == kType3d1d;
}

int64_t BlockSize(const HdlReading &h, HdlBlock b) {
    return b == kBlockLattice ? 3 * PrepNodeCount(static_cast<int32_t>(h.length[0])) : h.length[b == kBlockPre];
}

int ReadFromOrTo(const char *p, const PrepLine &line, const char *name, float out[2], PrepError *error) {
    for (int i = 0; i < 2; i++) {
        if (ScanReal(&p, line.end, 0, false, &out[i]) != kFieldNumber || !std::isfinite(out[i])) {
            PrepSetError(error, line.number, "%s needs two numbers", name);
            return -1;
        }
    }
    return 0;
}

int ReadType(const char *p, const PrepLine &line, HdlReading *h) {
    const char *rest = nullptr;
    for (int k = 0; k < kTypeCount; k++) {
        if (MatchKeyword(p, line.end, kTypeNames[k], &rest) && SkipBlanks(rest, line.end) == line.end) {
            h->type = static_cast<HdlType>(k);
            return 0;
        }
    }
    PrepSetError(h->error, line.number, "a Type other than C, 3D and 3D+1D: not read");
    return -1;
}

int ReadLength(const char *p, const PrepLine &line, HdlReading *h) {
    bool two = h->keyLine[kType] != 0 && h->type == kType3d1d;
    for (int i = 0; i < (two ? 2 : 1); i++) {
        if (ScanInteger(&p, line.end, 0, &h->length[i]) != kFieldNumber || h->length[i] < 2) {
            PrepSetError(h->error, line.number,
                         two ? "Length needs two whole numbers, of the 3D and the 1D table"
                             : "Length needs a whole number of 2 or more");
            return -1;
        }
    }
    if (SkipBlanks(p, line.end) != line.end) {
        PrepSetError(h->error, line.number, "Length takes %s", two ? "two numbers" : "one number for this Type");
        return -1;
    }
    if (!two) h->length[1] = h->length[0];
    return 0;
}

int ReadHeaderValue(HdlKey k, const char *p, const PrepLine &line, HdlReading *h) {
    float unused[2];
    switch (k) {
    case kType:
        return ReadType(p, line, h);
    case kFrom:
        if (ReadFromOrTo(p, line, "From", h->from, h->error) != 0) return -1;
        if (!(h->from[0] < h->from[1])) {
            PrepSetError(h->error, line.number, "From: the first input is not below the last");
            return -1;
        }
        return 0;
    case kTo:
        return ReadFromOrTo(p, line, "To", unused, h->error);
    case kBlack:
    case kWhite:
        if (ScanReal(&p, line.end, 0, false, &unused[0]) != kFieldNumber) {
            PrepSetError(h->error, line.number, "%s needs a number", kKeyNames[k]);
            return -1;
        }
        return 0;
    case kLength:
        return ReadLength(p, line, h);
    default:
        return 0;
    }
}

// The tables of the body, allocated once the header is complete: the 1D
// curve first, which is applied first.
int StartBody(const PrepLine &line, HdlReading *h) {
    for (int k = 0; k < kKeyCount; k++) {
        if (h->keyLine[k] == 0) {
            PrepSetError(h->error, line.number, "no %s line before LUT:", kKeyNames[k]);
            return -1;
        }
    }
    // Type after Length: Length was read as one number.
    if (h->type == kType3d1d && h->keyLine[kType] > h->keyLine[kLength]) {
        PrepSetError(h->error, h->keyLine[kLength], "Type 3D+1D must come before Length, which then gives two sizes");
        return -1;
    }
    int64_t curvePoints = h->length[h->type == kType3d1d ? 1 : 0];
    if (h->type != kType3d && curvePoints > kMaxCurvePoints) {
        PrepSetError(h->error, h->keyLine[kLength], "a 1D table of more than %lld entries",
                     static_cast<long long>(kMaxCurvePoints));
        return -1;
    }
    if (h->type != kType3d) {
        h->curve = PrepAddCurve(h->t, h->type == kTypeC ? "1D LUT" : "Pre-LUT", static_cast<int32_t>(curvePoints),
                                false, h->error);
        if (h->curve == nullptr) return -1;
        for (int c = 0; c < 3; c++) {
            h->curve->curve.min[c] = h->from[0];
            h->curve->curve.max[c] = h->from[1];
        }
    }
    if (h->type != kTypeC) {
        if (h->length[0] > kPrepMaxPoints) {
            PrepSetError(h->error, h->keyLine[kLength], "a 3D table has %d to %d points per axis", kPrepMinPoints,
                         kPrepMaxPoints);
            return -1;
        }
        if (PrepAllocLut(&h->lut, static_cast<int32_t>(h->length[0]), 0, h->error) != 0) return -1;
    }
    h->body = true;
    return 0;
}

int ReadHeaderLine(const PrepLine &line, HdlReading *h) {
    const char *rest = nullptr;
    if (MatchKeyword(line.begin, line.end, "LUT:", &rest)) {
        if (SkipBlanks(rest, line.end) != line.end) {
            PrepSetError(h->error, line.number, "text after LUT: on its line");
            return -1;
        }
        return StartBody(line, h);
    }
    int k = 0;
    while (k < kKeyCount && !MatchKeyword(line.begin, line.end, kKeyNames[k], &rest)) k++;
    if (k == kKeyCount) {
        char word[32];
        QuoteField(line.begin, line.end, 0, word);
        PrepSetError(h->error, line.number, "'%s' is not a Houdini LUT header line", word);
        return -1;
    }
    if (h->keyLine[k] != 0) {
        PrepSetError(h->error, line.number, "%s given twice (first on line %lld)", kKeyNames[k],
                     static_cast<long long>(h->keyLine[k]));
        return -1;
    }
    h->keyLine[k] = line.number;
    return ReadHeaderValue(static_cast<HdlKey>(k), rest, line, h);
}

// A '{': the block its name (or none: the 3D table) opens.
int OpenBlock(int64_t line, HdlReading *h) {
    int b = 0;
    if (h->name[0] == '\0') {
        b = kBlockLattice;
    } else {
        const char *rest = nullptr;
        while (b < kBlockCount && !MatchKeyword(h->name, h->name + strlen(h->name), kBlockNames[b], &rest)) b++;
    }
    if (b == kBlockCount || !Used(*h, static_cast<HdlBlock>(b))) {
        PrepSetError(h->error, line, "a block '%s' in a LUT of Type %s, which holds %s", h->name, kTypeNames[h->type],
                     h->type == kTypeC    ? "one RGB block"
                     : h->type == kType3d ? "one 3D block"
                                          : "a Pre and a 3D block");
        return -1;
    }
    if (h->blockLine != 0 || h->closed[b] || h->filled[b] != 0) {
        PrepSetError(h->error, line, "a second %s block, or one within another", kBlockNames[b]);
        return -1;
    }
    h->block = static_cast<HdlBlock>(b);
    h->blockLine = line;
    h->name[0] = '\0';
    return 0;
}

int CloseBlock(int64_t line, HdlReading *h) {
    if (h->block == kNoBlock) {
        PrepSetError(h->error, line, "a '}' outside a block");
        return -1;
    }
    int64_t size = BlockSize(*h, h->block);
    if (h->filled[h->block] != size) {
        PrepSetError(h->error, line, "the %s block (line %lld) holds %lld numbers; Length needs %lld",
                     kBlockNames[h->block], static_cast<long long>(h->blockLine),
                     static_cast<long long>(h->filled[h->block]), static_cast<long long>(size));
        return -1;
    }
    h->closed[h->block] = true;
    h->block = kNoBlock;
    h->blockLine = 0;
    return 0;
}

// A number within a block.
int StoreValue(const char *begin, const char *end, int64_t line, HdlReading *h) {
    const char *p = begin;
    float v = 0.0f;
    if (ScanReal(&p, end, 0, false, &v) != kFieldNumber || p != end || !std::isfinite(v)) {
        char word[32];
        QuoteField(begin, end, 0, word);
        PrepSetError(h->error, line, "'%s' is not a finite number", word);
        return -1;
    }
    int64_t k = h->filled[h->block];
    if (k == BlockSize(*h, h->block)) {
        PrepSetError(h->error, line, "more numbers in the %s block (line %lld) than Length gives",
                     kBlockNames[h->block], static_cast<long long>(h->blockLine));
        return -1;
    }
    if (h->block == kBlockLattice) {
        h->lut.values[k] = v;
    } else {
        // One curve for red, green and blue.
        for (int c = 0; c < 3; c++) h->curve->curve.values[k][c] = v;
    }
    h->filled[h->block]++;
    return 0;
}

// A word outside a block: the name of the next one.
int KeepName(const char *begin, const char *end, int64_t line, HdlReading *h) {
    size_t n = static_cast<size_t>(end - begin);
    if (h->name[0] != '\0' || n >= sizeof h->name) {
        char word[32];
        QuoteField(begin, end, 0, word);
        PrepSetError(h->error, line, "'%s' where a block's name and '{' belong", word);
        return -1;
    }
    memcpy(h->name, begin, n);
    h->name[n] = '\0';
    return 0;
}

// The body's words, braces being words of their own.
int ReadBodyLine(const PrepLine &line, HdlReading *h) {
    const char *p = SkipBlanks(line.begin, line.end);
    while (p < line.end) {
        const char *end = p + 1;
        if (*p != '{' && *p != '}') {
            while (end < line.end && !IsBlank(*end) && *end != '{' && *end != '}') end++;
        }
        int result = *p == '{'              ? OpenBlock(line.number, h)
                     : *p == '}'            ? CloseBlock(line.number, h)
                     : h->block != kNoBlock ? StoreValue(p, end, line.number, h)
                                            : KeepName(p, end, line.number, h);
        if (result != 0) return -1;
        p = SkipBlanks(end, line.end);
    }
    return 0;
}

int ReadHdlLine(void *state, const PrepLine &line) {
    HdlReading *h = static_cast<HdlReading *>(state);
    return h->body ? ReadBodyLine(line, h) : ReadHeaderLine(line, h);
}

// The blocks the type needs, all closed; -1 with *error set otherwise.
int CheckComplete(const HdlReading &h, int64_t lastLine, PrepError *error) {
    if (!h.body) {
        PrepSetError(error, lastLine, "no LUT: line: the file ends in its header");
        return -1;
    }
    if (h.block != kNoBlock) {
        PrepSetError(error, h.blockLine, "the %s block is not closed", kBlockNames[h.block]);
        return -1;
    }
    for (int b = 0; b < kBlockCount; b++) {
        if (Used(h, static_cast<HdlBlock>(b)) && !h.closed[b]) {
            PrepSetError(error, lastLine, "no %s block", kBlockNames[b]);
            return -1;
        }
    }
    return 0;
}

int ParseHdl(const PrepSource &source, const PrepReadOptions &, PrepTransform *t, PrepWarnings *, PrepError *error) {
    PrepFreeTransform(t);
    HdlReading h{};
    h.block = kNoBlock;
    h.t = t;
    h.error = error;
    int64_t lastLine = 1;
    int result = ForEachSourceLine(source, false, 0, ReadHdlLine, &h, &lastLine, error);
    if (result == 0) result = CheckComplete(h, lastLine, error);
    if (result == 0 && h.type != kTypeC) {
        h.lut.family = &kPrepFormatHdl;
        result = PrepAddLut(t, &h.lut, kPrepInterpDefault, error);
    }
    PrepFreeLut(&h.lut);
    if (result != 0) {
        PrepFreeTransform(t);
        return -1;
    }
    t->family = &kPrepFormatHdl;
    return 0;
}

}  // namespace

const PrepFormat kPrepFormatHdl = {
    .name = "hdl",
    .extension = ".hdl",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = nullptr,
    .parseTransform = ParseHdl,
    .write = nullptr,
    .rowNode = nullptr,
};
