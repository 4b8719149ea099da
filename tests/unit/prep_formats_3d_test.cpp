// Other tools' 3D table formats (.cub, .itx, .vf, .m3d/.mga, .look) read as
// OpenColorIO 2.1 reads them. The expected values are what Debian's
// ociobakelut 2.1.2 gave for the same texts (--format iridas_cube
// --cubesize 5, read at the inputs below); it prints 6 decimals.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/transform.h"
#include "scratch_dir.h"

namespace {

constexpr double kTolerance = 2e-6;
constexpr int kPoints = 3;

// The test table: curved and crossing channels, so that a node read into
// the wrong place, or a value scaled wrongly, changes the result.
void TestNode(int i, int j, int k, double out[3]) {
    double r = i / 2.0, g = j / 2.0, b = k / 2.0;
    out[0] = r * r;
    out[1] = 0.5 * g + 0.25 * b;
    out[2] = b * r + 0.1;
}

std::string Row(const double v[3]) {
    char text[96];
    snprintf(text, sizeof text, "%.6f %.6f %.6f\n", v[0], v[1], v[2]);
    return text;
}

// Its rows red fastest (blueFastest false) or blue fastest, through
// emit(index of the row, values).
template <typename Emit>
void ForEachNode(bool blueFastest, Emit emit) {
    int n = 0;
    for (int outer = 0; outer < kPoints; outer++) {
        for (int j = 0; j < kPoints; j++) {
            for (int inner = 0; inner < kPoints; inner++) {
                double v[3];
                if (blueFastest) {
                    TestNode(outer, j, inner, v);
                } else {
                    TestNode(inner, j, outer, v);
                }
                emit(n++, v);
            }
        }
    }
}

std::string Rows(bool blueFastest) {
    std::string text;
    ForEachNode(blueFastest, [&](int, const double *v) { text += Row(v); });
    return text;
}

std::string CubText(const std::string &tables) { return "# Truelight Cube v2.0\n" + tables + "# end\n"; }

const char kInputLut[] = "# lutLength 3\n# InputLUT\n0 0 0\n0.4 0.6 0.8\n2 2 2\n";

std::string VfText(const std::string &header) {
    return "#Inventor V2.1 ascii\ngrid_size 3 3 3\n" + header + "data\n" + Rows(true);
}

// The index column counts down: its place decides a row's node, not its
// index.
std::string PandoraText() {
    std::string text = "channel 3d\nin 27\nout 1024\nformat lut\nvalues red green blue\n";
    ForEachNode(true, [&](int n, const double *v) {
        char row[64];
        snprintf(row, sizeof row, "%d %ld %ld %ld\n", 26 - n, std::lround(v[0] * 1023), std::lround(v[1] * 1023),
                 std::lround(v[2] * 1023));
        text += row;
    });
    return text;
}

// Each value as its float's 4 bytes, least significant first, in hex.
std::string LookText() {
    std::string hex;
    ForEachNode(false, [&](int, const double *v) {
        for (int c = 0; c < 3; c++) {
            float f = static_cast<float>(v[c]);
            unsigned char bytes[4];
            memcpy(bytes, &f, sizeof bytes);
            char digits[3];
            for (unsigned char byte : bytes) {
                snprintf(digits, sizeof digits, "%02X", byte);
                hex += digits;
            }
        }
    });
    return "<?xml version=\"1.0\" ?>\n<look>\n  <LUT>\n    <size>\"3\"</size>\n    <data>\"" + hex +
           "\"</data>\n  </LUT>\n</look>\n";
}

// The same with its digits broken every 13 by a closing quote, a line end,
// blanks and an opening quote, so that no value but the first stands as 8
// digits together; ociobakelut bakes it as the unbroken text.
std::string BrokenLookText() {
    std::string text = LookText();
    size_t begin = text.find("<data>\"") + 7, end = text.find("\"</data>");
    std::string hex = text.substr(begin, end - begin), broken;
    for (size_t i = 0; i < hex.size(); i += 13) broken += (i == 0 ? "" : "\"\n  \"") + hex.substr(i, 13);
    return text.substr(0, begin) + broken + text.substr(end);
}

// The inputs read: nodes of ociobakelut's 5-point bake.
const double kInputs[5][3] = {
    {0.25, 0.5, 0.75}, {0.75, 0.25, 0.5}, {1.0, 0.0, 0.5}, {0.5, 1.0, 0.25}, {0.25, 0.25, 0.25},
};

// ociobakelut's values of the test table itself (from the .itx, .cub, .vf
// and .look texts alike).
const double kTestTable[5][3] = {
    {0.125, 0.4375, 0.35}, {0.625, 0.25, 0.475}, {1.0, 0.125, 0.6}, {0.25, 0.5625, 0.225}, {0.125, 0.1875, 0.225},
};

class PrepFormats3d : public ScratchDirTest {
protected:
    // Reads text as format from memory and from a file, and checks the
    // transform at kInputs against expected.
    void ExpectValues(PrepFamily format, const std::string &text, const double (&expected)[5][3]) {
        SCOPED_TRACE(format->name);
        PrepTransform *fromMemory = new PrepTransform{}, *fromFile = new PrepTransform{};
        PrepError error{};
        ASSERT_EQ(PrepParseTransform(text.data(), text.size(), format, PrepReadOptions{}, fromMemory, nullptr, &error),
                  0)
            << "line " << error.line << ": " << error.text;
        std::string path = Write(std::string("lut") + format->extension, text);
        ASSERT_EQ(PrepReadTransformFile(path.c_str(), format, PrepReadOptions{}, fromFile, nullptr, &error), 0)
            << "line " << error.line << ": " << error.text;
        for (int p = 0; p < 5; p++) {
            double a[3], b[3];
            for (int c = 0; c < 3; c++) a[c] = b[c] = kInputs[p][c];
            PrepApplyTransform(fromMemory, kPrepTetrahedral, a);
            PrepApplyTransform(fromFile, kPrepTetrahedral, b);
            for (int c = 0; c < 3; c++) {
                EXPECT_NEAR(a[c], expected[p][c], kTolerance) << "input " << p << " channel " << c;
                EXPECT_EQ(a[c], b[c]) << "input " << p << " channel " << c << ": the file read differently";
            }
        }
        PrepFreeTransform(fromMemory);
        PrepFreeTransform(fromFile);
        delete fromMemory;
        delete fromFile;
    }
};

}  // namespace

