#include <gtest/gtest.h>

#include <string>

#include "editions/Edition.h"
#include "hostsim/HostSim.h"
#include "settings/SavedSettings.h"
#include "support/MemoryPlatform.h"

namespace {

// A settings file of 16 MiB, the most the program reads, is read whole, its last line included. A
// scenario would need such a file on disk for every run.
TEST(SavedSettingsTest, FileOf16MiBIsReadWhole) {
    testsupport::CMemoryPlatform disk;
    hostsim::Installation installation;
    installation.user = {"U01", 1, 3};
    installation.appFolders[1] = "C:\\Ledgora\\Env\\";
    installation.dataFiles.resize(1);
    installation.dataFiles[0].dataId = "D-0003";
    installation.dataFiles[0].dataNo = 3;
    hostsim::UseInstallation(installation);
    const std::string entry = "U01/D-0003:0/0/4/C:\\far.xml";  // last, without a line end
    const std::string filler = std::string(16u * 1024 * 1024 - entry.size() - 1, 'x') + "\n";
    disk.AddFile("C:\\Ledgora\\Env\\LinkBeta.env", filler + entry);
    OutputCategory category = AllCategories;
    std::string path;
    EXPECT_TRUE(CSavedSettings(kEditionBeta).Read(category, path));
    EXPECT_EQ(category, 4);
    EXPECT_EQ(path, "C:\\far.xml");
    hostsim::Reset();
}

}  // namespace
