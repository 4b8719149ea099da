// lutprep's transforms (operations applied in order, baked into one
// lattice) and the XML tree its XML formats are read through.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

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
