// Arithmetic self-tests of the tool's own number routines. They print only:
// no device call, no file, and no close follows them.
#pragma once

// Where "atoi:" takes its text: the byte behind the keyword, counted from
// the word's first byte.
constexpr int kAtoiArgOffset = 5;

void CmdFindVal(const char *arg);
void CmdAtoi(const char *arg);
void CmdItoa(const char *arg);
void CmdPrintfChar(const char *arg);
void CmdFloatMul(const char *arg);
