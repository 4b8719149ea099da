// The device library's entry points as numbers, for what stands in for the
// library (the simulated box, the fuzz targets' scripted library): one per
// name of device_api_list.h, in its order, and the rows a LUT entry takes.
#pragma once

enum DeviceEntryId {
#define KX_DEV_ENTRY(name, shape) Entry_##name,
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
    kDeviceEntryCount
};

// The rows of the table a LUT send or read-back entry takes, by the cube
// size it belongs to; 0 for any other entry.
constexpr int LutRowsOfEntry(DeviceEntryId entry) {
    switch (entry) {
#define LUT3D_SIZE(points, floatLayout, intLayout, floatSend, floatRead, intSend, intRead) \
    case Entry_##floatSend:                                                                \
    case Entry_##floatRead:                                                                \
    case Entry_##intSend:                                                                  \
    case Entry_##intRead:                                                                  \
        return points * points * points;
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE
    default:
        return 0;
    }
}
