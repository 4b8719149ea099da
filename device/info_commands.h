// Device information queries: one query and one line each.
#pragma once

#include <cstdint>

#include "device/session.h"

// The queries themselves, shared by the console's handlers and by lutctl:
// each makes its one library call with the console's arguments, the reply
// going to reply (kReplySize bytes, which the caller zeroes), and returns
// the call's result. None opens or closes the device, and none prints.
int32_t QueryName(Session &session, char *reply);           // KX_DEV_GetName, CurrentIndex
int32_t QuerySerial(Session &session, char *reply);         // KX_DEV_GetSN, CurrentIndex
int32_t QueryMcuVersion(Session &session, char *reply);     // KX_DEV_GetDevicePara 4, 0
int32_t QueryUsbFileName(Session &session, char *reply);    // KX_DEV_GetDevicePara 1, 0
int32_t QueryLmh0341Format(Session &session, char *reply);  // KX_DEV_GetLMH0341Format, CurrentIndex
// KX_DEV_GetDevicePara 2 or 3 with the flash ID parameter given.
int32_t QueryW25qId(Session &session, int32_t param, char *reply);
int32_t QueryS25fId(Session &session, int32_t param, char *reply);

void CmdGetName(Session &session, const char *arg);
void CmdGetUsbFileName(Session &session, const char *arg);
void CmdGetW25q(Session &session, const char *arg);
void CmdGetS25F(Session &session, const char *arg);
void CmdGetMcuVer(Session &session, const char *arg);
void CmdGetSN(Session &session, const char *arg);
void CmdGetLMH0341FormatID(Session &session, const char *arg);
void CmdGetDevInfo(Session &session, const char *arg);
void CmdGetFPGAInfo(Session &session, const char *arg);
