#include "console/info_words.h"

#include "console/word_support.h"
#include "device/info_queries.h"
#include "platform/platform.h"

// Every console query opens the device, makes its one call through the
// query function, keeps the result in LastStatus and prints one line; a
// failed open changes nothing. The loop closes the device afterwards on
// every path.

// "getName": product name, queried with CurrentIndex.
void CmdGetName(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    session.LastStatus = QueryName(session, session.TextReply);
    ReportQuery(session.LastStatus, kNameLines, session.TextReply);
}

// "getUsbFileName": name of the file in the box's USB flash.
void CmdGetUsbFileName(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    session.LastStatus = QueryUsbFileName(session, session.TextReply);
    ReportQuery(session.LastStatus, {"Usb-Flash File Name: ", "get Usb-Flash File Name failure\n"}, session.TextReply);
}

// "getW25q_N" and "getS25F_N": after a successful open, CurrentIndex becomes
// the decimal N and is the parameter of the flash ID query.
static void FlashIdQuery(Session &session, const char *arg, int32_t (*query)(Session &, int32_t, char *),
                         const ReadingLines &lines) {
    if (OpenDevice(session) < 0) return;
    session.CurrentIndex = DecimalArgument(arg);
    session.LastStatus = query(session, session.CurrentIndex, session.TextReply);
    ReportQuery(session.LastStatus, lines, session.TextReply);
}

void CmdGetW25q(Session &session, const char *arg) { FlashIdQuery(session, arg, QueryW25qId, kW25qLines); }

void CmdGetS25F(Session &session, const char *arg) {
    FlashIdQuery(session, arg, QueryS25fId, {"get S25F ", "get S25F failure.\n"});
}

// "getMcuVer": MCU firmware version.
void CmdGetMcuVer(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    session.LastStatus = QueryMcuVersion(session, session.TextReply);
    ReportQuery(session.LastStatus, kMcuVersionLines, session.TextReply);
}

// "getSN": serial number into SerialReply, queried with CurrentIndex.
void CmdGetSN(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    session.LastStatus = QuerySerial(session, session.SerialReply);
    ReportQuery(session.LastStatus, kSerialLines, session.SerialReply);
}

// "getLMH0341FormatID": video format seen by the SDI receiver.
void CmdGetLMH0341FormatID(Session &session, const char *) {
    if (OpenDevice(session) < 0) return;
    session.LastStatus = QueryLmh0341Format(session, session.TextReply);
    ReportQuery(session.LastStatus, {"LMH0341 format: ", "get LMH0341 format failure\n"}, session.TextReply);
}

// The general queries: after a successful open, the two fields become the
// selector and the parameter (hexadecimal allowed; no number gives 0) and go
// to query unchanged; the reply is printed without a label.
static void GeneralQuery(Session &session, const char *arg, int32_t (*query)(Session &, int32_t, int32_t, char *)) {
    if (OpenDevice(session) < 0) return;
    char first[kInfoFieldBufferSize];
    char second[kInfoFieldBufferSize];
    ExtractInfoFields(arg, first, second);
    int32_t selector = PlatformHexTextToInt(first);
    int32_t param = PlatformHexTextToInt(second);
    session.LastStatus = query(session, selector, param, session.TextReply);
    ReportQuery(session.LastStatus, {"", "Get device info failure!\n"}, session.TextReply);
}

// "GetDevInfo:SSSSSS,PPPPPP": any KX_DEV_GetDevicePara selector and parameter.
void CmdGetDevInfo(Session &session, const char *arg) { GeneralQuery(session, arg, QueryDevicePara); }

// "GetFPGAInfo:SSSSSS,PPPPPP": the same for KX_DEV_GetFPGAPara.
void CmdGetFPGAInfo(Session &session, const char *arg) { GeneralQuery(session, arg, QueryFpgaPara); }
