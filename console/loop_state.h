// The loop state shared by the command handlers; it lives for the whole run.
#pragma once

#include <cstdint>

constexpr int kCommandBufferSize = 96;
constexpr int kMaxWordLength = 63;  // bytes of one command word, without its NUL
constexpr int kReplySize = 64;
constexpr int kDeviceContextSize = 0x20000;

// The current command word at its start; bytes behind its terminator keep
// what earlier, longer words left there (handlers read fixed positions).
extern char CommandBuffer[kCommandBufferSize];
// Reply texts of the device queries; zeroed before every prompt.
extern char TextReply[kReplySize];
extern char SerialReply[kReplySize];
// The fixed channel levels of "setRGB".
extern float RgbLevels[3];
// The index argument of most device calls; carried between commands.
extern int32_t CurrentIndex;
// The result of the last device operation; "setLut" sends only when it is 0.
extern int32_t LastStatus;
// The two numbers of "GetDevInfo:" and "GetFPGAInfo:".
extern int32_t InfoSelector;
extern int32_t InfoParam;
// The library's opaque block, passed first to every device call.
extern void *DeviceContext;

// Sets the loop state to its start contents.
void ResetLoopState();
