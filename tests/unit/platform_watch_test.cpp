// The file watch under lutctl watch: what it must see (a write, a rename
// onto the name, its removal) and what it must not (other files of the
// directory), so that the watch neither misses an export nor reloads for
// a neighbour's writes.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "scratch_dir.h"

namespace {

class PlatformWatchTest : public ScratchDirTest {};

// Waits for the first result that is not a timeout, up to ten seconds: a
// change must be seen, however busy the machine.
PlatformWatchResult NextResult(PlatformWatch *watch) {
    PlatformWatchResult r = kPlatformWatchTimeout;
    for (int i = 0; i < 100 && r == kPlatformWatchTimeout; i++) r = PlatformWatchWait(watch, 100);
    return r;
}

TEST_F(PlatformWatchTest, SeesItsFileWrittenReplacedAndRemovedButNotItsNeighbours) {
    std::string film = Write("film.cube", "one");
    PlatformWatch *watch = PlatformWatchOpen(film.c_str());
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(PlatformWatchWait(watch, 0), kPlatformWatchTimeout);

    // Another file of the directory, written and renamed: no change of ours.
    std::string other = Write("other.tmp", "x");
    ASSERT_EQ(PlatformMoveOver(other.c_str(), (dir / "other.cube").string().c_str()), 0);
    EXPECT_EQ(PlatformWatchWait(watch, 300), kPlatformWatchTimeout);

    // Written in place.
    Write("film.cube", "two");
    EXPECT_EQ(NextResult(watch), kPlatformWatchChanged);
    // The burst was taken in whole: nothing is left over once it has ended.
    while (PlatformWatchWait(watch, 200) == kPlatformWatchChanged) {
    }
    EXPECT_EQ(PlatformWatchWait(watch, 0), kPlatformWatchTimeout);

    // Replaced by a rename, as grading software saves.
    std::string temp = Write("film.cube.tmp", "three");
    ASSERT_EQ(PlatformMoveOver(temp.c_str(), film.c_str()), 0);
    EXPECT_EQ(NextResult(watch), kPlatformWatchChanged);
    while (PlatformWatchWait(watch, 200) == kPlatformWatchChanged) {
    }

    ASSERT_EQ(remove(film.c_str()), 0);
    EXPECT_EQ(NextResult(watch), kPlatformWatchChanged);
    PlatformWatchClose(watch);
}

TEST_F(PlatformWatchTest, NeedsADirectoryToWatch) {
    EXPECT_EQ(PlatformWatchOpen((dir / "missing" / "film.cube").string().c_str()), nullptr);
    EXPECT_EQ(PlatformWatchOpen(""), nullptr);
    // A file that does not exist yet is watched for in its directory.
    PlatformWatch *watch = PlatformWatchOpen((dir / "later.cube").string().c_str());
    ASSERT_NE(watch, nullptr);
    Write("later.cube", "new");
    EXPECT_EQ(NextResult(watch), kPlatformWatchChanged);
    PlatformWatchClose(watch);
}

}  // namespace
