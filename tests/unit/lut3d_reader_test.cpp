// Read3dLutFile over generated files: every family and cube size, the line
// rules, the family by the path, and the files it must refuse without
// touching the tables.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "lut/lut3d_reader.h"
#include "lut/lut_lines.h"
#include "scratch_dir.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;

enum Family { kCsv, kCube, k3dl };

// Values that float32 holds exactly and "%.12f" writes exactly, with
// negative ones and ones above 1; the first value of a row is never
// negative, since a cube row that starts with a sign is no data line.
double FloatValue(int k, int seed) {
    int base = (k * 7919 + seed) % 8192;
    return static_cast<double>(k % 3 == 0 ? base : base - 1024) / 4096.0;
}
// 3dl values beyond 16 bits, so that the wrap is exercised on most rows.
int IntValue(int k, int seed) { return (k * 7919 + seed) % 70001; }
int16_t Low16(int v) { return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFFu)); }

// One data row of the family, for row k, without its line end.
std::string Row(Family family, int k, int seed) {
    char text[160];
    if (family == kCsv) {
        snprintf(text, sizeof text, "%d,%d,%d,%.12f,%.12f,%.12f", k % 33, (k / 33) % 33, k / 1089,
                 FloatValue(3 * k, seed), FloatValue(3 * k + 1, seed), FloatValue(3 * k + 2, seed));
    } else if (family == kCube) {
        snprintf(text, sizeof text, "%.12f %.12f %.12f", FloatValue(3 * k, seed), FloatValue(3 * k + 1, seed),
                 FloatValue(3 * k + 2, seed));
    } else {
        snprintf(text, sizeof text, "%d %d %d", IntValue(3 * k, seed), IntValue(3 * k + 1, seed),
                 IntValue(3 * k + 2, seed));
    }
    return text;
}

// The header lines each family usually carries; for 3dl, the mesh line last.
std::string Header(Family family, int points, const char *eol) {
    std::string e = eol;
    if (family == kCsv) return "r_index,g_index,b_index,r,g,b" + e;
    if (family == kCube) {
        return "# generated" + e + "TITLE \"test\"" + e + "LUT_3D_SIZE " + std::to_string(points) + e + e +
               "DOMAIN_MIN 0.0 0.0 0.0" + e + e;
    }
    std::string mesh;
    for (int i = 0; i < points; i++) mesh += std::to_string(i * 1023 / (points - 1)) + (i + 1 < points ? " " : "");
    return "# 3dl" + e + "#" + e + e + mesh + e;
}

std::string Lut(Family family, int points, int rows, int seed, const char *eol = "\n") {
    std::string text = Header(family, points, eol);
    for (int k = 0; k < rows; k++) text += Row(family, k, seed) + eol;
    return text;
}

int Cube(int points) { return points * points * points; }

class Lut3dReader : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        Poison();
    }

    // Marks every table element, so that untouched rows can be told apart.
    static void Poison() {
        for (int r = 0; r < kLut3dMaxRows; r++) {
            for (int v = 0; v < 3; v++) {
                Table3d.floatRows[r][v] = 7.5f + static_cast<float>(r % 16);
                Table3d.intRows[r][v] = static_cast<int16_t>(0x1234 + r % 16);
            }
        }
    }
    // The first row in [from, to) of either table that is no longer
    // marked, or -1.
    static int FirstChangedFloatRow(int from, int to) {
        for (int r = from; r < to; r++) {
            for (int v = 0; v < 3; v++) {
                if (Table3d.floatRows[r][v] != 7.5f + static_cast<float>(r % 16)) return r;
            }
        }
        return -1;
    }
    static int FirstChangedIntRow(int from, int to) {
        for (int r = from; r < to; r++) {
            for (int v = 0; v < 3; v++) {
                if (Table3d.intRows[r][v] != static_cast<int16_t>(0x1234 + r % 16)) return r;
            }
        }
        return -1;
    }
    // The first of rows [from, to) that does not hold the generated values
    // of its own row number, or -1.
    static int FirstWrongFloatRow(int from, int to, int seed) {
        for (int r = from; r < to; r++) {
            for (int v = 0; v < 3; v++) {
                if (Table3d.floatRows[r][v] != static_cast<float>(FloatValue(3 * r + v, seed))) return r;
            }
        }
        return -1;
    }
    static int FirstWrongIntRow(int count, int seed) {
        for (int r = 0; r < count; r++) {
            for (int v = 0; v < 3; v++) {
                if (Table3d.intRows[r][v] != Low16(IntValue(3 * r + v, seed))) return r;
            }
        }
        return -1;
    }

    // Reads a file that must be refused: -1, no table row changed, and
    // the CSV/3dl file type since the file opened.
    void ExpectRefused(const std::string &name, const std::string &text) {
        std::string path = Write(name, text);
        Poison();
        Table3d.fileType = kLut3dFileTypeCube;
        Lut3dReport kept, inPlace;
        EXPECT_EQ(Read3dLutFile(path.c_str(), Table3d, &kept), -1) << name;
        EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1) << name;
        EXPECT_EQ(FirstChangedIntRow(0, kLut3dMaxRows), -1) << name;
        EXPECT_EQ(Table3d.fileType, 1) << name;
        // In place it is refused alike, with the same report, whatever rows
        // it left.
        EXPECT_EQ(Read3dLutFileInPlace(path.c_str(), Table3d, &inPlace), -1) << name;
        EXPECT_EQ(inPlace.reason, kept.reason) << name;
        EXPECT_EQ(inPlace.line, kept.line) << name;
        EXPECT_EQ(inPlace.column, kept.column) << name;
        EXPECT_EQ(inPlace.rows, kept.rows) << name;
        EXPECT_EQ(inPlace.row, kept.row) << name;
    }
};

