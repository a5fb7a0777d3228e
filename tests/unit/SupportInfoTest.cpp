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
        {"empty file", "", "", ""},
        {"one byte", "[", "", ""},
        {"value ending in a lead byte", kName + "大きな製品\x81\r\n", "大きな製品\x81", ""},
        {"only the first 30000 bytes are read", std::string(29990, 'f') + "\r\n" + kName + "A\r\n", "", ""},
        {"labels after 1 MiB", std::string(1u << 20, 'f') + "\r\n" + kName + "A\r\n", "", ""},
        {"1 MiB without line ends", std::string(1u << 20, '['), "", ""},
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

}  // namespace
