// lutprep's transforms (operations applied in order, baked into one
// lattice) and the XML tree its XML formats are read through.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/transform.h"
#include "prep/xml_tree.h"

namespace {

// A 1D curve of x squared, 5 points over [0, 1], as a file would give it.
void AddSquare(PrepTransform *t) {
    PrepOp *op = PrepAddCurve(t, "1D LUT", 5, false, nullptr);
    ASSERT_NE(op, nullptr);
    for (int k = 0; k < 5; k++) {
        for (int c = 0; c < 3; c++) op->curve.values[k][c] = static_cast<float>(k * k) / 16.0f;
    }
}

// A 2-point 3D LUT that halves every channel.
void AddHalving(PrepTransform *t) {
    PrepLut lut{};
    ASSERT_EQ(PrepAllocLut(&lut, 2, 0, nullptr), 0);
    for (int64_t row = 0; row < 8; row++) {
        int32_t node[3] = {static_cast<int32_t>(row & 1), static_cast<int32_t>(row >> 1 & 1),
                           static_cast<int32_t>(row >> 2 & 1)};
        for (int c = 0; c < 3; c++) lut.values[3 * row + c] = 0.5f * static_cast<float>(node[c]);
    }
    ASSERT_EQ(PrepAddLut(t, &lut, kPrepInterpDefault, nullptr), 0);
    EXPECT_EQ(lut.values, nullptr);  // taken by the transform
}

double At(const PrepTransform &t, double x) {
    double rgb[3] = {x, x, x};
    PrepApplyTransform(&t, kPrepTetrahedral, rgb);
    return rgb[0];
}

}  // namespace

// The order of a chain is the order given: OpenColorIO's ociobakelut gives
// 0.125 at 0.5 for a squaring 1D LUT then a halving 3D LUT, and 0.0625 for
// the reverse; between the curve's points the interpolation is linear.
TEST(PrepTransform, OperationsApplyInOrderWithoutClampingBetween) {
    PrepTransform square_then_half{}, half_then_square{};
    AddSquare(&square_then_half);
    AddHalving(&square_then_half);
    AddHalving(&half_then_square);
    AddSquare(&half_then_square);
    EXPECT_DOUBLE_EQ(At(square_then_half, 0.5), 0.125);
    EXPECT_DOUBLE_EQ(At(half_then_square, 0.5), 0.0625);
    // 0.4 lies 0.6 of the way from the curve's point 0.25 (0.0625) to 0.5
    // (0.25).
    EXPECT_NEAR(At(half_then_square, 0.8), 0.0625 + 0.6 * 0.1875, 1e-12);

    // A matrix with an offset may leave [0, 1]; the next operation sees
    // that value, not a clamped one.
    PrepTransform matrix_then_curve{};
    PrepOp *m = PrepAddOp(&matrix_then_curve, "Matrix", PrepApplyMatrix, nullptr);
    ASSERT_NE(m, nullptr);
    m->params[0] = m->params[5] = m->params[10] = 2.0;
    m->params[3] = -0.5;
    double rgb[3] = {0.2, 0.5, 1.0};
    PrepApplyTransform(&matrix_then_curve, kPrepTetrahedral, rgb);
    EXPECT_DOUBLE_EQ(rgb[0], -0.1);
    EXPECT_DOUBLE_EQ(rgb[1], 1.0);
    EXPECT_DOUBLE_EQ(rgb[2], 2.0);
    PrepFreeTransform(&square_then_half);
    PrepFreeTransform(&half_then_square);
    PrepFreeTransform(&matrix_then_curve);
}

