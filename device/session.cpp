#include "device/session.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "device/device_api.h"
#include "platform/platform.h"

void StartSession(Session &session, void *deviceContext) {
    session.DeviceContext = deviceContext;
    session.CurrentIndex = 0;
    // Nothing has been read yet, so "setLut" must not send the empty table.
    session.LastStatus = -1;
    session.Lut3d = nullptr;
    ClearReplies(session);
}

void ClearReplies(Session &session) {
    memset(session.TextReply, 0, sizeof session.TextReply);
    memset(session.SerialReply, 0, sizeof session.SerialReply);
}

void *AllocateDeviceContext() {
    // Held here, so that the block stays reachable to the end.
    static void *context = nullptr;
    context = malloc(kDeviceContextSize);
    return context;
}

int32_t InitDevice(Session &session) { return DeviceApi.KX_DEV_Init(session.DeviceContext); }

int32_t CloseDevice(Session &session) { return DeviceApi.KX_DEV_DeInit(session.DeviceContext); }

// The one pointer the interrupt path reaches the session by, as the close
// may run on the platform's handler thread.
static std::atomic<Session *> WatchedSession{nullptr};
static std::atomic<bool> RunSessionClosed{false};
static std::atomic<int32_t> RunCloseResult{0};

static void CloseOnInterrupt() { CloseRunSession(); }

void WatchRunSession(Session &session) {
    WatchedSession.store(&session);
    PlatformCatchInterrupts(CloseOnInterrupt);
}

int32_t CloseRunSession() {
    Session *session = WatchedSession.load();
    if (session == nullptr || RunSessionClosed.exchange(true)) return RunCloseResult.load();
    int32_t result = CloseDevice(*session);
    RunCloseResult.store(result);
    return result;
}
