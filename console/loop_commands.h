// The loop's own commands: "readSTD3DLut", "devInit", "readMenu".
#pragma once

void CmdReadSTD3DLut(const char *arg);
void CmdDevInit(const char *arg);
void CmdReadMenu(const char *arg);
