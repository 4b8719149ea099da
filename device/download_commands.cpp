#include "device/download_commands.h"

#include <cstdio>

#include "device/device_api.h"
#include "device/device_command_support.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"

// In the order of kLut3dSizes.
static const LutEntries kLutEntries[] = {
#define LUT3D_SIZE(points, floatLayout, intLayout, floatSend, floatRead, intSend, intRead) \
    {&DeviceApiTable::floatSend, &DeviceApiTable::floatRead, &DeviceApiTable::intSend, &DeviceApiTable::intRead},
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE
};

const LutEntries *LutEntriesOfLayout(int32_t layout) {
    const Lut3dSize *size = Lut3dSizeOfLayout(layout);
    return size == nullptr ? nullptr : &kLutEntries[size - kLut3dSizes];
}

// The send result's message; any result but the four known failures is a
// success, other negative ones included.
static const char *DownloadMessage(int32_t result) {
    switch (result) {
    case -1:
        return "Communicate fail!\n";
    case -2:
        return "Erase flash fail!\n";
    case -3:
        return "return ok fail!\n";
    case -4:
        return "Erase communicate fail!\n";
    default:
        return "Load Lut success.\n";
    }
}

// Sends the table that Read3dLutFile filled, by the call that takes its
// layout, after the file type and the point count; returns the send result.
static int32_t SendLayout(Session &session, int32_t layout) {
    bool intTable = false;
    const Lut3dSize *size = Lut3dSizeOfLayout(layout, &intTable);
    const LutEntries *entries = LutEntriesOfLayout(layout);
    DeviceApi.KX_DEV_Set3DLUT_FileType(session.DeviceContext, session.CurrentIndex, LutSourceKind);
    DeviceApi.KX_DEV_Set3DLUT_Points(session.DeviceContext, session.CurrentIndex, size->points);
    if (intTable) {
        return (DeviceApi.*entries->intSend)(session.DeviceContext, session.CurrentIndex, &Lut3dIntTable[0][0]);
    }
    return (DeviceApi.*entries->floatSend)(session.DeviceContext, session.CurrentIndex, &Lut3dFloatTable[0][0]);
}

// "setLut": opens the device and, only when LastStatus is 0, sends
// Lut3dFloatTable again by the generic call, whatever the last file's
// layout; the send result goes into LastStatus. The loop closes the device.
void CmdSetLut(Session &session, const char *) {
    int32_t count = OpenDevice(session);
    if (count < 0) return;
    printf("Dev_Num = %d\n", static_cast<int>(count));
    if (session.LastStatus != 0) {
        printf("3D-Lut File Open fail.\n");
        return;
    }
    session.LastStatus = DeviceApi.KX_DEV_Set3DLUT(session.DeviceContext, session.CurrentIndex, &Lut3dFloatTable[0][0]);
    if (session.LastStatus < 0) {
        printf("set Lut failure\n");
    } else {
        printf("set Lut success, 3D-LUT Num=%d\n", static_cast<int>(session.LastStatus));
    }
}

// "load:<path>": opens the device, reads the 3D LUT file at arg and sends
// it by the call that matches its layout. LastStatus takes the reader's
// result, then the send result; a failed open changes nothing. The loop
// closes the device.
void CmdLoad(Session &session, const char *arg) {
    if (OpenDevice(session) < 0) return;
    printf("Loading Lut...\n");
    session.LastStatus = Read3dLutFile(arg);
    if (session.LastStatus <= 0) {
        printf("3D-Lut File Open fail!\n");
        return;
    }
    session.LastStatus = SendLayout(session, session.LastStatus);
    printf("%s", DownloadMessage(session.LastStatus));
}
