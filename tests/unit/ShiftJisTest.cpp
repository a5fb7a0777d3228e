#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/ShiftJis.h"

namespace {

// 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte; ｱ (0xB1) is a single byte.
const std::string kHyou = "\x95\x5C";

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

TEST(ShiftJis, TrailBackslashIsNoSeparator) {
    const std::string path = "C:\\" + kHyou + "\\a";
    EXPECT_TRUE(sjis::IsSeparatorAt(path.data(), path.size(), 2));
    EXPECT_FALSE(sjis::IsSeparatorAt(path.data(), path.size(), 4));
    EXPECT_TRUE(sjis::IsInsideDoubleByte(path.data(), path.size(), 4));
    EXPECT_TRUE(sjis::IsSeparatorAt(path.data(), path.size(), 5));
    EXPECT_TRUE(sjis::StartsDoubleByte(path.data(), path.size(), 3));
    EXPECT_FALSE(sjis::StartsDoubleByte(path.data(), path.size(), 4));
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

TEST(ShiftJis, CutsKeepCharactersWhole) {
    const std::string text = "ab" + kHyou + "c";
    struct { size_t limit; size_t expected; } cases[] = {{0, 0}, {2, 2}, {3, 2}, {4, 4}, {5, 5}, {99, 5}};
    for (const auto& c : cases) EXPECT_EQ(sjis::CutLength(text.data(), text.size(), c.limit), c.expected) << c.limit;
}

TEST(ShiftJis, CopyCutAlwaysTerminatesWithinTheField) {
    char field[4];
    std::memset(field, 'x', sizeof field);
    const std::string text = "a" + kHyou + kHyou;
    sjis::CopyCut(field, sizeof field, text.data(), text.size());
    EXPECT_EQ(std::string(field), "a" + kHyou);
    sjis::CopyCut(field, 2, text.data(), text.size());
    EXPECT_EQ(std::string(field), "a");
    sjis::CopyCut(field, 1, text.data(), text.size());
    EXPECT_EQ(std::string(field), "");
}

TEST(ShiftJis, BoundedLengthNeverReadsPastTheField) {
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(sjis::BoundedLength(unterminated, sizeof unterminated), 3u);
    EXPECT_EQ(sjis::BoundedLength("ab\0cd", 5), 2u);
}

}  // namespace
