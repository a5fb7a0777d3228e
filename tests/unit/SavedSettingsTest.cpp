#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "editions/Edition.h"
#include "hostsim/HostSim.h"
#include "settings/SavedSettings.h"
#include "support/MemoryPlatform.h"

namespace {

const char kBetaFile[] = "C:\\Ledgora\\Env\\LinkBeta.env";
const char kAlphaFile[] = "C:\\Ledgora\\Env\\LinkAlpha.env";

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

TEST_F(SavedSettingsTest, SavingWithoutAPathKeepsThePathThatWasRead) {
    disk.AddFile(kBetaFile, "U01/D-0003:0/0/3/C:\\kept.xml\nU02/D-0003:0/0/1/C:\\other.xml");
    CSavedSettings settings(kEditionBeta);
    OutputCategory category;
    std::string path;
    ASSERT_TRUE(settings.Read(category, path));
    EXPECT_TRUE(settings.Save(RealEstateOnly, std::nullopt, 0, 0));
    // The hand-edited last line gets its line feed so that the entry starts a line of its own.
    EXPECT_EQ(disk.FileContent(kBetaFile), "U02/D-0003:0/0/1/C:\\other.xml\nU01/D-0003:0/0/2/C:\\kept.xml\n");
}

TEST_F(SavedSettingsTest, FailedRewriteLeavesTheOldFileAsItWas) {
    const std::string u2 = "U02/D-0003:0/0/2/C:\\u2.xml\n";
    const std::string u3 = "U03/D-0004:0/0/7/C:\\u3.xml\n";
    const std::string old = u2 + "U01/D-0003:0/0/1/C:\\old.xml\n" + u3;
    const std::string rewritten = u2 + u3 + "U01/D-0003:0/0/3/C:\\new.xml\n";
    disk.AddFile(kBetaFile, old);
    for (size_t limit = 0; limit < rewritten.size(); ++limit) {
        disk.writeLimit = limit;
        EXPECT_FALSE(Save(kEditionBeta, 3, "C:\\new.xml")) << limit;
        EXPECT_EQ(disk.FileContent(kBetaFile), old) << limit;
        EXPECT_EQ(disk.FileCount(), 1u) << limit;
    }
    disk.writeLimit = rewritten.size();
    disk.failMove = true;
    EXPECT_FALSE(Save(kEditionBeta, 3, "C:\\new.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile), old);
    EXPECT_EQ(disk.FileCount(), 1u);
    disk.failMove = false;
    disk.failFlush = true;   // written, but the system cannot promise it is on the disk
    EXPECT_FALSE(Save(kEditionBeta, 3, "C:\\new.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile), old);
    EXPECT_EQ(disk.FileCount(), 1u);
    disk.failFlush = false;
    EXPECT_TRUE(Save(kEditionBeta, 3, "C:\\new.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile), rewritten);
}

TEST_F(SavedSettingsTest, FileBeyond32767BytesIsHandledWhole) {
    std::string before;
    for (int i = 0; before.size() <= 33000; ++i)
        before += "USER" + std::to_string(i) + "/D-0003:0/0/1/C:\\" + std::string(200, 'p') + ".xml\n";
    const std::string after = "LAST/D-0003:0/0/1/C:\\z.xml\n";
    disk.AddFile(kBetaFile, before + "U01/D-0003:0/0/4/C:\\far.xml\n" + after);
    EXPECT_EQ(Read(kEditionBeta), std::make_pair(4, std::string("C:\\far.xml")));
    EXPECT_TRUE(Save(kEditionBeta, 6, "C:\\far.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile), before + after + "U01/D-0003:0/0/6/C:\\far.xml\n");
}

TEST_F(SavedSettingsTest, FileOf16MiBIsReadWholeAndALargerOneNotAtAll) {
    const std::string entry = "U01/D-0003:0/0/4/C:\\far.xml";  // last, without a line end
    const std::string filler = std::string(16u * 1024 * 1024 - entry.size() - 1, 'x') + "\n";
    disk.AddFile(kBetaFile, filler + entry);
    EXPECT_EQ(Read(kEditionBeta), std::make_pair(4, std::string("C:\\far.xml")));
    disk.AddFile(kBetaFile, "x" + filler + entry);
    EXPECT_EQ(Read(kEditionBeta).first, -1);
}

TEST_F(SavedSettingsTest, RefusesWhatCannotBeStoredSafely) {
    EXPECT_FALSE(Save(kEditionBeta, 1, "C:\\" + std::string(258, 'p')));   // 261-byte path
    EXPECT_FALSE(Save(kEditionBeta, 1, std::string("C:\\a\nb.xml")));
    As(std::string(44, 'u'), 1, 3);                                         // key of 52 bytes
    EXPECT_FALSE(Save(kEditionBeta, 1, "C:\\a.xml"));
    EXPECT_EQ(Read(kEditionBeta).first, -1);
    EXPECT_FALSE(disk.FileContent(kBetaFile).has_value());
    As(std::string(43, 'u'), 1, 3);                                         // key of 51 bytes
    EXPECT_TRUE(Save(kEditionBeta, 1, "C:\\" + std::string(257, 'p')));
    EXPECT_EQ(Read(kEditionBeta).second.size(), 260u);
}

TEST_F(SavedSettingsTest, MissingFolderIsCreatedForTheFirstSave) {
    EXPECT_TRUE(Save(kEditionBeta, 2, "C:\\a.xml"));
    EXPECT_EQ(disk.FileContent(kBetaFile).value_or(""), "U01/D-0003:0/0/2/C:\\a.xml\n");
}

TEST_F(SavedSettingsTest, FolderThatCannotBeCreatedLosesTheUpdateSilently) {
    disk.FailMakeFolder("C:\\Ledgora\\Env");
    EXPECT_FALSE(Save(kEditionGamma, 1, "C:\\a.xml"));
    EXPECT_FALSE(disk.HasFolder("C:\\Ledgora"));   // the first level is removed again
    EXPECT_EQ(disk.FileCount(), 0u);
    EXPECT_TRUE(disk.boxes.empty());
}

}  // namespace
