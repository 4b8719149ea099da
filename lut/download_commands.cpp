#include "lut/download_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdSetLut(const char *) {}
void CmdLoad(const char *) {}
