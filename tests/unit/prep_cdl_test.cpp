// lutprep's ASC CDL: the correction's arithmetic in its four styles, and
// the .cc, .ccc and .cdl readers with --cccid, against OpenColorIO 2.1's
// ociobakelut. The fixed values below are ociobakelut's (6 decimals), at
// nodes of a 3-point bake; PrepCdlAgainstOcio runs ociobakelut itself on a
// 33-point grid where it is installed.
//
// The files marked "OpenColorIO" are copies of its test files
// (tests/data/files/, BSD-3-Clause, AcademySoftwareFoundation/OpenColorIO
// v2.1.2); the others were written for these tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "prep/cdl.h"
#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/transform.h"
#include "prep/xml_tree.h"
#include "scratch_dir.h"

namespace {

// ociobakelut prints 6 decimals; the float arithmetic of its renderer adds
// less than 1e-7.
constexpr double kTolerance = 1e-6;

// Slope, offset and power unlike on every channel, so that a channel mixed
// up or a step taken in the wrong order shows.
const char *const kCdlBody = R"(
<SOPNode><Slope>1.5 0.8 1</Slope><Offset>-0.1 0.2 0</Offset><Power>2 0.5 1</Power></SOPNode>
<SatNode><Saturation>0.6</Saturation></SatNode>)";

std::string AscCdl(const char *style) {
    return std::string("<ASC_CDL inBitDepth=\"32f\" outBitDepth=\"32f\" style=\"") + style + "\">" + kCdlBody +
           "\n</ASC_CDL>\n";
}

// Offset -0.25 on red, then power 2.
const char *const kNegativeOffsetPower = R"(<ColorCorrection id="negpow">
  <SOPNode>
    <Slope>1 1 1</Slope>
    <Offset>-0.25 0 0</Offset>
    <Power>2 2 2</Power>
  </SOPNode>
  <SatNode>
    <Saturation>1.0</Saturation>
  </SatNode>
</ColorCorrection>
)";

const char *const kSaturation0 = R"(<ColorCorrection id="sat0">
  <SOPNode>
    <Slope>1 1 1</Slope>
    <Offset>0 0 0</Offset>
    <Power>1 1 1</Power>
  </SOPNode>
  <SatNode>
    <Saturation>0</Saturation>
  </SatNode>
</ColorCorrection>
)";

// OpenColorIO: cdl_test_ASC_SOP.cc, the old name of SOPNode.
const char *const kAscSop = R"(<ColorCorrection id="foo">
  <ASC_SOP>
    <Description>this is a description</Description>
    <Slope>1.1 1.2 1.3</Slope>
    <Offset>2.1 2.2 2.3</Offset>
    <Power>3.1 3.2 3.3</Power>
  </ASC_SOP>
  <SatNode>
    <Saturation>0.42</Saturation>
  </SatNode>
</ColorCorrection>)";

// Ids first, none, "3", last: slopes 0.5, 0.25, 2 and 0.1.
std::string IdVersusIndex() {
    std::string text = "<ColorCorrectionCollection xmlns=\"urn:ASC:CDL:v1.01\">\n";
    const char *const ids[4] = {" id=\"first\"", "", " id=\"3\"", " id=\"last\""};
    const char *const slopes[4] = {"0.5", "0.25", "2", "0.1"};
    for (int k = 0; k < 4; k++) {
        text += std::string("<ColorCorrection") + ids[k] + ">\n  <SOPNode>\n    <Slope>" + slopes[k] + " " + slopes[k] +
                " " + slopes[k] + "</Slope>\n    <Offset>0 0 0</Offset>\n    <Power>1 1 1</Power>\n  </SOPNode>\n" +
                "  <SatNode>\n    <Saturation>1.0</Saturation>\n  </SatNode>\n</ColorCorrection>\n";
    }
    return text + "</ColorCorrectionCollection>\n";
}

// Two decisions, shot1 (slope 0.5) and shot2 (slope 2), the first with a
// MediaRef that the list's reading skips.
const char *const kTwoDecisions = R"(<ColorDecisionList xmlns="urn:ASC:CDL:v1.01">
<ColorDecision>
<MediaRef ref="a/b.dpx"/>
<ColorCorrection id="shot1">
  <SOPNode><Slope>0.5 0.5 0.5</Slope><Offset>0 0 0</Offset><Power>1 1 1</Power></SOPNode>
</ColorCorrection>
</ColorDecision>
<ColorDecision>
<ColorCorrection id="shot2">
  <SOPNode><Slope>2 2 2</Slope><Offset>0 0 0</Offset><Power>1 1 1</Power></SOPNode>
