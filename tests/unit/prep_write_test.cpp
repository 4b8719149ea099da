// lutprep's writers: what they write, the box's own reader takes with the
// intended layout and every value bit for bit, and lutprep's readers read
// back unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "lut/lut3d_reader.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/resample.h"
#include "prep/text_write.h"
#include "prep/transform.h"
#include "prep_test_luts.h"
#include "scratch_dir.h"

namespace {

// The tables the reader fills here: static, as they are large.
Lut3dTable Table3d;
Lut3dTable TableWithNotes;

struct Target {
    PrepFamily family;
    const char *name;
    int32_t bits;
};

class PrepWriters : public ScratchDirTest {
protected:
    // The grade at `points`, clamped, with the values that are easy to
    // write wrongly: a tiny one (an exponent), exact 0 and 1.
    static void MakeLut(PrepLut *lut, int32_t points) {
        FillGrade(lut, points);
        lut->values[4] = 1e-7f;
        lut->values[5] = 0.0f;
        lut->values[6] = 1.0f;
        PrepClampLut(lut);
    }

    std::string WriteLut(const PrepLut &lut, const Target &t, const char *notes = "") {
        std::string path = (dir / t.name).string();
        FILE *file = fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file == nullptr) return path;
        PrepError error{};
        EXPECT_EQ(PrepWriteLut(file, t.family, &lut, t.bits, notes, &error), 0) << error.text;
        fclose(file);
        return path;
    }
};

const Target kTargets[] = {
    {kPrepFamilyCube, "out.cube", 0},  {kPrepFamilyCsv, "out.csv", 0},    {kPrepFamily3dl, "out10.3dl", 10},
    {kPrepFamily3dl, "out12.3DL", 12}, {kPrepFamily3dl, "out16.3dl", 16},
};

}  // namespace

TEST_F(PrepWriters, TheBoxReadsEveryValueAsIntended) {
    for (const Lut3dSize &size : kLut3dSizes) {
        PrepLut lut{};
        MakeLut(&lut, size.points);
        for (const Target &t : kTargets) {
            std::string path = WriteLut(lut, t);
            const bool ints = t.family == kPrepFamily3dl;
            ASSERT_EQ(Read3dLutFile(path.c_str(), Table3d), ints ? size.intLayout : size.floatLayout) << t.name;
            for (int64_t row = 0; row < size.rows; row++) {
                const float *want = lut.values + 3 * PrepFileRowNode(t.family, size.points, row);
                for (int c = 0; c < 3; c++) {
                    if (ints) {
                        // The box keeps the low 16 bits: 65535 is -1.
                        int16_t code = static_cast<int16_t>(static_cast<uint16_t>(Prep3dlCode(want[c], t.bits)));
                        ASSERT_EQ(Table3d.intRows[row][c], code) << t.name << " row " << row;
                    } else {
                        ASSERT_EQ(memcmp(&Table3d.floatRows[row][c], &want[c], sizeof(float)), 0)
                            << t.name << " row " << row << ": " << Table3d.floatRows[row][c] << " for " << want[c];
                    }
                }
            }
        }
        PrepFreeLut(&lut);
    }
}

TEST_F(PrepWriters, RoundTripThroughTheReaders) {
    PrepLut lut{};
    MakeLut(&lut, 17);
    for (const Target &t : kTargets) {
        std::string path = WriteLut(lut, t);
        PrepLut back{};
        PrepWarnings warnings{};
        PrepError error{};
        ASSERT_EQ(PrepReadLutFile(path.c_str(), PrepFamilyOfName(path.c_str()), &back, &warnings, &error), 0)
            << t.name << " line " << error.line << ": " << error.text;
        ASSERT_EQ(back.points, 17);
        EXPECT_EQ(back.family, t.family);
        double scale = std::ldexp(1.0, t.bits) - 1.0;
        if (t.family == kPrepFamily3dl) {
            // The depth is stated in a comment line, which the box reads
            // past, not guessed.
            EXPECT_EQ(back.bits, t.bits) << t.name;
            EXPECT_EQ(back.bitsFrom, kPrepBitsHeader);
        }
        EXPECT_EQ(warnings.count, 0) << t.name << ": " << warnings.list[0].text;
        for (int64_t i = 0; i < 3 * PrepNodeCount(17); i++) {
            float want = t.family == kPrepFamily3dl ? static_cast<float>(Prep3dlCode(lut.values[i], t.bits) / scale)
                                                    : lut.values[i];
            ASSERT_EQ(back.values[i], want) << t.name << " value " << i;
        }
        PrepFreeLut(&back);
    }
    PrepFreeLut(&lut);
}

