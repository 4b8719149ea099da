// Arithmetic self-tests of the tool's own number routines.
#pragma once

void CmdFindVal(const char *arg);
void CmdAtoi(const char *arg);
void CmdItoa(const char *arg);
void CmdPrintfChar(const char *arg);
void CmdFloatMul(const char *arg);