struct Shape {
    Family family;
    int points;
    int layout;
    const char *eol;
};

class Lut3dReaderShapes : public Lut3dReader, public ::testing::WithParamInterface<Shape> {};

// Every family and accepted size, with LF and CR LF: the code, every row,
// the rows behind the cube untouched, the other family's table untouched.
TEST_P(Lut3dReaderShapes, ReadsEveryRowOfTheFile) {
    const Shape s = GetParam();
    const int rows = Cube(s.points);
    const int seed = s.points + (s.eol[0] == '\r' ? 100 : 0);
    const char *name = s.family == kCsv ? "lut.csv" : s.family == kCube ? "lut.cube" : "lut.3dl";
    std::string path = Write(name, Lut(s.family, s.points, rows, seed, s.eol));
    Table3d.fileType = s.family == kCube ? kLut3dFileTypeCsvOr3dl : kLut3dFileTypeCube;

    ASSERT_EQ(Read3dLutFile(path.c_str(), Table3d), s.layout);
    if (s.family == k3dl) {
        EXPECT_EQ(FirstWrongIntRow(rows, seed), -1);
        EXPECT_EQ(FirstChangedIntRow(rows, kLut3dMaxRows), -1);
        EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1);
        EXPECT_EQ(Table3d.fileType, 1);
    } else {
        EXPECT_EQ(FirstWrongFloatRow(0, rows, seed), -1);
        EXPECT_EQ(FirstChangedFloatRow(rows, kLut3dMaxRows), -1);
        EXPECT_EQ(FirstChangedIntRow(0, kLut3dMaxRows), -1);
        EXPECT_EQ(Table3d.fileType, s.family == kCube ? 2 : 1);
    }
    // Read in place, without the scratch storage: the same rows.
    Poison();
    ASSERT_EQ(Read3dLutFileInPlace(path.c_str(), Table3d), s.layout);
    EXPECT_EQ(s.family == k3dl ? FirstWrongIntRow(rows, seed) : FirstWrongFloatRow(0, rows, seed), -1);
}

INSTANTIATE_TEST_SUITE_P(AllFamilies, Lut3dReaderShapes,
                         ::testing::Values(Shape{kCsv, 17, 1, "\n"}, Shape{kCsv, 26, 2, "\r\n"},
                                           Shape{kCube, 33, 3, "\r\n"}, Shape{kCube, 17, 1, "\n"},
                                           Shape{k3dl, 26, 5, "\n"}, Shape{k3dl, 33, 6, "\r\n"}),
                         [](const ::testing::TestParamInfo<Shape> &info) {
                             const Shape &s = info.param;
                             return std::string(s.family == kCsv    ? "Csv"
                                                : s.family == kCube ? "Cube"
                                                                    : "ThreeDl") +
                                    std::to_string(s.points) + (s.eol[0] == '\r' ? "CrLf" : "Lf");
                         });

