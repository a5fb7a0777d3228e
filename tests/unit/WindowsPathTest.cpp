#include <gtest/gtest.h>

#include <string>

#include "support/MemoryPlatform.h"
#include "ui/DestinationValidation.h"
#include "platform/WindowsPath.h"

// What the scenarios cannot reach: the browse dialog's start (Browse is pressed under Wine only), the
// closing backslash of a split folder (both platforms take a folder with or without it alike) and a
// network share (the stand-in machine has none).
namespace {

TEST(WindowsPath, BrowseStartsOnTheDriveOfADriveRelativeName) {
    EXPECT_EQ(DriveOf("C:name.xml"), "C:");
    EXPECT_EQ(AfterDrive("C:name.xml"), "name.xml");
}

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
    EXPECT_TRUE(disk.HasFolder("\\\\srv\\share\\a"));
}

}  // namespace