</ColorCorrection>
</ColorDecision>
</ColorDecisionList>
)";

struct Rgb {
    double v[3];
};

// The nodes of a 3-point grid the fixed values are taken at.
constexpr Rgb kHalfRed = {{0.5, 0, 0}}, kRed = {{1, 0, 0}}, kHalfYellow = {{0.5, 0.5, 0}}, kGreen = {{0, 1, 0}},
              kGrey = {{0.5, 0.5, 0.5}}, kWhite = {{1, 1, 1}}, kCyan = {{0, 1, 1}}, kHalfRedWhite = {{0.5, 1, 1}};

void ExpectAt(const PrepTransform &t, Rgb in, Rgb expected) {
    double rgb[3] = {in.v[0], in.v[1], in.v[2]};
    PrepApplyTransform(&t, kPrepTetrahedral, rgb);
    for (int c = 0; c < 3; c++) {
        EXPECT_NEAR(rgb[c], expected.v[c], kTolerance)
            << "channel " << c << " at (" << in.v[0] << ", " << in.v[1] << ", " << in.v[2] << ")";
    }
}

int Read(const std::string &text, PrepFamily family, const char *cccid, PrepTransform *t,
         PrepWarnings *warnings = nullptr, PrepError *error = nullptr) {
    PrepReadOptions options{cccid, nullptr};
    return PrepParseTransform(text.data(), text.size(), family, options, t, warnings, error);
}

// The slope of the correction read: its output at grey 0.5, doubled.
double SlopeRead(const std::string &text, PrepFamily family, const char *cccid) {
    PrepTransform t{};
    PrepError error{};
    if (Read(text, family, cccid, &t, nullptr, &error) != 0) {
        ADD_FAILURE() << "--cccid " << (cccid != nullptr ? cccid : "(none)") << ": " << error.text;
        return -1.0;
    }
    double rgb[3] = {0.5, 0.5, 0.5};
    PrepApplyTransform(&t, kPrepTetrahedral, rgb);
    PrepFreeTransform(&t);
    return 2.0 * rgb[0];
}

// The error of a refused read (its line and text), "" when it was read.
std::string Refusal(const std::string &text, PrepFamily family, const char *cccid = nullptr) {
    PrepTransform t{};
    PrepError error{};
    if (Read(text, family, cccid, &t, nullptr, &error) == 0) {
        PrepFreeTransform(&t);
        return "";
    }
    EXPECT_EQ(t.count, 0);
    return "line " + std::to_string(error.line) + ": " + error.text;
}

// The correction of the ASC_CDL element in text, added in style.
int AddFromXml(const std::string &text, int32_t style, PrepTransform *t, PrepError *error) {
    PrepXmlDocument doc{};
    PrepSource source{text.data(), text.size(), nullptr};
    if (PrepParseXml(source, &doc, error) != 0) return -1;
    int result = PrepAddCdl(t, doc.root, style, nullptr, error);
    PrepFreeXml(&doc);
    return result;
}

}  // namespace

// ASC CDL v1.2's clamping styles clamp before the power and at the end,
// the NoClamp styles nowhere; the reverse styles undo the steps in the
// reverse order. ociobakelut, on a CLF ASC_CDL node of each style.
TEST(PrepCdl, EachStyleClampsAndRunsAsOpenColorIODoes) {
    struct Case {
        PrepCdlStyle style;
        const char *name;
        Rgb halfRed, halfYellow, grey, cyan, white;
    };
    const Case cases[] = {
        {kPrepCdlFwd,
         "Fwd",
         {{0.417368, 0.432196, 0.163868}},
         {{0.511026, 0.722284, 0.257526}},
         {{0.525466, 0.736724, 0.571966}},
         {{0.314960, 0.914960, 0.914960}},
         {{1.0, 1.0, 1.0}}},
        {kPrepCdlFwdNoClamp,
         "FwdNoClamp",
         {{0.417368, 0.432196, 0.163868}},
         {{0.511026, 0.722284, 0.257526}},
         {{0.525466, 0.736724, 0.571966}},
         {{0.246456, 0.906456, 0.906456}},
         {{1.657638, 1.081638, 1.081638}}},
        {kPrepCdlRev,
         "Rev",
         {{0.648796, 0.0, 0.0}},
         {{0.549283, 0.093307, 0.0}},
         {{0.538071, 0.062500, 0.500000}},
         {{0.066667, 1.0, 1.0}},
         {{0.733333, 1.0, 1.0}}},
        {kPrepCdlRevNoClamp,
         "RevNoClamp",
         {{0.648796, -0.338583, -0.070867}},
         {{0.549283, 0.093307, -0.309267}},
         {{0.538071, 0.062500, 0.500000}},
         {{-0.283289, 1.379444, 1.141733}},
         {{0.733333, 1.0, 1.0}}},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        PrepTransform t{};
        PrepError error{};
        ASSERT_EQ(AddFromXml(AscCdl(k.name), k.style, &t, &error), 0) << error.text;
        ASSERT_EQ(t.count, 1);
        EXPECT_STREQ(t.ops[0].name, "ASC_CDL");
        ExpectAt(t, kHalfRed, k.halfRed);
        ExpectAt(t, kHalfYellow, k.halfYellow);
        ExpectAt(t, kGrey, k.grey);
        ExpectAt(t, kCyan, k.cyan);
        ExpectAt(t, kWhite, k.white);
        PrepFreeTransform(&t);
    }
}

