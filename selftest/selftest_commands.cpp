#include "selftest/selftest_commands.h"

// Matched and not yet carried out: the command does nothing.
void CmdFindVal(const char *) {}
void CmdAtoi(const char *) {}
void CmdItoa(const char *) {}
void CmdPrintfChar(const char *) {}
void CmdFloatMul(const char *) {}
