// The loop's own commands: "readSTD3DLut", "devInit", "readMenu".
#pragma once

#include "device/session.h"

void CmdReadSTD3DLut(Session &session, const char *arg);
void CmdDevInit(Session &session, const char *arg);
void CmdReadMenu(Session &session, const char *arg);