// -0 is written as 0 (a row that began with a minus sign would end the
// box's run of data lines); values that need clamping or folding first are
// refused.
TEST_F(PrepWriters, WriteNoSignAndRefuseWhatIsNotReady) {
    PrepLut lut{};
    MakeLut(&lut, 17);
    for (int c = 0; c < 3; c++) lut.values[c] = -0.0f;
    for (const Target &t : kTargets) {
        std::string text = ReadAll(WriteLut(lut, t));
        EXPECT_EQ(text.find("\n-"), std::string::npos) << t.name;
        EXPECT_NE(text[0], '-') << t.name;
    }
    PrepError error{};
    FILE *file = fopen((dir / "refused.cube").string().c_str(), "wb");
    ASSERT_NE(file, nullptr);
    lut.values[7] = 1.5f;
    EXPECT_EQ(PrepWriteCube(file, &lut, "", &error), -1);
    EXPECT_NE(strstr(error.text, "clamp"), nullptr) << error.text;
    lut.values[7] = 0.5f;
    lut.domainMax[0] = 2.0f;
    EXPECT_EQ(PrepWriteCsv(file, &lut, "", &error), -1);
    EXPECT_NE(strstr(error.text, "resample"), nullptr) << error.text;
    lut.domainMax[0] = 1.0f;
    EXPECT_EQ(PrepWrite3dl(file, &lut, 14, "", &error), -1);
    fclose(file);
    PrepFreeLut(&lut);
}

// A cube's TITLE and comment lines are kept as notes, and every writer
// writes them where the box reads past them: its reader takes the file
// with notes as it takes the one without, row for row, even with a note
// longer than one read of its (which goes on several lines); lutprep's
// readers give the notes back.
TEST_F(PrepWriters, NotesKeptAndWrittenWhereTheBoxReadsPastThem) {
    PrepLut lut{};
    MakeLut(&lut, 17);
    std::string source = CubeRows(lut, "TITLE \"grade\"\n# made on set\n#\n  #   indented\nLUT_3D_SIZE 17\n");
    char notes[kPrepMaxNotes] = "";
    PrepLut read{};
    PrepError error{};
    ASSERT_EQ(PrepParseSourceLut(PrepSource{source.data(), source.size(), nullptr, notes, sizeof notes},
                                 kPrepFamilyCube, &read, nullptr, &error),
              0)
        << error.text;
    PrepFreeLut(&read);
    EXPECT_STREQ(notes, "TITLE \"grade\"\nmade on set\n  indented\n");
    const std::string written = std::string(notes) + std::string(300, '7') + "\n";
    for (const Target &t : kTargets) {
        std::string plain = WriteLut(lut, t);
        int32_t layout = Read3dLutFile(plain.c_str(), Table3d);
        std::string path = WriteLut(lut, t, written.c_str());
        ASSERT_EQ(Read3dLutFile(path.c_str(), TableWithNotes), layout) << t.name;
        ASSERT_NE(Lut3dSizeOfLayout(layout), nullptr) << t.name;
        size_t rows = static_cast<size_t>(Lut3dSizeOfLayout(layout)->rows);
        EXPECT_EQ(Table3d.fileType, TableWithNotes.fileType) << t.name;
        if (t.family == kPrepFamily3dl) {
            EXPECT_EQ(memcmp(Table3d.intRows, TableWithNotes.intRows, rows * sizeof Table3d.intRows[0]), 0);
        } else {
            EXPECT_EQ(memcmp(Table3d.floatRows, TableWithNotes.floatRows, rows * sizeof Table3d.floatRows[0]), 0);
        }
        std::string text = ReadAll(path);
        for (size_t at = 0, lf; (lf = text.find('\n', at)) != std::string::npos; at = lf + 1) {
            ASSERT_LE(lf + 1 - at, 255u) << t.name << ": " << text.substr(at, 40);
        }
        char back[kPrepMaxNotes] = "";
        PrepWarnings warnings{};
        ASSERT_EQ(PrepParseSourceLut(PrepSource{text.data(), text.size(), nullptr, back, sizeof back}, t.family, &read,
                                     &warnings, &error),
                  0)
            << t.name << ": " << error.text;
        EXPECT_EQ(warnings.count, 0) << t.name << ": " << warnings.list[0].text;
        // The long note comes back in pieces, the rest as it was.
        std::string joined = back, want = written;
        EXPECT_EQ(joined.substr(0, strlen(notes)), notes) << t.name;
        joined.erase(std::remove(joined.begin(), joined.end(), '\n'), joined.end());
        want.erase(std::remove(want.begin(), want.end(), '\n'), want.end());
        EXPECT_EQ(joined, want) << t.name;
        PrepFreeLut(&read);
    }
    PrepFreeLut(&lut);
}

