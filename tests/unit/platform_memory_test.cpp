// The platform's large blocks: one freed block is kept for the next that it
// holds, and every byte asked for is the caller's (the sanitizers see a
// write past the block).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform.h"

TEST(PlatformLargeBlocks, AFreedBlockServesTheNextItHoldsAndNoLargerOne) {
    constexpr size_t kMiB = size_t{1} << 20;
    char *first = static_cast<char *>(PlatformAllocLarge(3 * kMiB));
    ASSERT_NE(first, nullptr);
    memset(first, 1, 3 * kMiB);
    PlatformFreeLarge(first);

    // Smaller, and as large as the pages it was given (4 MiB of huge pages).
    char *second = static_cast<char *>(PlatformAllocLarge(4 * kMiB));
    ASSERT_NE(second, nullptr);
    memset(second, 2, 4 * kMiB);
    if (PlatformKeepsLargeBlocks()) {
        EXPECT_EQ(second, first);
    }
    PlatformFreeLarge(second);

    // Larger than the block kept: a block of its own.
    char *third = static_cast<char *>(PlatformAllocLarge(5 * kMiB));
    ASSERT_NE(third, nullptr);
    memset(third, 3, 5 * kMiB);
    PlatformFreeLarge(third);

    // Null is no block; a small one is freed.
    PlatformFreeLarge(nullptr);
    PlatformFreeLarge(PlatformAllocLarge(64));
    char *fourth = static_cast<char *>(PlatformAllocLarge(5 * kMiB));
    ASSERT_NE(fourth, nullptr);
    memset(fourth, 4, 5 * kMiB);
    free(fourth);
}
