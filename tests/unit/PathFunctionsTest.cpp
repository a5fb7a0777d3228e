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

}  // namespace
