// The text LUT formats lutprep reads as OpenColorIO 2.1 reads them:
// Cinespace (.csp), Sony Pictures Imageworks (.spi1d, .spi3d, .spimtx),
// Houdini (.hdl) and Discreet 1D (.lut). Every expected output below is
// what ociobakelut (opencolorio-tools 2.1.2, --format iridas_cube, cube
// sizes 9 and 33) printed for the same text, at six decimals; the rules
// checked are the ones a reader gets wrong unnoticed: row orders, pre-LUT
// curves and ranges, which table feeds which channel, scales, and the
// refusals with their line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/resample.h"
#include "prep/transform.h"
#include "scratch_dir.h"

namespace {

// ociobakelut prints six decimals.
constexpr double kTolerance = 2e-6;

struct Probe {
    double in[3];
    double out[3];
};

class PrepTextFormat : public ScratchDirTest {
protected:
    PrepTransform *t = new PrepTransform{};
    PrepWarnings warnings{};
    PrepError error{};

    ~PrepTextFormat() override {
        PrepFreeTransform(t);
        delete t;
    }

    int Parse(PrepFamily family, const std::string &text) {
        error = PrepError{};
        return PrepParseTransform(text.data(), text.size(), family, PrepReadOptions{}, t, &warnings, &error);
    }

    void ExpectOutputs(PrepFamily family, const std::string &text, std::initializer_list<Probe> probes) {
        ASSERT_EQ(Parse(family, text), 0) << "line " << error.line << ": " << error.text;
        for (const Probe &p : probes) {
            double rgb[3] = {p.in[0], p.in[1], p.in[2]};
            PrepApplyTransform(t, kPrepTetrahedral, rgb);
            for (int c = 0; c < 3; c++) {
                EXPECT_NEAR(rgb[c], p.out[c], kTolerance)
                    << "input " << p.in[0] << " " << p.in[1] << " " << p.in[2] << ", channel " << c;
            }
        }
    }

    // Refused at line, with a reason that holds cause.
    void ExpectRefused(PrepFamily family, const std::string &text, int64_t line, const char *cause) {
        EXPECT_EQ(Parse(family, text), -1) << text;
        EXPECT_EQ(error.line, line) << error.text;
        EXPECT_NE(std::string(error.text).find(cause), std::string::npos) << error.text;
        EXPECT_EQ(t->count, 0);
    }
};

// The probe 3D table in red-fastest rows: red kept, green halved, blue
// quartered. A wrong row order moves the slopes to other channels.
const char kProbeRows[] = "0 0 0\n1 0 0\n0 0.5 0\n1 0.5 0\n0 0 0.25\n1 0 0.25\n0 0.5 0.25\n1 0.5 0.25\n";

const char kHoudini3d1d[] =
    "Version\t\t3\nFormat\t\tany\nType\t\t3D+1D\nFrom\t\t0.0 2.0\nTo\t\t0 1\nBlack\t\t0\nWhite\t\t1\n"
    "Length\t\t2 3\nLUT:\nPre {\n\t0 0.25 1\n}\n3D {\n"
    "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n1 0 1\n0 1 1\n1 1 1\n}\n";

}  // namespace