// Rows red fastest (.itx, .cub, .look) or blue fastest (.vf, Pandora): a
// format read in the other order swaps red and blue's curves.
TEST_F(PrepFormats3d, EachFormatPlacesItsRowsInItsOrder) {
    ExpectValues(&kPrepFormatItx, "# order test\nLUT_3D_SIZE 3\n" + Rows(false), kTestTable);
    ExpectValues(&kPrepFormatCub, CubText("# width 3 3 3\n# Cube\n" + Rows(false)), kTestTable);
    ExpectValues(&kPrepFormatVf, VfText(""), kTestTable);
    ExpectValues(&kPrepFormatLook, LookText(), kTestTable);
    ExpectValues(&kPrepFormatLook, BrokenLookText(), kTestTable);
    // Digits of either case, as lutprep reads eight at a time.
    std::string lower = LookText();
    size_t begin = lower.find("<data>\"") + 7, end = lower.find("\"</data>");
    for (size_t i = begin; i < end; i++) lower[i] = static_cast<char>(tolower(static_cast<unsigned char>(lower[i])));
    ExpectValues(&kPrepFormatLook, lower, kTestTable);
    // Integers over out - 1 = 1023, so each value is rounded to 1/1023.
    const double pandora[5][3] = {
        {0.125122, 0.437928, 0.349951}, {0.625122, 0.250244, 0.475073}, {1.0, 0.125122, 0.600196},
        {0.250244, 0.562561, 0.224829}, {0.125122, 0.187683, 0.224829},
    };
    ExpectValues(&kPrepFormatM3d, PandoraText(), pandora);
    ExpectValues(&kPrepFormatMga, PandoraText(), pandora);
}

