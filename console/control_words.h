// The console's device control words: one setting and one line each.
#pragma once

#include "device/session.h"

void CmdSetRGB(Session &session, const char *arg);
void CmdSource(Session &session, const char *arg);
void CmdLutCtrl(Session &session, const char *arg);
void CmdFpgaRst(Session &session, const char *arg);
void CmdRstFpgaTrue(Session &session, const char *arg);
void CmdRstFpgaFalse(Session &session, const char *arg);
void CmdFpgaReg3(Session &session, const char *arg);
void CmdFpgaReg1(Session &session, const char *arg);
void CmdFpgaReg4(Session &session, const char *arg);
void CmdMcuI2c1Init(Session &session, const char *arg);
void CmdClr3dlut(Session &session, const char *arg);
void CmdSetMode(Session &session, const char *arg);