// gtest prints a parameter by its bytes otherwise, the eol address included.
void PrintTo(const Shape &s, std::ostream *os) { *os << "family " << s.family << ", " << s.points << " points"; }

TEST_F(Lut3dReader, ThreeDlKeepsTheLow16BitsOfAnyInteger) {
    std::string text = Header(k3dl, 17, "\n");
    text += "65535 70000 -1\n";
    text += "4095 32768 -70000\n";
    text += "18446744073709551621 123456789012345678901 98765432109876543210987\n";
    text += "8 +7 -0\n";
    for (int k = 4; k < Cube(17); k++) text += "1 2 3\n";
    std::string path = Write("values.3dl", text);
    ASSERT_EQ(Read3dLutFile(path.c_str(), Table3d), 4);
    const int16_t expected[4][3] = {
        {-1, 4464, -1},         // 0xFFFF, 70000 - 65536, 0xFFFF
        {4095, -32768, -4464},  // 0x8000; -70000 mod 65536 = 61072
        {5, 27701, -14869},     // 2^64 + 5; residues 27701 and 50667
        {8, 7, 0},
    };
    for (int r = 0; r < 4; r++) {
        for (int v = 0; v < 3; v++) EXPECT_EQ(Table3d.intRows[r][v], expected[r][v]) << r << "," << v;
    }
    EXPECT_EQ(Table3d.intRows[Cube(17) - 1][2], 3);
}

TEST_F(Lut3dReader, CsvIndicesAreDroppedWhateverTheirSize) {
    std::string text = "99999999999999999999,-5,+0,0.5,-0.25,1e1\n";
    for (int k = 1; k < Cube(17); k++) text += Row(kCsv, k, 1) + "\n";
    std::string path = Write("big.csv", text);
    ASSERT_EQ(Read3dLutFile(path.c_str(), Table3d), 1);
    EXPECT_EQ(Table3d.floatRows[0][0], 0.5f);
    EXPECT_EQ(Table3d.floatRows[0][1], -0.25f);
    EXPECT_EQ(Table3d.floatRows[0][2], 10.0f);
    EXPECT_EQ(Table3d.floatRows[1][0], static_cast<float>(FloatValue(3, 1)));
}

// Whatever follows the run of data lines is not looked at, and rows may be
// spread over lines as the scan pleases.
TEST_F(Lut3dReader, TrailingLinesAndLooseRowLayout) {
    std::string text = Lut(k3dl, 17, Cube(17), 5) + "# end\n\n1 2 3 garbage\n";
    ASSERT_EQ(Read3dLutFile(Write("trail.3dl", text).c_str(), Table3d), 4);
    EXPECT_EQ(FirstWrongIntRow(Cube(17), 5), -1);

    text = Lut(kCube, 17, Cube(17), 6, "\r\n") + "\r\n# trailing comment\r\nLUT_3D_SIZE 2\r\n";
    ASSERT_EQ(Read3dLutFile(Write("trail.cube", text).c_str(), Table3d), 1);
    EXPECT_EQ(FirstWrongFloatRow(0, Cube(17), 6), -1);

    // Two data lines carry rows split across them; the count still holds.
    text = "0.25\t 0.5\n0.75 1.0 1.25 1.5\n";
    for (int k = 0; k < Cube(17) - 2; k++) text += Row(kCube, k + 2, 7) + "\n";
    ASSERT_EQ(Read3dLutFile(Write("loose.cube", text).c_str(), Table3d), 1);
    EXPECT_EQ(Table3d.floatRows[0][2], 0.75f);
    EXPECT_EQ(Table3d.floatRows[1][2], 1.5f);
    EXPECT_EQ(FirstWrongFloatRow(2, Cube(17), 7), -1);
}

