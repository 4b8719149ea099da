// The console's word reader: bounds and white space.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "console/console_loop.h"
#include "console/word_reader.h"

namespace {

// Feeds text through a temporary stream.
struct Input {
    FILE *f;
    explicit Input(const std::string &text) : f(tmpfile()) {
        fwrite(text.data(), 1, text.size(), f);
        rewind(f);
    }
    ~Input() { fclose(f); }
};

TEST(WordReader, SkipsWhiteSpaceAndLineEnds) {
    Input in(" \t\r\n\n  getName\r\n\v\fsetLut \n\n");
    char buf[96];
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordRead);
    EXPECT_STREQ(buf, "getName");
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordRead);
    EXPECT_STREQ(buf, "setLut");
    EXPECT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordEnd);
}

TEST(WordReader, SixtyThreeBytesFitSixtyFourDoNot) {
    std::string w63(63, 'a'), w64(64, 'b'), w200(200, 'c');
    Input in(w63 + " " + w64 + "\n" + w200 + " devInit");
    char buf[96];
    memset(buf, 'Z', sizeof buf);
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordRead);
    EXPECT_EQ(std::string(buf), w63);
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordTooLong);
    // Never more than 63 bytes and the terminator.
    EXPECT_EQ(buf[63], '\0');
    EXPECT_EQ(buf[64], 'Z');
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordTooLong);
    EXPECT_EQ(buf[64], 'Z');
    // The rest of a long word is not taken as a word of its own.
    ASSERT_EQ(ReadCommandWord(in.f, buf, kMaxWordLength), kWordRead);
    EXPECT_STREQ(buf, "devInit");
}

}  // namespace
