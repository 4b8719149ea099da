// lutprep's readers: the forms each family takes in the wild, the files each
// must refuse (with the physical line), and each warning of "check".
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "prep/lut_read.h"
#include "scratch_dir.h"

namespace {

struct Parsed {
    int result;
    PrepLut lut;
    PrepWarnings warnings;
    PrepError error;
};

// Parses text as family; the LUT is freed by the caller through Free().
Parsed Parse(PrepFamily family, const std::string &text) {
    Parsed p{};
    p.result = PrepParseLut(text.data(), text.size(), family, &p.lut, &p.warnings, &p.error);
    return p;
}

void Free(Parsed *p) { PrepFreeLut(&p->lut); }

std::vector<float> Eval(const PrepLut &lut, float r, float g, float b) {
    float in[3] = {r, g, b}, out[3];
    PrepEvaluate(&lut, kPrepTetrahedral, in, out);
    return {out[0], out[1], out[2]};
}

const PrepWarning *Find(const PrepWarnings &w, PrepWarningCode code) {
    for (int32_t i = 0; i < w.count; i++) {
        if (w.list[i].code == code) return &w.list[i];
    }
    return nullptr;
}

// The 8 rows of a 2-point identity lattice, red fastest.
std::string IdentityRows(const char *eol = "\n") {
    std::string text;
    for (int k = 0; k < 8; k++) {
        text += std::to_string(k & 1) + " " + std::to_string((k >> 1) & 1) + " " + std::to_string(k >> 2) + eol;
    }
    return text;
}

// Row k of a 3-point table: values that tell the rows apart.
std::string Row3dl(int k) {
    return std::to_string(100 * k) + " " + std::to_string(100 * k + 1) + " " + std::to_string(100 * k + 2) + "\n";
}

std::string Rows3dl(int count) {
    std::string text;
    for (int k = 0; k < count; k++) text += Row3dl(k);
    return text;
}

// Rows of a 2-point table in reverse order, with blanks around the
// separators: node (r, g, b) holds (r + 0.25, g + 0.5, b + 0.75).
std::string CsvReversed(const char *sep, const char *point, const char *eol) {
    std::string text;
    for (int k = 7; k >= 0; k--) {
        std::string r = std::to_string(k >> 2), g = std::to_string((k >> 1) & 1), b = std::to_string(k & 1);
        text += r + sep + g + " " + sep + " " + b + sep + r + point + "25" + sep + g + point + "5" + sep + b + point +
                "75" + eol;
    }
    return text;
}

}  // namespace

TEST(PrepCubeReader, ReadsIndentedLowerCaseKeywordsCommentsBlankLinesAndCrLf) {
    std::string text =
        "# exported by a grading application\r\n  title grade one\r\n\tlut_3d_size 2\r\n\r\n"
        "Domain_Min 0 0 0\r\nDOMAIN_MAX 1 1 1\r\n";
    for (int k = 0; k < 8; k++) {
        text +=
            std::to_string(k / 8.0) + " " + std::to_string(k / 16.0) + "\t" + std::to_string(1.0 - k / 32.0) + "\r\n";
        if (k == 3) text += "\r\n# half way\r\n";
    }
    Parsed p = Parse(kPrepFamilyCube, text);
    ASSERT_EQ(p.result, 0) << p.error.line << ": " << p.error.text;
    EXPECT_EQ(p.lut.points, 2);
    EXPECT_EQ(p.lut.family, kPrepFamilyCube);
    EXPECT_TRUE(PrepIsPlainLattice(&p.lut));
    for (int k = 0; k < 8; k++) {
        EXPECT_EQ(p.lut.values[3 * k], static_cast<float>(k / 8.0)) << k;
        EXPECT_EQ(p.lut.values[3 * k + 2], static_cast<float>(1.0 - k / 32.0)) << k;
    }
    EXPECT_EQ(p.warnings.count, 0);
    Free(&p);
}

