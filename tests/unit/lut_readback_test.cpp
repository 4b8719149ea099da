// The read-back of a sent LUT against Get entries that a box with a fault
// could have and the simulated box has not: one that reports success but
// writes nothing, or not every row.
#include <gtest/gtest.h>

#include <cstring>

#include "device/device_api.h"
#include "device/lut_download.h"
#include "device/session.h"
#include "lut/lut_tables.h"

namespace {

// The table sent: static, as it is large.
Lut3dTable Sent;

// How many leading values of the table the fake Get entry writes, and what
// it writes there: a copy of the sent table.
int ValuesWritten = 0;

int32_t GetFloatTable(void *, int32_t, float *table) {
    memcpy(table, Sent.floatRows, static_cast<size_t>(ValuesWritten) * sizeof(float));
    return 0;
}

int32_t GetIntTable(void *, int32_t, int16_t *table) {
    memcpy(table, Sent.intRows, static_cast<size_t>(ValuesWritten) * sizeof(int16_t));
    return 0;
}

class LutReadBack : public testing::Test {
protected:
    void SetUp() override {
        saved_ = DeviceApi;
        DeviceApiTable fakes = saved_;
        fakes.KX_DEV_Get_CSV_17P_3DLUT = GetFloatTable;
        fakes.KX_DEV_Get_3DL_33P_3DLUT = GetIntTable;
        InstallDeviceApi(fakes);
        StartSession(session_, nullptr);
    }
    void TearDown() override { InstallDeviceApi(saved_); }

    Session session_;

private:
    DeviceApiTable saved_;
};

constexpr int32_t kFloat17Layout = 1;
constexpr int32_t kInt33Layout = 6;

// Whatever the table holds (zeros here, where a fixed pattern could match
// it), a value the entry leaves alone never reads as the one sent.
TEST_F(LutReadBack, ValuesTheEntryDoesNotWriteAreADifference) {
    const int32_t rows17 = Lut3dSizeOfLayout(kFloat17Layout)->rows;
    const int32_t rows33 = Lut3dSizeOfLayout(kInt33Layout)->rows;
    memset(Sent.floatRows, 0, sizeof Sent.floatRows);
    memset(Sent.intRows, 0xA5, sizeof Sent.intRows);

    ValuesWritten = 0;
    ReadBackResult nothing = ReadBackLut(session_, Sent, kFloat17Layout);
    EXPECT_EQ(nothing.result, 0);
    EXPECT_STREQ(nothing.entry, "KX_DEV_Get_CSV_17P_3DLUT");
    EXPECT_EQ(nothing.row, 1);

    // All but the last value of the last row.
    ValuesWritten = rows33 * 3 - 1;
    ReadBackResult allButOne = ReadBackLut(session_, Sent, kInt33Layout);
    EXPECT_TRUE(allButOne.intTable);
    EXPECT_EQ(allButOne.row, rows33);
    EXPECT_EQ(allButOne.sent.intValues[2], static_cast<int16_t>(0xA5A5));
    EXPECT_EQ(allButOne.read.intValues[2], static_cast<int16_t>(0x5A5A));

    ValuesWritten = rows17 * 3;
    EXPECT_EQ(ReadBackLut(session_, Sent, kFloat17Layout).row, 0);
}

}  // namespace
