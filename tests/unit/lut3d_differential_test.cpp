// The readers in lut/ against the reference (the readers as they were):
// generated LUT files of every family and size with mutations, through the
// 3D reader (and the 1D reader on the same bytes), and random byte strings
// through each family's row scan. Results, every table byte, the file type
// and, for the row scans, where the scan stopped must be the same.
//
// A short run with a fixed seed; LUT_DIFFERENTIAL_ROUNDS=N runs N rounds.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "lut/lut1d_reader.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_lines.h"
#include "reference_lut3d_reader.h"
#include "scratch_dir.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;
// The values the 1D reader fills here.
int32_t Table1d[kLut1dEntries];

int Rounds(int fallback) {
    const char *text = getenv("LUT_DIFFERENTIAL_ROUNDS");
    int rounds = text != nullptr ? atoi(text) : 0;
    return rounds > 0 ? rounds : fallback;
}

// Everything a 3D or 1D read can change.
struct Outcome {
    int32_t result;
    int32_t kind;
    std::vector<unsigned char> tables;
};

void Poison() {
    for (int r = 0; r < kLut3dMaxRows; r++) {
        for (int v = 0; v < 3; v++) {
            Table3d.floatRows[r][v] = -7.25f - static_cast<float>(r % 5);
            Table3d.intRows[r][v] = static_cast<int16_t>(0x2345 + r % 7);
        }
    }
    for (int i = 0; i < kLut1dEntries; i++) Table1d[i] = -77 - i;
    Table3d.fileType = kLut3dFileTypeCube;
}

Outcome Snapshot(int32_t result) {
    Outcome o = {result, Table3d.fileType, {}};
    auto add = [&o](const void *bytes, size_t size) {
        o.tables.insert(o.tables.end(), static_cast<const unsigned char *>(bytes),
                        static_cast<const unsigned char *>(bytes) + size);
    };
    add(Table3d.floatRows, sizeof Table3d.floatRows);
    add(Table3d.intRows, sizeof Table3d.intRows);
    add(Table1d, sizeof Table1d);
    return o;
}

size_t FirstDifference(const Outcome &a, const Outcome &b) {
    for (size_t i = 0; i < a.tables.size(); i++) {
        if (a.tables[i] != b.tables[i]) return i;
    }
    return a.tables.size();
}

// The field texts the mutations put into rows.
const char *const kOddFields[] = {
    "nan",
    "-nan",
    "nan(123)",
    "NAN(x_1)",
    "inf",
    "-Infinity",
    "infin",
    "0x1.8p1",
    "0X.8P-3",
    "1e39",
    "-1e-50",
    "1e99999999999999999999",
    "1e-99999999999",
    "0x1p-149",
    "3.0e",
    "0x",
    "+.5",
    "5.",
    "-0",
    "00x1",
    "1e+",
    "0,5",
    "1.5e3",
    "2,",
    ".",
    "-",
    "0.000000059604644775390625",
};

struct Generator {
    std::mt19937 random;
    int oddEvery = 0;  // one field in this many is odd; 0: none

    bool Odd() { return oddEvery > 0 && Below(oddEvery) == 0; }

