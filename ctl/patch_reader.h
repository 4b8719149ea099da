// Reading the pattern generator's messages off a connection, one at a
// time into a buffer of the largest message, so that a peer sending faster
// than the box takes waits in its own send (TCP's flow control) and never
// grows this process's memory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ctl/patch_message.h"
#include "device/session.h"
#include "platform/platform.h"

struct PatchReader {
    PlatformSocket socket;
    int timeoutMs;  // the longest wait for any part of a message
    uint32_t length;
    char xml[kPatchMessageMaxBytes];
};

// What a read came to.
constexpr int kPatchRead = 1;         // a message is in reader.xml, reader.length bytes
constexpr int kPatchPeerClosed = 0;   // the peer closed the connection between two messages
constexpr int kPatchReadFailed = -1;  // the reason is in error
constexpr int kPatchReadInterrupted = -2;

int ReadPatchMessage(PatchReader &reader, char *error, size_t errorSize);

// Shows a message's colour: its levels into levels, then KX_DEV_SetChVal;
// the device result.
int32_t ShowPatch(Session &session, const PatchMessage &message, float (&levels)[3]);
