// The self-test's two rules, which the console's loader test and lutctl's
// selftest both follow.
#include <gtest/gtest.h>

#include <cstdint>

#include "device/port_test.h"

namespace {

TEST(SelftestRules, LedsFollowTheEthernetOpenAlone) {
    // The open returns a count, so zero and any positive result opened it.
    for (int32_t opened : {0, 1, 2, INT32_MAX}) EXPECT_TRUE(SelftestShowsLeds(opened)) << opened;
    for (int32_t failed : {-1, -4, INT32_MIN}) EXPECT_FALSE(SelftestShowsLeds(failed)) << failed;
}

TEST(SelftestRules, VerdictNeedsBothPorts) {
    EXPECT_TRUE(SelftestPasses(true, true));
    EXPECT_FALSE(SelftestPasses(true, false));
    EXPECT_FALSE(SelftestPasses(false, true));
    EXPECT_FALSE(SelftestPasses(false, false));
}

}  // namespace
