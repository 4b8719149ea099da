#include "device/port_test_commands.h"

#include <cstdio>
#include <cstring>

#include "console/loop_state.h"
#include "device/device_api.h"
#include "device/device_command_support.h"
#include "platform/platform.h"

// The library's test entries of one control port.
struct TestPort {
    KX_DEV_TestUSB_Init_Proc init;
    KX_DEV_TestUSB_GetDevicePara_Proc getDevicePara;
    KX_DEV_TestUSB_GetSN_Proc getSN;
    KX_DEV_TestUSB_GetName_Proc getName;
};

static TestPort UsbPort() {
    return {DeviceApi.KX_DEV_TestUSB_Init, DeviceApi.KX_DEV_TestUSB_GetDevicePara, DeviceApi.KX_DEV_TestUSB_GetSN,
            DeviceApi.KX_DEV_TestUSB_GetName};
}

static TestPort EthPort() {
    return {DeviceApi.KX_DEV_TestETH_Init, DeviceApi.KX_DEV_TestETH_GetDevicePara, DeviceApi.KX_DEV_TestETH_GetSN,
            DeviceApi.KX_DEV_TestETH_GetName};
}

// KX_DEV_GetDevicePara selectors and the W25Qxxx manufacturer-ID parameter.
constexpr int32_t kSelectW25qId = 2;
constexpr int32_t kSelectMcuVersion = 4;
constexpr int32_t kW25qManufacturerId = 0x90;

// LED states of KX_DEV_Set_IndicatorLEDStatus.
constexpr int32_t kLedsRed = 1;
constexpr int32_t kLedsGreen = 2;

// The four lines of one reading: success label and failure line, English
// for "usbtest"/"ethtest", Chinese (GBK) for the full test.
struct ReadingLines {
    const char *mcuLabel;
    const char *mcuFailure;
    const char *snLabel;
    const char *snFailure;
    const char *nameLabel;
    const char *nameFailure;
    const char *w25qLabel;
    const char *w25qFailure;
};

static const ReadingLines kEnglishLines = {
    "MCU Fireware Ver: ", "get MCU Fireware Ver failure.\n", "Product SN: ", "getSN failure\n",
    "Product Name: ",     "getName failure\n",               "get W25Q ",    "get W25Q failure.\n",
};

// Each label with its spaces takes 13 GBK bytes, so the colons line up.
static const ReadingLines kChineseLines = {
    // "MCU固件版本  : "
    "MCU\xB9\xCC\xBC\xFE\xB0\xE6\xB1\xBE  : ",
    // "无法获取MCU固件版本!\n"
    "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1" "MCU\xB9\xCC\xBC\xFE\xB0\xE6\xB1\xBE!\n",
    // "产品序列号   : "
    "\xB2\xFA\xC6\xB7\xD0\xF2\xC1\xD0\xBA\xC5   : ",
    // "无法获取产品序列号!\n"
    "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1\xB2\xFA\xC6\xB7\xD0\xF2\xC1\xD0\xBA\xC5!\n",
    // "产品名称     : "
    "\xB2\xFA\xC6\xB7\xC3\xFB\xB3\xC6     : ",
    // "无法获取产品名称!\n"
    "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1\xB2\xFA\xC6\xB7\xC3\xFB\xB3\xC6!\n",
    // "W25Qxxx厂商ID: "
    "W25Qxxx\xB3\xA7\xC9\xCC" "ID: ",
    // "无法获取W25Qxxx厂商ID!\n"
    "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1" "W25Qxxx\xB3\xA7\xC9\xCC" "ID!\n",
};

// "正在进行USB接口测试!\n"
static const char kUsbTestStarts[] = "\xD5\xFD\xD4\xDA\xBD\xF8\xD0\xD0" "USB\xBD\xD3\xBF\xDA\xB2\xE2\xCA\xD4!\n";
// "USB接口初始化失败!\n"
static const char kUsbInitFailed[] = "USB\xBD\xD3\xBF\xDA\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC!\n";
// "正在进行网口测试!\n"
static const char kEthTestStarts[] = "\xD5\xFD\xD4\xDA\xBD\xF8\xD0\xD0\xCD\xF8\xBF\xDA\xB2\xE2\xCA\xD4!\n";
// "网口初始化失败!\n"
static const char kEthInitFailed[] = "\xCD\xF8\xBF\xDA\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC!\n";
// "USB或网口通信测试失败!!\n"
static const char kVerdictFailed[] =
    "USB\xBB\xF2\xCD\xF8\xBF\xDA\xCD\xA8\xD0\xC5\xB2\xE2\xCA\xD4\xCA\xA7\xB0\xDC!!\n";
// "USB和网口通信测试成功.\n"
static const char kVerdictPassed[] = "USB\xBA\xCD\xCD\xF8\xBF\xDA\xCD\xA8\xD0\xC5\xB2\xE2\xCA\xD4\xB3\xC9\xB9\xA6.\n";
// "正在进行指示灯测试!\n"
static const char kLedTestStarts[] = "\xD5\xFD\xD4\xDA\xBD\xF8\xD0\xD0\xD6\xB8\xCA\xBE\xB5\xC6\xB2\xE2\xCA\xD4!\n";
// "指示灯测试失败.\n"
static const char kLedTestFailed[] = "\xD6\xB8\xCA\xBE\xB5\xC6\xB2\xE2\xCA\xD4\xCA\xA7\xB0\xDC.\n";
// "请确认指示灯是否全为红色!\n"
static const char kConfirmRed[] =
    "\xC7\xEB\xC8\xB7\xC8\xCF\xD6\xB8\xCA\xBE\xB5\xC6\xCA\xC7\xB7\xF1\xC8\xAB\xCE\xAA\xBA\xEC\xC9\xAB!\n";
