#include "device/info_commands.h"

#include "console/loop_state.h"
#include "device/device_api.h"
#include "device/device_command_support.h"
#include "platform/platform.h"

// Selectors of KX_DEV_GetDevicePara.
constexpr int32_t kSelectUsbFileName = 1;
constexpr int32_t kSelectW25qId = 2;
constexpr int32_t kSelectS25FId = 3;
constexpr int32_t kSelectMcuVersion = 4;

// "getName": product name, queried with CurrentIndex.
void CmdGetName(const char *) {
    if (OpenDevice() < 0) return;
    LastStatus = DeviceApi.KX_DEV_GetName(DeviceContext, CurrentIndex, TextReply);
    ReportQuery(LastStatus, "Product Name: ", TextReply, "getName failure\n");
}

// "getUsbFileName": name of the file in the box's USB flash (selector 1, 0).
void CmdGetUsbFileName(const char *) {
    if (OpenDevice() < 0) return;
    LastStatus = DeviceApi.KX_DEV_GetDevicePara(DeviceContext, kSelectUsbFileName, 0, TextReply);
    ReportQuery(LastStatus, "Usb-Flash File Name: ", TextReply, "get Usb-Flash File Name failure\n");
}

// "getW25q_N": after a successful open, CurrentIndex becomes the decimal N
// and is the parameter of the W25Qxxx ID query (selector 2).
void CmdGetW25q(const char *arg) {
    if (OpenDevice() < 0) return;
    CurrentIndex = DecimalArgument(arg);
    LastStatus = DeviceApi.KX_DEV_GetDevicePara(DeviceContext, kSelectW25qId, CurrentIndex, TextReply);
    ReportQuery(LastStatus, "get W25Q ", TextReply, "get W25Q failure.\n");
}

// "getS25F_N": as "getW25q_", for the S25Fxxx ID (selector 3).
void CmdGetS25F(const char *arg) {
    if (OpenDevice() < 0) return;
    CurrentIndex = DecimalArgument(arg);
    LastStatus = DeviceApi.KX_DEV_GetDevicePara(DeviceContext, kSelectS25FId, CurrentIndex, TextReply);
    ReportQuery(LastStatus, "get S25F ", TextReply, "get S25F failure.\n");
}

// "getMcuVer": MCU firmware version (selector 4, 0).
void CmdGetMcuVer(const char *) {
    if (OpenDevice() < 0) return;
    LastStatus = DeviceApi.KX_DEV_GetDevicePara(DeviceContext, kSelectMcuVersion, 0, TextReply);
    ReportQuery(LastStatus, "MCU Fireware Ver: ", TextReply, "get MCU Fireware Ver failure.\n");
}

// "getSN": serial number into SerialReply, queried with CurrentIndex.
void CmdGetSN(const char *) {
    if (OpenDevice() < 0) return;
    LastStatus = DeviceApi.KX_DEV_GetSN(DeviceContext, CurrentIndex, SerialReply);
    ReportQuery(LastStatus, "Product SN: ", SerialReply, "getSN failure\n");
}

// "getLMH0341FormatID": video format seen by the SDI receiver.
void CmdGetLMH0341FormatID(const char *) {
    if (OpenDevice() < 0) return;
    LastStatus = DeviceApi.KX_DEV_GetLMH0341Format(DeviceContext, CurrentIndex, TextReply);
    ReportQuery(LastStatus, "LMH0341 format: ", TextReply, "get LMH0341 format failure\n");
}

// The general queries: after a successful open, the two fields become
// InfoSelector and InfoParam (hexadecimal allowed; no number gives 0) and go
// to query unchanged; the reply is printed without a label.
static void GeneralQuery(const char *arg, KX_DEV_GetDevicePara_Proc query) {
    if (OpenDevice() < 0) return;
    char first[kInfoFieldBufferSize];
    char second[kInfoFieldBufferSize];
    ExtractInfoFields(arg, first, second);
    InfoSelector = PlatformHexTextToInt(first);
    InfoParam = PlatformHexTextToInt(second);
    LastStatus = query(DeviceContext, InfoSelector, InfoParam, TextReply);
    ReportQuery(LastStatus, "", TextReply, "Get device info failure!\n");
}

// "GetDevInfo:SSSSSS,PPPPPP": any KX_DEV_GetDevicePara selector and parameter.
void CmdGetDevInfo(const char *arg) { GeneralQuery(arg, DeviceApi.KX_DEV_GetDevicePara); }

// "GetFPGAInfo:SSSSSS,PPPPPP": the same for KX_DEV_GetFPGAPara.
void CmdGetFPGAInfo(const char *arg) { GeneralQuery(arg, DeviceApi.KX_DEV_GetFPGAPara); }
