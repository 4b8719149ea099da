#include "console/loop_commands.h"

#include <cstdio>

#include "console/word_support.h"
#include "platform/platform.h"

// "readSTD3DLut": recognised and does nothing at all.
void CmdReadSTD3DLut(Session &, const char *) {}

// "devInit": opens the device and leaves it open (no close follows).
void CmdDevInit(Session &session, const char *) {
    int32_t count = OpenDevice(session);
    if (count < 0) return;
    PlatformConsolePrintf("Dev_Num = %d\n", static_cast<int>(count));
}

// "readMenu": no device call; lets a following "setLut" send.
void CmdReadMenu(Session &session, const char *) {
    PlatformConsolePrintf("read Menu success\n");
    session.LastStatus = 0;
}
