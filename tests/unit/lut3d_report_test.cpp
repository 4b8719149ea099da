// What Read3dLutFile reports: the reason, and where in the file, for each
// kind of refusal, and the rows of an accepted file.
#include <gtest/gtest.h>

#include <string>

#include "lut/lut3d_reader.h"
#include "scratch_dir.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;

constexpr int kRows17 = 17 * 17 * 17;

std::string Rows(const char *row, int count, const char *eol = "\n") {
    std::string text;
    for (int i = 0; i < count; i++) text += row + std::string(eol);
    return text;
}

// Four header lines, then rows.
const std::string kCubeHeader = "# made here\nTITLE \"t\"\nLUT_3D_SIZE 17\n\n";
const std::string kCubeHeaderCrLf = "# made here\r\nTITLE \"t\"\r\nLUT_3D_SIZE 17\r\n\r\n";
// Three header lines, the mesh line last.
const std::string k3dlHeader = "# made here\n\n0 64 128 192 256 320 384 448 512 576 640 704 768 832 896 960 1023\n";

struct ReportCase {
    const char *name;
    std::string text;  // the file's bytes; "<absent>": no file
    int32_t result;
    Lut3dReason reason;
    int64_t line;
    int64_t column;
    int64_t rows;
    int64_t row;
};

class Lut3dReportTest : public ScratchDirTest {};

TEST_F(Lut3dReportTest, SaysWhyAndWhere) {
    const std::string row = "0.25 0.5 0.75";
    const ReportCase cases[] = {
        {"ok.cube", kCubeHeader + Rows(row.c_str(), kRows17), 1, kLut3dRead, 0, 0, kRows17, 0},
        {"ok.3dl", k3dlHeader + Rows("1 2 3", kRows17), 4, kLut3dRead, 0, 0, kRows17, 0},
        {"absent.cube", "<absent>", -1, kLut3dCannotOpen, 0, 0, -1, 0},
        {"lut.Cube", kCubeHeader + Rows(row.c_str(), kRows17), 0, kLut3dUnknownFamily, 0, 0, -1, 0},
        {"empty.csv", "", -1, kLut3dNoDataLine, 0, 0, 0, 0},
        {"header.csv", "r,g,b\n# nothing else", -1, kLut3dNoDataLine, 0, 0, 0, 0},
        // The run reaches the end of the file: no line ends it.
        {"p16.cube", kCubeHeader + Rows(row.c_str(), 16 * 16 * 16), -1, kLut3dBadCount, 0, 0, 4096, 0},
        {"nomesh.3dl", "# no mesh\n" + Rows("1 2 3", kRows17), -1, kLut3dBadCount, 0, 0, kRows17 - 1, 0},
        // A blank line after 100 rows of a CR LF file ends the run.
        {"split.cube", kCubeHeaderCrLf + Rows(row.c_str(), 100, "\r\n") + "\r\n" + Rows(row.c_str(), 900, "\r\n"), -1,
         kLut3dBadCount, 105, 1, 100, 0},
        // Row 11 padded to 300 bytes: its read ends at byte 255, and the
        // rest, blanks, is the line that ends the run.
        {"padded.cube",
         kCubeHeader + Rows(row.c_str(), 10) + row + std::string(300 - row.size(), ' ') + "\n" +
             Rows(row.c_str(), kRows17 - 11),
         -1, kLut3dBadCount, 15, 256, 11, 0},
        // "3DMESH" begins with a digit, so it is the mesh line; the next
        // line ends the run at no row.
        {"mesh.3dl", "3DMESH\nMesh 4 12\n" + k3dlHeader + Rows("1 2 3", kRows17), -1, kLut3dBadCount, 2, 1, 0, 0},
        {"bad.cube", kCubeHeader + Rows(row.c_str(), 2000) + "0.5 x 0.5\n" + Rows(row.c_str(), kRows17 - 2001), -1,
         kLut3dBadRow, 2005, 5, kRows17, 2001},
        {"sign.cube",
         kCubeHeaderCrLf + Rows(row.c_str(), 7, "\r\n") + "0.5 0.5 -x\r\n" + Rows(row.c_str(), kRows17 - 8, "\r\n"), -1,
         kLut3dBadRow, 12, 10, kRows17, 8},
        {"comma.csv",
         "R,G,B,r,g,b\n" + Rows("1,2,3,0.5,0.5,0.5", 30) + "1 ,2,3,0.5,0.5,0.5\n" +
             Rows("1,2,3,0.5,0.5,0.5", kRows17 - 31),
         -1, kLut3dBadRow, 32, 2, kRows17, 31},
        // The last row lacks its third value: the scan fails at the end of
        // the file, just behind its last byte (the line feed, or the row).
        {"last.cube", kCubeHeader + Rows(row.c_str(), kRows17 - 1) + "0.5 0.5\n", -1, kLut3dBadRow, 4 + kRows17 + 1, 1,
         kRows17, kRows17},
        {"last.3dl", k3dlHeader + Rows("1 2 3", kRows17 - 1) + "1 2", -1, kLut3dBadRow, 3 + kRows17, 4, kRows17,
         kRows17},
    };
    for (const ReportCase &c : cases) {
        std::string path = c.text == "<absent>" ? (dir / c.name).string() : Write(c.name, c.text);
        Lut3dReport report = {kLut3dBadRow, -5, -5, -5, -5};
        EXPECT_EQ(Read3dLutFile(path.c_str(), Table3d, &report), c.result) << c.name;
        EXPECT_EQ(report.reason, c.reason) << c.name;
        EXPECT_EQ(report.line, c.line) << c.name;
        EXPECT_EQ(report.column, c.column) << c.name;
        EXPECT_EQ(report.rows, c.rows) << c.name;
        EXPECT_EQ(report.row, c.row) << c.name;
    }
}

TEST(Lut3dFamilyOfPath, FirstExtensionInTestOrderWhereverItStands) {
    EXPECT_STREQ(Lut3dFamilyOfPath("film.cube.csv")->name, "csv");
    EXPECT_STREQ(Lut3dFamilyOfPath("dir.CUBE/lut")->name, "cube");
    EXPECT_STREQ(Lut3dFamilyOfPath("a.3DL")->name, "3dl");
    EXPECT_EQ(Lut3dFamilyOfPath("a.Cube"), nullptr);
    EXPECT_EQ(Lut3dFamilyOfPath(""), nullptr);
}

}  // namespace
