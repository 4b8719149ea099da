// 3D LUT downloads to the box.
#pragma once

#include <cstdint>

#include "device/device_api.h"
#include "device/session.h"

// The device entries of one cube size: the send and read-back entries of
// the float table (CSV and cube files) and of the integer table (3dl).
typedef int32_t (*FloatLutEntry)(void *, int32_t, float *);
typedef int32_t (*IntLutEntry)(void *, int32_t, int16_t *);
struct LutEntries {
    FloatLutEntry DeviceApiTable::*floatSend;
    FloatLutEntry DeviceApiTable::*floatRead;
    IntLutEntry DeviceApiTable::*intSend;
    IntLutEntry DeviceApiTable::*intRead;
    const char *floatSendName;
    const char *floatReadName;
    const char *intSendName;
    const char *intReadName;
};

// The entries of the size a LutLayout code names; nullptr for no layout.
const LutEntries *LutEntriesOfLayout(int32_t layout);

// A download of the table that Read3dLutFile filled: the file type
// (LutSourceKind), the point count, then the send entry of the layout, with
// CurrentIndex; it stops at the first call that fails. result is the
// failing call's result, or the send's; entry names the last call made.
struct DownloadResult {
    int32_t result;
    const char *entry;
    bool sent;  // the send call was made
};
DownloadResult DownloadLut(Session &session, int32_t layout);

void CmdSetLut(Session &session, const char *arg);
void CmdLoad(Session &session, const char *arg);