// The global matrix's rows are the output channels; its first three
// columns are multiplied by the grid size (3); its fourth column (0.1 in
// red's row) multiplies alpha, which ociobakelut holds at 0; its fourth row
// is alpha's.
TEST_F(PrepFormats3d, VfMatrixIsScaledByTheGridAndAppliedFirst) {
    const double expected[5][3] = {
        {0.1875, 0.375, 0.2875}, {0.09375, 0.351562, 0.271875}, {0.0, 0.375, 0.1},
        {0.625, 0.28125, 0.725}, {0.09375, 0.164062, 0.19375},
    };
    ExpectValues(&kPrepFormatVf, VfText("global_transform 0 0.25 0 0.1  0 0 0.25 0  0.25 0.125 0 0  0.2 0 0 1\n"),
                 expected);
    // The translation that is dropped is said, on the matrix's line.
    const std::string translated = VfText("global_transform 0.5 0 0 0.1  0 0.5 0 0  0 0 0.5 0  0 0 0 1\n");
    PrepTransform *t = new PrepTransform{};
    PrepWarnings warnings{};
    PrepError error{};
    ASSERT_EQ(PrepParseTransform(translated.data(), translated.size(), &kPrepFormatVf, PrepReadOptions{}, t, &warnings,
                                 &error),
              0);
    // (The table's 1.1 is the other warning, "range".)
    const PrepWarning *dropped = nullptr;
    for (int32_t i = 0; i < warnings.count; i++) {
        if (warnings.list[i].code == kPrepWarnDomain) dropped = &warnings.list[i];
    }
    ASSERT_NE(dropped, nullptr);
    EXPECT_EQ(dropped->line, 3);
    EXPECT_NE(strstr(dropped->text, "translation 0.1 0 0"), nullptr) << dropped->text;
    PrepFreeTransform(t);
    delete t;
    // Nuke's own matrix, 1/3 on the diagonal, is no change.
    ExpectValues(&kPrepFormatVf,
                 VfText("global_transform 0.3333333333 0 0 0  0 0.3333333333 0 0  0 0 0.3333333333 0  0 0 0 1\n"),
                 kTestTable);
}

// The input table is in the grid's units (0 to 2 here), divided by 2 when
// the cube follows, and a plain curve over [0, 1] when none does. The
// output table takes the cube's output; OpenColorIO refuses it, so the
// reference is ociobakelut's chain of the same file without it and the
// same curve as a 1D .cube.
TEST_F(PrepFormats3d, CubTablesAroundTheCube) {
    const double withInput[5][3] = {
        {0.05, 0.325, 0.2}, {0.4, 0.175, 0.35}, {1.0, 0.1, 0.5}, {0.1, 0.55, 0.2}, {0.05, 0.125, 0.15},
    };
    std::string cube = "# width 3 3 3\n" + std::string(kInputLut) + "# Cube\n" + Rows(false);
    ExpectValues(&kPrepFormatCub, CubText(cube), withInput);

    const double inputOnly[5][3] = {
        {0.2, 0.6, 0.9}, {0.7, 0.3, 0.8}, {1.0, 0.0, 0.8}, {0.4, 1.0, 0.4}, {0.2, 0.3, 0.4},
    };
    ExpectValues(&kPrepFormatCub, CubText("# lutLength 3\n# InputLUT\n0 0 0\n0.4 0.6 0.8\n1 1 1\n"), inputOnly);

    const double withOutput[5][3] = {
        {0.025, 0.325, 0.3}, {0.2, 0.175, 0.525}, {1.0, 0.1, 0.75}, {0.05, 0.55, 0.3}, {0.025, 0.125, 0.225},
    };
    ExpectValues(&kPrepFormatCub, CubText(cube + "# OutputLUT\n0 0 0\n0.25 0.5 0.75\n1 1 1\n"), withOutput);
}

