#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MemoryPlatform.h"
#include "ui/DestinationValidation.h"

namespace {

const char kCreateFailed[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
constexpr WindowHandle kDialog = 0x1234;

class DestinationTest : public ::testing::Test {
protected:
    DestinationTest() {
        disk.MapDrive('C', DriveKind::Fixed);
        disk.AddShare("\\\\srv\\share");
        disk.AddFolder("C:\\Out");
    }
    testsupport::CMemoryPlatform disk;
};

TEST_F(DestinationTest, SecondMissingLevelFailingRemovesTheFirstAgain) {
    disk.FailMakeFolder("C:\\Out\\new\\deep");
    disk.answers = {kIdYes};
    EXPECT_EQ(ValidateDestination(kDialog, "C:\\Out\\new\\deep\\a.xml", ""), DestinationVerdict::Refused);
    ASSERT_EQ(disk.boxes.size(), 2u);
    EXPECT_EQ(disk.boxes[1].text, kCreateFailed);
    const std::vector<std::string> expected = {"make C:\\Out\\new\\", "make C:\\Out\\new\\deep\\",
                                               "remove C:\\Out\\new\\"};
    EXPECT_EQ(disk.folderLog, expected);
    EXPECT_FALSE(disk.HasFolder("C:\\Out\\new"));
    EXPECT_TRUE(disk.HasFolder("C:\\Out"));

    disk.folderLog.clear();
    disk.boxes.clear();
    disk.answers = {kIdYes};
    EXPECT_EQ(ValidateDestination(kDialog, "C:\\Out\\two\\levels\\a.xml", ""), DestinationVerdict::Accepted);
    EXPECT_EQ(disk.folderLog, (std::vector<std::string>{"make C:\\Out\\two\\", "make C:\\Out\\two\\levels\\"}));
    EXPECT_EQ(disk.boxes.size(), 1u);
}

TEST_F(DestinationTest, FolderChainOnRootsAndItsLimits) {
    EXPECT_TRUE(CreateFolderChain("\\\\srv\\share\\a\\b\\"));
    EXPECT_TRUE(disk.HasFolder("\\\\srv\\share\\a\\b"));
    EXPECT_TRUE(CreateFolderChain("C:\\x\\name.xml"));   // the name part is dropped
    EXPECT_TRUE(disk.HasFolder("C:\\x"));
    EXPECT_FALSE(disk.HasFolder("C:\\x\\name.xml"));
    EXPECT_FALSE(CreateFolderChain(""));
    EXPECT_FALSE(CreateFolderChain("\\\\srv\\"));
    EXPECT_FALSE(CreateFolderChain("\\top\\"));
    EXPECT_FALSE(CreateFolderChain("C:\\" + std::string(257, 'a') + "\\"));   // 261 bytes
    EXPECT_FALSE(CreateFolderChain("C:\\" + std::string(256, 'a') + "/"));    // no room for the backslash
    EXPECT_TRUE(CreateFolderChain("C:\\" + std::string(256, 'b') + "\\"));
    EXPECT_TRUE(disk.HasFolder("C:\\" + std::string(256, 'b')));
}

}  // namespace