TEST(PrepCubeReader, DomainsInputRangesAndShapersShapeTheInput) {
    // A domain per channel, clamped at its edges.
    Parsed p =
        Parse(kPrepFamilyCube, "TITLE \"d\"\nDOMAIN_MIN -1 0 0\nDOMAIN_MAX 1 2 1\nLUT_3D_SIZE 2\n" + IdentityRows());
    ASSERT_EQ(p.result, 0) << p.error.text;
    EXPECT_EQ(Eval(p.lut, 0.0f, 1.0f, 0.5f), (std::vector<float>{0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(Eval(p.lut, -3.0f, 5.0f, 0.25f), (std::vector<float>{0.0f, 1.0f, 0.25f}));
    ASSERT_NE(Find(p.warnings, kPrepWarnDomain), nullptr);
    EXPECT_EQ(Find(p.warnings, kPrepWarnDomain)->line, 2);
    Free(&p);

    // The grading-software variant: a shaper over [0, 2], then the table.
    p = Parse(kPrepFamilyCube,
              "LUT_1D_SIZE 3\nLUT_1D_INPUT_RANGE 0 2\nLUT_3D_SIZE 2\nLUT_3D_INPUT_RANGE 0 1\n"
              "0 0 0\n0.25 0.5 1\n1 1 1\n" +
                  IdentityRows());
    ASSERT_EQ(p.result, 0) << p.error.text;
    EXPECT_EQ(p.lut.shaperPoints, 3);
    EXPECT_EQ(Eval(p.lut, 1.0f, 1.0f, 1.0f), (std::vector<float>{0.25f, 0.5f, 1.0f}));
    EXPECT_EQ(Eval(p.lut, 0.5f, 0.5f, 0.5f), (std::vector<float>{0.125f, 0.25f, 0.5f}));
    EXPECT_EQ(Find(p.warnings, kPrepWarnDomain), nullptr);
    Free(&p);

    // One range for all channels of the table alone.
    p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\nLUT_3D_INPUT_RANGE 0 0.5\n" + IdentityRows());
    ASSERT_EQ(p.result, 0) << p.error.text;
    EXPECT_EQ(Eval(p.lut, 0.25f, 0.5f, 0.0f), (std::vector<float>{0.5f, 1.0f, 0.0f}));
    ASSERT_NE(Find(p.warnings, kPrepWarnDomain), nullptr);
    EXPECT_EQ(Find(p.warnings, kPrepWarnDomain)->line, 2);
    Free(&p);

    // A 1D LUT alone is its curves.
    p = Parse(kPrepFamilyCube, "LUT_1D_SIZE 2\n0 0 0\n0.5 0.5 0.5\n");
    ASSERT_EQ(p.result, 0) << p.error.text;
    EXPECT_EQ(Eval(p.lut, 1.0f, 0.5f, 0.0f), (std::vector<float>{0.5f, 0.25f, 0.0f}));
    Free(&p);
}

struct Refusal {
    PrepFamily family;
    std::string text;
    int64_t line;
    const char *reason;  // a part of the error text
};

class PrepRefusals : public ::testing::TestWithParam<Refusal> {};

// Each refused file names its physical line, counted by line feeds: blank
// lines and comments count too.
TEST_P(PrepRefusals, NameTheLineAndTheReason) {
    const Refusal &r = GetParam();
    Parsed p = Parse(r.family, r.text);
    EXPECT_EQ(p.result, -1);
    EXPECT_EQ(p.error.line, r.line) << p.error.text;
    EXPECT_NE(strstr(p.error.text, r.reason), nullptr) << p.error.text;
    EXPECT_EQ(p.lut.values, nullptr);
    Free(&p);
}

void PrintTo(const Refusal &r, std::ostream *os) { *os << "expecting line " << r.line << ": " << r.reason; }

INSTANTIATE_TEST_SUITE_P(
    Cube, PrepRefusals,
    ::testing::Values(
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\n# c\n\n0 0 0\n0,5 0 0\n", 5,
                "'0,5' is not a number (a decimal comma?)"},
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\n\nLUT_IN_VIDEO_RANGE\n" + IdentityRows(), 3, "video-range"},
        Refusal{kPrepFamilyCube, "#\nLUT_3D_SIZE 2\nFOO 1\n", 3, "unknown keyword 'FOO'"},
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\n" + IdentityRows().substr(6), 8, "holds 7 3D rows"},
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\n" + IdentityRows() + "TITLE \"late\"\n", 10, "after the data"},
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\nlut_3d_size 2\n", 2, "given twice (first on line 1)"},
        Refusal{kPrepFamilyCube, "DOMAIN_MIN 1 1 1\nDOMAIN_MAX 0 1 1\nLUT_3D_SIZE 2\n" + IdentityRows(), 1,
                "minimum is not below"},
        Refusal{kPrepFamilyCube, "LUT_3D_SIZE 257\n", 1, "from 2 to 256"},
        Refusal{kPrepFamilyCube, "", 1, "no data rows"}));

INSTANTIATE_TEST_SUITE_P(ThreeDl, PrepRefusals,
                         ::testing::Values(Refusal{kPrepFamily3dl, "0 512 1023\n" + Rows3dl(5) + "1 2 3.5\n", 7,
                                                   "'3.5' is not a whole"},
                                           Refusal{kPrepFamily3dl, "#\n0 100 1023\n", 2, "not evenly spaced"},
                                           Refusal{kPrepFamily3dl, "0 512 1023\n" + Rows3dl(26), 27, "holds 26 rows"},
                                           Refusal{kPrepFamily3dl, "\n" + Rows3dl(26), 27, "holds 26 rows"},
                                           Refusal{kPrepFamily3dl, "0 512 1023 1023\n0 512 1023 1023\n", 2,
                                                   "a second mesh line (the first is on line 1)"},
                                           Refusal{kPrepFamily3dl, "0 341 682 1023\n", 1, "no rows"},
                                           Refusal{kPrepFamily3dl,
                                                   "0 0 0\n0 0 100\n0 100 0\n0 100 100\n100 0 0\n100 0 100\n"
                                                   "100 100 0\n100 100 100\n",
                                                   2, "largest value is 100: below 128"},
                                           Refusal{kPrepFamily3dl, "0 512 1023\nFoo\n", 2, "unknown keyword 'Foo'"}));

INSTANTIATE_TEST_SUITE_P(
    Csv, PrepRefusals,
    ::testing::Values(Refusal{kPrepFamilyCsv,
                              "0,0,0,0,0,0\n1,0,0,0,0,0\n\n0,0,0,1,1,1\n0,1,0,0,0,0\n1,1,0,0,0,0\n0,0,1,0,0,0\n"
                              "1,0,1,0,0,0\n0,1,1,0,0,0\n",
                              4, "first on line 1"},
                      Refusal{kPrepFamilyCsv, "R,G,B,r,g,b\n" + CsvReversed(",", ".", "\n").replace(0, 1, "2"), 2,
                              "index 2 outside 0 to 1"},
                      Refusal{kPrepFamilyCsv, "0,0,0,0,0,0\n0,0,1,0,0,0\n", 2, "2 rows"},
                      Refusal{kPrepFamilyCsv, "0,0,0,0,0,0\nR,G,B\n", 2, "only the first line"},
                      Refusal{kPrepFamilyCsv, "0,0,0.5,0,0,0\n", 1, "'0.5' is not an index"}));

// What shows the text is not written as a LUT is: named, not taken for a
// bad number on some line.
INSTANTIATE_TEST_SUITE_P(
    Text, PrepRefusals,
    ::testing::Values(Refusal{kPrepFamilyCube, std::string("\xFF\xFET\0I\0T\0L\0E\0\n\0", 12), 1,
                              "the file is UTF-16 text; save it as UTF-8 or ASCII"},
                      Refusal{kPrepFamily3dl,
                              std::string("0\0 \0"
                                          "1\0\n\0",
                                          8),
                              1, "UTF-16"},
                      Refusal{kPrepFamilyCsv, "R,G,B\r0,0,0,0,0,0\r1,0,0,1,0,0\r", 1,
                              "the lines end in CR alone (old Mac line ends)"},
                      Refusal{kPrepFamilyCube, "LUT_3D_SIZE 2\n" + IdentityRows().replace(5, 1, "\r"), 2, "CR alone"}));

TEST(Prep3dlReader, LustreHeaderAndTrailerBlueFastestRows) {
    Parsed p = Parse(kPrepFamily3dl, "3DMESH\nMesh 1 12\n0 512 1023\n" + Rows3dl(27) + "\nLUT8\ngamma 1.0\n");
    ASSERT_EQ(p.result, 0) << p.error.line << ": " << p.error.text;
    EXPECT_EQ(p.lut.points, 3);
    EXPECT_EQ(p.lut.bits, 12);
    EXPECT_EQ(p.lut.bitsFrom, kPrepBitsHeader);
    // File row k is node (r, g, b) = (k / 9, k / 3 % 3, k % 3).
    for (int k = 0; k < 27; k++) {
        int node = k / 9 + 3 * (k / 3 % 3 + 3 * (k % 3));
        EXPECT_EQ(p.lut.values[3 * node + 1], static_cast<float>((100.0 * k + 1) / 4095.0)) << k;
    }
    EXPECT_EQ(p.warnings.count, 0);
    Free(&p);
}

// Without a Mesh header the depth is the one OpenColorIO takes from the
// largest value, whatever the mesh line's scale; the value of node (2, 0, 0)
// is ociobakelut's (--cubesize 3) for the same file.
TEST(Prep3dlReader, BitDepthFromTheLargestValueAsOpenColorIoTakesIt) {
    struct Case {
        std::string text;
        int32_t bits;
        int64_t warningLine;
        float red200;
    };
    std::string tenBit;
    for (int k = 0; k < 27; k++) tenBit += "1000 1000 1000\n";
    const Case cases[] = {
        {"0 341 682 1023\n" + tenBit, 10, 2, 0.977517f},
        // A 12-bit LUT that never exceeds 1966 passes as 10-bit, as there.
        {"# Flame\n0 341 682 1023\n" + Rows3dl(20) + "1966 0 0\n" + Rows3dl(6), 10, 23, 1.759531f},
        // A 16-bit mesh line says nothing of the rows' depth.
        {"0 21845 43690 65535\n" + Rows3dl(27), 12, 28, 0.439560f},
    };
    for (const Case &c : cases) {
        Parsed p = Parse(kPrepFamily3dl, c.text);
        ASSERT_EQ(p.result, 0) << p.error.line << ": " << p.error.text;
        EXPECT_EQ(p.lut.bits, c.bits);
        EXPECT_EQ(p.lut.bitsFrom, kPrepBitsLargest);
        EXPECT_EQ(p.lut.shaperPoints, 0);
        EXPECT_NEAR(p.lut.values[3 * 2], c.red200, 1e-6);
        const PrepWarning *w = Find(p.warnings, kPrepWarnBitDepth);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->line, c.warningLine) << w->text;
        Free(&p);
    }
}