// Listed inputs (a Cinespace pre-LUT's) need not be evenly spaced; beyond
// the first and last the ends hold.
TEST(PrepTransform, PositionedCurveInterpolatesBetweenItsInputsAndHoldsItsEnds) {
    PrepTransform t{};
    PrepOp *op = PrepAddCurve(&t, "1D LUT", 3, true, nullptr);
    ASSERT_NE(op, nullptr);
    const float inputs[3] = {-1.0f, 0.0f, 3.0f}, outputs[3] = {0.0f, 0.25f, 1.0f};
    for (int k = 0; k < 3; k++) {
        for (int c = 0; c < 3; c++) {
            op->curve.positions[k][c] = inputs[k];
            op->curve.values[k][c] = outputs[k];
        }
    }
    EXPECT_DOUBLE_EQ(At(t, -0.5), 0.125);
    EXPECT_DOUBLE_EQ(At(t, 1.5), 0.625);
    EXPECT_DOUBLE_EQ(At(t, -7.0), 0.0);
    EXPECT_DOUBLE_EQ(At(t, 9.0), 1.0);
    PrepFreeTransform(&t);
}

// One 3D LUT is taken as it is (its own size, its nodes untouched); more is
// baked at n / (points - 1), where every node is the chain's exact value.
TEST(PrepTransform, OneLutIsKeptAndAChainIsBakedAtItsNodes) {
    PrepTransform t{};
    AddHalving(&t);
    const char title[] = "TITLE kept";
    PrepAddNote(&t, title, title + strlen(title));
    PrepLut lut{};
    ASSERT_EQ(PrepTransformToLut(&t, 65, kPrepTetrahedral, &lut, nullptr), 0);
    EXPECT_EQ(lut.points, 2);
    EXPECT_EQ(t.count, 0);
    EXPECT_STREQ(t.notes, "TITLE kept\n");

    AddSquare(&t);
    AddHalving(&t);
    ASSERT_EQ(PrepTransformToLut(&t, 5, kPrepTetrahedral, &lut, nullptr), 0);
    ASSERT_EQ(lut.points, 5);
    EXPECT_TRUE(PrepIsPlainLattice(&lut));
    // Node (2, 4, 1): inputs 0.5, 1, 0.25, squared and halved.
    const float *node = lut.values + 3 * (2 + 5 * (4 + 5 * 1));
    EXPECT_FLOAT_EQ(node[0], 0.125f);
    EXPECT_FLOAT_EQ(node[1], 0.5f);
    EXPECT_FLOAT_EQ(node[2], 0.03125f);
    PrepFreeLut(&lut);
    EXPECT_EQ(PrepBakePoints(33), 65);
    EXPECT_EQ(PrepBakePoints(17), 33);
}

TEST(PrepTransform, AChainLongerThanAnyFileIsRefused) {
    PrepTransform t{}, more{};
    for (int32_t i = 0; i < kPrepMaxOps; i++) ASSERT_NE(PrepAddOp(&t, "Matrix", PrepApplyMatrix, nullptr), nullptr);
    PrepError error{};
    EXPECT_EQ(PrepAddOp(&t, "Matrix", PrepApplyMatrix, &error), nullptr);
    EXPECT_NE(strstr(error.text, "operations"), nullptr);
    ASSERT_NE(PrepAddOp(&more, "Matrix", PrepApplyMatrix, nullptr), nullptr);
    EXPECT_EQ(PrepAppendTransform(&t, &more, &error), -1);
    EXPECT_EQ(more.count, 1);  // both as they were
    PrepFreeTransform(&t);
    PrepFreeTransform(&more);
}

namespace {

int ParseXml(const std::string &text, PrepXmlDocument *doc, PrepError *error) {
    return PrepParseXml(PrepSource{text.data(), text.size(), nullptr}, doc, error);
}

}  // namespace

