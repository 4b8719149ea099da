// The loop state's start contents.
#include <gtest/gtest.h>

#include <cstring>

#include "console/loop_state.h"

namespace {

TEST(LoopState, StartContents) {
    memset(CommandBuffer, 'x', sizeof CommandBuffer);
    memset(TextReply, 'x', sizeof TextReply);
    CurrentIndex = InfoSelector = InfoParam = 7;
    ResetLoopState();
    // The GBK bytes of the self-test keyword, a NUL, then zeros to the end.
    const unsigned char keyword[] = {0xBC, 0xD3, 0xD4, 0xD8, 0xC6, 0xF7, 0xB2, 0xE2, 0xCA, 0xD4};
    EXPECT_EQ(memcmp(CommandBuffer, keyword, sizeof keyword), 0);
    for (int i = 10; i < kCommandBufferSize; i++) EXPECT_EQ(CommandBuffer[i], 0) << i;
    for (int i = 0; i < kReplySize; i++) EXPECT_EQ(TextReply[i] | SerialReply[i], 0) << i;
    EXPECT_EQ(RgbLevels[0], 1.0f);
    EXPECT_EQ(RgbLevels[1], 0.3f);
    EXPECT_EQ(RgbLevels[2], 0.6f);
    EXPECT_EQ(CurrentIndex, 0);
    EXPECT_EQ(InfoSelector, 0);
    EXPECT_EQ(InfoParam, 0);
    // Nothing read yet: "setLut" must not send.
    EXPECT_NE(LastStatus, 0);
}

}  // namespace
