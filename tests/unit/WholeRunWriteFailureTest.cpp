#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/LinkApp.h"
#include "editions/Edition.h"
#include "headless/HeadlessRunUi.h"
#include "hostsim/HostSim.h"
#include "support/MemoryPlatform.h"

// The disk fails after every possible number of bytes of the report, in whole runs of LinkBeta on
// the in-memory machine. The shared settings file holds other users' lines throughout.
namespace {

using testsupport::CMemoryPlatform;

const char kReportPath[] = "C:\\OUT\\report.xml";
const char kSettingsPath[] = "C:\\ENV\\LinkBeta.env";
// Two other users, then this user's earlier line, then a hand-edited last line without its line feed.
const std::string kOldSettings =
    "U02/D-0007:0/0/3/C:\\他人\\報告.xml\nU03/D-1:0/0/1/D:\\x.xml\nU01/D-3:0/0/2/L:\\old\\r.xml\nU04/last:0/0/5/E:\\y";

// One data file with one declining-balance asset with remarks: every kind of report line at the
// fewest bytes, as each byte is one run. Its figures ask the host for the period and the era.
const char kInstallation[] = u8R"({ "packageName": "Ledgora２２", "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
  "appFolders": { "0": "C:\\OUT\\", "1": "C:\\ENV\\" },
  "eras": [ { "start": 19890108, "name": "平成" }, { "start": 20190501, "name": "令和" } ],
  "dataFiles": [ { "dataId": "D-3", "dataNo": 3, "businessName": "三", "periodFrom": 20240101,
    "periodTo": 20241231, "businessKind": 6, "roundingMode": 2, "assets": [ { "kind": 1, "name": "机",
    "quantity": "1台", "remarks": "備考", "acquisitionDate": 20220415, "acquisitionCost": "2400000",
    "openingBookValue": "1200000", "method": 8, "usefulLife": 6, "rate": 333, "businessUseRatio": 10000,
    "monthsDepreciated": 12, "depreciationBase": "1200000", "yearEndBalance": "800400", "category": 1,
    "year": { "ordinaryDepreciation": "399600", "includedInExpenses": "399600" } } ] } ] })";

RunResult RunLinkBeta(CMemoryPlatform& platform, const hostsim::Installation& installation) {
    platform.AddFile("C:\\PROGRAM\\FilvaneDef.ini", "");
    platform.profileValue = "2";
    platform.AddFolder("C:\\OUT");
    platform.AddFile(kSettingsPath, kOldSettings);
    hostsim::UseInstallation(installation);
    // The user confirms the conditions dialog with every category and the report path.
    CHeadlessOptions options;
    options.category = 7;
    options.hasOutput = true;
    options.output = kReportPath;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> unread(std::tmpfile(), std::fclose);
    CTranscript transcript(unread.get());
    CHeadlessRunUi ui(options, transcript);
    CLinkApp app(kEditionBeta, ui);
    app.InitInstance("");
    app.ExitInstance();
    return app.result;
}

TEST(WholeRunWriteFailureTest, ReportFailingAtEveryByteEndsFailedAndLeavesTheSettingsAlone) {
    hostsim::Installation installation;
    std::string error;
    ASSERT_TRUE(hostsim::ParseInstallation(kInstallation, "", installation, error)) << error;
    std::string report;
    {
        CMemoryPlatform platform;
        ASSERT_EQ(RunLinkBeta(platform, installation), Success);
        report = platform.FileContent(kReportPath).value_or("");
        ASSERT_NE(report.find("<TEKIYOU_JYOUDAN>備考</TEKIYOU_JYOUDAN>"), std::string::npos);
    }
    for (size_t limit = 0; limit <= report.size(); ++limit) {
        SCOPED_TRACE(limit);
        CMemoryPlatform platform;
        platform.writeLimit = limit;
        const bool fits = limit == report.size();
        EXPECT_EQ(RunLinkBeta(platform, installation), fits ? Success : Failed);
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text, fits ? "減価償却の集計結果を正常に出力しました。"
                                               : "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。");
        EXPECT_EQ(platform.FileContent(kReportPath), report.substr(0, limit));
        EXPECT_EQ(platform.writesAfterFailure, 0u);
        if (!fits) {
            // Nothing is remembered from a run that failed, and no temporary file stays.
            EXPECT_EQ(platform.FileContent(kSettingsPath), kOldSettings);
            EXPECT_EQ(platform.FileCount(), 3u);
        }
        EXPECT_EQ(hostsim::OpenCursorCount(), 0);
        EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
        if (HasFailure()) break;
    }
    hostsim::Reset();
}

}  // namespace
