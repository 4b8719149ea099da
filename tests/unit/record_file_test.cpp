// The self-test's record file: a record whole or not at all, whatever the
// write does, and the CSV header once however many stations append.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "ctl/ctl_record.h"
#include "platform/platform.h"
#include "scratch_dir.h"

namespace {

class RecordFileTest : public ScratchDirTest {};

const char kText[] = "time,verdict\n2026-12-07T10:29:30+00:00,pass\n";
const size_t kHeaderLength = strlen("time,verdict\n");

// A disk that fills up in the middle of the record: the first half reaches
// the file, the rest does not.
size_t HalfWriter(FILE *file, const char *bytes, size_t count) {
    size_t written = fwrite(bytes, 1, count / 2, file);
    fflush(file);
    return written;
}

size_t NothingWriter(FILE *, const char *, size_t) { return 0; }

int Append(const std::string &path, RecordWriter writer) {
    FILE *file = PlatformOpenAppendFile(path.c_str());
    if (file == nullptr) return -2;
    int result = AppendRecordText(file, kText, strlen(kText), kHeaderLength, writer);
    fclose(file);
    return result;
}

TEST_F(RecordFileTest, HeaderOnlyIntoAnEmptyFileAndRecordsWhole) {
    std::string path = (dir / "line.csv").string();
    ASSERT_EQ(Append(path, WriteRecordBytes), 0);
    ASSERT_EQ(Append(path, WriteRecordBytes), 0);
    EXPECT_EQ(ReadAll(path), std::string(kText) + (kText + kHeaderLength));
}

// A failed or short write leaves the file as it was, so that the next
// record does not continue a fragment; the next one then lands whole.
TEST_F(RecordFileTest, FailedWriteLeavesNoFragment) {
    const std::string before = "time,verdict\nearlier,pass\n";
    std::string path = Write("line.csv", before);
    EXPECT_EQ(Append(path, HalfWriter), -1);
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(Append(path, NothingWriter), -1);
    EXPECT_EQ(ReadAll(path), before);
    ASSERT_EQ(Append(path, WriteRecordBytes), 0);
    EXPECT_EQ(ReadAll(path), before + (kText + kHeaderLength));

    // Into a new file: a cut header is taken back too, and the next
    // record brings the header.
    std::string fresh = (dir / "fresh.csv").string();
    EXPECT_EQ(Append(fresh, HalfWriter), -1);
    EXPECT_EQ(ReadAll(fresh), "");
    ASSERT_EQ(Append(fresh, WriteRecordBytes), 0);
    EXPECT_EQ(ReadAll(fresh), kText);
}

// Another station holds the lock while the file is still empty: the record
// waits for it, and then finds the file no longer empty.
TEST_F(RecordFileTest, WaitsForTheLockHolderAndWritesNoSecondHeader) {
    std::string path = (dir / "line.csv").string();
    FILE *holder = PlatformOpenAppendFile(path.c_str());
    ASSERT_NE(holder, nullptr);
    ASSERT_EQ(PlatformLockFile(holder), 0);
    std::atomic<int> result{1};
    std::thread station([&] { result = Append(path, WriteRecordBytes); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(result.load(), 1);
    EXPECT_EQ(ReadAll(path), "");
    ASSERT_EQ(setvbuf(holder, nullptr, _IONBF, 0), 0);
    fputs("time,verdict\nfirst,pass\n", holder);
    PlatformUnlockFile(holder);
    station.join();
    fclose(holder);
    EXPECT_EQ(result.load(), 0);
    EXPECT_EQ(ReadAll(path), std::string("time,verdict\nfirst,pass\n") + (kText + kHeaderLength));
}

}  // namespace
