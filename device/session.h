// The device session: what the commands share and carry from one command to
// the next. One Session lives for the whole run, a local of the program's
// run function, and is passed to every console handler and lutctl command.
#pragma once

#include <cstddef>
#include <cstdint>

#include "device/device_api_shapes.h"

struct Lut3dTable;

struct Session {
    // The library's opaque block, passed first to every device call; only
    // the library interprets it.
    void *DeviceContext;
    // The index argument of most device calls. Written only by "getW25q_",
    // "getS25F_" (the typed number, once the device opened) and the two FPGA
    // reset-state commands (the state, before the open).
    int32_t CurrentIndex;
    // The result of the last device operation a command completed, or what
    // "readMenu" (0) and "load:" (the file's layout, then the send's result)
    // leave there; "setLut" sends only when it is 0.
    int32_t LastStatus;
    // The console's 3D table: what "load:" reads into and "setLut" sends
    // again. The console's run points it at its own table; lutctl reads into
    // a table of its own and leaves it empty.
    Lut3dTable *Lut3d;
    // Reply texts of the device queries; zeroed before every prompt.
    char TextReply[kReplySize];
    char SerialReply[kReplySize];
};

// Sets every field to its start value (no 3D table) and hands the session
// deviceContext.
void StartSession(Session &session, void *deviceContext);

// Zeroes both reply buffers.
void ClearReplies(Session &session);

// KX_DEV_Init on the session's context: the device count, negative when the
// box cannot be opened. Prints nothing.
int32_t InitDevice(Session &session);

// KX_DEV_DeInit on the session's context; its result.
int32_t CloseDevice(Session &session);

// The library's opaque block: allocated once per run, without clearing, and
// never released, since the library may keep using it until the process
// ends.
constexpr size_t kDeviceContextSize = 0x20000;

// Allocates the run's block (kDeviceContextSize bytes, by malloc) and holds
// it until the process ends; nullptr when it cannot be allocated.
void *AllocateDeviceContext();

// Makes session the run's session: the one the last close acts on, also
// from an interrupt, which the platform may deliver on a thread of its own.
// From here on interrupts are caught (PlatformCatchInterrupts), so that the
// close runs on every way out. The session must live until the close.
void WatchRunSession(Session &session);

// The run's last KX_DEV_DeInit on the watched session: at shutdown, or from
// an interrupt that ends the process; only the first call of a run closes,
// and without a watched session it does nothing. Returns the result of the
// run's KX_DEV_DeInit, made by this call or by an earlier one, so that any
// caller after the close can report a failed one; 0 while nothing was
// closed.
int32_t CloseRunSession();
