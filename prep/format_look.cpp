// Iridas (SpeedGrade) .look: the 3D table of a look, read as OpenColorIO
// reads it.
//
// An XML document, <look> at its root. Its <LUT> element holds the table:
//   <size>"n"</size>        n points per axis, 2 to 256, quoted or not
//   <data>"hex"</data>      3 n^3 values, red fastest, each 8 hex digits:
//                           a float's 4 bytes, least significant first
//                           ("0000803F" is 1.0), in either letter case
// The digits may be broken by blanks, line ends and quotes, nothing else.
// The rest of the look (its shaders, a 1D section) is what the grading
// software built the table from, so it is not read; but a look restricted
// by a <mask> with content is refused, since no table can hold the mask.
// Element names are matched in their letter case, as OpenColorIO matches
// them.
#include <bit>
#include <cstdio>
#include <cstring>

#include "prep/format.h"
#include "prep/table_rows.h"
#include "prep/text_scan.h"
#include "prep/xml_tree.h"

namespace {

bool Named(const PrepXmlNode *node, const char *name) { return strcmp(PrepXmlLocalName(node), name) == 0; }

// The <LUT> of the look; null with *error set when there is none, or the
// look is masked.
const PrepXmlNode *FindLut(const PrepXmlNode *root, PrepError *error) {
    if (!Named(root, "look")) {
        PrepSetError(error, root->line, "the root element is <%.64s>, not <look>: not an Iridas .look file",
                     root->name);
        return nullptr;
    }
    const PrepXmlNode *lut = nullptr;
    for (const PrepXmlNode *child = root->firstChild; child != nullptr; child = child->next) {
        if (Named(child, "mask") && child->firstChild != nullptr) {
            PrepSetError(error, child->line,
                         "a <mask> with content: the look applies within a mask, which no LUT holds");
            return nullptr;
        }
        if (!Named(child, "LUT")) continue;
        if (lut != nullptr) {
            PrepSetError(error, child->line, "a second <LUT> (the first on line %lld)",
                         static_cast<long long>(lut->line));
            return nullptr;
        }
        lut = child;
    }
    if (lut == nullptr) PrepSetError(error, root->line, "no <LUT> element: the look holds no table");
    return lut;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// What may stand between the digits of <data>: blanks, line ends, quotes.
bool IsSpacing(char c) { return c == ' ' || c == '\n' || c == '\r' || IsQuote(c); }

int ReadSize(const PrepXmlNode *size, int32_t *points, PrepError *error) {
    // An empty element has no text at all.
    const char *begin = size->text != nullptr ? size->text : "", *end = begin + size->textLength;
    for (; begin < end && (IsBlank(*begin) || *begin == '\n' || IsQuote(*begin)); begin++) {
    }
    for (; end > begin && (IsBlank(end[-1]) || end[-1] == '\n' || IsQuote(end[-1])); end--) {
    }
    int64_t n = 0;
    const char *p = begin;
    if (ScanInteger(&p, end, 0, &n) != kFieldNumber || p != end || n < kPrepMinPoints || n > kPrepMaxPoints) {
        PrepSetError(error, size->line, "<size> needs one whole number from %d to %d", kPrepMinPoints, kPrepMaxPoints);
        return -1;
    }
    *points = static_cast<int32_t>(n);
    return 0;
}

// Each byte's value as a hex digit, -1 for a byte that is none: <data>
// is millions of digits, each looked up once.
struct HexDigits {
    signed char value[256];
};

constexpr HexDigits MakeHexDigits() {
    HexDigits h{};
    for (int c = 0; c < 256; c++) {
        bool decimal = c >= '0' && c <= '9', lower = c >= 'a' && c <= 'f', upper = c >= 'A' && c <= 'F';
        h.value[c] = static_cast<signed char>(decimal ? c - '0' : lower ? c - 'a' + 10 : upper ? c - 'A' + 10 : -1);
    }
    return h;
}

constexpr HexDigits kHexDigits = MakeHexDigits();

int HexDigit(char c) { return kHexDigits.value[static_cast<unsigned char>(c)]; }

// The byte two hex digits write, for each pair of bytes as one
// little-endian 16-bit index (the first digit, the high one, its low
// byte); kNotHexPair for a pair that is not two digits. Most values stand
// as 8 digits together, and are read so, four pairs a value: four looks
// into this table take a fraction of the steps that test and convert the
// digits one by one. The pairs of digits lie in a few kilobytes of it.
constexpr uint16_t kNotHexPair = 0x100;

static_assert(std::endian::native == std::endian::little, "a pair's first byte is its index's low byte");

struct HexPairs {
    uint16_t value[1 << 16];
};

constexpr HexPairs MakeHexPairs() {
    HexPairs h{};
    for (int pair = 0; pair < (1 << 16); pair++) {
        int high = kHexDigits.value[pair & 0xFF], low = kHexDigits.value[pair >> 8];
        h.value[pair] = high < 0 || low < 0 ? kNotHexPair : static_cast<uint16_t>(high << 4 | low);
    }
    return h;
}

constexpr HexPairs kHexPairs = MakeHexPairs();

// Whether p[0, 8) are all hex digits, with *bits the value they write,
// least significant byte first.
bool EightHexDigits(const char *p, uint32_t *bits) {
    uint16_t pair[4];
    memcpy(pair, p, sizeof pair);
    const uint32_t b0 = kHexPairs.value[pair[0]], b1 = kHexPairs.value[pair[1]], b2 = kHexPairs.value[pair[2]],
                   b3 = kHexPairs.value[pair[3]];
    if (((b0 | b1 | b2 | b3) & kNotHexPair) != 0) return false;
    *bits = b0 | b1 << 8 | b2 << 16 | b3 << 24;
    return true;
}

// -1 with *error set for character c of <data>, on the line given.
int RefuseCharacter(char c, int64_t line, PrepError *error) {
    char shown[16];
    if (c == '\t') {
        snprintf(shown, sizeof shown, "a tab");
    } else if (c >= ' ' && c <= '~') {
        snprintf(shown, sizeof shown, "'%c'", c);
    } else {
        snprintf(shown, sizeof shown, "byte %d", static_cast<unsigned char>(c));
    }
    PrepSetError(error, line, "%s in <data>, where only hex digits, blanks, line ends and quotes belong", shown);
    return -1;
}

// The values of <data> into the lattice, 8 digits each, as far as it
// holds them, their warnings into *found: the count of the digits, or -1
// with *error set at the first character that is neither a digit nor a
// blank, line end or quote.
int64_t DecodeData(const PrepXmlNode *data, PrepLut *lut, PrepWarnings *found, PrepError *error) {
    const int64_t values = 3 * PrepNodeCount(lut->points);
    float *const out = lut->values;
    const char *text = data->text;
    const size_t length = data->textLength;
    int64_t digits = 0, value = 0, line = data->line;
    auto take = [&](uint32_t bits) {
        if (value >= values) return;
        float v;
        memcpy(&v, &bits, sizeof v);
        out[value++] = v;
        // Most values need no count: the test spares them the call. On the
        // bits, 0 to 1 are +0 to 0x3F800000 and -0 is 0x80000000.
        constexpr uint32_t kOne = 0x3F800000, kMinusZero = 0x80000000;
        if (bits > kOne && bits != kMinusZero) NoteValue(found, v, 0.0, 1.0, line);
    };
    uint32_t bits = 0;
    int digit = 0;
    for (size_t i = 0; i < length;) {
        if (digit == 0) {
            // Runs of values that stand as 8 digits together, word by
            // word, and the blanks, line ends and quotes between them, as
            // the steps below take them.
            for (size_t before = length; i != before && i < length;) {
                before = i;
                const size_t first = i;
                while (length - i >= 8 && EightHexDigits(text + i, &bits)) {
                    take(bits);
                    i += 8;
                }
                digits += static_cast<int64_t>(i - first);
                for (; i < length && IsSpacing(text[i]); i++) line += text[i] == '\n';
            }
            bits = 0;
            if (i == length) break;
        }
        char c = text[i++];
        int d = HexDigit(c);
        if (d >= 0) {
            bits |= static_cast<uint32_t>(d) << (4 * (digit ^ 1));
            digit++;
            digits++;
        } else if (c == '\n') {
            line++;
        } else if (!IsSpacing(c)) {
            return RefuseCharacter(c, line, error);
        }
        if (digit < 8) continue;
        take(bits);
        bits = 0;
        digit = 0;
    }
    return digits;
}

int ReadTable(const PrepXmlNode *lutNode, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    const PrepXmlNode *size = nullptr, *data = nullptr;
    for (const PrepXmlNode *child = lutNode->firstChild; child != nullptr; child = child->next) {
        const PrepXmlNode **slot = Named(child, "size") ? &size : Named(child, "data") ? &data : nullptr;
        if (slot == nullptr || *slot != nullptr) {
            PrepSetError(error, child->line, "<%.64s>%s inside <LUT>, which holds one <size> and one <data>",
                         child->name, slot == nullptr ? "" : " again");
            return -1;
        }
        *slot = child;
    }
    if (size == nullptr || data == nullptr) {
        PrepSetError(error, lutNode->line, "<LUT> without <%s>", size == nullptr ? "size" : "data");
        return -1;
    }
    int32_t points = 0;
    if (ReadSize(size, &points, error) != 0) return -1;
    int64_t needed = 8 * 3 * PrepNodeCount(points);
    // The table is allocated only for a <data> of enough characters, so
    // that a few bytes cannot take a large one; a shorter one is only
    // counted, for the count's refusal.
    PrepFreeLut(lut);
    if (static_cast<uint64_t>(needed) <= data->textLength && PrepAllocLut(lut, points, 0, error) != 0) return -1;
    // The digits are read once, counted as they are decoded; the values'
    // warnings count only once the count is right.
    PrepWarnings found{};
    int64_t digits = DecodeData(data, lut, &found, error);
    if (digits >= 0 && digits != needed) {
        PrepSetError(error, data->line, "<data> holds %lld hex digits; <size> %d (line %lld) needs %lld (8 a value)",
                     static_cast<long long>(digits), points, static_cast<long long>(size->line),
                     static_cast<long long>(needed));
    }
    if (digits != needed) {
        PrepFreeLut(lut);
        return -1;
    }
    // Nothing before the table warns.
    if (warnings != nullptr) *warnings = found;
    lut->family = &kPrepFormatLook;
    lut->statedPoints = points;
    return 0;
}

int ParseLook(const PrepSource &source, PrepLut *lut, PrepWarnings *warnings, PrepError *error) {
    PrepFreeLut(lut);
    PrepXmlDocument doc{};
    int result = PrepParseXml(source, &doc, error);
    const PrepXmlNode *lutNode = result == 0 ? FindLut(doc.root, error) : nullptr;
    result = lutNode != nullptr ? ReadTable(lutNode, lut, warnings, error) : -1;
    PrepFreeXml(&doc);
    FinishWarnings(warnings, "[0, 1]");
    return result;
}

}  // namespace

const PrepFormat kPrepFormatLook = {
    .name = "look",
    .extension = ".look",
    .hasBitDepth = false,
    .boxRow = nullptr,
    .parse = ParseLook,
    .parseTransform = nullptr,
    .write = nullptr,
    .rowNode = PrepRedFastestNode,
};
