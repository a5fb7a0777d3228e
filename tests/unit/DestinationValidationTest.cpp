#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/MemoryPlatform.h"
#include "ui/DestinationValidation.h"

namespace {

const char kNoPath[] = "データ出力先が指定されていません。\n\n出力先を指定してください。";
const char kBadChar[] = "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
const char kBadDrive[] = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
const char kNoName[] = "ファイル名が指定されていません。";
const char kCreate[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
const char kCreateFailed[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
const char kOverwrite[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";
constexpr unsigned kWarn = kMbOk | kMbIconWarning;
constexpr unsigned kAsk = kMbYesNo | kMbIconQuestion;
constexpr WindowHandle kDialog = 0x1234;

// 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte; ポ (0x83 0x7C) ends in a '|' byte.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
const std::string kPo = "\x83\x7C";

struct Box {
    std::string text;
    unsigned style;
};

class DestinationTest : public ::testing::Test {
protected:
    DestinationTest() {
        disk.MapDrive('C', DriveKind::Fixed);
        disk.MapDrive('D', DriveKind::CdRom);
        disk.MapDrive('R', DriveKind::RamDisk);
        disk.MapDrive('F', DriveKind::Removable, false);
        disk.MapDrive('N', DriveKind::Remote);
        disk.MapDrive('U', DriveKind::Unknown);
        disk.AddShare("\\\\srv\\share");
        disk.AddFolder("C:\\Out");
        disk.AddFile("C:\\Out\\old.xml", "x");
    }
    testsupport::CMemoryPlatform disk;
};

struct ValidateCase {
    std::string path;
    std::string fixed;
    std::vector<int> answers;
    DestinationVerdict verdict;
    std::vector<Box> boxes;
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