// A line is at most 255 bytes; the rest of a longer one is a line of its
// own, in the counting pass and in the pass that reads past the header.
TEST_F(Lut3dReader, LongLinesCountAsSeveralLines) {
    // A 300-byte comment: its last 45 bytes start with a digit, so they are
    // the first data line, and the first row is scanned from them.
    std::string comment = "#" + std::string(254, 'x') + "0,0,0,0.125,0.25,0.375," + std::string(22, '9');
    ASSERT_EQ(comment.size(), 300u);
    std::string text = "heading\n" + comment + "\n";
    for (int k = 1; k < Cube(17); k++) text += Row(kCsv, k, 9) + "\n";
    ASSERT_EQ(Read3dLutFile(Write("long.csv", text).c_str(), Table3d), -1);  // ",999..." spoils the row
    EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1);

    comment = "#" + std::string(254, 'x') + "0,0,0,0.125,0.25,0.375" + std::string(23, ' ');
    ASSERT_EQ(comment.size(), 300u);
    text = "heading\n" + comment + "\n";
    for (int k = 1; k < Cube(17); k++) text += Row(kCsv, k, 9) + "\n";
    ASSERT_EQ(Read3dLutFile(Write("long2.csv", text).c_str(), Table3d), 1);
    EXPECT_EQ(Table3d.floatRows[0][0], 0.125f);
    EXPECT_EQ(Table3d.floatRows[0][2], 0.375f);
    EXPECT_EQ(FirstWrongFloatRow(1, Cube(17), 9), -1);
    Poison();

    // A 300-byte comment whose rest does not start with a digit is two
    // header lines; a comment of 255 bytes and its line end are two too.
    text = "#" + std::string(299, 'y') + "\n#" + std::string(254, 'z') + "\n" + Lut(kCube, 17, Cube(17), 11);
    ASSERT_EQ(Read3dLutFile(Write("longhead.cube", text).c_str(), Table3d), 1);
    EXPECT_EQ(FirstWrongFloatRow(0, Cube(17), 11), -1);

    // A data row padded to 300 bytes: its rest is a non-data line that ends
    // the run one row early.
    text = Lut(kCube, 17, 10, 12);
    text += Row(kCube, 10, 12) + std::string(300 - Row(kCube, 10, 12).size(), ' ') + "\n";
    for (int k = 11; k < Cube(17); k++) text += Row(kCube, k, 12) + "\n";
    ExpectRefused("padded.cube", text);
}

// Reads that meet the end of a 64 KiB block at every offset within a read
// of 255 bytes: a long comment whose reads each begin with '#' or 'x' and
// hold digits elsewhere, so that a read split anywhere else would begin a
// data line and spoil the count; the rows, all read; and for some, a row
// too many and a line ending the run, whose place the report gives.
TEST_F(Lut3dReader, ReadsThatMeetTheBlockEnd) {
    constexpr size_t kBlock = kLutBlockBytes;
    constexpr size_t kRead = kLut3dLineBytes;
    std::string filler;
    while (filler.size() + 200 < kBlock - 300) filler += "#" + std::string(198, 'f') + "\n";
    const int64_t fillerLines = static_cast<int64_t>(filler.size() / 200);
    std::string rows;
    for (int k = 0; k < Cube(17); k++) rows += Row(kCube, k, 51) + "\n";
    for (size_t length : {765u, 1021u}) {
        std::string comment = "#";
        for (size_t i = 1; i < length; i++) comment += i % kRead == 0 ? 'x' : '7';
        for (size_t v = 1; v <= kRead; v++) {
            std::string head = filler + std::string(v - 1, '#') + "\n" + comment + "\n";
            ASSERT_EQ(Read3dLutFile(Write("edge.cube", head + rows).c_str(), Table3d), 1) << length << " " << v;
            ASSERT_EQ(FirstWrongFloatRow(0, Cube(17), 51), -1) << length << " " << v;
            if (v % 16 != 0) continue;
            std::string text = head + rows + Row(kCube, 0, 51) + "\n" + std::string(300, '#') + "\n";
            Lut3dReport report;
            EXPECT_EQ(Read3dLutFile(Write("edge.cube", text).c_str(), Table3d, &report), -1);
            EXPECT_EQ(report.reason, kLut3dBadCount);
            EXPECT_EQ(report.rows, Cube(17) + 1);
            EXPECT_EQ(report.line, fillerLines + 2 + Cube(17) + 1 + 1) << length << " " << v;
            EXPECT_EQ(report.column, 1);
        }
    }
}