// OpenColorIO 2.1 applies .cc files without clamping: below 0 a value
// passes the power unchanged (0 - 0.25 stays -0.25), above 0 it is raised.
TEST(PrepCdl, NegativesPassThePowerUnchangedInACcFile) {
    PrepTransform t{};
    PrepError error{};
    ASSERT_EQ(Read(kNegativeOffsetPower, &kPrepFormatCc, nullptr, &t, nullptr, &error), 0) << error.text;
    ExpectAt(t, {{0, 0, 0}}, {{-0.25, 0, 0}});
    ExpectAt(t, kHalfRed, {{0.0625, 0, 0}});
    ExpectAt(t, kRed, {{0.5625, 0, 0}});
    ExpectAt(t, kGrey, {{0.0625, 0.25, 0.25}});
    ExpectAt(t, kCyan, {{-0.25, 1, 1}});
    PrepFreeTransform(&t);
}

// Saturation moves each channel from the Rec. 709 luma of the values after
// the power: 0 leaves the luma alone.
TEST(PrepCdl, SaturationMovesEachChannelFromTheRec709Luma) {
    PrepTransform t{};
    PrepError error{};
    ASSERT_EQ(Read(kSaturation0, &kPrepFormatCc, nullptr, &t, nullptr, &error), 0) << error.text;
    ExpectAt(t, kHalfRed, {{0.1063, 0.1063, 0.1063}});
    ExpectAt(t, kRed, {{0.2126, 0.2126, 0.2126}});
    ExpectAt(t, kGreen, {{0.7152, 0.7152, 0.7152}});
    ExpectAt(t, kHalfYellow, {{0.4639, 0.4639, 0.4639}});
    ExpectAt(t, kGrey, {{0.5, 0.5, 0.5}});
    PrepFreeTransform(&t);
}

// ASC_SOP and ASC_SAT, the names of old files, are not read: their values
// change nothing, and the reading warns of it at their line.
TEST(PrepCdl, OldElementNamesAreSkippedWithAWarning) {
    PrepTransform t{};
    PrepWarnings warnings{};
    PrepError error{};
    ASSERT_EQ(Read(kAscSop, &kPrepFormatCc, nullptr, &t, &warnings, &error), 0) << error.text;
    ExpectAt(t, kHalfRed, {{0.271654, 0.061654, 0.061654}});
    ExpectAt(t, kRed, {{0.543308, 0.123308, 0.123308}});
    ExpectAt(t, kHalfYellow, {{0.479062, 0.479062, 0.269062}});
    ExpectAt(t, kHalfRedWhite, {{0.728346, 0.938346, 0.938346}});
    ASSERT_EQ(warnings.count, 1);
    EXPECT_EQ(warnings.list[0].code, kPrepWarnIgnored);
    EXPECT_STREQ(PrepWarningName(warnings.list[0].code), "ignored");
    EXPECT_EQ(warnings.list[0].line, 2);
    EXPECT_NE(strstr(warnings.list[0].text, "ASC_SOP"), nullptr) << warnings.list[0].text;
    PrepFreeTransform(&t);

    // A MediaRef in a decision list is skipped alike; the SATNode spelling
    // is SatNode.
    ASSERT_EQ(Read(kTwoDecisions, &kPrepFormatCdl, "shot1", &t, &warnings, &error), 0) << error.text;
    ASSERT_EQ(warnings.count, 1);
    EXPECT_EQ(warnings.list[0].line, 3);
    PrepFreeTransform(&t);
    std::string satNode = kSaturation0;
    satNode.replace(satNode.find("<SatNode>"), 9, "<SATNode>");
    satNode.replace(satNode.find("</SatNode>"), 10, "</SATNode>");
    ASSERT_EQ(Read(satNode, &kPrepFormatCc, nullptr, &t, &warnings, &error), 0) << error.text;
    EXPECT_EQ(warnings.count, 0);
    ExpectAt(t, kRed, {{0.2126, 0.2126, 0.2126}});
    PrepFreeTransform(&t);
}