// Pandora's values are integers over out - 1 (255 here), kept above 1; the
// index column (all 99) is not read. OpenColorIO's own sample, at the
// corners and the centre.
TEST_F(PrepFormats3d, PandoraScaleKeepsValuesAboveOne) {
    const char text[] =
        "channel 3d\nin 8\nout 256\nformat lut\nvalues red green blue\n"
        "99 0 0 0\n99 0 0 204\n99 0 204 0\n99 0 204 204\n"
        "99 255 0 0\n99 255 0 255\n99 255 255 0\n99 306 255 306\n";
    PrepTransform *t = new PrepTransform{};
    PrepError error{};
    ASSERT_EQ(PrepParseTransform(text, strlen(text), &kPrepFormatMga, PrepReadOptions{}, t, nullptr, &error), 0)
        << error.text;
    const double inputs[3] = {0.0, 0.5, 1.0};
    const double expected[3][3] = {{0.0, 0.0, 0.0}, {0.6, 0.5, 0.6}, {1.2, 1.0, 1.2}};
    for (int p = 0; p < 3; p++) {
        double rgb[3] = {inputs[p], inputs[p], inputs[p]};
        PrepApplyTransform(t, kPrepTetrahedral, rgb);
        for (int c = 0; c < 3; c++) EXPECT_NEAR(rgb[c], expected[p][c], kTolerance) << p << " " << c;
    }
    PrepFreeTransform(t);
    delete t;
}

namespace {

struct Refusal {
    PrepFamily format;
    const char *text;
    int64_t line;
    const char *reason;  // a part of the message that names the cause
};

const char kRows2[] = "0 0 0\n1 0 0\n0 1 0\n1 1 0\n0 0 1\n1 0 1\n0 1 1\n1 1 1\n";
const char kPandoraHead[] = "channel 3d\nin 8\nout 256\nformat lut\nvalues red green blue\n";
const char kPandoraRows[] = "0 0 0 0\n1 0 0 9\n2 0 9 0\n3 0 9 9\n4 9 0 0\n5 9 0 9\n6 9 9 0\n7 9 9 9\n";
const char kLookData[] =
    "0000000000000000000000000000803F0000000000000000000000000000003F000000000000803F0000003F"
    "0000000000000000000000000000803E0000803F000000000000803E000000000000003F0000803E0000803F"
    "0000003F0000803E";

std::string Look(const std::string &before, const std::string &size, const std::string &data) {
    return "<?xml version=\"1.0\" ?>\n<look>\n" + before + "  <LUT>\n    <size>" + size + "</size>\n    <data>" + data +
           "</data>\n  </LUT>\n</look>\n";
}

void ExpectRefused(const Refusal &r) {
    SCOPED_TRACE(r.text);
    PrepTransform *t = new PrepTransform{};
    PrepError error{};
    EXPECT_EQ(PrepParseTransform(r.text, strlen(r.text), r.format, PrepReadOptions{}, t, nullptr, &error), -1);
    EXPECT_EQ(t->count, 0);
    EXPECT_EQ(error.line, r.line) << error.text;
    EXPECT_NE(strstr(error.text, r.reason), nullptr) << error.text;
    delete t;
}

}  // namespace