TEST(PrepCsvReader, PlacesRowsByTheirIndexColumnsRedFirst) {
    // After a byte-order mark and a heading, CR LF; and with semicolons and
    // decimal commas, as some locales write them.
    Parsed p = Parse(kPrepFamilyCsv, "\xEF\xBB\xBFR,G,B,r,g,b\r\n" + CsvReversed(",", ".", "\r\n"));
    ASSERT_EQ(p.result, 0) << p.error.line << ": " << p.error.text;
    Parsed q = Parse(kPrepFamilyCsv, CsvReversed(";", ",", "\n"));
    ASSERT_EQ(q.result, 0) << q.error.line << ": " << q.error.text;
    for (const Parsed *x : {&p, &q}) {
        ASSERT_EQ(x->lut.points, 2);
        for (int r = 0; r < 2; r++) {
            for (int g = 0; g < 2; g++) {
                for (int b = 0; b < 2; b++) {
                    const float *v = x->lut.values + 3 * (r + 2 * (g + 2 * b));
                    EXPECT_EQ(v[0], r + 0.25f);
                    EXPECT_EQ(v[1], g + 0.5f);
                    EXPECT_EQ(v[2], b + 0.75f);
                }
            }
        }
    }
    Free(&p);
    Free(&q);
}

struct WarningCase {
    PrepFamily family;
    std::string text;
    PrepWarningCode code;
    int64_t line;
    int64_t count;
    bool refused = false;
};