TEST_F(PrepTextFormat, CspPreLutsAreSmoothCurvesOverTheirInputRange) {
    // Three points: straight lines would give 0.125 and 0.625 at 0.25 and
    // 0.75.
    std::string three = "CSPLUTV100\n1D\n\n";
    for (int c = 0; c < 3; c++) three += "3\n0.0 0.5 1.0\n0.0 0.25 1.0\n";
    three += "\n2\n0 0 0\n1 1 1\n";
    ExpectOutputs(
        &kPrepFormatCsp, three,
        {{{0.25, 0.75, 0.0}, {0.0625, 0.5625, 0.0}}, {{0.125, 0.375, 0.875}, {0.015625, 0.140625, 0.765625}}});
    // Five unevenly spaced points on red: cubics on the inner intervals;
    // green and blue (count 0) unchanged.
    ExpectOutputs(&kPrepFormatCsp,
                  "CSPLUTV100\n1D\n\n5\n0.0 0.1 0.3 0.6 1.0\n0.0 0.3 0.5 0.6 1.0\n0\n0\n\n2\n0 0 0\n1 1 1\n",
                  {{{0.125, 0.25, 0.5}, {0.338854, 0.25, 0.5}},
                   {{0.25, 0.0, 1.0}, {0.4675, 0.0, 1.0}},
                   {{0.5, 0.0, 0.0}, {0.555661, 0.0, 0.0}},
                   {{0.75, 0.0, 0.0}, {0.723214, 0.0, 0.0}},
                   {{0.875, 0.0, 0.0}, {0.850446, 0.0, 0.0}}});
    // Inputs -1 to 3 onto the probe's red-fastest rows: 0 lands a quarter
    // of the way, 1 half way.
    std::string wide = "CSPLUTV100\n3D\n\n";
    for (int c = 0; c < 3; c++) wide += "2\n-1 3\n0 1\n";
    wide += std::string("\n2 2 2\n") + kProbeRows;
    ExpectOutputs(&kPrepFormatCsp, wide,
                  {{{0.0, 0.0, 0.0}, {0.25, 0.125, 0.0625}},
                   {{0.75, 0.0, 0.0}, {0.4375, 0.125, 0.0625}},
                   {{1.0, 1.0, 1.0}, {0.5, 0.25, 0.125}}});
}

TEST_F(PrepTextFormat, CspRefusals) {
    const std::string prelut = "2\n0 1\n0 1\n2\n0 1\n0 1\n2\n0 1\n0 1\n";
    // OpenColorIO loops for ever on this one.
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n3D\nBEGIN METADATA\nnotes\n" + prelut + "2 2 2\n" + kProbeRows, 3,
                  "END METADATA");
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n3D\n" + prelut + "2 2 3\n" + kProbeRows, 12, "same on each axis");
    // OpenColorIO drops the table of a lower-case kind, silently.
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n3d\n" + prelut + "2 2 2\n" + kProbeRows, 2, "upper case");
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n1D\n3\n0 0.6 0.5\n0 0.5 1\n0\n0\n2\n0 0 0\n1 1 1\n", 4, "increase");
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n1D\n0\n0\n0\n3\n0 0 0\n1 1 1\n", 8, "before the table's last row");
    ExpectRefused(&kPrepFormatCsp, "CSPLUTV100\n1D\n0\n0\n0\n2\n0 0 0\n1 nan 1\n", 8, "NaN");
}

TEST_F(PrepTextFormat, Spi1dComponentsAndFrom) {
    // One component feeds all three channels; From 0 2 puts input 1 on the
    // middle entry.
    ExpectOutputs(&kPrepFormatSpi1d, "Version 1\nFrom 0 2\nLength 3\nComponents 1\n{\n0\n0.25\n1\n}\n",
                  {{{0.5, 1.0, 0.25}, {0.125, 0.25, 0.0625}}, {{0.125, 0.75, 0.0}, {0.03125, 0.1875, 0.0}}});
    // Two components: red and green from the file, blue 0.
    ExpectOutputs(&kPrepFormatSpi1d, "Version 1\nLength 2\nComponents 2\n{\n0.2 0\n0.8 0.5\n}\n",
                  {{{0.5, 0.5, 0.5}, {0.5, 0.25, 0.0}}, {{1.0, 1.0, 1.0}, {0.8, 0.5, 0.0}}});
}

TEST_F(PrepTextFormat, Spi1dRefusals) {
    ExpectRefused(&kPrepFormatSpi1d, "Version 2\nLength 2\nComponents 1\n{\n0\n1\n}\n", 1, "Version 1");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nFrom 0.0\nLength 2\nComponents 1\n{\n0\n1\n}\n", 2, "From");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nLength 3\nComponents 1\n{\n0\n1\n}\n", 7, "Length 3");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nLength 2\nComponents 1\n{ 0.0\n1.0\n}\n", 4, "'{' line");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nLength 2\nComponents 1\n{\n0.0 5\n1.0\n}\n", 5, "Components 1");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nLength 2\nComponents 4\n{\n0\n1\n}\n", 3, "Components");
    ExpectRefused(&kPrepFormatSpi1d, "Version 1\nComponents 1\n{\n0\n1\n}\n", 3, "Length");
}