namespace {

// PutFloat's text of v is to_chars', and nothing is written past the room
// a value may use (the unit path writes all nine decimals); the text.

std::string CheckAsToChars(float v) {
    char ours[64], theirs[64];
    memset(ours, '#', sizeof ours);
    char *end = PutFloat(ours, v);
    char *want = std::to_chars(theirs, theirs + sizeof theirs, v).ptr;
    std::string text(ours, end);
    EXPECT_EQ(text, std::string(theirs, want)) << std::hexfloat << v;
    EXPECT_EQ(std::string(ours + kPrepValueRoom, sizeof ours - kPrepValueRoom),
              std::string(sizeof ours - kPrepValueRoom, '#'))
        << std::hexfloat << v;
    return text;
}

}  // namespace

// A value is written as the shortest text that reads back as it, the text
// to_chars gives: values of [0.001, 1) are told by the writer's own integer
// search, checked here on every 61st float of that range (every float was
// checked once, 83,684,753 of them) and at the edges: powers of two, where
// the step below halves, the range's ends, and values of few digits.
TEST(PrepWriteNumbers, EveryFloatAsToCharsWritesIt) {
    auto check = [](float v) { CheckAsToChars(v); };
    uint32_t from = 0, to = 0;
    const float low = 0.001f, high = 1.0f;
    memcpy(&from, &low, sizeof from);
    memcpy(&to, &high, sizeof to);
    for (uint32_t bits = from - 8; bits <= to + 8; bits += 61) {
        float v;
        memcpy(&v, &bits, sizeof v);
        check(v);
    }
    for (int e = -12; e <= 1; e++) {
        float p = std::ldexp(1.0f, e);
        for (float v : {p, std::nextafter(p, 0.0f), std::nextafter(p, 2.0f)}) check(v);
    }
    // Values of few binary places, whose exact decimals end in 5: some lie
    // halfway between two of 8 places, both within the bounds, where the
    // even one is written.
    for (int n = 1; n < 4096; n++) check(static_cast<float>(n) / 4096.0f);
    for (float v : {0.001f, 0.5f, 0.25f, 0.1f, 0.2f, 0.3f, 0.7f, 0.123456f, 0.999999f, 0.99999994f, 0.0015625f, 1e-3f,
                    0.0099999998f, 0.01f, 0.031250f, 0.0f, 1.0f}) {
        check(v);
    }
}

// Decimals of every count of places from 1 to 9 read as floats and written
// back: each count is written by its own steps (a multiple of 10^-7 found
// directly, 8 and 9 places rounded), so every one is seen here, with
// their zeros past the end and digits of every value at every place.
TEST(PrepWriteNumbers, EveryCountOfDecimalsAsToChars) {
    std::mt19937 random(20261208);
    int seen[10] = {};
    for (int k = 1; k <= 9; k++) {
        std::uniform_int_distribution<uint32_t> pick(1, static_cast<uint32_t>(std::pow(10.0, k)) - 1);
        for (int i = 0; i < 20000; i++) {
            char text[16];
            int n = snprintf(text, sizeof text, "0.%0*u", k, pick(random));
            float v = 0.0f;
            ASSERT_EQ(std::from_chars(text, text + n, v).ec, std::errc{}) << text;
            if (v < 0.001f) continue;
            std::string written = CheckAsToChars(v);
            if (written.size() >= 3 && written.size() <= 11 && written.compare(0, 2, "0.") == 0) {
                seen[written.size() - 2]++;
            }
        }
    }
    for (int k = 1; k <= 9; k++) EXPECT_GT(seen[k], 0) << k << " places";
}
