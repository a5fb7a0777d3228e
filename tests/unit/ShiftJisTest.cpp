#include <gtest/gtest.h>

#include <string>

#include "platform/ShiftJis.h"

namespace {

TEST(ShiftJis, ByteClassesEndWhereCodePage932Ends) {
    // Lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0x7E and 0x80-0xFC: each edge and its
    // neighbour outside.
    struct { unsigned char byte; bool lead; bool trail; } cases[] = {
        {0x3F, false, false}, {0x40, false, true}, {0x7E, false, true}, {0x7F, false, false},
        {0x80, false, true},  {0x81, true, true},  {0x9F, true, true},  {0xA0, false, true},
        {0xDF, false, true},  {0xE0, true, true},  {0xFC, true, true},  {0xFD, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sjis::IsLeadByte(c.byte), c.lead) << std::hex << int(c.byte);
        EXPECT_EQ(sjis::IsTrailByte(c.byte), c.trail) << std::hex << int(c.byte);
    }
}

TEST(ShiftJis, HalfWidthKanaAndLoneLeadBytesAreSingleBytes) {
    const std::string text = "\xB1\x81";  // ｱ, then a lead byte with nothing after it
    EXPECT_FALSE(sjis::IsInsideDoubleByte(text.data(), text.size(), 0));
    EXPECT_FALSE(sjis::IsInsideDoubleByte(text.data(), text.size(), 1));
    EXPECT_EQ(sjis::CutLength(text.data(), text.size(), 10), 1u);  // the lone lead byte is dropped
    const std::string leadThenAscii = "\x81 ";                     // a blank is no trail byte: two characters
    EXPECT_FALSE(sjis::IsInsideDoubleByte(leadThenAscii.data(), leadThenAscii.size(), 1));
    EXPECT_EQ(sjis::CutLength(leadThenAscii.data(), leadThenAscii.size(), 10), 2u);  // both kept
}

}  // namespace
