#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WholeRun.h"

// The disk fails after every possible number of bytes of the report, in whole runs of the program.
// The shared settings file holds other users' lines throughout.
namespace {

using namespace testsupport;

// Two other users, then this user's earlier line, then a hand-edited last line without its line feed.
const std::string kOldSettings =
    "U02/D-0007:0/0/3/C:\\他人\\報告.xml\nU03/D-1:0/0/1/D:\\x.xml\nU01/D-3:0/0/2/L:\\old\\r.xml\nU04/last:0/0/5/E:\\y";

TEST(WholeRunWriteFailureTest, ReportFailingAtEveryByteEndsFailedAndLeavesTheSettingsAlone) {
    // One asset with remarks: every kind of report line at the fewest bytes, as each byte is one run.
    const hostsim::Installation installation =
        ParsedInstallation(HostInstallation("{}", DecliningBalanceAsset(u8"机", u8"備考")));
    std::string report;
    for (size_t limit = 0; limit <= report.size(); ++limit) {
        SCOPED_TRACE(limit);
        const bool measuring = report.empty();   // the first run has no limit and gives the whole report
        CMemoryPlatform platform;
        platform.AddFile(kSettingsPath, kOldSettings);
        if (!measuring) platform.writeLimit = limit;
        RunResult result = Failed;
        RunWholeProgram(platform, installation, "", result);
        if (measuring) {
            report = platform.FileContent(kReportPath).value_or("");
            ASSERT_GT(report.size(), 1000u);   // the record is there
            limit = static_cast<size_t>(-1);
            continue;
        }
        const bool fits = limit == report.size();
        EXPECT_EQ(result, fits ? Success : Failed);
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_EQ(platform.boxes[0].text, fits ? kSuccessText : kFailureText);
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
