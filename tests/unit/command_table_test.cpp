// Keyword matching: first keyword in table order, anywhere in the word.
#include <gtest/gtest.h>

#include "console/command_table.h"

namespace {

const char *Match(const char *word) {
    const CommandRow *row = FindCommand(word);
    return row ? row->keyword : nullptr;
}

TEST(CommandTable, EachKeywordAloneReachesItsOwnRow) {
    for (size_t i = 0; i < kCommandCount; i++) {
        EXPECT_EQ(FindCommand(CommandTable[i].keyword), &CommandTable[i]) << CommandTable[i].keyword;
    }
}

TEST(CommandTable, EarlierKeywordWins) {
    EXPECT_STREQ(Match("load:C:/getName.cube"), "getName");
    EXPECT_STREQ(Match("loadLog:setLut.hex"), "setLut");
    EXPECT_STREQ(Match("atoi:itoa"), "atoi:");
    EXPECT_STREQ(Match("Xitoa"), "itoa");
    EXPECT_STREQ(Match("Bit2Bin:load:x"), "load:");
    EXPECT_STREQ(Match("RST_FPGA_TRUE_RST_FPGA_FALSE"), "RST_FPGA_TRUE");
    EXPECT_STREQ(Match("readSTD3DLutgetName"), "readSTD3DLut");
}

TEST(CommandTable, CaseSensitiveAndAnywhere) {
    EXPECT_STREQ(Match("xxgetNameyy"), "getName");
    EXPECT_EQ(Match("getname"), nullptr);
    EXPECT_EQ(Match("GETNAME"), nullptr);
    EXPECT_EQ(Match("loadlog:x.hex"), nullptr);
    EXPECT_EQ(Match(""), nullptr);
    EXPECT_STREQ(Match("\xBC\xD3\xD4\xD8\xC6\xF7\xB2\xE2\xCA\xD4"), "\xBC\xD3\xD4\xD8\xC6\xF7\xB2\xE2\xCA\xD4");
}

}  // namespace
