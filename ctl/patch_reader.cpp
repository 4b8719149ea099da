#include "ctl/patch_reader.h"

#include <cstdio>

#include "device/control_settings.h"

namespace {

// Fills size bytes, each wait bounded by the reader's timeout: kPatchRead,
// or the platform's outcome of the receive that ended it, with *got the
// bytes that arrived.
int ReceiveAll(PatchReader &reader, char *into, uint32_t size, uint32_t *got) {
    *got = 0;
    while (*got < size) {
        int n = PlatformReceive(reader.socket, into + *got, static_cast<int>(size - *got), reader.timeoutMs);
        if (n <= 0) return n;
        *got += static_cast<uint32_t>(n);
    }
    return kPatchRead;
}

int ReceiveFailure(int outcome, bool inMessage, int timeoutMs, char *error, size_t errorSize) {
    switch (outcome) {
    case kPlatformSocketInterrupted:
        snprintf(error, errorSize, "interrupted");
        return kPatchReadInterrupted;
    case kPlatformSocketTimedOut:
        snprintf(error, errorSize, "the peer sent nothing for %d s", timeoutMs / 1000);
        return kPatchReadFailed;
    case kPlatformSocketClosed:
        if (!inMessage) return kPatchPeerClosed;
        snprintf(error, errorSize, "the peer closed the connection within a message");
        return kPatchReadFailed;
    default:
        snprintf(error, errorSize, "the connection was dropped");
        return kPatchReadFailed;
    }
}

}  // namespace

int ReadPatchMessage(PatchReader &reader, char *error, size_t errorSize) {
    unsigned char prefix[4];
    uint32_t got = 0;
    int outcome = ReceiveAll(reader, reinterpret_cast<char *>(prefix), sizeof prefix, &got);
    if (outcome != kPatchRead) return ReceiveFailure(outcome, got > 0, reader.timeoutMs, error, errorSize);
    reader.length = PatchMessageLength(prefix);
    if (reader.length > kPatchMessageMaxBytes) {
        snprintf(error, errorSize, "a message of %lu bytes, above the %lu taken",
                 static_cast<unsigned long>(reader.length), static_cast<unsigned long>(kPatchMessageMaxBytes));
        return kPatchReadFailed;
    }
    outcome = ReceiveAll(reader, reader.xml, reader.length, &got);
    if (outcome != kPatchRead) return ReceiveFailure(outcome, true, reader.timeoutMs, error, errorSize);
    return kPatchRead;
}

int32_t ShowPatch(Session &session, const PatchMessage &message, float (&levels)[3]) {
    for (int c = 0; c < 3; c++) levels[c] = PatchLevel(message.codes[c], message.bits);
    return SetChannelLevels(session, levels);
}
