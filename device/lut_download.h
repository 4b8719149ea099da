// 3D LUT downloads to the box and their read-back.
#pragma once

#include <cstdint>

#include "device/device_api.h"
#include "device/session.h"
#include "lut/lut_tables.h"

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

// A download of table as Read3dLutFile filled it for layout: the table's
// file type, the point count, then the send entry of the layout, with
// CurrentIndex; it stops at the first call that fails. result is the
// failing call's result, or the send's; entry names the last call made.
// The library's send entries take a writable address, so table is one.
struct DownloadResult {
    int32_t result;
    const char *entry;
    bool sent;  // the send call was made
};
DownloadResult DownloadLut(Session &session, Lut3dTable &table, int32_t layout);

// The read-back of table, which DownloadLut sent for layout, by the layout's
// Get entry with CurrentIndex, into a buffer of its own that first holds the
// complement of every byte sent, so that a value the entry leaves unwritten
// can never pass for the one sent. The rows are then compared bit for bit
// with the table sent. result and entry are the Get call's; row is the
// 1-based first row that differs, 0 when all match (or the call failed),
// and sent and read then hold that row's values in the table's kind.
struct LutRow {
    float floatValues[3];
    int16_t intValues[3];
};
struct ReadBackResult {
    int32_t result;
    const char *entry;
    bool intTable;
    int32_t row;
    LutRow sent;
    LutRow read;
};
ReadBackResult ReadBackLut(Session &session, const Lut3dTable &table, int32_t layout);

// The float rows of table sent again by the generic KX_DEV_Set3DLUT, with
// CurrentIndex, whatever their size: neither the file type nor the point
// count goes first. The call's result.
int32_t ResendFloatLut(Session &session, Lut3dTable &table);