// Rows padded to about one read, amid the run and far from a block's end:
// a row of 255 bytes with its LF is one line; a longer one leaves a line
// of its own, not data, which ends the run where the report says.
TEST_F(Lut3dReader, RowsPaddedToAboutOneRead) {
    for (size_t length : {253u, 254u, 255u, 256u, 257u}) {
        for (int at : {0, 1, 700, 2000}) {
            std::string text = "LUT_3D_SIZE 17\n";
            for (int k = 0; k < Cube(17); k++) {
                std::string row = Row(kCube, k, 13);
                if (k == at) row += std::string(length - 1 - row.size(), ' ');
                text += row + "\n";
            }
            Lut3dReport report;
            int32_t result = Read3dLutFile(Write("padded.cube", text).c_str(), Table3d, &report);
            EXPECT_EQ(result, length <= kLut3dLineBytes ? 1 : -1) << length << " " << at;
            if (length <= kLut3dLineBytes) continue;
            EXPECT_EQ(report.reason, kLut3dBadCount) << length << " " << at;
            EXPECT_EQ(report.rows, at + 1) << length << " " << at;
            EXPECT_EQ(report.line, 1 + at + 1) << length << " " << at;
            EXPECT_EQ(report.column, kLut3dLineBytes + 1) << length << " " << at;
        }
    }
}

TEST_F(Lut3dReader, UnknownExtensionsReturnZeroAndTouchNoTable) {
    for (const char *name : {"lut.Csv", "LUT.Cube", "lut.3Dl", "lut.cub"}) {
        std::string path = Write(name, Lut(kCube, 17, Cube(17), 31));
        Table3d.fileType = kLut3dFileTypeCube;
        EXPECT_EQ(Read3dLutFile(path.c_str(), Table3d), 0) << name;
        EXPECT_EQ(Table3d.fileType, 1) << name;  // it opened
    }
    EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1);
    EXPECT_EQ(FirstChangedIntRow(0, kLut3dMaxRows), -1);
}

TEST_F(Lut3dReader, MissingFileChangesNothing) {
    Table3d.fileType = kLut3dFileTypeCube;
    EXPECT_EQ(Read3dLutFile((dir.string() + "/absent.cube").c_str(), Table3d), -1);
    EXPECT_EQ(Read3dLutFile("", Table3d), -1);
    EXPECT_EQ(Table3d.fileType, 2);
    EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1);
}

TEST_F(Lut3dReader, CountsThatNameNoCubeAreRefused) {
    ExpectRefused("header.csv", "r,g,b\n# nothing else\n");
    ExpectRefused("short.cube", Lut(kCube, 17, Cube(17) - 1, 41));
    ExpectRefused("long.csv", Lut(kCsv, 17, Cube(17) + 1, 41));
    // 16 points: no download takes 4096 rows. Rows after a blank line,
    // which the count does not see, must not make up the missing 817.
    std::string moreCube = "\n";
    std::string more3dl = "\n";
    for (int k = Cube(16); k < Cube(17); k++) {
        moreCube += Row(kCube, k, 42) + "\n";
        more3dl += Row(k3dl, k, 42) + "\n";
    }
    ExpectRefused("p16.cube", Lut(kCube, 16, Cube(16), 42, "\r\n") + moreCube);
    ExpectRefused("p16.3dl", Lut(k3dl, 16, Cube(16), 42) + more3dl);
    // A 3dl file without its mesh line is one data line short.
    std::string noMesh = "# no mesh\n";
    for (int k = 0; k < Cube(17); k++) noMesh += Row(k3dl, k, 43) + "\n";
    ExpectRefused("nomesh.3dl", noMesh);
    // "3DMESH" is a data line, "Mesh 4 12" ends the run at one.
    ExpectRefused("mesh.3dl", "3DMESH\nMesh 4 12\n" + Lut(k3dl, 17, Cube(17), 44));
    // Rows that start with a blank are no data lines at all.
    std::string blanks;
    for (int k = 0; k < Cube(17); k++) blanks += " " + Row(kCube, k, 45) + "\n";
    ExpectRefused("blank.cube", blanks);
    // A blank line or a row with a leading sign inside the data ends the run.
    std::string split = Lut(kCube, 17, 100, 46) + "\n";
    for (int k = 100; k < Cube(17); k++) split += Row(kCube, k, 46) + "\n";
    ExpectRefused("split.cube", split);
    std::string sign = Lut(kCube, 17, 100, 47) + "-0.5 0.5 0.5\n";
    for (int k = 101; k < Cube(17); k++) sign += Row(kCube, k, 47) + "\n";
    ExpectRefused("sign.cube", sign);
}

