#include "lut/file_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdLoadLog(const char *) {}
void CmdGamma10b(const char *) {}
void CmdBit2Bin(const char *) {}
