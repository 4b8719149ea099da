// lutprep's conversions against OpenColorIO's ociobakelut, the reference:
// every converted node within 2e-6 of its output (both clamped to [0, 1];
// ociobakelut prints 6 decimals). Skipped, saying so, where ociobakelut is
// not installed (make test installs Debian's opencolorio-tools).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "prep/lut_read.h"
#include "prep/resample.h"
#include "prep_test_luts.h"
#include "scratch_dir.h"

namespace {

constexpr double kTolerance = 2e-6;
constexpr int32_t kBoxPoints = 33;

class PrepAgainstOcio : public ScratchDirTest {
protected:
    // Whether ociobakelut runs here: its help text names the option used.
    // (It exits 1 even for --help, so its status tells nothing, and a
    // shell's "not found" message repeats the command.)
    bool HaveOcio() {
        std::string probe = (dir / "probe.txt").string();
        std::string command = "ociobakelut --help > \"" + probe + "\" 2>&1";
        int ignored = std::system(command.c_str());
        (void)ignored;
        return ReadAll(probe).find("--cubesize") != std::string::npos;
    }

    // Converts the cube at source with lutprep's engine and with
    // ociobakelut, and compares every node.
    void ExpectSameAsOcio(const std::string &source) {
        PrepLut lut{}, converted{}, reference{};
        PrepError error{};
        ASSERT_EQ(PrepReadLutFile(source.c_str(), kPrepFamilyCube, &lut, nullptr, &error), 0) << error.text;
        ASSERT_EQ(PrepResample(&lut, kBoxPoints, kPrepTetrahedral, &converted, &error), 0) << error.text;
        PrepClampLut(&converted);

        std::string ref = (dir / "ref.cube").string();
        std::string command = "ociobakelut --lut \"" + source + "\" --format iridas_cube --cubesize " +
                              std::to_string(kBoxPoints) + " \"" + ref + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_EQ(PrepReadLutFile(ref.c_str(), kPrepFamilyCube, &reference, nullptr, &error), 0)
            << "line " << error.line << ": " << error.text;
        ASSERT_EQ(reference.points, kBoxPoints);
        PrepClampLut(&reference);

        double worst = 0.0;
        for (int64_t i = 0; i < 3 * PrepNodeCount(kBoxPoints); i++) {
            double d = std::fabs(static_cast<double>(converted.values[i]) - reference.values[i]);
            ASSERT_LE(d, kTolerance) << "node " << i / 3 << " channel " << i % 3 << ": " << converted.values[i]
                                     << ", reference " << reference.values[i];
            worst = d > worst ? d : worst;
        }
        char worstText[32];
        snprintf(worstText, sizeof worstText, "%.3g", worst);
        RecordProperty("max_difference_" + std::filesystem::path(source).stem().string(), worstText);
        PrepFreeLut(&lut);
        PrepFreeLut(&converted);
        PrepFreeLut(&reference);
    }

    std::string WriteGrade(const char *name, int32_t points, const std::string &header) {
        PrepLut lut{};
        FillGrade(&lut, points);
        std::string text = CubeRows(lut, header + "LUT_3D_SIZE " + std::to_string(points) + "\n");
        PrepFreeLut(&lut);
        return Write(name, text);
    }
};

}  // namespace

TEST_F(PrepAgainstOcio, ConvertsAsOciobakelutDoes) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    // The grading application's 65 points, whose even nodes are copied.
    ExpectSameAsOcio(WriteGrade("grade65.cube", 65, "TITLE \"grade\"\n"));
    // 17 points, interpolated between every other node.
    ExpectSameAsOcio(WriteGrade("grade17.cube", 17, ""));
    // A domain beyond [0, 1] on one side and within it on the other, so that
    // both the normalisation and the clamping at its edges count.
    ExpectSameAsOcio(WriteGrade("domain.cube", 33, "DOMAIN_MIN -0.1 0.05 0\nDOMAIN_MAX 1.2 0.9 1.5\n"));
}
