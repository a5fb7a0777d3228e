#include <gtest/gtest.h>

#include "app/HostHandover.h"

namespace {

TEST(HostHandover, IncompleteCommandLineLeavesTheDefaults) {
    CHostHandover handover;
    EXPECT_FALSE(ParseHostHandover(nullptr, handover));
    EXPECT_FALSE(ParseHostHandover("5,6", handover));
    EXPECT_EQ(handover.functionId, 2);
    EXPECT_EQ(handover.hostWindow, 0u);
}

}  // namespace