TEST(PrepXml, ElementsAttributesAndTextWithTheirLines) {
    const std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<ProcessList ID=\"a\" xmlns:x=\"u\">\n"
        "  <x:Matrix inBitDepth=\"32f\"><Array dim=\"3 3\">1 0 0\n0 1 0 &amp; 0 0 1</Array></x:Matrix>\n"
        "  <Description>one</Description>\n</ProcessList>\n";
    PrepXmlDocument doc{};
    PrepError error{};
    ASSERT_EQ(ParseXml(text, &doc, &error), 0) << error.text;
    EXPECT_TRUE(PrepXmlIs(doc.root, "processlist"));
    EXPECT_STREQ(PrepXmlAttributeValue(doc.root, "id"), "a");
    const PrepXmlNode *matrix = PrepXmlChild(doc.root, "MATRIX");
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(matrix->line, 3);
    EXPECT_STREQ(PrepXmlLocalName(matrix), "Matrix");
    EXPECT_STREQ(PrepXmlAttributeValue(matrix, "inBitDepth"), "32f");
    const PrepXmlNode *array = PrepXmlChild(matrix, "Array");
    ASSERT_NE(array, nullptr);
    EXPECT_STREQ(array->text, "1 0 0\n0 1 0 & 0 0 1");
    EXPECT_EQ(PrepXmlNextNamed(matrix, "Matrix"), nullptr);
    EXPECT_NE(PrepXmlNextNamed(matrix, "description"), nullptr);
    PrepFreeXml(&doc);
}

// Entity expansion (the "billion laughs"), nesting without end and broken
// XML are refused with the line, before they cost memory.
TEST(PrepXml, HostileAndBrokenDocumentsAreRefusedWithTheirLine) {
    PrepXmlDocument doc{};
    PrepError error{};
    const std::string laughs =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE l [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>\n"
        "<l>&b;</l>\n";
    EXPECT_EQ(ParseXml(laughs, &doc, &error), -1);
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(strstr(error.text, "DOCTYPE"), nullptr) << error.text;

    std::string deep;
    for (int i = 0; i < kPrepXmlMaxDepth + 1; i++) deep += "<a>";
    EXPECT_EQ(ParseXml(deep, &doc, &error), -1);
    EXPECT_NE(strstr(error.text, "nested"), nullptr) << error.text;

    EXPECT_EQ(ParseXml("<a>\n<b></a>\n", &doc, &error), -1);
    EXPECT_EQ(error.line, 2);
    EXPECT_NE(strstr(error.text, "not well-formed"), nullptr) << error.text;
    EXPECT_EQ(ParseXml("", &doc, &error), -1);
    EXPECT_EQ(doc.root, nullptr);
}

// A file is read in blocks; an element's text may cross them, and one of
// more than 256 KiB (a LUT's array) grows into the room the whole document
// could hold: the same bytes from a file and from memory.
TEST(PrepXml, AFileReadsAsTheSameBytesInMemory) {
    std::string text = "<Array>";
    for (int i = 0; i < 80000; i++) text += i % 1000 == 0 ? "&#x30; " : "0.125 ";
    text += "</Array>";
    std::string want;
    for (int i = 0; i < 80000; i++) want += i % 1000 == 0 ? "0 " : "0.125 ";
    FILE *file = tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite(text.data(), 1, text.size(), file), text.size());
    rewind(file);
    PrepXmlDocument doc{};
    PrepError error{};
    ASSERT_EQ(PrepParseXml(PrepSource{nullptr, 0, file}, &doc, &error), 0) << error.text;
    fclose(file);
    EXPECT_EQ(doc.root->textLength, want.size());
    EXPECT_EQ(std::string(doc.root->text), want);
    ASSERT_EQ(ParseXml(text, &doc, &error), 0) << error.text;
    EXPECT_EQ(std::string(doc.root->text), want);
    PrepFreeXml(&doc);
}

