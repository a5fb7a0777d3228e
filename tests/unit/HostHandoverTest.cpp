#include <gtest/gtest.h>

#include <string>

#include "app/HostHandover.h"

namespace {

struct HandoverCase {
    const char* commandLine;
    bool complete;
    WindowHandle window;
    std::uint32_t message;
    std::int16_t functionId;
    const char* path;
};

const HandoverCase kCases[] = {
    {"1234,32768,5,", true, 1234, 32768, 5, ""},
    {"1234,32768,5", false, 0, 0, 2, ""},
    {"", false, 0, 0, 2, ""},
    {"1234", false, 0, 0, 2, ""},
    {"1,2,3,C:\\out\\a,b,c.xml", true, 1, 2, 3, "C:\\out\\a,b,c.xml"},
    {"  42, +7 ,-3,x", true, 42, 7, -3, "x"},
    {",,,", true, 0, 0, 0, ""},
    {"12ab,9x9,7.5,p", true, 12, 9, 7, "p"},
    {"1,2,65535,", true, 1, 2, -1, ""},
    {"1,2,32768,", true, 1, 2, -32768, ""},
    {"1,2,65538,", true, 1, 2, 2, ""},
    {"1,4294967295,0,", true, 1, 2147483647u, 0, ""},
    {"1,2,99999999999999999999999,", true, 1, 2, -1, ""},
    {"1,2,-99999999999999999999999,", true, 1, 2, 0, ""},
};

TEST(HostHandover, IncompleteCommandLineLeavesTheDefaults) {
    CHostHandover handover;
    EXPECT_FALSE(ParseHostHandover(nullptr, handover));
    EXPECT_FALSE(ParseHostHandover("5,6", handover));
    EXPECT_EQ(handover.functionId, 2);
    EXPECT_EQ(handover.hostWindow, 0u);
}

}  // namespace
