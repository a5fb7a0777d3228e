#include <gtest/gtest.h>

#include <string>

#include "platform/WindowsPath.h"
#include "support/MemoryPlatform.h"

// What the scenarios and the path fuzz target cannot reach: the closing backslash of a split folder
// (both platforms take a folder with or without it alike) and a network share (the stand-in machine
// has none).
namespace {

TEST(WindowsPath, DriveAndFolderOfDropsTheNameAndKeepsABareDrive) {
    std::string folder;
    EXPECT_TRUE(DriveAndFolderOf("C:\\a\\b.xml", folder));
    EXPECT_EQ(folder, "C:\\a\\");
    EXPECT_TRUE(DriveAndFolderOf("C:", folder));
    EXPECT_EQ(folder, "C:");
}

TEST(WindowsPath, FolderChainBelowANetworkShare) {
    testsupport::CMemoryPlatform disk;
    disk.AddShare("\\\\srv\\share");
    EXPECT_TRUE(CreateFolderChain("\\\\srv\\share\\a\\"));
    EXPECT_TRUE(disk.IsDirectory("\\\\srv\\share\\a"));
}

}  // namespace