// --cccid names a correction by its id first and only then by its index
// from 0 (blanks before the index, nothing after), as ociobakelut takes it:
// "3" is the correction whose id is 3, at index 2.
TEST(PrepCdl, CccidPicksByIdThenByIndex) {
    const std::string ccc = IdVersusIndex();
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, "3"), 2.0, kTolerance);
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, "1"), 0.25, kTolerance);
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, "first"), 0.5, kTolerance);
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, "last"), 0.1, kTolerance);
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, " 2"), 2.0, kTolerance);
    EXPECT_NEAR(SlopeRead(ccc, &kPrepFormatCcc, "+1"), 0.25, kTolerance);
    for (const char *bad : {"4", "-1", "2 ", "1x", "First"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Refusal(ccc, &kPrepFormatCcc, bad),
                  std::string("line 1: --cccid ") + bad +
                      ": no correction has that id or index (from 0) among: first, index 1 (no id), 3, last");
    }
    // Without --cccid a collection of several is refused with its ids.
    EXPECT_EQ(Refusal(ccc, &kPrepFormatCcc),
              "line 1: 4 corrections: choose one with --cccid, by id or index from 0: first, index 1 (no id), 3, last");

    // A decision list's corrections count across its decisions.
    EXPECT_NEAR(SlopeRead(kTwoDecisions, &kPrepFormatCdl, "shot2"), 2.0, kTolerance);
    EXPECT_NEAR(SlopeRead(kTwoDecisions, &kPrepFormatCdl, "1"), 2.0, kTolerance);
    EXPECT_NEAR(SlopeRead(kTwoDecisions, &kPrepFormatCdl, "0"), 0.5, kTolerance);
    EXPECT_EQ(Refusal(kTwoDecisions, &kPrepFormatCdl, "2").rfind("line 1: --cccid 2: no correction", 0), 0u);
}

// A .cc file's correction is read whatever --cccid says (ociobakelut reads
// it with any); a lone correction saved as .ccc or .cdl is a collection of
// one, and a collection saved as .cc a collection.
TEST(PrepCdl, LoneCorrectionsAndCollectionsUnderAnyOfTheNames) {
    std::string lone =
        "<ColorCorrection><SOPNode><Slope>0.5 0.5 0.5</Slope><Offset>0 0 0</Offset>"
        "<Power>1 1 1</Power></SOPNode></ColorCorrection>";
    EXPECT_NEAR(SlopeRead(lone, &kPrepFormatCc, "nonsense"), 0.5, kTolerance);
    EXPECT_NEAR(SlopeRead(lone, &kPrepFormatCcc, "0"), 0.5, kTolerance);
    EXPECT_NEAR(SlopeRead(lone, &kPrepFormatCdl, nullptr), 0.5, kTolerance);
    EXPECT_EQ(Refusal(lone, &kPrepFormatCcc, "1").rfind("line 1: --cccid 1: no correction", 0), 0u);

    // The correction's descriptions become the notes, a line each.
    std::string described = lone;
    described.insert(strlen("<ColorCorrection>"), "<Description> Day exterior\n\tshot 12 </Description>");
    PrepTransform t{};
    ASSERT_EQ(Read(described, &kPrepFormatCc, nullptr, &t), 0);
    EXPECT_STREQ(t.notes, "Day exterior\nshot 12\n");
    PrepFreeTransform(&t);

    std::string collection = "<ColorCorrectionCollection><ColorCorrection id=\"only\">" +
                             lone.substr(strlen("<ColorCorrection>")) + "</ColorCorrectionCollection>";
    EXPECT_NEAR(SlopeRead(collection, &kPrepFormatCc, "only"), 0.5, kTolerance);
    EXPECT_NEAR(SlopeRead(collection, &kPrepFormatCc, nullptr), 0.5, kTolerance);
}