    int Below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }

    // Mostly six decimals, as LUT tools write; else other precisions and
    // exponent forms.
    std::string Real() {
        char text[48];
        double value = Below(1000001) / 1000000.0;
        switch (Below(8)) {
        case 0:
            snprintf(text, sizeof text, "%.*f", Below(16), value * 3);
            break;
        case 1:
            snprintf(text, sizeof text, "%.*e", Below(12), value / (1 + Below(1000)));
            break;
        case 2:
            snprintf(text, sizeof text, "%.9g", value * Below(100000));
            break;
        default:
            snprintf(text, sizeof text, "%.6f", value);
            break;
        }
        return text;
    }

    std::string Field() {
        if (!Odd()) return Real();
        switch (Below(3)) {
        case 0:
            return kOddFields[Below(static_cast<int>(std::size(kOddFields)))];
        case 1: {
            // A long run of digits, around a point.
            std::string digits(static_cast<size_t>(100 + Below(2000)), '0');
            for (char &c : digits) c = static_cast<char>('0' + (Below(3) == 0 ? Below(10) : 0));
            digits.insert(static_cast<size_t>(Below(static_cast<int>(digits.size()))), ".");
            return digits + (Below(2) == 0 ? "e-" + std::to_string(Below(3000)) : "");
        }
        default:
            return "-" + Real();
        }
    }

    std::string Row(const std::string &family) {
        if (family == "csv") {
            return std::to_string(Below(33)) + "," + std::to_string(Below(33)) + "," + std::to_string(Below(33)) + "," +
                   Field() + "," + Field() + "," + Field();
        }
        if (family == "cube") return Field() + " " + Field() + " " + Field();
        auto value = [this]() { return Odd() ? "-" + std::to_string(random()) : std::to_string(Below(70001)); };
        return value() + " " + value() + " " + value();
    }

    std::vector<std::string> Lines(const std::string &family, int points) {
        std::vector<std::string> lines;
        if (family == "csv") lines = {"R,G,B,r,g,b"};
        if (family == "cube") lines = {"# generated", "TITLE \"t\"", "LUT_3D_SIZE " + std::to_string(points), ""};
        if (family == "3dl") {
            std::string mesh;
            for (int i = 0; i < points; i++) mesh += std::to_string(i * 1023 / (points - 1)) + " ";
            lines = {"# generated", "", mesh};
        }
        for (int r = 0; r < points * points * points; r++) lines.push_back(Row(family));
        return lines;
    }

    // Mutations 0 to 5 change the count of data lines, the others leave it
    // to the rows.
    void Mutate(std::vector<std::string> &lines, const std::string &family, bool keepCount) {
        size_t at = static_cast<size_t>(Below(static_cast<int>(lines.size())));
        std::string &line = lines[at];
        switch (keepCount ? 6 + Below(4) : Below(10)) {
        case 0:
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 1: {
            std::string copy = line;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), copy);
            break;
        }
        case 2:
            line = "-" + line;
            break;
        case 3:
            line.resize(static_cast<size_t>(Below(static_cast<int>(line.size()) + 1)));
            break;
        case 4:
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Below(2) == 0 ? "" : "# comment");
            break;
        case 5:
            // A line longer than one read, padded to about where the read
            // ends.
            line.resize(static_cast<size_t>(250 + Below(12)), ' ');
            line += Row(family);
            break;
        case 6:
            line += " 0.5";
            break;
        case 7:
            line = line.substr(0, line.find_last_of(" ,"));
            break;
        case 8:
            if (!line.empty())
                line[static_cast<size_t>(Below(static_cast<int>(line.size())))] = static_cast<char>(Below(256));
            break;
        default:
            line = Row(family);
            break;
        }
    }
};

class LutDifferential : public ScratchDirTest {
protected:
    static Outcome Run3d(const std::string &path, bool reference, Lut3dReport *report) {
        Poison();
        return Snapshot(reference ? reference::Read3dLutFile(path.c_str(), Table3d)
                                  : Read3dLutFile(path.c_str(), Table3d, report));
    }
    static Outcome Run1d(const std::string &path, bool reference) {
        Poison();
        return Snapshot(reference ? reference::Read1dLutFile(path.c_str(), Table1d)
                                  : Read1dLutFile(path.c_str(), Table1d));
    }
};

TEST_F(LutDifferential, ReadersMatchTheReferenceOnMutatedFiles) {
    Generator generate{std::mt19937(20240611)};
    const int rounds = Rounds(60);
    const char *families[] = {"csv", "cube", "3dl"};
    for (int round = 0; round < rounds; round++) {
        std::string family = families[round % 3];
        const int sizes[] = {17, 17, 17, 16, 26, 33};
        int points = sizes[generate.Below(static_cast<int>(std::size(sizes)))];
        const int oddRates[] = {0, 0, 300, 3000, 30000};
        generate.oddEvery = oddRates[generate.Below(static_cast<int>(std::size(oddRates)))];
        std::vector<std::string> lines = generate.Lines(family, points);
        bool keepCount = generate.Below(4) != 0;
        for (int m = generate.Below(4); m > 0; m--) generate.Mutate(lines, family, keepCount);
        const char *eol = generate.Below(3) == 0 ? "\r\n" : "\n";
        std::string text;
        for (const std::string &line : lines) text += line + eol;
        if (generate.Below(4) == 0) text.resize(text.size() - 1);

        // New files each round, removed after it: rewriting one file in
        // place waits for the disk on some file systems.
        std::string name = "case" + std::to_string(round);
        std::string path = Write(name + "." + family, text);
        Lut3dReport report;
        Outcome mine = Run3d(path, false, &report);
        Outcome theirs = Run3d(path, true, nullptr);
        std::string label =
            "round " + std::to_string(round) + ", " + family + ", " + std::to_string(points) + " points";
        ASSERT_EQ(mine.result, theirs.result) << label;
        ASSERT_EQ(mine.kind, theirs.kind) << label;
        ASSERT_EQ(FirstDifference(mine, theirs), mine.tables.size()) << label;
        ASSERT_EQ(report.reason == kLut3dRead, mine.result > 0) << label;

        std::filesystem::remove(path);

        for (const char *extension : {".hex", ".lut"}) {
            std::string path1d = Write(name + extension, text);
            Outcome mine1d = Run1d(path1d, false);
            Outcome theirs1d = Run1d(path1d, true);
            std::filesystem::remove(path1d);
            ASSERT_EQ(mine1d.result, theirs1d.result) << label << ", " << extension;
            ASSERT_EQ(FirstDifference(mine1d, theirs1d), mine1d.tables.size()) << label << ", " << extension;
        }
    }
}

