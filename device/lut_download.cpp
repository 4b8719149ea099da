#include "device/lut_download.h"

#include <cstring>

#include "device/device_api.h"

// In the order of kLut3dSizes.
static const LutEntries kLutEntries[] = {
#define LUT3D_SIZE(points, floatLayout, intLayout, floatSend, floatRead, intSend, intRead) \
    {&DeviceApiTable::floatSend,                                                           \
     &DeviceApiTable::floatRead,                                                           \
     &DeviceApiTable::intSend,                                                             \
     &DeviceApiTable::intRead,                                                             \
     #floatSend,                                                                           \
     #floatRead,                                                                           \
     #intSend,                                                                             \
     #intRead},
#include "lut/lut3d_size_list.h"
#undef LUT3D_SIZE
};

const LutEntries *LutEntriesOfLayout(int32_t layout) {
    const Lut3dSize *size = Lut3dSizeOfLayout(layout);
    return size == nullptr ? nullptr : &kLutEntries[size - kLut3dSizes];
}

DownloadResult DownloadLut(Session &session, Lut3dTable &table, int32_t layout) {
    bool intTable = false;
    const Lut3dSize *size = Lut3dSizeOfLayout(layout, &intTable);
    const LutEntries *entries = LutEntriesOfLayout(layout);
    // The box is told the table's order and size first; a table sent after
    // either failed could be taken with the wrong ones.
    DownloadResult download = {
        DeviceApi.KX_DEV_Set3DLUT_FileType(session.DeviceContext, session.CurrentIndex, table.fileType),
        "KX_DEV_Set3DLUT_FileType", false};
    if (download.result < 0) return download;
    download = {DeviceApi.KX_DEV_Set3DLUT_Points(session.DeviceContext, session.CurrentIndex, size->points),
                "KX_DEV_Set3DLUT_Points", false};
    if (download.result < 0) return download;
    if (intTable) {
        return {(DeviceApi.*entries->intSend)(session.DeviceContext, session.CurrentIndex, &table.intRows[0][0]),
                entries->intSendName, true};
    }
    return {(DeviceApi.*entries->floatSend)(session.DeviceContext, session.CurrentIndex, &table.floatRows[0][0]),
            entries->floatSendName, true};
}

// The read-back's own storage: never the table that was sent.
static float ReadBackFloatTable[kLut3dMaxRows][3];
static int16_t ReadBackIntTable[kLut3dMaxRows][3];

// Fills readBack with the complement of sent, reads it back by entry and
// finds the first row that differs.
template <typename Value>
static void ReadBackRows(Session &session, int32_t (*entry)(void *, int32_t, Value *), const Value (*sent)[3],
                         Value (*readBack)[3], int32_t rows, ReadBackResult &out, Value (&sentRow)[3],
                         Value (&readRow)[3]) {
    const size_t bytes = static_cast<size_t>(rows) * sizeof sent[0];
    const unsigned char *from = reinterpret_cast<const unsigned char *>(sent);
    unsigned char *to = reinterpret_cast<unsigned char *>(readBack);
    for (size_t i = 0; i < bytes; i++) to[i] = static_cast<unsigned char>(~from[i]);
    out.result = entry(session.DeviceContext, session.CurrentIndex, &readBack[0][0]);
    if (out.result < 0) return;
    for (int32_t r = 0; r < rows; r++) {
        if (memcmp(sent[r], readBack[r], sizeof sent[r]) == 0) continue;
        out.row = r + 1;
        memcpy(sentRow, sent[r], sizeof sentRow);
        memcpy(readRow, readBack[r], sizeof readRow);
        return;
    }
}

ReadBackResult ReadBackLut(Session &session, const Lut3dTable &table, int32_t layout) {
    ReadBackResult out = {};
    const Lut3dSize *size = Lut3dSizeOfLayout(layout, &out.intTable);
    const LutEntries *entries = LutEntriesOfLayout(layout);
    if (size == nullptr || entries == nullptr) {
        out.result = -1;
        return out;
    }
    if (out.intTable) {
        out.entry = entries->intReadName;
        ReadBackRows(session, DeviceApi.*entries->intRead, table.intRows, ReadBackIntTable, size->rows, out,
                     out.sent.intValues, out.read.intValues);
    } else {
        out.entry = entries->floatReadName;
        ReadBackRows(session, DeviceApi.*entries->floatRead, table.floatRows, ReadBackFloatTable, size->rows, out,
                     out.sent.floatValues, out.read.floatValues);
    }
    return out;
}

int32_t ResendFloatLut(Session &session, Lut3dTable &table) {
    return DeviceApi.KX_DEV_Set3DLUT(session.DeviceContext, session.CurrentIndex, &table.floatRows[0][0]);
}