// Each refusal names the line of its cause, as OpenColorIO's messages do
// for the same files.
TEST(PrepCdl, RefusalsNameTheirLine) {
    const char *sop =
        "<ColorCorrection id=\"x\">\n  <SOPNode>\n    <Slope>2 2 2</Slope>\n"
        "    <Offset>0 0 0</Offset>\n%s  </SOPNode>\n</ColorCorrection>\n";
    char text[512];
    snprintf(text, sizeof text, sop, "");
    EXPECT_EQ(Refusal(text, &kPrepFormatCc), "line 2: SOPNode without Power: it needs Slope, Offset and Power");
    snprintf(text, sizeof text, sop, "    <Power>1 0 1</Power>\n");
    EXPECT_EQ(Refusal(text, &kPrepFormatCc), "line 5: Power 0: a power is more than 0");
    snprintf(text, sizeof text, sop, "    <Power>1 1 1</Power>\n    <Slope>1 1 1</Slope>\n");
    EXPECT_EQ(Refusal(text, &kPrepFormatCc), "line 6: Slope given twice (first on line 3)");

    std::string slope = kNegativeOffsetPower;
    size_t at = slope.find("1 1 1</Slope>");
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "1 1"), &kPrepFormatCc),
              "line 3: Slope takes 3 numbers; it holds 2");
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "-1 1 1"), &kPrepFormatCc),
              "line 3: Slope -1: a slope is 0 or more");
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "1 nan 1"), &kPrepFormatCc),
              "line 3: Slope: 'nan' is not a finite number");
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "1 1e999 1"), &kPrepFormatCc),
              "line 3: Slope: '1e999' is not a finite number");
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "1 1 1x"), &kPrepFormatCc),
              "line 3: Slope: '1x' is not a finite number");
    // Commas separate numbers as blanks do.
    EXPECT_EQ(Refusal(std::string(slope).replace(at, 5, "1, 1,\n1"), &kPrepFormatCc), "");

    std::string twice = IdVersusIndex();
    twice.replace(twice.find("id=\"last\""), 9, "id=\"first\"");
    EXPECT_EQ(Refusal(twice, &kPrepFormatCcc, "first"),
              "line 32: a second ColorCorrection with id 'first' (the first is on line 2)");
    EXPECT_EQ(Refusal("<ColorCorrectionCollection/>", &kPrepFormatCcc),
              "line 1: ColorCorrectionCollection holds no ColorCorrection");
    EXPECT_EQ(Refusal("\n<ProcessList/>", &kPrepFormatCc),
              "line 2: the root element is ProcessList; an ASC CDL file holds a ColorCorrection, a "
              "ColorCorrectionCollection or a ColorDecisionList");
    EXPECT_EQ(Refusal("<ColorCorrection>\n<SatNode><Saturation>1 2</Saturation></SatNode>\n</ColorCorrection>",
                      &kPrepFormatCc),
              "line 2: Saturation takes 1 number; it holds 2");
    // What ociobakelut reads, though: an empty SatNode is saturation 1.
    PrepTransform t{};
    ASSERT_EQ(Read("<ColorCorrection><SatNode/></ColorCorrection>", &kPrepFormatCc, nullptr, &t), 0);
    ExpectAt(t, kRed, {{1, 0, 0}});
    PrepFreeTransform(&t);
}

// A reverse style divides by the slope and the saturation: a zero is
// refused, where the forward styles take it.
TEST(PrepCdl, AReverseStyleRefusesWhatCannotBeUndone) {
    std::string zeroSlope = AscCdl("Rev");
    zeroSlope.replace(zeroSlope.find("1.5 0.8 1"), 9, "1.5 0 1");
    std::string zeroSat = AscCdl("Rev");
    zeroSat.replace(zeroSat.find("0.6"), 3, "0");
    // The line of the Slope, or of the Saturation.
    const struct {
        const std::string *text;
        int64_t line;
    } zeros[] = {{&zeroSlope, 2}, {&zeroSat, 3}};
    for (PrepCdlStyle style : {kPrepCdlRev, kPrepCdlRevNoClamp, kPrepCdlFwd, kPrepCdlFwdNoClamp}) {
        bool reverse = style == kPrepCdlRev || style == kPrepCdlRevNoClamp;
        for (const auto &zero : zeros) {
            PrepTransform t{};
            PrepError error{};
            EXPECT_EQ(AddFromXml(*zero.text, style, &t, &error), reverse ? -1 : 0) << style << " " << *zero.text;
            if (reverse) {
                EXPECT_EQ(error.line, zero.line) << error.text;
            }
            PrepFreeTransform(&t);
        }
    }
}

