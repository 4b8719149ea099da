#include "console/port_test_words.h"

#include <cstdio>

#include "console/word_support.h"
#include "device/port_test.h"
#include "platform/platform.h"

// The lines of the four readings, in reading order: English for
// "usbtest"/"ethtest", Chinese (GBK) for the full test.
struct IdentityLines {
    ReadingLines mcuVersion;
    ReadingLines serial;
    ReadingLines name;
    ReadingLines w25q;
};

static const IdentityLines kEnglishLines = {kMcuVersionLines, kSerialLines, kNameLines, kW25qLines};

// Each label with its spaces takes 13 GBK bytes, so the colons line up.
static const IdentityLines kChineseLines = {
    // "MCU固件版本  : ", "无法获取MCU固件版本!\n"
    {"MCU\xB9\xCC\xBC\xFE\xB0\xE6\xB1\xBE  : ",
     "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1"
     "MCU\xB9\xCC\xBC\xFE\xB0\xE6\xB1\xBE!\n"},
    // "产品序列号   : ", "无法获取产品序列号!\n"
    {"\xB2\xFA\xC6\xB7\xD0\xF2\xC1\xD0\xBA\xC5   : ",
     "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1\xB2\xFA\xC6\xB7\xD0\xF2\xC1\xD0\xBA\xC5!\n"},
    // "产品名称     : ", "无法获取产品名称!\n"
    {"\xB2\xFA\xC6\xB7\xC3\xFB\xB3\xC6     : ", "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1\xB2\xFA\xC6\xB7\xC3\xFB\xB3\xC6!\n"},
    // "W25Qxxx厂商ID: ", "无法获取W25Qxxx厂商ID!\n"
    {"W25Qxxx\xB3\xA7\xC9\xCC"
     "ID: ",
     "\xCE\xDE\xB7\xA8\xBB\xF1\xC8\xA1"
     "W25Qxxx\xB3\xA7\xC9\xCC"
     "ID!\n"},
};

// "正在进行USB接口测试!\n"
static const char kUsbTestStarts[] =
    "\xD5\xFD\xD4\xDA\xBD\xF8\xD0\xD0"
    "USB\xBD\xD3\xBF\xDA\xB2\xE2\xCA\xD4!\n";
// "USB接口初始化失败!\n"
static const char kUsbInitFailed[] = "USB\xBD\xD3\xBF\xDA\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC!\n";
// "正在进行网口测试!\n"
static const char kEthTestStarts[] = "\xD5\xFD\xD4\xDA\xBD\xF8\xD0\xD0\xCD\xF8\xBF\xDA\xB2\xE2\xCA\xD4!\n";
// "网口初始化失败!\n"
static const char kEthInitFailed[] = "\xCD\xF8\xBF\xDA\xB3\xF5\xCA\xBC\xBB\xAF\xCA\xA7\xB0\xDC!\n";
// "USB或网口通信测试失败!!\n"
static const char kVerdictFailed[] = "USB\xBB\xF2\xCD\xF8\xBF\xDA\xCD\xA8\xD0\xC5\xB2\xE2\xCA\xD4\xCA\xA7\xB0\xDC!!\n";
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
static const char kAllDone[] =
    "\xC8\xAB\xB2\xBF\xB2\xE2\xCA\xD4\xBD\xE1\xCA\xF8\xA3\xAC\xD7\xA3\xC4\xFA\xBA\xC3\xD4\xCB!\n";

// Reads the four identity values through an opened port and prints one
// line each. The W25Qxxx result goes to LastStatus. Returns whether all
// four succeeded.
static bool ReadIdentity(Session &session, TestPortId port, const IdentityLines &lines) {
    IdentityReadings readings;
    bool passed = ReadPortIdentity(session, port, readings);
    const ReadingLines *inOrder[kIdentityReadingCount] = {&lines.mcuVersion, &lines.serial, &lines.name, &lines.w25q};
    for (int r = 0; r < kIdentityReadingCount; r++) ReportQuery(readings.result[r], *inOrder[r], readings.reply[r]);
    session.LastStatus = readings.result[kReadW25qId];
    return passed;
}

// The line "usbtest" or "ethtest" prints when its port cannot be opened.
static const char *InitFailureLine(TestPortId port) {
    return port == kUsbTestPort ? "USB Init Failure!\n" : "Eth Init Failure!\n";
}

// "usbtest" and "ethtest": open the port's test entry and print the four
// readings; a failed open prints the port's failure line and nothing else.
// The loop closes.
static void TestOnePort(Session &session, TestPortId port) {
    if (OpenTestPort(session, port) < 0) {
        PlatformConsolePuts(InitFailureLine(port));
        return;
    }
    ReadIdentity(session, port, kEnglishLines);
}

void CmdUsbTest(Session &session, const char *) { TestOnePort(session, kUsbTestPort); }

void CmdEthTest(Session &session, const char *) { TestOnePort(session, kEthTestPort); }

// Lights all LEDs in one colour and asks the operator to confirm it.
static int32_t ShowAndConfirmLeds(Session &session, int32_t state, const char *confirmLine) {
    int32_t result = ShowLeds(session, state);
    PlatformConsolePuts(result < 0 ? kLedTestFailed : confirmLine);
    return result;
}

// "加载器测试": both ports' readings, a verdict, then (when the Ethernet port
// opened) the red and green LED check with a pause between. Never stops
// early; closes the device once itself at the end, and the loop adds none.
void CmdLoaderTest(Session &session, const char *) {
    PlatformConsolePuts(kUsbTestStarts);
    bool usbPassed = false;
    if (OpenTestPort(session, kUsbTestPort) < 0) {
        PlatformConsolePuts(kUsbInitFailed);
    } else {
        usbPassed = ReadIdentity(session, kUsbTestPort, kChineseLines);
    }

    PlatformConsolePuts("\n");
    PlatformConsolePuts(kEthTestStarts);
    bool ethPassed = false;
    int32_t ethInitStatus = OpenTestPort(session, kEthTestPort);
    if (ethInitStatus < 0) {
        PlatformConsolePuts(kEthInitFailed);
    } else {
        ethPassed = ReadIdentity(session, kEthTestPort, kChineseLines);
    }

    PlatformConsolePuts("\n");
    PlatformConsolePuts(SelftestPasses(usbPassed, ethPassed) ? kVerdictPassed : kVerdictFailed);

    if (SelftestShowsLeds(ethInitStatus)) {
        PlatformConsolePuts("\n");
        PlatformConsolePuts(kLedTestStarts);
        ShowAndConfirmLeds(session, kLedsRed, kConfirmRed);
        PlatformPause();
        // An interrupt during the pause ends the test here, closed as ever.
        if (!PlatformInterrupted()) {
            session.LastStatus = ShowAndConfirmLeds(session, kLedsGreen, kConfirmGreen);
            PlatformConsolePuts("\n");
            PlatformConsolePuts(kAllDone);
            PlatformConsolePuts(".\n");
        }
    }

    ReportClose(CloseDevice(session));
}
