#include "console/loop_state.h"

#include <cstring>

char CommandBuffer[kCommandBufferSize];
char TextReply[kReplySize];
char SerialReply[kReplySize];
float RgbLevels[3];
int32_t CurrentIndex;
int32_t LastStatus;
int32_t InfoSelector;
int32_t InfoParam;
void *DeviceContext;

// The GBK bytes of the self-test keyword "加载器测试".
static const char kStartWord[] = "\xBC\xD3\xD4\xD8\xC6\xF7\xB2\xE2\xCA\xD4";

void ResetLoopState() {
    memset(CommandBuffer, 0, sizeof CommandBuffer);
    memcpy(CommandBuffer, kStartWord, sizeof kStartWord);
    memset(TextReply, 0, sizeof TextReply);
    memset(SerialReply, 0, sizeof SerialReply);
    RgbLevels[0] = 1.0f;
    RgbLevels[1] = 0.3f;
    RgbLevels[2] = 0.6f;
    CurrentIndex = 0;
    // Nothing has been read yet, so "setLut" must not send the empty table.
    LastStatus = -1;
    InfoSelector = 0;
    InfoParam = 0;
}
