#include "device/session.h"

#include <atomic>
#include <cstring>

#include "device/device_api.h"

void StartSession(Session &session, void *deviceContext) {
    session.DeviceContext = deviceContext;
    session.CurrentIndex = 0;
    // Nothing has been read yet, so "setLut" must not send the empty table.
    session.LastStatus = -1;
    session.InfoSelector = 0;
    session.InfoParam = 0;
    session.RgbLevels[0] = 1.0f;
    session.RgbLevels[1] = 0.3f;
    session.RgbLevels[2] = 0.6f;
    ClearReplies(session);
}

void ClearReplies(Session &session) {
    memset(session.TextReply, 0, sizeof session.TextReply);
    memset(session.SerialReply, 0, sizeof session.SerialReply);
}

Session RunSession;
static std::atomic<bool> RunSessionClosed{false};

void CloseRunSession() {
    if (!RunSessionClosed.exchange(true)) DeviceApi.KX_DEV_DeInit(RunSession.DeviceContext);
}