// What OpenColorIO refuses is refused, at the line it names where it names
// one (its samples' error_* files among them), and so are sizes no table
// has, before anything is allocated for them.
TEST(PrepFormats3dRefusals, RefusedWithTheLineAndTheCause) {
    const std::string rows = kRows2;
    const std::string pandora = std::string(kPandoraHead) + kPandoraRows;
    const std::string cases[][4] = {
        // format, text, line, reason
        {"cub", "# width 2 2 2\n# Cube\n" + rows, "1", "Truelight"},
        {"cub", "# Truelight Cube v2.0\n# width 2 2 3\n# Cube\n" + rows, "2", "equal sides"},
        {"cub", "# Truelight Cube v2.0\n# width 2 2 2\n# Cube\n" + rows.substr(0, 42), "10", "holds 7 rows"},
        {"cub", "# Truelight Cube v2.0\n# InputLUT\n0 0 0\n1 1 1\n", "2", "no lutLength line"},
        {"cub", "# Truelight Cube v2.0\n# width 300 300 300\n", "2", "2 to 256"},
        {"itx", "LUT_3D_SIZE 2\n0 0 0\n1 0 0\n0 1 0\n", "4", "holds 3 rows"},
        {"itx", "LUT_3D_SIZE 100000\n", "1", "2 to 256"},
        {"itx", "LUT_3D_SIZE 2\n" + rows + "0 0 0\n", "10", "more rows"},
        {"vf", "grid_size 2 2 2\ndata\n" + rows, "1", "#Inventor"},
        {"vf", "#Inventor V2.1 ascii\ngrid_size 2 2 3\ndata\n" + rows, "2", "equal sides"},
        {"vf", "#Inventor V2.1 ascii\ngrid_size 2 2 2\nglobal_transform 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0\ndata\n" + rows,
         "3", "16"},
        {"vf", "#Inventor V2.1 ascii\ngrid_size 2 2 2\ndata\n" + rows.substr(0, 42), "10", "holds 7 rows"},
        {"vf", "#Inventor V2.1 ascii\ngrid_size 2 2 2\n" + rows, "3", "before the 'data'"},
        // A table far larger than the file: its rows are counted, and no
        // table is taken for them.
        {"vf", "#Inventor V2.1 ascii\ngrid_size 256 256 256\ndata\n" + rows, "11", "holds 8 rows; grid_size 256"},
        {"vf", "#Inventor V2.1 ascii\ngrid_size 256 256 256\ndata\n0 0 x\n", "4", "'x' is not a number"},
        {"m3d", "channel 1d\nin 8\nout 256\nformat lut\nvalues red green blue\n" + std::string(kPandoraRows), "1",
         "3D"},
        {"mga", "channel 3d\nin 8\nformat lut\nvalues red green blue\n" + std::string(kPandoraRows), "4", "'out'"},
        {"m3d", pandora + "0 1 1\n", "14", "3 numbers"},
        {"m3d", std::string(kPandoraHead) + "0 0 0 0\n1 0 0 100.0\n", "7", "'100.0' is not a whole number"},
        {"m3d", std::string(kPandoraHead) + "0 0 0 0\n1 0 0 9\n", "7", "after 2 rows"},
        {"m3d", "channel 3d\nin 2147483647\n", "2", "n^3"},
        {"look", Look("  <mask><m>1</m></mask>\n", "\"2\"", kLookData), "3", "<mask>"},
        {"look", Look("", "\"2\"", std::string("\"\t") + kLookData + "\""), "5", "a tab"},
        {"look", Look("", "\"3\"", kLookData), "5", "192 hex digits"},
        {"look", Look("", "\"256\"", kLookData), "5", "192 hex digits; <size> 256 (line 4) needs 402653184"},
        {"look", Look("", "\"2\"", std::string(kLookData, 100) + "\n\n" + std::string(kLookData + 100) + "0"), "5",
         "193 hex digits"},
        {"look", Look("", "\"2\"", std::string(kLookData, 100) + "\n\n" + std::string(kLookData + 100, 80) + "x"), "7",
         "'x'"},
        {"look", Look("", "\"1000\"", kLookData), "4", "2 to 256"},
        {"look", "<?xml version=\"1.0\" ?>\n<look>\n  <lut/>\n</look>\n", "2", "no <LUT>"},
    };
    for (const auto &c : cases) {
        ExpectRefused(Refusal{PrepFamilyOfName(("a." + c[0]).c_str()), c[1].c_str(), std::stoll(c[2]), c[3].c_str()});
    }
}

// A byte next to the digits and letters, or one with the top bit set that
// would be a digit or letter without it (the first bytes of U+00B0 and
// U+00C6 in UTF-8, 0xC2 and 0xC3: 'B' and 'C' but for that bit), anywhere
// in eight digits of a look's <data>: refused, named, on its line.
TEST(PrepFormats3dRefusals, LookRefusesAByteBesideTheHexDigits) {
    const std::string data = kLookData;
    const struct {
        const char *bytes;
        const char *named;
    } cases[] = {{"/", "'/'"},
                 {":", "':'"},
                 {"@", "'@'"},
                 {"G", "'G'"},
                 {"`", "'`'"},
                 {"g", "'g'"},
                 {"\xC2\xB0", "byte 194"},
                 {"\xC3\x86", "byte 195"}};
    for (const auto &c : cases) {
        for (size_t at = 16; at < 23; at++) {
            std::string broken = data;
            broken.replace(at, strlen(c.bytes), c.bytes);
            ExpectRefused(Refusal{&kPrepFormatLook, Look("", "\"2\"", broken).c_str(), 5, c.named});
        }
    }
}