TEST_F(PrepTextFormat, Spi3dNodesCarryTheirIndex) {
    // The probe in reverse order: each line says which node it is.
    ExpectOutputs(&kPrepFormatSpi3d,
                  "SPILUT 1.0\n3 3\n2 2 2\n1 1 1 1 0.5 0.25\n1 1 0 1 0.5 0\n1 0 1 1 0 0.25\n1 0 0 1 0 0\n"
                  "0 1 1 0 0.5 0.25\njunk\n0 1 0 0 0.5 0\n0 0 1 0 0 0.25\n0 0 0 0 0 0\n",
                  {{{0.5, 0.5, 0.5}, {0.5, 0.25, 0.125}}, {{1.0, 0.25, 0.75}, {1.0, 0.125, 0.1875}}});
}

TEST_F(PrepTextFormat, Spi3dRefusals) {
    const std::string head = "SPILUT 1.0\n3 3\n2 2 2\n";
    const std::string rest = "1 0 0 1 0 0\n0 1 0 0 1 0\n1 1 0 1 1 0\n0 0 1 0 0 1\n1 0 1 1 0 1\n0 1 1 0 1 1\n";
    ExpectRefused(&kPrepFormatSpi3d, head + "0 0 0 0 0 0\n" + rest + "0 0 0 0 0 0\n", 11, "twice");
    ExpectRefused(&kPrepFormatSpi3d, head + "0 0 0 0 0 0\n2 0 0 0 0 0\n", 5, "outside");
    ExpectRefused(&kPrepFormatSpi3d, head + "0 0 0 0 0 0\n" + rest, 10, "node 1 1 1 is missing");
    ExpectRefused(&kPrepFormatSpi3d, "SPILUT 1.0\n3 3\n2 2 3\n", 3, "each axis");
    ExpectRefused(&kPrepFormatSpi3d, "LUT 1.0\n3 3\n2 2 2\n", 1, "SPILUT");
}

// The usual node line ("i j k r g b", single spaces, values of one digit,
// a point and up to 15 more) is read on a path of its own, any other
// spelling the general way: both read each value as strtof does, wherever
// it stands in the line, and skip a line of a field more or fewer, or with
// a field that is no number.
TEST_F(PrepTextFormat, Spi3dValuesReadAsStrtofOnEitherPath) {
    const char *const values[] = {"0.5",
                                  "-0.25",
                                  "0.000045",
                                  "0.1234567",
                                  "0.99999997",
                                  "0.1234567890",
                                  "0.123456789012345",
                                  "-0.000000",
                                  "0.0000000001",
                                  "9.87654321",
                                  "0.1234567890123456",
                                  "-9.999999999999999",
                                  "1.",
                                  "12.5",
                                  "1e-3",
                                  "+0.75",
                                  "3"};
    constexpr int kValues = static_cast<int>(std::size(values));
    for (int shift = 0; shift < kValues; shift++) {
        for (const std::string blank : {" ", "\t", "  "}) {
            SCOPED_TRACE("shift " + std::to_string(shift) + ", blank [" + blank + "]");
            std::string text = "SPILUT 1.0\n3 3\n2 2 2\n1 1 1 0.5 0.5 0.5 0.5\n1 1 1 0.5 0.5\n1 1 1 0.5x0.5 0.5\n";
            for (int node = 0; node < 8; node++) {
                const char *index = (node + shift) % 3 == 0 ? "00" : "";  // three digits, or one
                for (int axis = 0; axis < 3; axis++) text += index + std::to_string(node >> axis & 1) + blank;
                for (int c = 0; c < 3; c++) text += values[(3 * node + c + shift) % kValues] + (c < 2 ? blank : "\n");
            }
            ASSERT_EQ(Parse(&kPrepFormatSpi3d, text), 0) << "line " << error.line << ": " << error.text;
            ASSERT_EQ(t->count, 1);
            for (int node = 0; node < 8; node++) {
                for (int c = 0; c < 3; c++) {
                    const char *value = values[(3 * node + c + shift) % kValues];
                    float want = strtof(value, nullptr), got = t->ops[0].lut.values[3 * node + c];
                    EXPECT_EQ(memcmp(&got, &want, sizeof got), 0) << value << " read as " << got;
                }
            }
        }
    }
}