class PrepWarningCases : public ::testing::TestWithParam<WarningCase> {};

TEST_P(PrepWarningCases, NoteTheLineAndCount) {
    const WarningCase &c = GetParam();
    Parsed p = Parse(c.family, c.text);
    EXPECT_EQ(p.result, c.refused ? -1 : 0) << p.error.text;
    ASSERT_EQ(p.warnings.count, 1) << p.warnings.list[0].text;
    const PrepWarning &w = p.warnings.list[0];
    EXPECT_STREQ(PrepWarningName(w.code), PrepWarningName(c.code)) << w.text;
    EXPECT_EQ(w.line, c.line) << w.text;
    EXPECT_EQ(w.count, c.count) << w.text;
    Free(&p);
}

void PrintTo(const WarningCase &c, std::ostream *os) { *os << PrepWarningName(c.code) << " on line " << c.line; }

INSTANTIATE_TEST_SUITE_P(
    EachOnce, PrepWarningCases,
    ::testing::Values(
        WarningCase{kPrepFamilyCube, "LUT_3D_SIZE 2\nDOMAIN_MAX 2 2 2\n" + IdentityRows(), kPrepWarnDomain, 2, 1},
        WarningCase{kPrepFamilyCube, "LUT_1D_SIZE 2\nLUT_3D_SIZE 2\n0 0 0\n1 1 1\n" + IdentityRows(), kPrepWarnShaper,
                    1, 1},
        WarningCase{kPrepFamilyCube, "LUT_3D_SIZE 3\n" + IdentityRows(), kPrepWarnSizeKeyword, 1, 1},
        WarningCase{kPrepFamilyCube,
                    "LUT_3D_SIZE 2\n0 0 0\n1.5 0 0\n0 1 0\n1 1 0\n0 0 1\n-0.25 0 -1e-9\n0 1 1\n1 1 1\n", kPrepWarnRange,
                    3, 3},
        WarningCase{kPrepFamilyCsv,
                    "0,0,0,0,0,0\n1,0,0,nan,0,inf\n0,1,0,0,0,0\n1,1,0,0,0,0\n0,0,1,0,0,0\n"
                    "1,0,1,0,0,0\n0,1,1,0,0,1e39\n1,1,1,0,0,0\n",
                    kPrepWarnNonfinite, 2, 3},
        WarningCase{kPrepFamilyCube, "LUT_3D_SIZE 2\n0 0 0\n1 0 0 0\n0 1 0\n1 1\n", kPrepWarnShiftedRows, 3, 2, true},
        WarningCase{kPrepFamily3dl, "0 512 1023\n" + Rows3dl(27), kPrepWarnBitDepth, 28, 1},
        // 10 bits: the -1, then the 12 values above 1023.
        WarningCase{kPrepFamily3dl, "3DMESH\nMesh 1 10\n0 512 1023\n" + Rows3dl(11) + "-1 0 0\n" + Rows3dl(15),
                    kPrepWarnRange, 15, 13}));

