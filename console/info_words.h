// The console's device information words: one query and one line each.
#pragma once

#include "device/session.h"

void CmdGetName(Session &session, const char *arg);
void CmdGetUsbFileName(Session &session, const char *arg);
void CmdGetW25q(Session &session, const char *arg);
void CmdGetS25F(Session &session, const char *arg);
void CmdGetMcuVer(Session &session, const char *arg);
void CmdGetSN(Session &session, const char *arg);
void CmdGetLMH0341FormatID(Session &session, const char *arg);
void CmdGetDevInfo(Session &session, const char *arg);
void CmdGetFPGAInfo(Session &session, const char *arg);