// "请确认指示灯是否全为绿色!\n"
static const char kConfirmGreen[] =
    "\xC7\xEB\xC8\xB7\xC8\xCF\xD6\xB8\xCA\xBE\xB5\xC6\xCA\xC7\xB7\xF1\xC8\xAB\xCE\xAA\xC2\xCC\xC9\xAB!\n";
// "全部测试结束，祝您好运!\n"
static const char kAllDone[] = "\xC8\xAB\xB2\xBF\xB2\xE2\xCA\xD4\xBD\xE1\xCA\xF8\xA3\xAC\xD7\xA3\xC4\xFA\xBA\xC3\xD4\xCB!\n";

// Reads the four identity values through an opened port, printing one line
// each; every reading runs whatever the earlier ones gave. The W25Qxxx
// result goes to LastStatus. Returns the 1-based position of the last
// failing reading, or 0 when all succeeded.
static int ReadIdentity(const TestPort &port, const ReadingLines &lines) {
    int lastFailure = 0;
    int32_t result = port.getDevicePara(DeviceContext, kSelectMcuVersion, 0, TextReply);
    ReportQuery(result, lines.mcuLabel, TextReply, lines.mcuFailure);
    if (result < 0) lastFailure = 1;

    result = port.getSN(DeviceContext, CurrentIndex, SerialReply);
    ReportQuery(result, lines.snLabel, SerialReply, lines.snFailure);
    if (result < 0) lastFailure = 2;

    memset(TextReply, 0, sizeof TextReply);
    result = port.getName(DeviceContext, CurrentIndex, TextReply);
    ReportQuery(result, lines.nameLabel, TextReply, lines.nameFailure);
    if (result < 0) lastFailure = 3;

    memset(TextReply, 0, sizeof TextReply);
    LastStatus = port.getDevicePara(DeviceContext, kSelectW25qId, kW25qManufacturerId, TextReply);
    ReportQuery(LastStatus, lines.w25qLabel, TextReply, lines.w25qFailure);
    if (LastStatus < 0) lastFailure = 4;
    return lastFailure;
}

// "usbtest": opens the USB test port and prints the four readings; a failed
// open prints "USB Init Failure!\n" and nothing else. The loop closes.
void CmdUsbTest(const char *) {
    TestPort port = UsbPort();
    if (port.init(DeviceContext) < 0) {
        fputs("USB Init Failure!\n", stdout);
        return;
    }
    ReadIdentity(port, kEnglishLines);
}

// "ethtest": as "usbtest", through the Ethernet test port.
void CmdEthTest(const char *) {
    TestPort port = EthPort();
    if (port.init(DeviceContext) < 0) {
        fputs("Eth Init Failure!\n", stdout);
        return;
    }
    ReadIdentity(port, kEnglishLines);
}

// Lights all LEDs in one colour and asks the operator to confirm it.
static int32_t ShowLeds(int32_t state, const char *confirmLine) {
    int32_t result = DeviceApi.KX_DEV_Set_IndicatorLEDStatus(DeviceContext, state);
    fputs(result < 0 ? kLedTestFailed : confirmLine, stdout);
    return result;
}

// Self-test codes: -1 USB open, -2..-5 USB readings, -6 Ethernet open,
// -7..-10 Ethernet readings. Only the sign selects the verdict.
constexpr int32_t kUsbInitCode = -1;
constexpr int32_t kEthInitCode = -6;

// "加载器测试": both ports' readings, a verdict, then (when the Ethernet port
// opened) the red and green LED check with a pause between. Never stops
// early; closes the device once itself at the end, and the loop adds none.
void CmdLoaderTest(const char *) {
    fputs(kUsbTestStarts, stdout);
    int32_t selfTestCode = 0;
    TestPort usb = UsbPort();
    if (usb.init(DeviceContext) < 0) {
        fputs(kUsbInitFailed, stdout);
        selfTestCode = kUsbInitCode;
    } else {
        int failed = ReadIdentity(usb, kChineseLines);
        if (failed != 0) selfTestCode = kUsbInitCode - failed;
    }

    fputs("\n", stdout);
    fputs(kEthTestStarts, stdout);
    memset(TextReply, 0, sizeof TextReply);
    TestPort eth = EthPort();
    int32_t ethInitStatus = eth.init(DeviceContext);
    if (ethInitStatus < 0) {
        fputs(kEthInitFailed, stdout);
        selfTestCode = kEthInitCode;
    } else {
        int failed = ReadIdentity(eth, kChineseLines);
        if (failed != 0) selfTestCode = kEthInitCode - failed;
    }

    fputs("\n", stdout);
    fputs(selfTestCode < 0 ? kVerdictFailed : kVerdictPassed, stdout);

    if (ethInitStatus >= 0) {
        fputs("\n", stdout);
        fputs(kLedTestStarts, stdout);
        ShowLeds(kLedsRed, kConfirmRed);
        fflush(stdout);
        PlatformPause("Pause");
        LastStatus = ShowLeds(kLedsGreen, kConfirmGreen);
        fputs("\n", stdout);
        fputs(kAllDone, stdout);
        fputs(".\n", stdout);
    }

    DeviceApi.KX_DEV_DeInit(DeviceContext);
}
