#include <gtest/gtest.h>

#include <string>

#include "support/MemoryPlatform.h"
#include "ui/PathFunctions.h"

namespace {

// 表 (0x95 0x5C) ends in a backslash byte; ポ (0x83 0x7C) ends in a '|' byte.
const std::string kHyou = "\x95\x5C";

struct SplitCase {
    std::string path, folder, fileName, drive, afterDrive;
};

TEST(PathFunctions, SplitsAtTheLastSeparatorOfItsOwn) {
    const SplitCase cases[] = {
        {"C:\\out\\a.xml", "C:\\out\\", "a.xml", "C:", "\\out\\a.xml"},
        {"out.xml", "", "out.xml", "", "out.xml"},
        {"C:out.xml", "", "C:out.xml", "C:", "out.xml"},
        {"C:\\out\\", "C:\\out\\", "", "C:", "\\out\\"},
        {"C:\\" + kHyou, "C:\\", kHyou, "C:", "\\" + kHyou},
        {"C:\\" + kHyou + "\\" + kHyou + "x", "C:\\" + kHyou + "\\", kHyou + "x", "C:", "\\" + kHyou + "\\" + kHyou + "x"},
        {"\\\\srv\\share\\a.xml", "\\\\srv\\share\\", "a.xml", "", "\\\\srv\\share\\a.xml"},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.fileName) << c.path;
        EXPECT_EQ(DriveOf(c.path), c.drive) << c.path;
        EXPECT_EQ(AfterDrive(c.path), c.afterDrive) << c.path;
    }
    EXPECT_TRUE(IsInsideDoubleByte("a" + kHyou, 2));
    EXPECT_FALSE(IsInsideDoubleByte("a\\" + kHyou, 1));
}

TEST(PathFunctions, EnsureTrailingBackslashKeepsWithinTheLimit) {
    const std::string long259(259, 'a');
    struct {
        std::string text;
        size_t limit;
        bool ok;
        std::string expected;
    } cases[] = {
        {"", 261, false, ""},
        {"C:\\a", 261, true, "C:\\a\\"},
        {"C:\\a\\", 5, true, "C:\\a\\"},            // already ends in one: no room needed
        {"C:\\" + kHyou, 261, true, "C:\\" + kHyou + "\\"},
        {"ab", 4, true, "ab\\"},
        {"abc", 4, false, "abc"},
        {long259, 261, true, long259 + "\\"},
        {long259 + "a", 261, false, long259 + "a"},
    };
    for (auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(EnsureTrailingBackslash(text, c.limit), c.ok) << c.text << " " << c.limit;
        EXPECT_EQ(text, c.expected) << c.text << " " << c.limit;
    }
}

TEST(PathFunctions, DriveAndFolderOfSplitsLikeSplitpath) {
    struct {
        std::string path;
        bool ok;
        std::string expected;
    } cases[] = {
        {"C:\\a\\b.xml", true, "C:\\a\\"},
        {"C:\\a\\", true, "C:\\a\\"},
        {"C:out.xml", true, "C:\\"},
        {"C:", true, "C:"},
        {"out.xml", false, ""},
        {"\\\\srv\\sh\\f.xml", true, "\\\\srv\\sh\\"},
        {"C:\\a\\" + kHyou, true, "C:\\a\\"},
        {"C:\\a/b.xml", true, "C:\\a/\\"},
        {"C:\\" + std::string(257, 'a'), true, "C:\\"},
        {"C:\\" + std::string(258, 'a'), false, ""},
    };
    for (auto& c : cases) {
        std::string folder = "junk";
        EXPECT_EQ(DriveAndFolderOf(c.path, folder), c.ok) << c.path;
        EXPECT_EQ(folder, c.expected) << c.path;
    }
}

TEST(PathFunctions, FolderExistsLooksAtTheFolderPart) {
    testsupport::CMemoryPlatform disk;
    disk.MapDrive('C', DriveKind::Fixed);
    disk.AddFolder("C:\\Out");
    EXPECT_TRUE(FolderExists("C:\\Out\\" + kHyou));   // a trail 0x5C does not make it a folder name
    EXPECT_FALSE(FolderExists("C:\\Out\\" + kHyou + "\\a.xml"));
    EXPECT_FALSE(FolderExists("C:\\Missing\\a.xml"));
    EXPECT_FALSE(FolderExists("out.xml"));
}

}  // namespace