namespace {

// The tree as text: each element's name, line, attributes and text, its
// children inside it; or the refusal with its line.
void DumpNodes(const PrepXmlNode *node, std::string *out) {
    for (; node != nullptr; node = node->next) {
        *out += "<" + std::string(node->name) + " @" + std::to_string(node->line);
        for (int32_t i = 0; i < node->attributeCount; i++) {
            *out += std::string(" ") + node->attributes[i].name + "=[" + node->attributes[i].value + "]";
        }
        *out += ">[";
        if (node->text != nullptr) *out += std::string(node->text, node->textLength) + "|" + node->text;
        *out += "]";
        DumpNodes(node->firstChild, out);
        *out += "</>";
    }
}

std::string ParsedAs(const PrepSource &source, size_t rawRunBytes) {
    PrepXmlDocument doc{};
    PrepError error{};
    if (PrepParseXmlTakingRuns(source, rawRunBytes, &doc, &error) != 0) {
        return "refused at line " + std::to_string(error.line) + ": " + error.text;
    }
    std::string out;
    DumpNodes(doc.root, &out);
    PrepFreeXml(&doc);
    return out;
}

// The document read with every text through expat, then with the text
// after a start tag taken past it (from the shortest, and at the length
// the reader takes), from memory and from a file read from where it stands.
void ExpectTheSameTree(const std::string &text, const std::string &what) {
    SCOPED_TRACE(what);
    std::string plain = ParsedAs(PrepSource{text.data(), text.size(), nullptr}, 0);
    EXPECT_EQ(ParsedAs(PrepSource{text.data(), text.size(), nullptr}, 1), plain);
    EXPECT_EQ(ParsedAs(PrepSource{text.data(), text.size(), nullptr}, kPrepXmlRawRunBytes), plain);
    FILE *file = tmpfile();
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite("skip", 1, 4, file), 4u);
    ASSERT_EQ(fwrite(text.data(), 1, text.size(), file), text.size());
    ASSERT_EQ(fseek(file, 4, SEEK_SET), 0);
    EXPECT_EQ(ParsedAs(PrepSource{nullptr, 0, file}, 1), plain);
    fclose(file);
}

// A CLF with a LUT3D of `points` and its rows ending in line_end.
std::string ClfWithLut3d(int points, const char *lineEnd) {
    std::string text = "<?xml version=\"1.0\"?>\n<ProcessList id=\"g\" compCLFversion=\"3.0\">\n";
    text += "  <LUT3D inBitDepth=\"32f\" outBitDepth=\"32f\">\n    <Array dim=\"" + std::to_string(points) + " " +
            std::to_string(points) + " " + std::to_string(points) + " 3\">" + lineEnd;
    char row[64];
    for (int i = 0; i < points * points * points; i++) {
        snprintf(row, sizeof row, "%.6f %.6f %.6f%s", (i % 97) / 97.0, (i % 89) / 89.0, (i % 83) / 83.0, lineEnd);
        text += row;
    }
    return text + "</Array>\n  </LUT3D>\n</ProcessList>\n";
}

}  // namespace

