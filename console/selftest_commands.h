// Arithmetic self-tests of the tool's own number routines. They print only:
// no device call, no file, and no close follows them.
#pragma once

#include "device/session.h"

void CmdFindVal(Session &session, const char *arg);
void CmdAtoi(Session &session, const char *arg);
void CmdItoa(Session &session, const char *arg);
void CmdPrintfChar(Session &session, const char *arg);
void CmdFloatMul(Session &session, const char *arg);
