#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/ScriptedDiskPlatform.h"
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
    testsupport::CScriptedDiskPlatform disk;
};

struct ValidateCase {
    std::string path;
    std::string fixed;
    std::vector<int> answers;
    DestinationVerdict verdict;
    std::vector<Box> boxes;
};

TEST_F(DestinationTest, ValidateRefusesInItsFixedOrder) {
    const auto kOk = DestinationVerdict::Accepted;
    const auto kNo = DestinationVerdict::Refused;
    const ValidateCase cases[] = {
        {"", "", {}, kNo, {{kNoPath, kWarn}}},
        {"", "C:\\Host\\a.xml", {}, kNo, {{kNoPath, kWarn}}},
        {"C:\\Out\\*.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"C:?a.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"C:\\Out\\\\a.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"C:\\Out\\a,b.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"C:\\" + std::string(258, 'a'), "", {}, kNo, {{kBadChar, kWarn}}},   // beyond 260 bytes
        {"\\\\srv\\share\\\\a.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"\\\\srv\\share\\a:b.xml", "", {}, kNo, {{kBadChar, kWarn}}},
        {"C:\\Out\\" + kPo + ".xml", "", {}, kOk, {}},
        {"D:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"R:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"Q:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"U:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"F:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},   // removable, write-protected
        {"1:\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"out.xml", "", {}, kNo, {{kBadDrive, kWarn}}},      // 'o' taken as the drive letter
        {"n:\\a.xml", "", {}, kOk, {}},
        {"\\\\srv\\share\\a.xml", "", {}, kOk, {}},
        {"\\\\srv\\gone\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"\\\\srv\\a.xml", "", {}, kNo, {{kBadDrive, kWarn}}},
        {"C:\\Out\\", "", {}, kNo, {{kNoName, kWarn}}},
        {"C:\\Out", "", {}, kNo, {{kNoName, kWarn}}},
        {"C:\\Out", "C:\\Out", {}, kOk, {}},
        {"C:\\Out\\old.xml", "", {kIdYes}, kOk, {{kOverwrite, kAsk}}},
        {"C:\\Out\\old.xml", "", {kIdNo}, kNo, {{kOverwrite, kAsk}}},
        {"C:\\Out\\old.xml", "C:\\Out\\old.xml", {}, kOk, {}},
        {"C:\\Out\\" + kSo, "", {}, kOk, {}},
        {"C:\\New\\a.xml", "", {kIdNo}, kNo, {{kCreate, kAsk}}},
        {"cout\\a.xml", "", {kIdYes}, kNo, {{kCreate, kAsk}, {kCreateFailed, kWarn}}},   // relative folder
        {"C:\\Out\\" + kHyou + "\\a.xml", "", {kIdYes}, kOk, {{kCreate, kAsk}}},
    };
    for (const ValidateCase& c : cases) {
        SCOPED_TRACE(c.path + " fixed " + c.fixed);
        disk.boxes.clear();
        disk.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(ValidateDestination(kDialog, c.path, c.fixed), c.verdict);
        ASSERT_EQ(disk.boxes.size(), c.boxes.size());
        for (size_t i = 0; i < c.boxes.size(); ++i) {
            EXPECT_EQ(disk.boxes[i].text, c.boxes[i].text);
            EXPECT_EQ(disk.boxes[i].style, c.boxes[i].style);
            EXPECT_EQ(disk.boxes[i].caption, "所得税(減価償却)");
            EXPECT_EQ(disk.boxes[i].owner, kDialog);
        }
        EXPECT_TRUE(disk.answers.empty());
    }
    EXPECT_TRUE(disk.HasFolder("C:\\Out\\" + kHyou));
    EXPECT_FALSE(disk.HasFolder("C:\\New"));
    EXPECT_EQ(disk.FileContent("C:\\Out\\old.xml"), "x");
    const std::vector<std::string>& roots = disk.driveQueries;
    EXPECT_NE(std::find(roots.begin(), roots.end(), "N:\\"), roots.end());   // upper-case root
}

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

TEST_F(DestinationTest, RemoveCreatedFoldersNeverTouchesWhatExistedBefore) {
    disk.AddFolder("C:\\Out\\a\\b\\c");
    const std::string other = "D:\\Out\\";
    const std::string notLeading = "C:\\Else\\";
    RemoveCreatedFolders("C:\\Out\\a\\b\\c\\", &other);
    RemoveCreatedFolders("C:\\Out\\a\\b\\c\\", &notLeading);
    EXPECT_TRUE(disk.folderLog.empty());

    disk.FailRemoveFolder("C:\\Out\\a\\b");
    const std::string last = "c:\\out\\";
    RemoveCreatedFolders("C:\\Out\\a\\b\\c\\", &last);
    EXPECT_EQ(disk.folderLog, (std::vector<std::string>{"remove C:\\Out\\a\\b\\c\\", "remove C:\\Out\\a\\b\\"}));
    EXPECT_TRUE(disk.HasFolder("C:\\Out\\a"));

    disk.folderLog.clear();
    disk.AddFolder("C:\\Lone");
    RemoveCreatedFolders("C:\\Lone\\gone\\", nullptr);   // up to the root, which stays
    EXPECT_EQ(disk.folderLog, (std::vector<std::string>{"remove C:\\Lone\\"}));
}

TEST(DestinationBrowse, ProposesFolderAndNameFromTheEditText) {
    struct {
        std::string edit, folder, name;
    } cases[] = {
        {"C:\\Out\\a.xml", "C:\\Out\\", "a.xml"},
        {"C:a.xml", "C:", "a.xml"},
        {"a.xml", "", "a.xml"},
        {"C:\\Out\\" + kHyou, "C:\\Out\\", kHyou},
        {"C:\\Out\\*.xml", "C:\\Out\\", "*.xml"},
    };
    for (auto& c : cases) {
        const SaveDialogStart start = SaveDialogStartOf(c.edit);
        EXPECT_EQ(start.initialFolder, c.folder) << c.edit;
        EXPECT_EQ(start.proposedName, c.name) << c.edit;
    }
}

}  // namespace
