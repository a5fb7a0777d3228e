#include "report/SupportInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/AppTitle.h"
#include "support/MemoryPlatform.h"

namespace {

using testsupport::CMemoryPlatform;
const std::string kFile = "C:\\WORK\\SUPPORT.INF";
const std::string kName = "[=製品名=]";
const std::string kVersion = "[=製品ﾊﾞｰｼﾞｮﾝ=]";

TEST(SupportInfoTest, FindsTheValuesOfBothLabels) {
    const struct {
        const char* what;
        std::string content;
        std::string name;
        std::string version;
    } cases[] = {
        {"both", "[=登録=]x\r\n" + kName + "Ledgora２２ Pro\r\n" + kVersion + "22.02.05\r\n", "Ledgora２２ Pro", "22.02.05"},
        {"value on the next line", kName + "\r\nLedgora\r\n", "", ""},
        {"first of two", kName + "A\r\n" + kName + "B\r\n", "A", ""},
        {"last line without line end", kVersion + "1.0", "", "1.0"},
        {"ctrl-z ends the value", kName + "AB\x1A" "CD\r\n", "AB", ""},
        {"label inside a line", "x" + kName + "A\r\n", "A", ""},
        {"blanks kept, lone CR and LF are text", kName + " A\rB\nC \r\n", " A\rB\nC ", ""},
        {"label cut by the line end", "[=製品\r\n名=]A\r\n", "", ""},
    };
    for (const auto& c : cases) {
        CMemoryPlatform platform;
        platform.AddFile(kFile, c.content);
        platform.AddFile("C:\\OTHER\\SUPPORT.INF", kName + "wrong folder\r\n");
        CSupportInfo support;
        EXPECT_EQ(support.GetProductName(), c.name) << c.what;
        EXPECT_EQ(support.GetProductVersion(), c.version) << c.what;
        EXPECT_TRUE(platform.boxes.empty()) << c.what;
    }
}

TEST(SupportInfoTest, ReadsOnlyTheFirst30000Bytes) {
    CMemoryPlatform platform;
    const std::string padding(30000 - kName.size() - 3, ' ');
    platform.AddFile(kFile, padding + kName + "ABCDEF\r\n" + kVersion + "2\r\n");
    CSupportInfo support;
    EXPECT_EQ(support.GetProductName(), "ABC");  // the 0xFF fill behind the content is no part of it
    EXPECT_EQ(support.GetProductVersion(), "");
}

TEST(SupportInfoTest, MissingOrUnreadableFileGivesEmptyTextsWithoutMessage) {
    CMemoryPlatform platform;
    CSupportInfo missing;
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.GetProductName(), "");
    EXPECT_TRUE(missing.Load()) << "the buffer stays held";

    platform.AddFile(kFile, kName + "A\r\n" + kVersion + "1\r\n");
    platform.SetUnreadable(kFile, true);
    CSupportInfo unreadable;
    EXPECT_EQ(unreadable.GetProductName(), "");
    platform.SetUnreadable(kFile, false);
    EXPECT_EQ(unreadable.GetProductVersion(), "") << "the file is read at most once";
    EXPECT_TRUE(platform.boxes.empty());
}

TEST(SupportInfoTest, FileIsReadOnce) {
    CMemoryPlatform platform;
    platform.AddFile(kFile, kName + "first\r\n" + kVersion + "1\r\n");
    CSupportInfo support;
    EXPECT_EQ(support.GetProductName(), "first");
    platform.AddFile(kFile, kName + "second\r\n" + kVersion + "2\r\n");
    EXPECT_EQ(support.GetProductVersion(), "1");
}

TEST(SupportInfoTest, NoMemoryShowsTheMessageOnEveryAttempt) {
    CMemoryPlatform platform;
    platform.AddFile(kFile, kName + "A\r\n");
    const auto previous = CSupportInfo::SetBufferAllocator([](size_t) -> char* { return nullptr; });
    {
        CSupportInfo support;
        EXPECT_EQ(support.GetProductName(), "");
        EXPECT_EQ(support.GetProductVersion(), "");
    }
    CSupportInfo::SetBufferAllocator(previous);
    ASSERT_EQ(platform.boxes.size(), 2u);
    for (const auto& message : platform.boxes) {
        EXPECT_EQ(message.text, "ﾒﾓﾘが不足しています。");
        EXPECT_EQ(message.caption, kAppTitle);
        EXPECT_EQ(message.style, static_cast<unsigned>(kMbOk));
    }
    CSupportInfo support;
    EXPECT_EQ(support.GetProductName(), "A");
}

}  // namespace