TEST_F(PrepTextFormat, SpimtxRowsAreOutputsAndOffsetsAre65535ths) {
    ExpectOutputs(&kPrepFormatSpimtx, "1 0 0 6553.5\n0 2 0 0\n0 0 1 -32767.5\n",
                  {{{0.5, 0.5, 0.5}, {0.6, 1.0, 0.0}}, {{1.0, 1.0, 1.0}, {1.1, 2.0, 0.5}}});
    // All on one line.
    ExpectOutputs(&kPrepFormatSpimtx, "0 1 0 0 0 0 1 0 1 0 0 0",
                  {{{0.25, 0.0, 0.0}, {0.0, 0.0, 0.25}},
                   {{0.0, 0.5, 0.0}, {0.5, 0.0, 0.0}},
                   {{0.0, 0.0, 0.75}, {0.0, 0.75, 0.0}}});
    ExpectRefused(&kPrepFormatSpimtx, "1 0 0 0\n0 1 0 0\n0 0 1\n", 3, "11 numbers");
    ExpectRefused(&kPrepFormatSpimtx, "1 0 0 0\n0 1 0 0\n0 0 1 0\n1\n", 4, "more than 12");
}

TEST_F(PrepTextFormat, HoudiniFromMapsTheCurvesNotThe3dTable) {
    // 3D+1D: From 0 2 onto the Pre curve, then the identity lattice.
    ExpectOutputs(&kPrepFormatHdl, kHoudini3d1d,
                  {{{0.5, 0.25, 1.0}, {0.125, 0.0625, 0.25}}, {{1.0, 1.0, 1.0}, {0.25, 0.25, 0.25}}});
    // Type 3D: From 0 2 is not applied.
    ExpectOutputs(&kPrepFormatHdl,
                  std::string("Version 3\nFormat any\nType 3D\nFrom 0.0 2.0\nTo 0 1\nBlack 0\nWhite 1\nLength 2\n"
                              "LUT:\n{\n") +
                      kProbeRows + "}\n",
                  {{{1.0, 1.0, 1.0}, {1.0, 0.5, 0.25}}, {{0.5, 0.5, 0.5}, {0.5, 0.25, 0.125}}});
    // Type C: one curve for all channels; To 0 255 does not scale it.
    ExpectOutputs(&kPrepFormatHdl,
                  "Version 3\nFormat any\nType C\nFrom 0.0 2.0\nTo 0 255\nBlack 0\nWhite 1\nLength 3\nLUT:\n"
                  "RGB {\n\t0\n\t0.25\n\t1 }\n",
                  {{{0.5, 1.0, 0.25}, {0.125, 0.25, 0.0625}}});
}

TEST_F(PrepTextFormat, HoudiniRefusals) {
    const std::string header = "Version 1\nFormat any\nType C\nFrom 0 1\nTo 0 1\nBlack 0\nWhite 1\nLength 2\nLUT:\n";
    ExpectRefused(&kPrepFormatHdl, "Version 1\nFormat any\nType C\nFrom 0 1\nTo 0 1\nWhite 1\nLength 2\nLUT:\n", 8,
                  "no Black line");
    ExpectRefused(&kPrepFormatHdl, header + "R {\n0\n1\n}\n", 10, "one RGB block");
    ExpectRefused(&kPrepFormatHdl, header + "RGB {\n0\n1\n2\n}\n", 13, "more numbers");
    ExpectRefused(&kPrepFormatHdl, header + "RGB {\n0\n", 10, "not closed");
    ExpectRefused(&kPrepFormatHdl, "Version 1\nType RGB\n", 2, "Type");
}

