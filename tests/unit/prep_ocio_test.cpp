// lutprep's conversions against OpenColorIO's ociobakelut, the reference:
// every converted node within 2e-6 of its output (both clamped to [0, 1];
// ociobakelut prints 6 decimals). Skipped, saying so, where ociobakelut is
// not installed (make test installs Debian's opencolorio-tools).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    // Converts the LUT file at source with lutprep's engine, and the one at
    // ocioSource (source when empty) with ociobakelut, and compares every
    // node, ociobakelut's values times referenceScale.
    void ExpectSameAsOcio(const std::string &source, const std::string &ocioSource = "", double referenceScale = 1.0) {
        PrepLut lut{}, converted{}, reference{};
        PrepError error{};
        ASSERT_EQ(PrepReadLutFile(source.c_str(), PrepFamilyOfName(source.c_str()), &lut, nullptr, &error), 0)
            << source << ": line " << error.line << ": " << error.text;
        ASSERT_EQ(PrepResample(&lut, kBoxPoints, kPrepTetrahedral, &converted, &error), 0) << error.text;
        PrepClampLut(&converted);

        std::string ref = (dir / "ref.cube").string();
        std::string command = "ociobakelut --lut \"" + (ocioSource.empty() ? source : ocioSource) +
                              "\" --format iridas_cube --cubesize " + std::to_string(kBoxPoints) + " \"" + ref + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        ASSERT_EQ(PrepReadLutFile(ref.c_str(), kPrepFamilyCube, &reference, nullptr, &error), 0)
            << "line " << error.line << ": " << error.text;
        ASSERT_EQ(reference.points, kBoxPoints);
        for (int64_t i = 0; i < 3 * PrepNodeCount(kBoxPoints); i++) {
            reference.values[i] = static_cast<float>(reference.values[i] * referenceScale);
        }
        PrepClampLut(&reference);

        double worst = 0.0;
        for (int64_t i = 0; i < 3 * PrepNodeCount(kBoxPoints); i++) {
            double d = std::fabs(static_cast<double>(converted.values[i]) - reference.values[i]);
            ASSERT_LE(d, kTolerance) << source << " node " << i / 3 << " channel " << i % 3 << ": "
                                     << converted.values[i] << ", reference " << reference.values[i];
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

namespace {

std::string Sample(const char *name) { return std::string(LUTBOX_SAMPLES_DIR) + "/" + name; }

// Text with each line that begins with prefix replaced by replacement.
std::string ReplaceLines(const std::string &text, const std::string &prefix, const std::string &replacement) {
    std::string kept;
    for (size_t at = 0; at < text.size();) {
        size_t lf = text.find('\n', at);
        size_t end = lf == std::string::npos ? text.size() : lf + 1;
        std::string line = text.substr(at, end - at);
        kept += line.compare(0, prefix.size(), prefix) != 0 ? line : replacement;
        at = end;
    }
    return kept;
}

}  // namespace

// The 3dl and cube files of other tools (tests/samples): each that
// ociobakelut reads converts to within 2e-6 of it.
TEST_F(PrepAgainstOcio, SampleFilesOciobakelutReads) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    if (!std::filesystem::exists(Sample("README.md"))) GTEST_SKIP() << "no samples at " << LUTBOX_SAMPLES_DIR;
    const char *const read[] = {
        "3dl/crlf_tabs.3dl",
        "3dl/crosstalk.3dl",
        "3dl/discreet-3d-lut.3dl",
        "3dl/flame_no_header_12bit.3dl",
        "3dl/float_rows_ignored.3dl",
        "3dl/lustre_33x33x33.3dl",
        "3dl/lustre_header_no_meshline.3dl",
        "3dl/lustre_mesh0_10entry_meshline.3dl",
        "3dl/meshline_nonidentity_shaper.3dl",
        "3dl/meshline_only_nonidentity.3dl",
        "3dl/negative_value_row.3dl",
        "3dl/values_14bit_read_as_16bit.3dl",
        "cube/colour_iridas_ACES_Proxy_10_to_ACES.cube",
        "cube/colour_iridas_Demo.cube",
        "cube/colour_resolve_Three_Dimensional_Table.cube",
        "cube/iridas_1d.cube",
        "cube/iridas_3d.cube",
        "cube/iridas_comment_between_rows.cube",
        "cube/iridas_domain_before_size.cube",
        "cube/iridas_lowercase_keywords.cube",
        "cube/resolve_1d3d.cube",
        "cube/resolve_1d_input_range.cube",
        "cube/resolve_1d_range_on_3d_ignored.cube",
        "cube/resolve_3d_input_range.cube",
        "cube/resolve_shaper_and_ranges.cube",
        "cube/resolve_shaper_no_ranges.cube",
        "cube/tetrahedral_probe.cube",
    };
    for (const char *name : read) ExpectSameAsOcio(Sample(name));
    // Its Mesh header says 12 bits, which lutprep follows; ociobakelut
    // ignores it and takes 10 bits from the largest value, 1966.
    ExpectSameAsOcio(Sample("3dl/dark_12bit_read_as_10bit.3dl"), "", 1023.0 / 4095.0);
}

// The files ociobakelut refuses by a quirk of its own, which lutprep reads:
// each as ociobakelut reads the file without what it stumbles on.
TEST_F(PrepAgainstOcio, SampleFilesOciobakelutRefusesByAQuirk) {
    if (!HaveOcio()) GTEST_SKIP() << "ociobakelut is not installed (Debian's opencolorio-tools)";
    if (!std::filesystem::exists(Sample("README.md"))) GTEST_SKIP() << "no samples at " << LUTBOX_SAMPLES_DIR;
    struct Quirk {
        const char *name;
        const char *dropped;     // the lines ociobakelut reads the file without
        const char *added = "";  // or, when given, with in their place
    };
    const Quirk quirks[] = {
        // A 3-number mesh line it takes for a row, a 2-number one it refuses
        // (so it cannot read its own 2- and 3-point files back).
        {"3dl/error_meshline_with_3_entries.3dl", "0 512 1023"},
        {"3dl/error_ocio_own_flame_bake_2pt.3dl", "0 1023"},
        // A TITLE with a shaper or a range keyword: one reader refuses the
        // keyword, the other the TITLE.
        {"cube/error_title_with_shaper.cube", "TITLE"},
        {"cube/error_colour_resolve_LogC_Video.cube", "TITLE"},
        {"cube/error_colour_resolve_Three_Dimensional_Table_With_Shaper.cube", "TITLE"},
        {"cube/error_colour_resolve_Demo.cube", "TITLE"},
        // A comment after the rows in a file with a range keyword, and an
        // indented comment.
        {"cube/error_resolve_comment_after_data.cube", "#"},
        {"cube/error_indented_comment.cube", "  #"},
        // A byte-order mark.
        {"cube/error_utf8_bom.cube", "\xEF\xBB\xBF"},
        // No size keyword: the rows make a 2-point table.
        {"cube/error_no_size_keyword.cube", "0.000000 0.000000 0.000000", "LUT_3D_SIZE 2\n0 0 0\n"},
        // A value below the smallest normal float, 0 to within any
        // tolerance.
        {"cube/error_denormal_1e-40.cube", "1e-40", "0 0 0\n"},
    };
    for (const Quirk &q : quirks) {
        // The mark is dropped, not its line.
        bool mark = std::string(q.dropped) == "\xEF\xBB\xBF";
        std::string text =
            mark ? ReadAll(Sample(q.name)).substr(3) : ReplaceLines(ReadAll(Sample(q.name)), q.dropped, q.added);
        ExpectSameAsOcio(Sample(q.name), Write("fixed" + std::filesystem::path(q.name).extension().string(), text));
    }
}

// The files ociobakelut refuses for a real fault: lutprep refuses them too,
// naming the fault and its line.
TEST(PrepSamples, RefusedWithTheCause) {
    if (!std::filesystem::exists(Sample("README.md"))) GTEST_SKIP() << "no samples at " << LUTBOX_SAMPLES_DIR;
    struct Refused {
        const char *name;
        int64_t line;
        const char *reason;
    };
    const Refused refused[] = {
        {"3dl/error_line_with_two_ints.3dl", 9, "2 numbers where a row holds 3"},
        {"3dl/error_max_below_128.3dl", 2, "the largest value is 100: below 128"},
        {"3dl/error_meshline_only_identity.3dl", 1, "an even ramp, and no rows"},
        {"3dl/error_truncated_file.3dl", 375, "holds 369 rows after the mesh line (line 5)"},
        {"3dl/error_two_meshlines.3dl", 2, "a second mesh line"},
        {"cube/error_domain_and_input_range.cube", 2, "DOMAIN_MIN/MAX and LUT_3D_INPUT_RANGE both give"},
        {"cube/error_four_numbers_in_row.cube", 9, "4 numbers where a row holds 3"},
        {"cube/error_lut_2d_size.cube", 1, "unknown keyword 'LUT_2D_SIZE'"},
        {"cube/error_too_many_rows.cube", 10, "holds 9 3D rows"},
        {"cube/quirk_decimal_comma.cube", 2, "(a decimal comma?)"},
        {"cube/quirk_hex_float.cube", 2, "'0x0p+0' is not a number"},
        {"cube/quirk_trailing_garbage.cube", 2, "'0.000000x' is not a number"},
    };
    for (const Refused &r : refused) {
        PrepLut lut{};
        PrepError error{};
        std::string path = Sample(r.name);
        EXPECT_EQ(PrepReadLutFile(path.c_str(), PrepFamilyOfName(path.c_str()), &lut, nullptr, &error), -1) << r.name;
        EXPECT_EQ(error.line, r.line) << r.name << ": " << error.text;
        EXPECT_NE(strstr(error.text, r.reason), nullptr) << r.name << ": " << error.text;
        PrepFreeLut(&lut);
    }
}
