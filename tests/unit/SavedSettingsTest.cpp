#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editions/Edition.h"
#include "hostsim/HostSim.h"
#include "settings/SavedSettings.h"
#include "support/MemoryPlatform.h"

namespace {

const char kBetaFile[] = "C:\\Ledgora\\Env\\LinkBeta.env";

class SavedSettingsTest : public ::testing::Test {
protected:
    SavedSettingsTest() {
        disk.MapDrive('C', DriveKind::Fixed);
        As("U01", 1, 3);
    }
    ~SavedSettingsTest() override { hostsim::Reset(); }

    // The logged-in user, the set number and the selected data file (3: D-0003, 4: D-0004).
    void As(const std::string& user, int setNo, int dataNo) {
        hostsim::Installation inst;
        inst.user = {user, setNo, dataNo};
        inst.appFolders[1] = "C:\\Ledgora\\Env\\";
        for (int no : {3, 4}) {
            hostsim::DataFile data;
            data.dataId = "D-000" + std::to_string(no);
            data.dataNo = no;
            inst.dataFiles.push_back(data);
        }
        hostsim::UseInstallation(inst);
    }
    bool Save(const CEdition& edition, int category, const std::optional<std::string>& path) {
        return CSavedSettings(edition).Save(static_cast<OutputCategory>(category), path, 0, 0);
    }
    // Category and path read for the current user, or -1 when nothing is found.
    std::pair<int, std::string> Read(const CEdition& edition) {
        OutputCategory category = AllCategories;
        std::string path = "junk";
        const bool found = CSavedSettings(edition).Read(category, path);
        if (!found) {
            EXPECT_TRUE(category == 0 && path.empty());
        }
        return {found ? category : -1, path};
    }

    testsupport::CMemoryPlatform disk;
};

TEST_F(SavedSettingsTest, KeyMatchesOnlyAtTheStartOfALine) {
    const std::string others = "XU01/D-0003:0/0/6/C:\\suffix.xml\nbad line\n";
    disk.AddFile(kBetaFile, others);
    EXPECT_EQ(Read(kEditionBeta).first, -1);   // "XU01" is another user
    disk.AddFile(kBetaFile, others + "U01/D-0003:9/9/3/C:\\mine.xml");
    EXPECT_EQ(Read(kEditionBeta), std::make_pair(3, std::string("C:\\mine.xml")));

    disk.AddFile(kBetaFile, others + "U01/D-0003:0/0/\nU02/D-0003:0/0/4/C:\\u2.xml\n");
    CSavedSettings settings(kEditionBeta);
    OutputCategory category;
    std::string path;
    EXPECT_FALSE(settings.Read(category, path));   // a value needs three slashes
    EXPECT_TRUE(settings.Save(GeneralOnly, std::nullopt, 0, 0));
    EXPECT_EQ(disk.FileContent(kBetaFile), others + "U02/D-0003:0/0/4/C:\\u2.xml\nU01/D-0003:0/0/1/\n");
}

TEST_F(SavedSettingsTest, FileOf16MiBIsReadWholeAndALargerOneNotAtAll) {
    const std::string entry = "U01/D-0003:0/0/4/C:\\far.xml";  // last, without a line end
    const std::string filler = std::string(16u * 1024 * 1024 - entry.size() - 1, 'x') + "\n";
    disk.AddFile(kBetaFile, filler + entry);
    EXPECT_EQ(Read(kEditionBeta), std::make_pair(4, std::string("C:\\far.xml")));
    disk.AddFile(kBetaFile, "x" + filler + entry);
    EXPECT_EQ(Read(kEditionBeta).first, -1);
}

TEST_F(SavedSettingsTest, MissingFolderIsCreatedForTheFirstSave) {
    EXPECT_TRUE(Save(kEditionBeta, 2, "C:\\a.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile).value_or(""), "U01/D-0003:0/0/2/C:\\a.xml\n");
}

}  // namespace