class PrepReadFile : public ScratchDirTest {};

TEST_F(PrepReadFile, OpensOnlyRegularFiles) {
    PrepLut lut{};
    PrepError error{};
    EXPECT_EQ(PrepReadLutFile(dir.string().c_str(), kPrepFamilyCube, &lut, nullptr, &error), -1);
    EXPECT_NE(strstr(error.text, "not a regular file"), nullptr) << error.text;
    EXPECT_EQ(PrepReadLutFile((dir / "absent.cube").string().c_str(), kPrepFamilyCube, &lut, nullptr, &error), -1);
    std::string path = Write("lut.CUBE", "LUT_3D_SIZE 2\n" + IdentityRows());
    EXPECT_EQ(PrepFamilyOfName(path.c_str()), kPrepFamilyCube);
    ASSERT_EQ(PrepReadLutFile(path.c_str(), PrepFamilyOfName(path.c_str()), &lut, nullptr, &error), 0) << error.text;
    EXPECT_EQ(lut.points, 2);
    PrepFreeLut(&lut);
}

namespace {

// Plain decimals take a fast path of their own: every value must still be
// the float strtof gives, at the edges of that path (8 significant digits,
// 10 decimals, 2^24) and beyond them.
TEST(PrepNumbers, PlainDecimalsReadAsStrtofReadsThem) {
    std::mt19937 random(7);
    std::vector<std::string> fields = {"16777216",   "16777217",  "1677721.7", "0.0000000001", "0.00000000001",
                                       "-0.000000",  "-0",        "0.1",       "1.",           "9999999.9",
                                       "0.16777217", "12345678.9"};
    char text[64];
    for (int i = 0; i < 3000; i++) {
        int decimals = static_cast<int>(random() % 12);
        unsigned whole = random() % (i % 3 == 0 ? 2u : 100000u);
        unsigned long long part = random() % 100000000000ull;
        snprintf(text, sizeof text, "%s%u.%0*llu", i % 5 == 0 ? "-" : "", whole, decimals,
                 decimals == 0 ? 0ull : part % static_cast<unsigned long long>(std::pow(10.0, decimals)));
        fields.push_back(text);
    }
    // Each as the first value of a 2-point table.
    for (size_t k = 0; k < fields.size(); k++) {
        float want = strtof(fields[k].c_str(), nullptr);
        Parsed p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\n" + fields[k] + " 0 0\n" + IdentityRows().substr(6));
        ASSERT_EQ(p.result, 0) << fields[k] << ": " << p.error.text;
        EXPECT_EQ(memcmp(&p.lut.values[0], &want, sizeof want), 0) << fields[k] << ": " << p.lut.values[0];
        Free(&p);
    }
}

}  // namespace

// Numbers beyond float's range, in every spelling: the C library gives an
// infinity above it, zero or the nearest subnormal below it, with the sign;
// a tiny number written without an exponent is beyond double as well.
TEST(PrepNumbers, NumbersBeyondFloatReadAsStrtofReadsThem) {
    const std::string zeros323(323, '0'), zeros44(44, '0'), zeros400(400, '0'), digits40(40, '9');
    const std::vector<std::string> fields = {"0." + zeros323 + "1",
                                             "-0." + zeros323 + "1",
                                             "0." + zeros44 + "7",
                                             "0." + zeros44 + "1",
                                             "0." + zeros400 + "1e400",
                                             "0." + zeros400 + "1e380",
                                             "000." + zeros323 + "5e3",
                                             "1e-46",
                                             "7e-46",
                                             "7.1e-46",
                                             "1e-40",
                                             "-1e-40",
                                             "1e-324",
                                             "1e-99999999999999999999",
                                             "1e99999999999999999999",
                                             "3.5e38",
                                             "-1e39",
                                             digits40 + ".5",
                                             "0.000" + digits40 + "e-44",
                                             "3.4028236e38",
                                             "1." + zeros400 + "e-46"};
    for (const std::string &field : fields) {
        float want = strtof(field.c_str(), nullptr);
        Parsed p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\n" + field + " 0 0\n" + IdentityRows().substr(6));
        ASSERT_EQ(p.result, 0) << field << ": " << p.error.text;
        EXPECT_EQ(memcmp(&p.lut.values[0], &want, sizeof want), 0)
            << field << ": " << p.lut.values[0] << ", not " << want;
        Free(&p);
    }
}