// Each value of a look's <data> is read as four pairs of digits looked up
// together: every byte at every place of a value, and every pair of digits
// at every place, reads as the digits' value in either case; a blank, line
// end or quote there leaves a digit too few, any other byte is refused,
// named, on its line.
TEST(PrepFormats3dRefusals, LookReadsEveryByteAndPairOfAValue) {
    const std::string data = kLookData;
    auto expect = [&](const std::string &changed, bool digit, const char *named) {
        SCOPED_TRACE(changed.substr(16, 8));
        const std::string text = Look("", "\"2\"", changed);
        PrepTransform *t = new PrepTransform{};
        PrepError error{};
        int result =
            PrepParseTransform(text.data(), text.size(), &kPrepFormatLook, PrepReadOptions{}, t, nullptr, &error);
        if (digit) {
            ASSERT_EQ(result, 0) << error.text;
            for (size_t v = 0; v < 24; v++) {
                uint32_t bits = 0;
                for (size_t k = 0; k < 4; k++)
                    bits |= std::stoul(changed.substr(8 * v + 2 * k, 2), nullptr, 16) << 8 * k;
                EXPECT_EQ(memcmp(&t->ops[0].lut.values[v], &bits, sizeof bits), 0) << "value " << v;
            }
        } else {
            EXPECT_EQ(result, -1);
            EXPECT_EQ(error.line, 5) << error.text;
            EXPECT_NE(strstr(error.text, named), nullptr) << error.text;
        }
        PrepFreeTransform(t);
        delete t;
    };
    for (int byte = '\t'; byte <= '~'; byte++) {
        // The bytes XML's text holds as themselves, a CR aside (read as LF).
        if (byte == '\r' || (byte > '\n' && byte < ' ') || byte == '<' || byte == '&') continue;
        char shown[8] = "a tab";
        if (byte != '\t') snprintf(shown, sizeof shown, "'%c'", byte);
        bool spacing = byte == ' ' || byte == '\n' || byte == '"' || byte == '\'';
        for (size_t at = 16; at < 24; at++) {
            std::string changed = data;
            changed[at] = static_cast<char>(byte);
            expect(changed, isxdigit(byte) != 0, spacing ? "191 hex digits" : shown);
        }
    }
    const std::string digits = "0123456789ABCDEFabcdef";
    for (size_t at = 16; at < 24; at += 2) {
        for (char high : digits) {
            for (char low : digits) {
                std::string changed = data;
                changed[at] = high;
                changed[at + 1] = low;
                expect(changed, true, "");
            }
        }
    }
}

// The values outside [0, 1] and those not finite are counted as they are
// decoded, told by their bits: -0 and 1 are within, the floats just
// beyond each are not.
TEST(PrepFormats3dRefusals, LookCountsValuesOutsideTheUnitRange) {
    // -0, 1, the float after 1, the least negative float, NaN, +infinity,
    // then 0s.
    std::string data = "000000800000803F0100803F01000080FFFFFF7F0000807F";
    data += std::string(192 - data.size(), '0');
    const std::string text = Look("", "\"2\"", data);
    PrepLut lut{};
    PrepWarnings warnings{};
    PrepError error{};
    ASSERT_EQ(PrepParseLut(text.data(), text.size(), &kPrepFormatLook, &lut, &warnings, &error), 0) << error.text;
    std::string found;
    for (int32_t i = 0; i < warnings.count; i++) found += std::string(warnings.list[i].text) + "\n";
    EXPECT_NE(found.find("2 values outside [0, 1]"), std::string::npos) << found;
    EXPECT_NE(found.find("2 NaN or infinite values"), std::string::npos) << found;
    PrepFreeLut(&lut);
}

// Where OpenColorIO reads a file one way or the other by where a line
// stands (an .itx with a domain: ignored before the size, read as a .cube
// after it), the file is refused with the cause instead.
TEST(PrepFormats3dRefusals, ItxWithACubesKeywordsIsRefused) {
    const std::string rows = kRows2;
    const std::string before = "DOMAIN_MIN 0.5 0.5 0.5\nLUT_3D_SIZE 2\n" + rows;
    const std::string after = "LUT_3D_SIZE 2\nDOMAIN_MIN 0.5 0.5 0.5\n" + rows;
    ExpectRefused(Refusal{&kPrepFormatItx, before.c_str(), 1, "a .cube"});
    ExpectRefused(Refusal{&kPrepFormatItx, after.c_str(), 2, "a .cube"});
}
