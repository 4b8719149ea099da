// The device session: what the command handlers share and carry from one
// command to the next. One Session lives for the whole run and is passed to
// every handler.
#pragma once

#include <cstdint>

#include "device/device_api_shapes.h"

struct Session {
    // The library's opaque block, passed first to every device call; only
    // the library interprets it.
    void *DeviceContext;
    // The index argument of most device calls. Written only by "getW25q_",
    // "getS25F_" (the typed number, once the device opened) and the two FPGA
    // reset-state commands (the state, before the open).
    int32_t CurrentIndex;
    // The result of the last device operation a command completed; "setLut"
    // sends only when it is 0.
    int32_t LastStatus;
    // The two numbers of "GetDevInfo:" and "GetFPGAInfo:".
    int32_t InfoSelector;
    int32_t InfoParam;
    // The fixed channel levels of "setRGB".
    float RgbLevels[3];
    // Reply texts of the device queries; zeroed before every prompt.
    char TextReply[kReplySize];
    char SerialReply[kReplySize];
};

// Sets every field to its start value and hands the session deviceContext.
void StartSession(Session &session, void *deviceContext);

// Zeroes both reply buffers.
void ClearReplies(Session &session);
