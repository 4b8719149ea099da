// 3D LUT downloads to the box.
#pragma once

void CmdSetLut(const char *arg);
void CmdLoad(const char *arg);
