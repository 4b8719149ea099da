#include "lut/download_commands.h"

#include <cstdio>

#include "console/loop_state.h"
#include "device/device_api.h"
#include "device/device_command_support.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"

namespace {

// The send result's message; any result but the four known failures is a
// success, other negative ones included.
const char *DownloadMessage(int32_t result) {
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

// The device entries of each cube size, in the order of kLut3dSizes.
typedef int32_t (*FloatLutEntry)(void *, int32_t, float *);
typedef int32_t (*IntLutEntry)(void *, int32_t, int16_t *);
struct LutSendEntries {
    FloatLutEntry DeviceApiTable::*floatSend;
    IntLutEntry DeviceApiTable::*intSend;
};
const LutSendEntries kLutSendEntries[] = {
#define LUT3D_SIZE(points, floatLayout, intLayout, floatSend, floatRead, intSend, intRead) \
    {&DeviceApiTable::floatSend, &DeviceApiTable::intSend},
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE
};

// Sends the table that Read3dLutFile filled, by the call that takes its
// layout, and returns the send result.
int32_t SendLayout(int32_t layout) {
    bool intTable = false;
    const Lut3dSize *size = Lut3dSizeOfLayout(layout, &intTable);
    const LutSendEntries &entries = kLutSendEntries[size - kLut3dSizes];
    DeviceApi.KX_DEV_Set3DLUT_FileType(DeviceContext, CurrentIndex, LutSourceKind);
    DeviceApi.KX_DEV_Set3DLUT_Points(DeviceContext, CurrentIndex, size->points);
    if (intTable) return (DeviceApi.*entries.intSend)(DeviceContext, CurrentIndex, &Lut3dIntTable[0][0]);
    return (DeviceApi.*entries.floatSend)(DeviceContext, CurrentIndex, &Lut3dFloatTable[0][0]);
}

}  // namespace

// "setLut": opens the device and, only when LastStatus is 0, sends
// Lut3dFloatTable again by the generic call, whatever the last file's
// layout; the send result goes into LastStatus. The loop closes the device.
void CmdSetLut(const char *) {
    int32_t count = OpenDevice();
    if (count < 0) return;
    printf("Dev_Num = %d\n", static_cast<int>(count));
    if (LastStatus != 0) {
        printf("3D-Lut File Open fail.\n");
        return;
    }
    LastStatus = DeviceApi.KX_DEV_Set3DLUT(DeviceContext, CurrentIndex, &Lut3dFloatTable[0][0]);
    if (LastStatus < 0) {
        printf("set Lut failure\n");
    } else {
        printf("set Lut success, 3D-LUT Num=%d\n", static_cast<int>(LastStatus));
    }
}

// "load:<path>": opens the device, reads the 3D LUT file at arg and sends
// it by the call that matches its layout. LastStatus takes the reader's
// result, then the send result; a failed open changes nothing. The loop
// closes the device.
void CmdLoad(const char *arg) {
    if (OpenDevice() < 0) return;
    printf("Loading Lut...\n");
    LastStatus = Read3dLutFile(arg);
    if (LastStatus <= 0) {
        printf("3D-Lut File Open fail!\n");
        return;
    }
    LastStatus = SendLayout(LastStatus);
    printf("%s", DownloadMessage(LastStatus));
}
