// Device information queries: one library call each.
#pragma once

#include <cstdint>

#include "device/device_selectors.h"
#include "device/session.h"

// The queries, shared by the console and by lutctl: each makes its one
// library call, the reply going to reply (kReplySize bytes, which the
// caller zeroes), and returns the call's result. None opens or closes the
// device, and none prints.
int32_t QueryName(Session &session, char *reply);           // KX_DEV_GetName, CurrentIndex
int32_t QuerySerial(Session &session, char *reply);         // KX_DEV_GetSN, CurrentIndex
int32_t QueryMcuVersion(Session &session, char *reply);     // KX_DEV_GetDevicePara 4, 0
int32_t QueryUsbFileName(Session &session, char *reply);    // KX_DEV_GetDevicePara 1, 0
int32_t QueryLmh0341Format(Session &session, char *reply);  // KX_DEV_GetLMH0341Format, CurrentIndex
// KX_DEV_GetDevicePara 2 or 3 with the flash ID parameter given.
int32_t QueryW25qId(Session &session, int32_t param, char *reply);
int32_t QueryS25fId(Session &session, int32_t param, char *reply);

// Any selector and parameter, unchecked: KX_DEV_GetDevicePara and
// KX_DEV_GetFPGAPara.
int32_t QueryDevicePara(Session &session, int32_t selector, int32_t param, char *reply);
int32_t QueryFpgaPara(Session &session, int32_t selector, int32_t param, char *reply);
