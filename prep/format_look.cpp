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

static_assert(std::endian::native == std::endian::little, "eight digits are read as one little-endian word");

// Whether p[0, 8) are all hex digits, with *bits the value they write,
// least significant byte first. Most values stand as 8 digits together,
// and are read so at once, as one word: each byte is tested and turned
// into its digit's value in its own lane, without a carry into the next.
bool EightHexDigits(const char *p, uint32_t *bits) {
    constexpr uint64_t kOnes = 0x0101010101010101;
    constexpr uint64_t kHigh = 0x80 * kOnes;
    uint64_t x;
    memcpy(&x, p, sizeof x);
    // In each lane, with its top bit clear, the top bit of t + (0x80 - lo)
    // is set for t at least lo, and that of t + (0x7F - hi) clear for t at
    // most hi; no sum passes 0xFF.
    const uint64_t t = x & ~kHigh;
    auto within = [](uint64_t u, uint64_t lo, uint64_t hi) {
        return (u + (0x80 - lo) * kOnes) & ~(u + (0x7F - hi) * kOnes) & kHigh;
    };
    const uint64_t hex = (within(t, '0', '9') | within(t | 0x20 * kOnes, 'a', 'f')) & ~x;
    if (hex != kHigh) return false;
    // '0' to '9' are 0x30 to 0x39, 'A' to 'F' and 'a' to 'f' 0x41 to 0x46
    // and 0x61 to 0x66: the low four bits, and 9 more for a letter (bit 6).
    const uint64_t v = (x & 0x0F * kOnes) + 9 * ((x >> 6) & kOnes);
    // A byte of two digits in every other lane, the first digit high; then
    // the four bytes together.
    uint64_t w = ((v << 4) | (v >> 8)) & 0x00FF00FF00FF00FF;
    w = (w | (w >> 8)) & 0x0000FFFF0000FFFF;
    *bits = static_cast<uint32_t>(w | (w >> 16));
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
    const char *text = data->text;
    const size_t length = data->textLength;
    int64_t digits = 0, value = 0, line = data->line;
    auto take = [&](uint32_t bits) {
        if (value >= values) return;
        float v;
        memcpy(&v, &bits, sizeof v);
        lut->values[value++] = v;
        // Most values need no count: the test spares them the call.
        if (!(v >= 0.0f && v <= 1.0f)) NoteValue(found, v, 0.0, 1.0, line);
    };
    uint32_t bits = 0;
    int digit = 0;
    for (size_t i = 0; i < length;) {
        // A run of values that stand as 8 digits together, word by word.
        if (digit == 0 && HexDigit(text[i]) >= 0) {
            while (length - i >= 8 && EightHexDigits(text + i, &bits)) {
                take(bits);
                i += 8;
                digits += 8;
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
        } else if (c != ' ' && c != '\r' && !IsQuote(c)) {
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
