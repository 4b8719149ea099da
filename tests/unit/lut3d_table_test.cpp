// The 3D table is the caller's: the reader fills only the table it is
// given, and the downloads send only the table they are given, with its
// own file type.
#include <gtest/gtest.h>

#include <string>

#include "device/device_api.h"
#include "device/lut_download.h"
#include "device/session.h"
#include "lut/lut3d_reader.h"
#include "lut/lut_tables.h"
#include "scratch_dir.h"

namespace {

// Static, as they are large: two tables a program could own side by side.
Lut3dTable First;
Lut3dTable Second;

std::string Cube17(const char *row) {
    std::string text = "LUT_3D_SIZE 17\n";
    for (int i = 0; i < 17 * 17 * 17; i++) text += std::string(row) + "\n";
    return text;
}

std::string ThreeDl17(const char *row) {
    std::string text = "0 64 128 192 256 320 384 448 512 576 640 704 768 832 896 960 1023\n";
    for (int i = 0; i < 17 * 17 * 17; i++) text += std::string(row) + "\n";
    return text;
}

class Lut3dTableTest : public ScratchDirTest {};

TEST_F(Lut3dTableTest, ReaderFillsOnlyTheTableItIsGiven) {
    Second.fileType = kLut3dFileTypeCsvOr3dl;
    Second.floatRows[4912][2] = -1.0f;
    ASSERT_EQ(Read3dLutFile(Write("a.cube", Cube17("0.25 0.5 0.75")).c_str(), First), 1);
    EXPECT_EQ(First.fileType, kLut3dFileTypeCube);
    EXPECT_EQ(First.floatRows[4912][2], 0.75f);
    EXPECT_EQ(Second.fileType, kLut3dFileTypeCsvOr3dl);
    EXPECT_EQ(Second.floatRows[4912][2], -1.0f);

    // A 3dl read after it: the other table's rows are its own, the float
    // rows keep the cube, and the type is the 3dl's.
    ASSERT_EQ(Read3dLutFile(Write("b.3dl", ThreeDl17("1 2 65535")).c_str(), Second), 4);
    ASSERT_EQ(Read3dLutFile(Write("c.3dl", ThreeDl17("7 8 9")).c_str(), First), 4);
    EXPECT_EQ(First.fileType, kLut3dFileTypeCsvOr3dl);
    EXPECT_EQ(First.floatRows[0][1], 0.5f);
    EXPECT_EQ(First.intRows[0][2], 9);
    EXPECT_EQ(Second.intRows[0][2], static_cast<int16_t>(0xFFFF));
}

// What the fake entries were handed.
int32_t FileTypeSent = 0;
int32_t PointsSent = 0;
const float *FloatRowsSent = nullptr;
const int16_t *IntRowsSent = nullptr;

int32_t FakeFileType(void *, int32_t, int32_t value) { return FileTypeSent = value, 0; }
int32_t FakePoints(void *, int32_t, int32_t value) { return PointsSent = value, 0; }
int32_t FakeFloatSend(void *, int32_t, float *rows) { return FloatRowsSent = rows, 0; }
int32_t FakeIntSend(void *, int32_t, int16_t *rows) { return IntRowsSent = rows, 0; }

TEST(Lut3dTableDownload, SendsTheGivenTableWithItsFileType) {
    DeviceApiTable saved = DeviceApi;
    DeviceApiTable fakes = saved;
    fakes.KX_DEV_Set3DLUT_FileType = FakeFileType;
    fakes.KX_DEV_Set3DLUT_Points = FakePoints;
    fakes.KX_DEV_Set3DLUT = FakeFloatSend;
    fakes.KX_DEV_Set_3DL_33P_3DLUT = FakeIntSend;
    InstallDeviceApi(fakes);
    Session session;
    StartSession(session, nullptr);

    First.fileType = kLut3dFileTypeCube;
    DownloadResult floats = DownloadLut(session, First, 2);
    EXPECT_TRUE(floats.sent);
    EXPECT_EQ(FileTypeSent, 2);
    EXPECT_EQ(PointsSent, 26);
    EXPECT_EQ(FloatRowsSent, &First.floatRows[0][0]);

    Second.fileType = kLut3dFileTypeCsvOr3dl;
    DownloadResult ints = DownloadLut(session, Second, 6);
    EXPECT_TRUE(ints.sent);
    EXPECT_EQ(FileTypeSent, 1);
    EXPECT_EQ(PointsSent, 33);
    EXPECT_EQ(IntRowsSent, &Second.intRows[0][0]);

    FloatRowsSent = nullptr;
    EXPECT_EQ(ResendFloatLut(session, Second), 0);
    EXPECT_EQ(FloatRowsSent, &Second.floatRows[0][0]);
    InstallDeviceApi(saved);
}

}  // namespace