TEST_F(PrepTextFormat, DiscreetOutputDepths) {
    // The header's 4096: 12-bit codes.
    ExpectOutputs(&kPrepFormatDiscreet, "LUT: 1 4 4096\n0\n1000\n2000\n4095\n",
                  {{{0.5, 0.0, 1.0}, {0.3663, 0.0, 1.0}}});
    EXPECT_EQ(warnings.count, 0);
    // No depth: 1024 entries are 10-bit codes, a guess that is reported.
    // Three tables: red, green, blue.
    std::string tables = "LUT: 3 1024\n";
    for (int i = 0; i < 1024; i++) tables += std::to_string(i / 2) + "\n";
    for (int i = 0; i < 1024; i++) tables += std::to_string(i) + "\n";
    for (int i = 0; i < 1024; i++) tables += std::to_string(1023 - i) + "\n";
    ExpectOutputs(&kPrepFormatDiscreet, tables,
                  {{{0.5, 0.25, 0.125}, {0.249756, 0.25, 0.875}}, {{1.0, 1.0, 1.0}, {0.499511, 1.0, 0.0}}});
    ASSERT_EQ(warnings.count, 1);
    EXPECT_EQ(warnings.list[0].code, kPrepWarnBitDepth);
    EXPECT_EQ(warnings.list[0].line, 1);
    // A fourth table, alpha, is read and not used.
    std::string four = "LUT: 4 256\n";
    for (int table = 0; table < 4; table++) {
        for (int i = 0; i < 256; i++) four += std::to_string(table == 3 ? 255 - i : i) + "\n";
    }
    ExpectOutputs(&kPrepFormatDiscreet, four, {{{0.25, 0.5, 1.0}, {0.25, 0.5, 1.0}}});
}

// Without a depth in the header, the base name's first "to" gives it, as
// with OpenColorIO: "log_10to12" is 12-bit output (ociobakelut reads such a
// 10-bit identity as one); in "tone_10to12" the first "to" is tone's, so
// the table's 1024 entries make it 10-bit, 4 times as bright, and a guess.
TEST_F(PrepTextFormat, DiscreetDepthFromTheFileNameAfterItsFirstTo) {
    std::string text = "LUT: 1 1024\n";
    for (int i = 0; i < 1024; i++) text += std::to_string(4 * i) + "\n";
    const struct {
        const char *name;
        double out;
        int32_t warnings;
    } cases[] = {{"grades/log_10to12.lut", 4092.0 / 4095.0, 0},
                 {"C:\\grades\\LOG_10TO12.LUT", 4092.0 / 4095.0, 0},
                 {"tone_10to12.lut", 4092.0 / 1023.0, 1},
                 {nullptr, 4092.0 / 1023.0, 1}};
    for (const auto &c : cases) {
        ASSERT_EQ(PrepParseTransform(text.data(), text.size(), &kPrepFormatDiscreet, PrepReadOptions{nullptr, c.name},
                                     t, &warnings, &error),
                  0)
            << error.text;
        double rgb[3] = {1.0, 1.0, 1.0};
        PrepApplyTransform(t, kPrepTetrahedral, rgb);
        EXPECT_NEAR(rgb[0], c.out, 1e-6) << (c.name != nullptr ? c.name : "no name");
        EXPECT_EQ(warnings.count, c.warnings);
    }
}

TEST_F(PrepTextFormat, DiscreetTableOf65536IsIndexedByTheHalfFloatPattern) {
    // Entry k holds k: the output is the input's half-float bit pattern
    // over 65535.
    std::string text = "LUT: 1 65536 65536\n";
    for (int i = 0; i < 65536; i++) text += std::to_string(i) + "\n";
    ExpectOutputs(
        &kPrepFormatDiscreet, text,
        {{{0.5, 0.375, 1.0}, {0.218753, 0.210941, 0.234379}}, {{0.125, 0.0, 0.625}, {0.187503, 0.0, 0.22266}}});
}

TEST_F(PrepTextFormat, DiscreetRefusals) {
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n2\n3", 5, "line end");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n# note\n2\n3\n", 4, "comment");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n2\n3\n4\n", 6, "after the 1 table");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 2 4 1024\n0\n1\n2\n3\n", 1, "1, 3 or 4");
    ExpectRefused(&kPrepFormatDiscreet, "LUT:1 4 1024\n0\n1\n2\n3\n", 1, "blank after the colon");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n76500\n3\n", 4, "above 65535");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n2.7\n3\n", 4, "whole number");
    // Refused at the header: no table length implies a depth of 512.
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 512\n0\n", 1, "no output depth");
    ExpectRefused(&kPrepFormatDiscreet, "LUT: 1 4 1024\n0\n1\n", 3, "ends after 2 of the 4");
    // Neither format: both readers' reasons.
    ExpectRefused(&kPrepFormatDiscreet, "LUT12\n", 1, "neither a Discreet 1D LUT");
}

