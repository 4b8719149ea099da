// The format table of lutprep's engine and the one line loop of its
// readers: a format is found by its extension, agrees with the box's family
// of that extension on what the programs take from either, and every
// reader sees the lines as an editor numbers them.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "lut/lut3d_reader.h"
#include "prep/format.h"
#include "prep/lut_read.h"
#include "prep/text_scan.h"

TEST(PrepFormatTable, EachFormatIsTheBoxsFamilyOfItsExtension) {
    for (int32_t i = 0; PrepFormatAt(i) != nullptr; i++) {
        PrepFamily format = PrepFormatAt(i);
        SCOPED_TRACE(format->name);
        std::string upper = std::string("grade") + format->extension;
        for (char &c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(PrepFamilyOfName(upper.c_str()), format);
        EXPECT_EQ(PrepFamilyOfName((std::string("grade") + format->extension + ".bak").c_str()), kPrepFamilyNone);
        // check and convert name the engine's format by the box's family and
        // take a 3dl's depth where the box fills its integer table. A format
        // read as a transform (a CDL, say) is no family of the box's.
        const Lut3dFamily *box = Lut3dFamilyOfPath((std::string("grade") + format->extension).c_str());
        if (format->parse == nullptr) {
            EXPECT_EQ(box, nullptr);
            EXPECT_NE(format->parseTransform, nullptr);
            continue;
        }
        ASSERT_NE(box, nullptr);
        EXPECT_STREQ(box->name, format->name);
        EXPECT_EQ(box->intTable, format->hasBitDepth);
        EXPECT_NE(format->parse, nullptr);
        EXPECT_NE(format->write, nullptr);
    }
    // The formats the engine's callers name are in the table.
    EXPECT_EQ(PrepFamilyOfName("a.csv"), kPrepFamilyCsv);
    EXPECT_EQ(PrepFamilyOfName("a.cube"), kPrepFamilyCube);
    EXPECT_EQ(PrepFamilyOfName("a.3dl"), kPrepFamily3dl);
    EXPECT_EQ(PrepFormatAt(-1), nullptr);
}

TEST(PrepFormatTable, NoFormatNamesTheExtensionsRead) {
    PrepLut lut{};
    PrepError error{};
    EXPECT_EQ(PrepParseLut("0 0 0\n", 6, kPrepFamilyNone, &lut, nullptr, &error), -1);
    EXPECT_STREQ(error.text, "not a LUT file name (.csv, .cube, .3dl, .clf, .ctf, .cc, .ccc or .cdl)");
    EXPECT_EQ(lut.values, nullptr);
}

namespace {

struct Seen {
    std::vector<std::string> lines;
    std::vector<int64_t> numbers;
    size_t stopAfter;  // lines handed before the loop is stopped; 0: never
};

int Collect(void *state, const PrepLine &line) {
    Seen *seen = static_cast<Seen *>(state);
    seen->lines.emplace_back(line.begin, line.end);
    seen->numbers.push_back(line.number);
    return seen->lines.size() == seen->stopAfter ? -7 : 0;
}

}  // namespace

TEST(PrepLineLoop, TrimmedLinesWithoutBlanksAndCommentsNumberedByLineFeeds) {
    const std::string text = "  # note\r\nA 1 \r\n\n\t\r\n  B\r2\n#x\n C";
    Seen seen{};
    int64_t last = 0;
    EXPECT_EQ(ForEachLine(text.data(), text.size(), '#', Collect, &seen, &last), 0);
    // A lone CR ends no line; a CR before the LF and blanks around are cut.
    EXPECT_EQ(seen.lines, (std::vector<std::string>{"A 1", "B\r2", "C"}));
    EXPECT_EQ(seen.numbers, (std::vector<int64_t>{2, 5, 7}));
    EXPECT_EQ(last, 7);

    // Without a comment character, '#' lines are handed on; a trailing LF
    // ends the last line and starts none.
    seen = Seen{};
    EXPECT_EQ(ForEachLine("#h\n\n1\n", 6, 0, Collect, &seen, &last), 0);
    EXPECT_EQ(seen.lines, (std::vector<std::string>{"#h", "1"}));
    EXPECT_EQ(last, 3);

    seen = Seen{};
    EXPECT_EQ(ForEachLine("", 0, '#', Collect, &seen, &last), 0);
    EXPECT_TRUE(seen.lines.empty());
    EXPECT_EQ(last, 1);
}

TEST(PrepLineLoop, StopsAtTheFirstLineTheReaderRefuses) {
    const std::string text = "a\nb\n\nc\nd\n";
    Seen seen{};
    seen.stopAfter = 2;
    int64_t last = 0;
    EXPECT_EQ(ForEachLine(text.data(), text.size(), '#', Collect, &seen, &last), -7);
    EXPECT_EQ(seen.lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(last, 2);
}