namespace {

class PrepCdlAgainstOcio : public ScratchDirTest {
protected:
    // ociobakelut's 33-point bake of options (its --lut or --invlut and
    // what goes before them) against *t's: every value within 2e-6 of its
    // size (ociobakelut prints 6 decimals; values reach 40).
    void ExpectBakedAlike(PrepTransform *t, const std::string &options) {
        PrepLut ours{}, theirs{};
        PrepError error{};
        ASSERT_EQ(PrepTransformToLut(t, 33, kPrepTetrahedral, &ours, &error), 0) << error.text;
        std::string ref = (dir / "ref.cube").string();
        std::string command = "ociobakelut " + options + " --format iridas_cube --cubesize 33 \"" + ref + "\" > \"" +
                              (dir / "ociobakelut.txt").string() + "\" 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_EQ(PrepReadLutFile(ref.c_str(), kPrepFamilyCube, &theirs, nullptr, &error), 0) << error.text;
        ASSERT_EQ(theirs.points, 33);
        for (int64_t i = 0; i < 3 * PrepNodeCount(33); i++) {
            double bound = 2e-6 * std::fmax(1.0, std::fabs(theirs.values[i]));
            ASSERT_NEAR(ours.values[i], theirs.values[i], bound) << command << ": node " << i / 3;
        }
        PrepFreeLut(&ours);
        PrepFreeLut(&theirs);
    }

    void ExpectFileAlike(const std::string &name, const std::string &text, const char *cccid) {
        SCOPED_TRACE(name + (cccid != nullptr ? std::string(" --cccid ") + cccid : ""));
        std::string path = Write(name, text);
        PrepTransform t{};
        PrepError error{};
        PrepReadOptions options{cccid, nullptr};
        ASSERT_EQ(PrepReadTransformFile(path.c_str(), PrepFamilyOfName(path.c_str()), options, &t, nullptr, &error), 0)
            << error.text;
        // ociobakelut needs --cccid for any collection, also of one.
        std::string id = cccid != nullptr ? std::string("--cccid \"") + cccid + "\" " : "";
        ExpectBakedAlike(&t, id + "--lut \"" + path + "\"");
        PrepFreeTransform(&t);
    }
};

}  // namespace

// Each style on a CLF ASC_CDL node, and .cc, .ccc and .cdl files, baked as
// ociobakelut bakes them; a .cc's --invlut is its RevNoClamp.
TEST_F(PrepCdlAgainstOcio, EveryStyleAndFileBakesAsOciobakelutDoes) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed";
    const struct {
        PrepCdlStyle style;
        const char *name;
    } styles[] = {{kPrepCdlFwd, "Fwd"},
                  {kPrepCdlRev, "Rev"},
                  {kPrepCdlFwdNoClamp, "FwdNoClamp"},
                  {kPrepCdlRevNoClamp, "RevNoClamp"}};
    for (const auto &s : styles) {
        SCOPED_TRACE(s.name);
        std::string clf = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ProcessList compCLFversion=\"3\" id=\"x\">\n" +
                          AscCdl(s.name) + "</ProcessList>\n";
        std::string path = Write("style.clf", clf);
        PrepTransform t{};
        PrepError error{};
        ASSERT_EQ(AddFromXml(AscCdl(s.name), s.style, &t, &error), 0) << error.text;
        ExpectBakedAlike(&t, "--lut \"" + path + "\"");
        PrepFreeTransform(&t);
    }
    std::string body = std::string("<ColorCorrection id=\"c\">") + kCdlBody + "</ColorCorrection>";
    std::string cc = Write("inverse.cc", body);
    PrepTransform t{};
    PrepError error{};
    ASSERT_EQ(AddFromXml(body, kPrepCdlRevNoClamp, &t, &error), 0) << error.text;
    ExpectBakedAlike(&t, "--invlut \"" + cc + "\"");
    PrepFreeTransform(&t);

    ExpectFileAlike("negative.cc", kNegativeOffsetPower, nullptr);
    ExpectFileAlike("asc_sop.cc", kAscSop, nullptr);
    ExpectFileAlike("ids.ccc", IdVersusIndex(), "3");
    ExpectFileAlike("ids.ccc", IdVersusIndex(), "1");
    ExpectFileAlike("ids.ccc", IdVersusIndex(), " 2");
    ExpectFileAlike("two.cdl", kTwoDecisions, "shot2");
    ExpectFileAlike("two.cdl", kTwoDecisions, "0");
}