TEST_F(PrepTextFormat, DiscreetNameReadsHoudiniLutsFromMemoryAndFiles) {
    ExpectOutputs(&kPrepFormatDiscreet, kHoudini3d1d, {{{0.5, 0.25, 1.0}, {0.125, 0.0625, 0.25}}});
    // From a file, the Houdini reader reads it again from its start.
    std::string path = Write("grade.lut", kHoudini3d1d);
    ASSERT_EQ(
        PrepReadTransformFile(path.c_str(), PrepFamilyOfName(path.c_str()), PrepReadOptions{}, t, nullptr, &error), 0)
        << error.text;
    double rgb[3] = {0.5, 0.25, 1.0};
    PrepApplyTransform(t, kPrepTetrahedral, rgb);
    EXPECT_NEAR(rgb[0], 0.125, kTolerance);
    EXPECT_NEAR(rgb[2], 0.25, kTolerance);
    // The last line's end is looked for in the file too.
    path = Write("cut.lut", "LUT: 1 4 1024\n0\n1\n2\n3");
    EXPECT_EQ(
        PrepReadTransformFile(path.c_str(), PrepFamilyOfName(path.c_str()), PrepReadOptions{}, t, nullptr, &error), -1);
    EXPECT_EQ(error.line, 5);
}

namespace {

constexpr int32_t kBoxPoints = 33;

std::string Real(double v) {
    char text[32];
    snprintf(text, sizeof text, "%.6f", v);
    return text;
}

// A smooth grade that moves each channel differently, so that a channel or
// an axis read in the wrong place shows.
void Grade(double r, double g, double b, double out[3]) {
    out[0] = 0.1 + 0.7 * r * r + 0.2 * g;
    out[1] = 0.6 * std::sqrt(g) + 0.3 * b - 0.05;
    out[2] = 0.9 * b * r + 0.15 * b + 0.02;
}

std::string GradeRows(int n, bool withIndex, int stride) {
    std::string rows;
    int64_t count = int64_t{n} * n * n;
    for (int64_t k = 0; k < count; k++) {
        // Red fastest, or, with an index on each row, a shuffled order.
        int64_t node = withIndex ? k * stride % count : k;
        int64_t r = node % n, g = node / n % n, b = node / (n * n);
        double out[3];
        Grade(r / (n - 1.0), g / (n - 1.0), b / (n - 1.0), out);
        if (withIndex) rows += std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b) + " ";
        rows += Real(out[0]) + " " + Real(out[1]) + " " + Real(out[2]) + "\n";
    }
    return rows;
}

// n points over [lo, hi], unevenly spaced, and a curve through them.
std::string PrelutLines(int n, double lo, double hi, double power) {
    std::string in, out;
    for (int i = 0; i < n; i++) {
        double t = std::pow(i / (n - 1.0), 1.3);
        in += (i ? " " : "") + Real(lo + (hi - lo) * t);
        out += (i ? " " : "") + Real(std::pow(t, power));
    }
    return std::to_string(n) + "\n" + in + "\n" + out + "\n";
}

