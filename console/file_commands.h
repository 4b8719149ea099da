// Commands that read or generate files and never touch the device.
#pragma once

#include "device/session.h"

void CmdLoadLog(Session &session, const char *arg);
void CmdGamma10b(Session &session, const char *arg);
void CmdBit2Bin(Session &session, const char *arg);
