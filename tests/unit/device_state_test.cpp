// What the device commands leave in the session (LastStatus, CurrentIndex),
// against a scripted fake library.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "console/command_table.h"
#include "console/console_loop.h"
#include "device/device_api.h"
#include "device/session.h"

namespace {

std::vector<std::string> Calls;
std::map<std::string, std::deque<int32_t>> Scripted;
int32_t DefaultResult = 0;

std::string Describe(int32_t v) { return std::to_string(v); }
template <typename T>
std::string Describe(T *) {
    return "@";
}

// Logs the call and returns the next scripted result of its name (Init
// defaults to one device found, everything else to DefaultResult).
template <typename... A>
int32_t Record(const char *name, void *, A... args) {
    std::string line = name;
    ((line += " " + Describe(args)), ...);
    Calls.push_back(line);
    std::deque<int32_t> &queue = Scripted[name];
    if (!queue.empty()) {
        int32_t r = queue.front();
        queue.pop_front();
        return r;
    }
    return strcmp(name, "KX_DEV_Init") == 0 ? 1 : DefaultResult;
}

#define KX_DEV_ENTRY(name, shape) \
    int32_t Fake_##name KX_PARAMS_##shape { return Record(#name, KX_ARGS_##shape); }
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY

class DeviceState : public testing::Test {
protected:
    void SetUp() override {
        saved_ = DeviceApi;
        DeviceApiTable fakes;
#define KX_DEV_ENTRY(name, shape) fakes.name = Fake_##name;
#include "device/device_api_list.h"
#undef KX_DEV_ENTRY
        InstallDeviceApi(fakes);
        StartSession(session, nullptr);
        Calls.clear();
        Scripted.clear();
        DefaultResult = 0;
        // The LED pause must never wait on a terminal here.
        ASSERT_NE(freopen("/dev/null", "r", stdin), nullptr);
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        output_ = testing::internal::GetCapturedStdout();
        InstallDeviceApi(saved_);
    }
    // Runs word as the loop would, without the loop's close.
    void Run(const char *word) {
        const CommandRow *row = FindCommand(word);
        ASSERT_NE(row, nullptr) << word;
        row->handler(session, word + strlen(row->keyword));
    }

    Session session;

private:
    DeviceApiTable saved_;
    std::string output_;
};

// The commands that open the device and make one operation.
const char *const kOpeningCommands[] = {
    "getName",
    "getUsbFileName",
    "getW25q_3",
    "getS25F_4",
    "getMcuVer",
    "getSN",
    "getLMH0341FormatID",
    "GetDevInfo:000001,000000",
    "GetFPGAInfo:000002,000000",
    "source:SDI",
    "LutCtrl:P3",
    "FPGA_RST",
    "RST_FPGA_TRUE",
    "RST_FPGA_FALSE",
    "FPGA_REG3:33",
    "FPGA_REG1:5",
    "FPGA_REG4:2",
    "MCU_I2C1_Init",
    "Clr3dlut",
    "SetMode:1",
};

TEST_F(DeviceState, OperationResultBecomesLastStatus) {
    for (const char *word : kOpeningCommands) {
        for (int32_t result : {-4, 0, 17}) {
            session.LastStatus = 1234;
            DefaultResult = result;
            Calls.clear();
            Run(word);
            EXPECT_EQ(session.LastStatus, result) << word;
            ASSERT_EQ(Calls.size(), 2u) << word;
            EXPECT_EQ(Calls[0], "KX_DEV_Init") << word;
        }
    }
}

TEST_F(DeviceState, FailedOpenChangesNothingButTheResetState) {
    for (const char *word : kOpeningCommands) {
        session.LastStatus = 1234;
        session.CurrentIndex = 77;
        Scripted["KX_DEV_Init"] = {-1};
        Calls.clear();
        Run(word);
        EXPECT_EQ(Calls, std::vector<std::string>{"KX_DEV_Init"}) << word;
        EXPECT_EQ(session.LastStatus, 1234) << word;
        int32_t expectedIndex = strcmp(word, "RST_FPGA_TRUE") == 0 ? 2 : strcmp(word, "RST_FPGA_FALSE") == 0 ? 1 : 77;
        EXPECT_EQ(session.CurrentIndex, expectedIndex) << word;
    }
}

TEST_F(DeviceState, SetRgbNeitherOpensNorCloses) {
    DefaultResult = -1;
    Run("setRGB");
    EXPECT_EQ(session.LastStatus, -1);
    DefaultResult = 3;
    Run("setRGB");
    EXPECT_EQ(session.LastStatus, 3);
    EXPECT_EQ(Calls, (std::vector<std::string>{"KX_DEV_SetChVal 0 @", "KX_DEV_SetChVal 0 @"}));
}

TEST_F(DeviceState, PortTestKeepsTheW25qResult) {
    for (const char *word : {"usbtest", "ethtest"}) {
        session.LastStatus = 1234;
        Scripted.clear();
        std::string port = strcmp(word, "usbtest") == 0 ? "USB" : "ETH";
        Scripted["KX_DEV_Test" + port + "_GetDevicePara"] = {0, 6};
        Scripted["KX_DEV_Test" + port + "_GetName"] = {-1};
        Run(word);
        EXPECT_EQ(session.LastStatus, 6) << word;
        // A failed open leaves it alone.
        Scripted["KX_DEV_Test" + port + "_Init"] = {-2};
        Run(word);
        EXPECT_EQ(session.LastStatus, 6) << word;
    }
    EXPECT_EQ(Calls.size(), 2u * 6u);
}

TEST_F(DeviceState, LoaderTestLastStatusIsTheLastStepThatRan) {
    session.CurrentIndex = 144;
    // Both ports open: the green LED call's result.
    Scripted["KX_DEV_Set_IndicatorLEDStatus"] = {0, 7};
    Scripted["KX_DEV_TestETH_GetDevicePara"] = {0, -5};
    Run(kLoaderTestKeyword);
    EXPECT_EQ(session.LastStatus, 7);
    Scripted["KX_DEV_Set_IndicatorLEDStatus"] = {0, -3};
    Run(kLoaderTestKeyword);
    EXPECT_EQ(session.LastStatus, -3);
    // Ethernet open fails: the USB W25Qxxx query's result.
    Scripted["KX_DEV_TestUSB_GetDevicePara"] = {0, 5};
    Scripted["KX_DEV_TestETH_Init"] = {-1};
    Run(kLoaderTestKeyword);
    EXPECT_EQ(session.LastStatus, 5);
    // Both fail: unchanged.
    session.LastStatus = 1234;
    Scripted["KX_DEV_TestUSB_Init"] = {-1};
    Scripted["KX_DEV_TestETH_Init"] = {-1};
    Calls.clear();
    Run(kLoaderTestKeyword);
    EXPECT_EQ(session.LastStatus, 1234);
    EXPECT_EQ(Calls, (std::vector<std::string>{"KX_DEV_TestUSB_Init", "KX_DEV_TestETH_Init", "KX_DEV_DeInit"}));
    EXPECT_EQ(session.CurrentIndex, 144);
}

}  // namespace