// An element's text that follows its start tag and holds no markup is
// taken past expat's tokenizer; the tree, and every refusal with its line,
// stay what expat alone builds, wherever such bytes stand.
TEST(PrepXml, TextTakenPastExpatBuildsTheSameTree) {
    const char *const documents[] = {
        "<r>\n<a x=\"1>2\" y='>'>1 2\n3</a>\n<b/>\n</r>",
        "<r><!-- c>1 2 3<d --> 4 5</r>",
        "<r><![CDATA[ c>1 2 3<d ]]>4 5</r>",
        "<r><?pi x>1 2 3<?> 4 5</r>",
        "<r><a>x</a>1 2 3<b/>4</r>",
        "<r><a/>1 2\n3<b/>4\n</r>",
        "<r><a>1 2 &amp; 3 4</a><b>5 6 <!-- c --> 7\n</b></r>",
        "<r>\r\n<a>1\r\n2\r3\r\r\n4\r</a>\r\n<b\r\nc='\r'/>\r\n</r>\r\n",
        "<r><a>\n1\n2\n</b>\n</r>",
        "<r><a>\n1\n2\n<b>\n</a></r>",
        "<r><a>\n1 2\n3",
        "<r><a>\n1 2\n3<",
        "<r>\n1\n2\n</r>\n1 2 3<x/>",
        "<r>\n1\n2\n<!DOCTYPE r>",
        "\xEF\xBB\xBF<r>1 2 3<a>\n4\n</a></r>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r><a>1 2 \xE9\n3 4</a><b>x</b></r>",
        "<?xml version=\"1.0\" encoding=\"US-ASCII\"?>\n<r><a>\n1 2 3</a>\n<b>\xE9</b></r>",
    };
    for (const char *text : documents) ExpectTheSameTree(text, text);

    // UTF-16, big-endian with its mark and little-endian without: in the
    // first, "<a>" ends in a '>' byte followed by the bytes of U+3131 and
    // U+313C, which read byte by byte as "11111" and a '<'.
    const char utf16be[] = "\xFE\xFF\0<\0a\0>\x31\x31\x31\x31\x31\x3C\0<\0/\0a\0>";
    ExpectTheSameTree(std::string(utf16be, sizeof utf16be - 1), "UTF-16BE");
    const char utf16le[] = "<\0a\0>\0\x31\x31\x31\x31\x3C\x31<\0/\0a\0>\0";
    ExpectTheSameTree(std::string(utf16le, sizeof utf16le - 1), "UTF-16LE");

    ExpectTheSameTree("<r><a>" + std::string(3000, '\n') + "</a>\n<b/>\n</r>", "line ends alone");
    ExpectTheSameTree(ClfWithLut3d(65, "\n"), "65 points");
    ExpectTheSameTree(ClfWithLut3d(17, "\r\n"), "17 points, CR LF");
    ExpectTheSameTree(ClfWithLut3d(17, "\r"), "17 points, CR");
    std::string unclosed = ClfWithLut3d(17, "\n");
    ExpectTheSameTree(unclosed.substr(0, unclosed.find("</Array>") + 1), "17 points, cut at the end tag");
    ExpectTheSameTree(unclosed.replace(unclosed.find("</Array>"), 8, "</Arrey>"), "17 points, a mismatched end tag");

    const std::filesystem::path samples = std::filesystem::path(LUTBOX_SAMPLES_DIR) / ".." / "data" / "lut-samples";
    int read = 0;
    for (const char *family : {"clf", "ctf", "look", "cdl", "ccc", "cc"}) {
        if (!std::filesystem::exists(samples / family)) continue;
        for (const auto &entry : std::filesystem::directory_iterator(samples / family)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ExpectTheSameTree(text, entry.path().string());
            read++;
        }
    }
    if (read == 0) GTEST_SKIP() << "no samples at " << samples;
}

// A 1D cube is a curve, not clamped by the identity lattice it is held
// with: 2 at white, halved by the matrix after it, is 1 (ociobakelut gives
// 1 for this chain, and 0.5 with the clamp).
TEST(PrepTransform, AOneDimensionalCubeIsNotClampedBeforeTheNextOperation) {
    const char cube[] = "LUT_1D_SIZE 2\n0 0 0\n2 2 2\n";
    PrepTransform t{};
    PrepError error{};
    ASSERT_EQ(PrepParseTransform(cube, sizeof cube - 1, kPrepFamilyCube, PrepReadOptions{}, &t, nullptr, &error), 0)
        << error.text;
    PrepOp *half = PrepAddOp(&t, "Matrix", PrepApplyMatrix, nullptr);
    ASSERT_NE(half, nullptr);
    half->params[0] = half->params[5] = half->params[10] = 0.5;
    EXPECT_DOUBLE_EQ(At(t, 1.0), 1.0);
    EXPECT_DOUBLE_EQ(At(t, 0.25), 0.25);
    PrepFreeTransform(&t);
}

