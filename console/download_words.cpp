#include "console/download_words.h"

#include <cstdio>

#include "console/word_support.h"
#include "device/lut_download.h"
#include "lut/lut3d_reader.h"
#include "platform/platform.h"

// The line "load:" prints for a download: the four failures of the send
// that the box tells apart, any other failure of it, or a failed
// preparation, which never reached the box's flash.
static const char *DownloadMessage(const DownloadResult &download) {
    if (!download.sent) return "Communicate fail!\n";
    switch (download.result) {
    case -1:
        return "Communicate fail!\n";
    case -2:
        return "Erase flash fail!\n";
    case -3:
        return "return ok fail!\n";
    case -4:
        return "Erase communicate fail!\n";
    default:
        return download.result < 0 ? "Load Lut fail!\n" : "Load Lut success.\n";
    }
}

// Both words work on the console's table, session.Lut3d, which keeps what
// the last accepted file put there from one word to the next.

// "setLut": opens the device and, only when LastStatus is 0, sends the
// table's float rows again by the generic call, whatever the last file's
// layout; the send result goes into LastStatus. The loop closes the device.
void CmdSetLut(Session &session, const char *) {
    int32_t count = OpenDevice(session);
    if (count < 0) return;
    PlatformConsolePrintf("Dev_Num = %d\n", static_cast<int>(count));
    if (session.LastStatus != 0) {
        PlatformConsolePrintf("3D-Lut File Open fail.\n");
        return;
    }
    session.LastStatus = ResendFloatLut(session, *session.Lut3d);
    if (session.LastStatus < 0) {
        PlatformConsolePrintf("set Lut failure\n");
    } else {
        PlatformConsolePrintf("set Lut success, 3D-LUT Num=%d\n", static_cast<int>(session.LastStatus));
    }
}

// "load:<path>": opens the device, reads the 3D LUT file at arg into the
// table and sends it by the call that matches its layout. LastStatus takes the reader's
// result, then the download's; a failed open changes nothing. The loop
// closes the device.
void CmdLoad(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    PlatformConsolePrintf("Loading Lut...\n");
    session.LastStatus = Read3dLutFile(arg, *session.Lut3d);
    if (session.LastStatus <= 0) {
        PlatformConsolePrintf("3D-Lut File Open fail!\n");
        return;
    }
    DownloadResult download = DownloadLut(session, *session.Lut3d, session.LastStatus);
    session.LastStatus = download.result;
    PlatformConsolePrintf("%s", DownloadMessage(download));
}
