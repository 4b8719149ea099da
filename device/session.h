// The device session: what the command handlers share and carry from one
// command to the next. One Session lives for the whole run and is passed to
// every handler.
#pragma once

#include <cstddef>
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

// The library's opaque block: allocated once per run, without clearing, and
// never released, since the library may keep using it until the process
// ends.
constexpr size_t kDeviceContextSize = 0x20000;

// The session of the run, shared with the last close after an interrupt.
extern Session RunSession;

// The run's last KX_DEV_DeInit on RunSession: at shutdown, or from an
// interrupt that ends the process on a thread of its own; the second call
// of the two does nothing. Give it to PlatformCatchInterrupts.
void CloseRunSession();
