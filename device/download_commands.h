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
};

// The entries of the size a LutLayout code names; nullptr for no layout.
const LutEntries *LutEntriesOfLayout(int32_t layout);

void CmdSetLut(Session &session, const char *arg);
void CmdLoad(Session &session, const char *arg);
