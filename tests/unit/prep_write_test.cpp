// lutprep's writers: what they write, the box's own reader takes with the
// intended layout and every value bit for bit, and lutprep's readers read
// back unchanged.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "lut/lut3d_reader.h"
#include "prep/lut_read.h"
#include "prep/lut_write.h"
#include "prep/resample.h"
#include "prep_test_luts.h"
#include "scratch_dir.h"

namespace {

// The table the reader fills here: static, as it is large.
Lut3dTable Table3d;

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

    std::string WriteLut(const PrepLut &lut, const Target &t) {
        std::string path = (dir / t.name).string();
        FILE *file = fopen(path.c_str(), "wb");
        EXPECT_NE(file, nullptr);
        if (file == nullptr) return path;
        PrepError error{};
        EXPECT_EQ(PrepWriteLut(file, t.family, &lut, t.bits, "", &error), 0) << error.text;
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