// A domain or input range is told in full: one that differs from another by
// the last bit of a float must not print alike.
TEST(PrepCubeReader, DomainWarningsTellCloseValuesApart) {
    Parsed p = Parse(kPrepFamilyCube,
                     "DOMAIN_MIN 0.5 0.1 -0.1\nDOMAIN_MAX 0.50000006 1 1.1\nLUT_3D_SIZE 2\n" + IdentityRows());
    ASSERT_EQ(p.result, 0) << p.error.text;
    ASSERT_NE(Find(p.warnings, kPrepWarnDomain), nullptr);
    EXPECT_NE(strstr(Find(p.warnings, kPrepWarnDomain)->text,
                     "DOMAIN_MIN 0.5 0.1 -0.1, DOMAIN_MAX 0.50000006 1 1.1: the box ignores the domain"),
              nullptr)
        << Find(p.warnings, kPrepWarnDomain)->text;
    Free(&p);
    p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\nLUT_3D_INPUT_RANGE 0.1 0.10000001\n" + IdentityRows());
    ASSERT_EQ(p.result, 0) << p.error.text;
    ASSERT_NE(Find(p.warnings, kPrepWarnDomain), nullptr);
    EXPECT_NE(strstr(Find(p.warnings, kPrepWarnDomain)->text, "LUT_3D_INPUT_RANGE 0.1 0.10000001: the box"), nullptr)
        << Find(p.warnings, kPrepWarnDomain)->text;
    Free(&p);
}

namespace {

std::string Dark3dlRows() {
    std::string text;
    for (int k = 0; k < 8; k++) text += std::to_string(k * 100) + " " + std::to_string(k * 50) + " 0\n";
    return text;
}

}  // namespace

// The shapes of 3dl OpenColorIO reads besides a mesh line of the lattice's
// size: a Lustre header with no mesh line, "Mesh 0" (2 points), a mesh line
// of another length (an even ramp, dropped), lines of reals read past; and
// the depth lutprep states in its own files, which no value could tell.
TEST(Prep3dlReader, TheShapesOpenColorIoReadsAndTheStatedDepth) {
    struct Case {
        std::string text;
        int32_t points;
        int32_t bits;
        PrepBitsFrom from;
        const char *warning;  // the one warning, or null for none
    };
    const Case cases[] = {
        {"3DMESH\nMesh 1 12\n" + Rows3dl(27) + "LUT8\ngamma 1.0\n", 3, 12, kPrepBitsHeader, nullptr},
        {"3DMESH\nMesh 0 12\n0 1023\n" + Dark3dlRows(), 2, 12, kPrepBitsHeader, nullptr},
        {"3DMESH\nMesh 0 12\n0 114 227 341 455 568 682 796 909 1023\n" + Dark3dlRows(), 2, 12, kPrepBitsHeader,
         nullptr},
        {"# output depth: 12 bits\n0 1023\n" + Dark3dlRows(), 2, 12, kPrepBitsHeader, nullptr},
        {"# output depth: 16 bits\n0 512 1023\n" + Rows3dl(27), 3, 16, kPrepBitsHeader, nullptr},
        {"3DMESH\nMesh 1 12\n0.5 0.5 0.5\n1.0 1 1\n" + Rows3dl(27), 3, 12, kPrepBitsHeader, "skipped-lines"},
    };
    for (const Case &c : cases) {
        Parsed p = Parse(kPrepFamily3dl, c.text);
        ASSERT_EQ(p.result, 0) << c.text.substr(0, 40) << ": " << p.error.line << ": " << p.error.text;
        EXPECT_EQ(p.lut.points, c.points);
        EXPECT_EQ(p.lut.bits, c.bits);
        EXPECT_EQ(p.lut.bitsFrom, c.from);
        EXPECT_EQ(p.lut.shaperPoints, 0);
        ASSERT_EQ(p.warnings.count, c.warning != nullptr ? 1 : 0) << c.text.substr(0, 40);
        if (c.warning != nullptr) {
            EXPECT_STREQ(PrepWarningName(p.warnings.list[0].code), c.warning);
        }
        // File row 4, "400 200 0", is node (1, 0, 0): red fastest, node 1.
        if (c.points == 2) {
            EXPECT_FLOAT_EQ(p.lut.values[3], 400.0f / static_cast<float>(PrepFullScale(c.bits)));
        }
        Free(&p);
    }
}