// Random bytes rarely get past a reader's count, so each family's row scan
// meets them directly, a few rows at a time.
TEST_F(LutDifferential, RowScansMatchTheReferenceOnRandomBytes) {
    // Pieces of numbers and of what stands between them.
    static const char *const kPieces[] = {
        "0",     "7",           "12",  "0.5",  "3.",  ".25", "-",        "+",         ".",
        "e",     "E-",          "e+7", "x",    "0x1", "p-3", ",",        ",",         ",",
        " ",     "  ",          "\n",  "\r\n", "\t",  "inf", "inity",    "in",        "i",
        "nan",   "na",          "(",   "a_1",  ")",   "#",   "0.000001", "123456789", "1.000000059604644775390625",
        "1e-46", "3.4028236e38"};
    std::mt19937 random(77);
    const int rounds = Rounds(60) * 50;
    static LutInput input;
    for (int round = 0; round < rounds; round++) {
        const char *extension = round % 3 == 0 ? ".csv" : round % 3 == 1 ? ".cube" : ".3dl";
        const Lut3dFamily *family = Lut3dFamilyOfPath(extension);
        int rowCount = 1 + static_cast<int>(random() % 3);
        // Rows of the family, then pieces put in anywhere.
        std::string bytes;
        const char *row = round % 3 == 0 ? "1,2,3,0.5,.5,1e-3" : round % 3 == 1 ? "0.5 .5 1e-3" : "1 2 3";
        for (int r = 0; r <= rowCount; r++) bytes += row + std::string(r % 2 == 0 ? "\n" : "\r\n");
        for (unsigned pieces = random() % 6; pieces > 0; pieces--) {
            std::string piece = random() % 8 == 0 ? std::string(1, static_cast<char>(random() % 256))
                                                  : kPieces[random() % std::size(kPieces)];
            size_t at = random() % (bytes.size() + 1);
            if (random() % 2 == 0) bytes.erase(at, piece.size());
            bytes.insert(std::min(at, bytes.size()), piece);
        }
        std::string path = Write("r" + std::to_string(round) + extension, bytes);
        ASSERT_NE(family, nullptr);

        float mineFloat[3][3], theirsFloat[3][3];
        int16_t mineInt[3][3], theirsInt[3][3];
        memset(mineFloat, 0x5A, sizeof mineFloat);
        memset(theirsFloat, 0x5A, sizeof theirsFloat);
        memset(mineInt, 0x5A, sizeof mineInt);
        memset(theirsInt, 0x5A, sizeof theirsInt);

        ASSERT_TRUE(OpenLutInput(&input, path.c_str()));
        int mine = family->scanRows(&input, {mineFloat, mineInt}, rowCount);
        int64_t mineStop = LutInputOffset(&input);
        CloseLutInput(&input);

        FILE *file = fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        int theirs = round % 3 == 0   ? reference::ScanCsvRows(file, theirsFloat, rowCount)
                     : round % 3 == 1 ? reference::ScanCubeRows(file, theirsFloat, rowCount)
                                      : reference::Scan3dlRows(file, theirsInt, rowCount);
        int64_t theirsStop = ftell(file);
        fclose(file);

        std::string label = std::string(extension) + " \"" + bytes + "\"";
        ASSERT_EQ(mine, theirs) << label;
        ASSERT_EQ(mineStop, theirsStop) << label;
        ASSERT_EQ(memcmp(mineFloat, theirsFloat, sizeof mineFloat), 0) << label;
        ASSERT_EQ(memcmp(mineInt, theirsInt, sizeof mineInt), 0) << label;
        std::filesystem::remove(path);
    }
}

}  // namespace
