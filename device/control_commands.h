// Device control commands: one library call and one line each.
#pragma once

#include <cstdint>

#include "device/session.h"

// The settings themselves, shared by the console's handlers and by lutctl:
// each makes its one library call (with CurrentIndex where the call takes
// an index) and returns the result. None opens or closes the device, and
// none prints.
int32_t SetSourceMode(Session &session, int32_t code);  // KX_DEV_SetSourceMode
int32_t SetLutMode(Session &session, int32_t code);     // KX_DEV_SetLutCtrlStatus
int32_t SetFpgaReg1(Session &session, int32_t value);   // KX_DEV_SetFPGAREG1
int32_t SetFpgaReg3(Session &session, int32_t value);   // KX_DEV_Set3DLUT_Points
int32_t SetHdmiOut(Session &session, int32_t value);    // KX_DEV_Set_HDMIOutStatus, no index
int32_t SetDeviceMode(Session &session, int32_t value); // KX_DEV_SetMode
int32_t ResetFpga(Session &session);                    // KX_DEV_SetFPGAReset
int32_t EraseLutFlash(Session &session);                // KX_DEV_Set_W25QXX_All_Chip_Erase

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
