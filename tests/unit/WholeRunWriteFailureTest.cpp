#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HostRun.h"

// The disk fails after every possible number of bytes, first of the report, then of the new settings
// file, in whole runs of the program. The shared settings file holds other users' lines throughout.
namespace {

using testsupport::CFailingDiskPlatform;
using testsupport::CConfirmingUi;
using testsupport::CRunOutcome;
using testsupport::DecliningBalanceAsset;
using testsupport::HostInstallation;
using testsupport::kFailureText;
using testsupport::kSuccessText;

const char kReportPath[] = "L:\\out\\report.xml";
const char kSettingsTemporary[] = "L:\\env\\LinkBeta.env.tmp";
// Two other users, then this user's earlier line, then a hand-edited last line without its line feed.
const std::string kOldSettings =
    "U02/D-0007:0/0/3/C:\\他人\\報告.xml\nU03/D-1:0/0/1/D:\\x.xml\nU01/D-3:0/0/2/L:\\old\\r.xml\nU04/last:0/0/5/E:\\y";

class WholeRunWriteFailureTest : public testsupport::HostRunTest {
protected:
    // One asset with remarks: every kind of report line at the fewest bytes, as each byte is one run;
    // parsed once for all of them.
    void SetUp() override {
        HostRunTest::SetUp();
        std::string error;
        const std::string json =
            HostInstallation("{}", "[" + DecliningBalanceAsset(u8R"("机")", u8R"("備考")") + "]");
        ASSERT_TRUE(hostsim::ParseInstallation(json, "", m_installation, error)) << error;
    }
    CRunOutcome RunWithLimit(const std::string& path, std::optional<size_t> limit) {
        std::remove((m_root + "/out/report.xml").c_str());
        WriteNative("env/LinkBeta.env", kOldSettings);
        return Run(m_installation, "", [&](CFailingDiskPlatform& platform, CConfirmingUi&) {
            if (limit) platform.writeLimits[path] = *limit;
        });
    }
    hostsim::Installation m_installation;
    static void ExpectOtherLinesKept(const std::string& settings) {
        for (const char* line : {"U02/D-0007:0/0/3/C:\\他人\\報告.xml\n", "U03/D-1:0/0/1/D:\\x.xml\n",
                                 "U04/last:0/0/5/E:\\y\n"})
            EXPECT_NE(settings.find(line), std::string::npos) << line;
    }
};

TEST_F(WholeRunWriteFailureTest, ReportFailingAtEveryByteEndsFailedAndLeavesTheSettingsAlone) {
    const CRunOutcome full = RunWithLimit(kReportPath, std::nullopt);
    ASSERT_EQ(full.result, Success);
    const std::string report = ReadNative("out/report.xml").value_or("");
    ASSERT_GT(report.size(), 1000u);  // the record is there
    size_t cases = 0;
    for (size_t limit = 0; limit <= report.size(); ++limit) {
        SCOPED_TRACE(limit);
        const CRunOutcome outcome = RunWithLimit(kReportPath, limit);
        const bool fits = limit == report.size();
        EXPECT_EQ(outcome.result, fits ? Success : Failed);
        EXPECT_EQ(outcome.messages, std::vector<std::string>{fits ? kSuccessText : kFailureText});
        EXPECT_EQ(ReadNative("out/report.xml"), report.substr(0, limit));
        if (!fits) {
            // Nothing is remembered from a run that failed.
            EXPECT_EQ(ReadNative("env/LinkBeta.env"), kOldSettings);
            EXPECT_EQ(FilesLeft(), (std::vector<std::string>{"env/LinkBeta.env", "out/report.xml",
                                                             "prog/FilvaneDef.ini"}));
        }
        EXPECT_EQ(hostsim::OpenCursorCount(), 0);
        EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
        if (HasFailure()) break;
        ++cases;
    }
    RecordProperty("cases", static_cast<int>(cases));
    EXPECT_EQ(cases, report.size() + 1);
}

}  // namespace
