// The console's 3D LUT download words.
#pragma once

#include "device/session.h"

void CmdSetLut(Session &session, const char *arg);
void CmdLoad(Session &session, const char *arg);