// A UTF-8 byte-order mark is read past in every format; the box reads past
// it only as part of a header line, so one before a row is a warning.
TEST(PrepReaders, ByteOrderMarkInEveryFormat) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        PrepFamily family;
        std::string text;
        bool warned;
    };
    const Case cases[] = {
        {kPrepFamilyCube, bom + "LUT_3D_SIZE 2\n" + IdentityRows(), false},
        {kPrepFamilyCube, bom + "# made by hand\nLUT_3D_SIZE 2\n" + IdentityRows(), false},
        {kPrepFamily3dl, bom + "3DMESH\nMesh 1 12\n0 512 1023\n" + Rows3dl(27), false},
        {kPrepFamily3dl, bom + "0 512 1023\n# output depth: 12 bits\n" + Rows3dl(27), true},
        {kPrepFamilyCsv,
         bom + "0,0,0,0,0,0\n0,0,1,0,0,1\n0,1,0,0,1,0\n0,1,1,0,1,1\n1,0,0,1,0,0\n1,0,1,1,0,1\n"
               "1,1,0,1,1,0\n1,1,1,1,1,1\n",
         true},
    };
    for (const Case &c : cases) {
        Parsed p = Parse(c.family, c.text);
        ASSERT_EQ(p.result, 0) << c.text.substr(0, 30) << ": " << p.error.line << ": " << p.error.text;
        ASSERT_EQ(p.warnings.count, c.warned ? 1 : 0) << c.text.substr(0, 30) << p.warnings.list[0].text;
        if (c.warned) {
            EXPECT_EQ(p.warnings.list[0].code, kPrepWarnByteOrder);
            EXPECT_EQ(p.warnings.list[0].line, 1);
        }
        Free(&p);
    }
}

// What the box reads otherwise than lutprep is named where it stands: a row
// that begins with a minus sign (which ends the box's rows), and a line
// before the rows longer than one read of the box, reported on that line
// (the box's next line is the rest of it), worse when the rest begins with a
// digit.
TEST(PrepReaders, WarningsNameTheCauseOnItsLine) {
    Parsed p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\n0 0 0\n-0.25 0 0\n" + IdentityRows().substr(12));
    ASSERT_EQ(p.result, 0) << p.error.text;
    ASSERT_EQ(p.warnings.count, 1);
    EXPECT_EQ(p.warnings.list[0].code, kPrepWarnRange);
    EXPECT_NE(strstr(p.warnings.list[0].text, "this line begins with -0.25, a minus sign"), nullptr)
        << p.warnings.list[0].text;
    Free(&p);
    // The first value out of range, within a row, comes before the row.
    p = Parse(kPrepFamilyCube, "LUT_3D_SIZE 2\n0 2 0\n-0.25 0 0\n" + IdentityRows().substr(12));
    ASSERT_EQ(p.warnings.count, 1);
    EXPECT_EQ(p.warnings.list[0].line, 2);
    EXPECT_NE(strstr(p.warnings.list[0].text, "line 3 begins with -0.25"), nullptr) << p.warnings.list[0].text;
    Free(&p);

    const std::string rows = "LUT_3D_SIZE 2\n" + IdentityRows();
    // 254 bytes and the LF: one read.
    p = Parse(kPrepFamilyCube, "#" + std::string(253, 'x') + "\n" + rows);
    EXPECT_EQ(p.warnings.count, 0);
    Free(&p);
    p = Parse(kPrepFamilyCube, "# note\n#" + std::string(254, 'x') + "\n" + rows);
    ASSERT_EQ(p.warnings.count, 1);
    EXPECT_EQ(p.warnings.list[0].code, kPrepWarnLongLine);
    EXPECT_EQ(p.warnings.list[0].line, 2);
    EXPECT_EQ(strstr(p.warnings.list[0].text, "digit"), nullptr) << p.warnings.list[0].text;
    Free(&p);
    p = Parse(kPrepFamily3dl, "#" + std::string(254, 'x') + "1 2 3\n3DMESH\nMesh 1 12\n" + Rows3dl(27));
    ASSERT_EQ(p.result, 0) << p.error.text;
    ASSERT_EQ(p.warnings.count, 1);
    EXPECT_EQ(p.warnings.list[0].line, 1);
    EXPECT_NE(strstr(p.warnings.list[0].text, "from byte 256 begins with a digit"), nullptr) << p.warnings.list[0].text;
    Free(&p);
}

TEST_F(PrepReadFile, AFolderIsNamedAsOne) {
    PrepLut lut{};
    PrepError error{};
    EXPECT_EQ(PrepReadLutFile(dir.string().c_str(), kPrepFamilyCube, &lut, nullptr, &error), -1);
    EXPECT_NE(strstr(error.text, "is a folder"), nullptr) << error.text;
    EXPECT_EQ(PrepReadLutFile((dir / "absent.cube").string().c_str(), kPrepFamilyCube, &lut, nullptr, &error), -1);
    EXPECT_EQ(strstr(error.text, "folder"), nullptr) << error.text;
}