// A 3D LUT whose file names its interpolation (a CLF's trilinear) keeps
// it: at the centre of r * g * b corners, trilinear gives 0.125 where the
// command's tetrahedral would give 0.5.
TEST(PrepTransform, ALutThatNamesItsInterpolationIsBakedWithIt) {
    PrepLut lut{};
    ASSERT_EQ(PrepAllocLut(&lut, 2, 0, nullptr), 0);
    for (int c = 0; c < 3; c++) lut.values[3 * 7 + c] = 1.0f;
    PrepTransform t{};
    ASSERT_EQ(PrepAddLut(&t, &lut, kPrepTrilinear, nullptr), 0);
    EXPECT_FALSE(PrepIsSingleLut(&t));
    ASSERT_EQ(PrepTransformToLut(&t, 3, kPrepTetrahedral, &lut, nullptr), 0);
    EXPECT_FLOAT_EQ(lut.values[3 * 13], 0.125f);
    PrepFreeLut(&lut);
}

// A transform sampled on a grid works out the operations that act on each
// channel alone once per axis position; every position must still be what
// applying the whole transform there gives, bit for bit. Every sample file
// of every format that reads as a transform, and every tail of its
// operations, so that each kind of operation (a hue curve, which mixes the
// channels, a reverse CDL, a log...) comes first in one; at a lattice's
// nodes and at its cells' centres.
TEST(PrepTransform, SampledOnAGridAsAppliedAtEachPosition) {
    const std::filesystem::path samples = std::filesystem::path(LUTBOX_SAMPLES_DIR) / ".." / "data" / "lut-samples";
    if (!std::filesystem::exists(samples)) GTEST_SKIP() << "no samples at " << samples;
    constexpr int32_t kPoints = 6;
    const PrepGrid grids[] = {PrepLatticeGrid(kPoints), PrepCellCentres(kPoints)};
    std::vector<float> sampled(3 * PrepNodeCount(kPoints));
    int tails = 0;
    for (const auto &format : std::filesystem::directory_iterator(samples)) {
        if (!format.is_directory()) continue;
        for (const auto &entry : std::filesystem::directory_iterator(format.path())) {
            const std::string path = entry.path().string();
            PrepTransform t{};
            PrepReadOptions options{};
            if (PrepReadTransformFile(path.c_str(), PrepFamilyOfName(path.c_str()), options, &t, nullptr, nullptr) !=
                0) {
                continue;
            }
            for (int32_t from = 0; from < t.count; from++, tails++) {
                // The operations from `from` on, lent: never freed here.
                PrepTransform tail{};
                for (int32_t i = from; i < t.count; i++) tail.ops[tail.count++] = t.ops[i];
                for (PrepGrid grid : grids) {
                    const int32_t n = grid.count;
                    ASSERT_EQ(PrepSampleTransform(&tail, kPrepTetrahedral, grid,
                                                  reinterpret_cast<float(*)[3]>(sampled.data())),
                              0);
                    for (int64_t node = 0; node < PrepNodeCount(n); node++) {
                        const int32_t k[3] = {static_cast<int32_t>(node % n), static_cast<int32_t>(node / n % n),
                                              static_cast<int32_t>(node / n / n)};
                        double rgb[3];
                        for (int c = 0; c < 3; c++) rgb[c] = (k[c] + 0.5 * grid.offset) / (kPoints - 1);
                        PrepApplyTransform(&tail, kPrepTetrahedral, rgb);
                        const float want[3] = {static_cast<float>(rgb[0]), static_cast<float>(rgb[1]),
                                               static_cast<float>(rgb[2])};
                        ASSERT_EQ(memcmp(&sampled[3 * node], want, sizeof want), 0)
                            << path << " from operation " << from << " (" << tail.ops[0].name << "), offset "
                            << grid.offset << ", at " << k[0] << "," << k[1] << "," << k[2];
                    }
                }
            }
            PrepFreeTransform(&t);
        }
    }
    EXPECT_GT(tails, 100);
}