class PrepTextFormatAgainstOcio : public PrepTextFormat {
protected:
    // The file name, written with text, read as lutprep reads it and baked
    // by ociobakelut: every node of the box's size within the tolerance,
    // both clamped to [0, 1].
    void ExpectSameAsOcio(const std::string &name, const std::string &text) {
        SCOPED_TRACE(name);
        std::string path = Write(name, text);
        PrepLut lut{}, converted{}, reference{};
        ASSERT_EQ(
            PrepReadTransformFile(path.c_str(), PrepFamilyOfName(path.c_str()), PrepReadOptions{}, t, nullptr, &error),
            0)
            << "line " << error.line << ": " << error.text;
        ASSERT_EQ(PrepTransformToLut(t, PrepBakePoints(kBoxPoints), kPrepTetrahedral, &lut, &error), 0) << error.text;
        ASSERT_EQ(PrepResample(&lut, kBoxPoints, kPrepTetrahedral, &converted, &error), 0) << error.text;
        PrepClampLut(&converted);
        std::string ref = (dir / "ref.cube").string();
        std::string command = "timeout 20 ociobakelut --lut \"" + path + "\" --format iridas_cube --cubesize " +
                              std::to_string(kBoxPoints) + " \"" + ref + "\" > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_EQ(PrepReadLutFile(ref.c_str(), kPrepFamilyCube, &reference, nullptr, &error), 0) << error.text;
        PrepClampLut(&reference);
        for (int64_t i = 0; i < 3 * PrepNodeCount(kBoxPoints); i++) {
            ASSERT_NEAR(converted.values[i], reference.values[i], kTolerance)
                << "node " << i / 3 << " channel " << i % 3;
        }
        PrepFreeLut(&lut);
        PrepFreeLut(&converted);
        PrepFreeLut(&reference);
    }
};

}  // namespace

TEST_F(PrepTextFormatAgainstOcio, CspWithUnevenPreLutsOfEachChannel) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    std::string three = "CSPLUTV100\n3D\n\nBEGIN METADATA\nmade for the test\nEND METADATA\n\n" +
                        PrelutLines(7, -0.1, 1.2, 0.8) + PrelutLines(4, 0.0, 2.0, 1.5) +
                        PrelutLines(2, -1.0, 1.0, 1.0) + "\n5 5 5\n" + GradeRows(5, false, 1);
    ExpectSameAsOcio("grade.csp", three);
    std::string one = "CSPLUTV100\n1D\n0\n" + PrelutLines(9, 0.0, 1.0, 2.2) + "1\n17\n";
    for (int i = 0; i < 17; i++) {
        double x = i / 16.0;
        one += Real(x * x) + " " + Real(std::sqrt(x)) + " " + Real(1.0 - x) + "\n";
    }
    ExpectSameAsOcio("curve.csp", one);
}

TEST_F(PrepTextFormatAgainstOcio, SpiFilesOfEveryKind) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    ExpectSameAsOcio("grade.spi3d", "SPILUT 1.0\n3 3\n5 5 5\n" + GradeRows(5, true, 48));
    std::string curves = "Version 1\nFrom -0.25 1.5\nLength 33\nComponents 3\n{\n";
    for (int i = 0; i < 33; i++) {
        double x = -0.25 + 1.75 * i / 32.0;
        curves += Real(x * x) + " " + Real(0.5 * x + 0.1) + " " + Real(std::cbrt(x)) + "\n";
    }
    ExpectSameAsOcio("curves.spi1d", curves + "}\n");
    ExpectSameAsOcio("mix.spimtx", "0.8 0.15 0.05 655.35\n0.1 0.7 0.2 0\n-0.1 0.3 0.8 -3276.75\n");
}

TEST_F(PrepTextFormatAgainstOcio, HoudiniAndDiscreetTables) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    std::string pre;
    for (int i = 0; i < 9; i++) pre += Real(std::pow(i / 8.0, 0.6)) + (i % 3 == 2 ? "\n" : " ");
    // OpenColorIO reads a .hdl only by trying each of its readers in turn.
    ExpectSameAsOcio("grade.hdl",
                     "Version 3\nFormat any\nType 3D+1D\nFrom -0.1 1.3\nTo 0 1\nBlack 0\nWhite 1\n"
                     "Length 5 9\nLUT:\nPre {\n" +
                         pre + "}\n3D {\n" + GradeRows(5, false, 1) + "}\n");
    std::string tables = "# made for the test\nLUT: 3 4096 4096\n";
    for (int c = 0; c < 3; c++) {
        for (int i = 0; i < 4096; i++) {
            double x = i / 4095.0;
            tables += std::to_string(std::lround(4095.0 * std::pow(x, 0.5 + c * 0.7))) + "\n";
        }
    }
    ExpectSameAsOcio("gamma.lut", tables);
    std::string half = "LUT: 1 65536 65536\n";
    for (int i = 0; i < 65536; i++) half += std::to_string(65535 - i) + "\n";
    ExpectSameAsOcio("half.lut", half);
}