// A file of another kind is refused by what it is, at its start, before
// its one "line" is read whole: binary bytes by their NUL (not taken for
// UTF-16, which is every other byte NUL), a line beyond any LUT's by its
// length.
TEST_F(PrepReadFile, BinaryBytesAndEndlessLinesAreRefusedAtTheStart) {
    std::string binary("LUT\0\x93\x17\0\0\xff\xd8", 10);
    binary += std::string(size_t{40} << 20, 'x');
    std::string huge = "# " + std::string(size_t{17} << 20, 'x') + "\nLUT_3D_SIZE 2\n";
    const struct {
        const std::string &text;
        const char *reason;
    } cases[] = {{binary, "a NUL byte: this is a binary file"}, {huge, "a line of more than 16 MB"}};
    for (const auto &c : cases) {
        std::string path = (dir / "other.cube").string();
        FILE *file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(fwrite(c.text.data(), 1, c.text.size(), file), c.text.size());
        fclose(file);
        PrepLut lut{};
        PrepError error{};
        EXPECT_EQ(PrepReadLutFile(path.c_str(), kPrepFamilyCube, &lut, nullptr, &error), -1);
        EXPECT_EQ(error.line, 1);
        EXPECT_NE(strstr(error.text, c.reason), nullptr) << error.text;
    }
}

// A NUL byte or a CR that ends no line is looked for once per block of a
// file, yet named at its own line: early, on either side of the first
// block's end (1 MiB) within the line that spans it, far into the file,
// after a harmless CR of the same block, and at the end of a file without
// a last line feed; read from disk and from memory alike. A CR before LF,
// or before the blanks that end its line, is no fault anywhere, not even
// on every line.
TEST_F(PrepReadFile, TextFaultsAreNamedAtTheirLineAnywhereInALargeFile) {
    const std::string head = "LUT_3D_SIZE 2\n";
    std::string padding;  // comment lines of 100 bytes, 2.5 MB
    while (padding.size() < (size_t{5} << 19)) padding += "# " + std::string(97, 'x') + "\n";
    const std::string clean = head + padding + IdentityRows();
    const size_t blockEnd = size_t{1} << 20;
    // Just before the line feed that follows at.
    auto beforeLf = [&](size_t at, size_t n) { return clean.find('\n', at) - n; };
    struct Edit {
        size_t at;
        std::string bytes;
    };
    const struct {
        std::vector<Edit> edits;
        const char *reason;  // nullptr: no fault
    } cases[] = {
        {{{100, std::string(1, '\0')}}, "a NUL byte"},
        {{{blockEnd - 1, std::string(1, '\0')}}, "a NUL byte"},
        {{{blockEnd, std::string(1, '\0')}}, "a NUL byte"},
        {{{blockEnd - 1, "\rx"}}, "CR alone"},
        {{{blockEnd, "\r1"}}, "CR alone"},
        {{{2000000, "\r#"}}, "CR alone"},
        {{{beforeLf(500, 3), "\r \r"}, {600000, std::string(1, '\0')}}, "a NUL byte"},
        {{{beforeLf(500, 2), "\r\t"}, {blockEnd - 1, "\r\n#"}, {beforeLf(blockEnd + 10, 2), "\r\r"}}, nullptr},
    };
    struct Text {
        std::string bytes;
        size_t faultAt;  // the byte the refusal is for
        const char *reason;
    };
    std::vector<Text> texts;
    for (const auto &c : cases) {
        std::string text = clean;
        for (const Edit &e : c.edits) text.replace(e.at, e.bytes.size(), e.bytes);
        texts.push_back({text, c.edits.back().at, c.reason});
    }
    std::string crlf, crBlank;
    for (char c : clean) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        crBlank += c == '\n' ? std::string("\r\t\n") : std::string(1, c);
    }
    texts.push_back({crlf, 0, nullptr});
    texts.push_back({crBlank, 0, nullptr});
    texts.push_back({clean + "# last\r", 0, nullptr});
    texts.push_back({clean + "# last\r 1", clean.size() + 6, "CR alone"});
    for (size_t i = 0; i < texts.size(); i++) {
        const Text &t = texts[i];
        std::string path = Write("large.cube", t.bytes);
        PrepLut lut{};
        PrepError error{};
        int result = PrepReadLutFile(path.c_str(), kPrepFamilyCube, &lut, nullptr, &error);
        Parsed p = Parse(kPrepFamilyCube, t.bytes);
        if (t.reason == nullptr) {
            EXPECT_EQ(result, 0) << i << ": line " << error.line << ": " << error.text;
            EXPECT_EQ(p.result, 0) << i << ": line " << p.error.line << ": " << p.error.text;
            EXPECT_EQ(lut.points, 2) << i;
        } else {
            int64_t line = 1 + std::count(t.bytes.begin(), t.bytes.begin() + static_cast<ptrdiff_t>(t.faultAt), '\n');
            EXPECT_EQ(result, -1) << i;
            EXPECT_EQ(error.line, line) << i << ": " << error.text;
            EXPECT_NE(strstr(error.text, t.reason), nullptr) << i << ": " << error.text;
            EXPECT_EQ(p.result, -1) << i;
            EXPECT_EQ(p.error.line, line) << i << ": " << p.error.text;
            EXPECT_STREQ(p.error.text, error.text) << i;
        }
        PrepFreeLut(&lut);
        Free(&p);
    }
}