// A leading sign before the first data line makes a header line: the row is
// not data, and the count of the rest decides.
TEST_F(Lut3dReader, SignedRowBeforeTheDataIsAHeaderLine) {
    std::string text = "-0.5 0.5 0.5\n" + Lut(kCube, 17, Cube(17), 48);
    ASSERT_EQ(Read3dLutFile(Write("lead.cube", text).c_str(), Table3d), 1);
    EXPECT_EQ(FirstWrongFloatRow(0, Cube(17), 48), -1);
}

// The count is right, but a row cannot be scanned completely: nothing of
// the file reaches the tables, the rows before the bad one included.
TEST_F(Lut3dReader, RowsThatDoNotScanLeaveTheTablesAsTheyWere) {
    ExpectRefused("cut.3dl", Lut(k3dl, 33, Cube(33) - 1, 52) + "1 2\n");

    std::string bad = Lut(kCube, 33, 2000, 53) + "0.5 x 0.5\n";
    for (int k = 2001; k < Cube(33); k++) bad += Row(kCube, k, 53) + "\n";
    ExpectRefused("bad.cube", bad);

    // The comma must follow its number directly.
    std::string comma = Lut(kCsv, 26, 30, 54) + "1 ,2,3,0.5,0.5,0.5\n";
    for (int k = 31; k < Cube(26); k++) comma += Row(kCsv, k, 54) + "\n";
    ExpectRefused("comma.csv", comma);

    std::string real = Lut(k3dl, 17, 7, 55) + "1 2.5 3\n";
    for (int k = 8; k < Cube(17); k++) real += Row(k3dl, k, 55) + "\n";
    ExpectRefused("real.3dl", real);
}

uint32_t Bits(float f) {
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    return bits;
}

// The number forms that ScanLutFloat reads reach the tables through both
// real families, and a field that only begins a number refuses the file.
TEST_F(Lut3dReader, EveryNumberFormReachesTheTable) {
    std::string csv = Lut(kCsv, 17, 5, 74) + "5,0,0,-0X.8P-1,inf,1e39\n";
    for (int k = 6; k < Cube(17); k++) csv += Row(kCsv, k, 74) + "\n";
    ASSERT_EQ(Read3dLutFile(Write("forms.csv", csv).c_str(), Table3d), 1);
    EXPECT_EQ(Table3d.floatRows[5][0], -0.25f);
    EXPECT_EQ(Bits(Table3d.floatRows[5][1]), 0x7F800000u);
    EXPECT_EQ(Bits(Table3d.floatRows[5][2]), 0x7F800000u);
    EXPECT_EQ(FirstWrongFloatRow(6, Cube(17), 74), -1);

    std::string cube = Lut(kCube, 17, 5, 73) + "0x1.8p1 -1e-50 -nan(7)\n";
    for (int k = 6; k < Cube(17); k++) cube += Row(kCube, k, 73) + "\n";
    ASSERT_EQ(Read3dLutFile(Write("forms.cube", cube).c_str(), Table3d), 1);
    EXPECT_EQ(Table3d.floatRows[5][0], 3.0f);
    EXPECT_EQ(Bits(Table3d.floatRows[5][1]), 0x80000000u);
    EXPECT_TRUE(std::isnan(Table3d.floatRows[5][2]));
    EXPECT_EQ(FirstWrongFloatRow(0, 5, 73), -1);

    for (const char *field : {"3.0e", "0x", "infin"}) {
        std::string bad = Lut(kCsv, 17, 9, 77) + "1,1,1," + field + ",0.5,0.5\n";
        for (int k = 10; k < Cube(17); k++) bad += Row(kCsv, k, 77) + "\n";
        ExpectRefused("field.csv", bad);
    }
    ExpectRefused("last.cube", Lut(kCube, 17, Cube(17) - 1, 76) + "0.5 0.5 3.0e\n");
}

// On POSIX a directory opens like a file, but cannot be read.
TEST_F(Lut3dReader, DirectoryNamedLikeALutIsRefused) {
    for (const char *name : {"d.csv", "d.3dl"}) {
        std::error_code ec;
        std::filesystem::create_directory(dir / name, ec);
        ASSERT_FALSE(ec) << name;
        Table3d.fileType = kLut3dFileTypeCube;
        EXPECT_EQ(Read3dLutFile((dir / name).string().c_str(), Table3d), -1) << name;
    }
    EXPECT_EQ(FirstChangedFloatRow(0, kLut3dMaxRows), -1);
    EXPECT_EQ(FirstChangedIntRow(0, kLut3dMaxRows), -1);
}

}  // namespace
