#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/WholeRun.h"

// Every fault point of the stand-in host under every status class: the status 0, 5000 (no data), an
// ordinary error (12), and 12 that the host calls fatal. Each row gives what the run must end with:
// the posted result, the messages shown, the files left, the last error recorded with the host and
// whether the era reached the report.
namespace {

using namespace testsupport;

enum class End {
    Report,          // success: success message, report with the asset, settings saved
    EmptyReport,     // success: report without records, settings saved
    NotStarted,      // the host did not start: nothing posted, nothing shown
    Refused,         // failed before the dialog: Failed posted, nothing shown, no file
    Cancelled,       // the host cancelled the hand-over
    ReportFailed,    // failed after the dialog: failure message, no file
};

struct FaultRow {
    const char* point;         // host operation the fault is on
    const char* reached;       // call-log prefix that shows the run reached it
    const char* faults;        // the "faults" object, "%" standing for the status
    End end;                   // for statuses 5000, 12 and fatal 12 (0 always gives Report)
    End endNoData;             // for 5000 where it differs from `end`
    bool hostMessageIfFatal;   // the host shows its error message when 12 is fatal
    const char* lastErrors;    // line the error is recorded with for 5000|12|fatal 12; empty: none
    bool eraLostOnError;       // the acquisition era is missing from the report
};

const FaultRow kRows[] = {
    {"Initiate", "ClAccConnect::Initiate", R"({"Initiate": %})", End::NotStarted, End::NotStarted, false, "||", false},
    {"ExpSysLink", "ClAccConnect::ExpSysLink", R"({"ExpSysLink": %})", End::Refused, End::Refused, false, "||", false},
    {"ReadyDat", "ClSetData::ReadyDat", R"({"ReadyDat": %})", End::Refused, End::Refused, false, "||", false},
    {"WalkDat first", "ClSetData::WalkDat", R"({"WalkDat": {"after": 0, "status": %}})", End::Refused, End::Refused,
     false, "||", false},
    {"WalkDat selected", "ClSetData::WalkDat", R"({"WalkDat": {"after": 1, "status": %}})", End::Refused,
     End::Refused, false, "||", false},
    {"MoveReady", "ClRuleGenkashokyaku::MoveReady", R"({"MoveReady": %})", End::ReportFailed, End::EmptyReport,
     false, "||", false},
    {"GetCount", "ClRuleGenkashokyaku::GetCount", R"({"GetCount": %})", End::ReportFailed, End::EmptyReport, false,
     "||", false},
    {"Move", "ClRuleGenkashokyaku::Move", R"({"Move": {"index": 0, "status": %}})", End::ReportFailed,
     End::EmptyReport, false, "||", false},
    {"EraGetCursor", "ClSetGengo::GetCursor", R"({"EraGetCursor": %})", End::Report, End::Report, true, "312|312|312",
     true},
    {"EraReady", "ClSetGengo::Ready", R"({"EraReady": %})", End::Report, End::Report, false, "319|319|319", true},
    {"EraWalk first", "ClSetGengo::Walk", R"({"EraWalk": {"after": 0, "status": %}})", End::Report, End::Report, true,
     "||339", true},
    {"GetPeriod", "ClAccPeriod::GetPeriod", R"({"GetPeriod": {"status": %}})", End::Report, End::Report, true, "||615",
     false},
};

// Faults that are an object's absence rather than a status.
struct AbsenceRow {
    const char* point;
    const char* faults;
    End end;
    const char* lastError;   // "status module line", "" none
};

const AbsenceRow kAbsences[] = {
    {"no rule object", R"({"RuleAlloc": true})", End::ReportFailed, ""},
    {"no data-file set", R"({"SetObject": "none"})", End::Refused, ""},
    {"no period object", R"({"GetAccPeriod": "none"})", End::Report, "-1004 CmnProcHpr 607"},
    {"hand-over cancelled", R"({"ExpSysLink": 1})", End::Cancelled, ""},
};

std::string Replace(std::string text, const std::string& status) {
    const size_t at = text.find('%');
    return text.replace(at, 1, status);
}

bool LogHas(const std::string& prefix) {
    for (const std::string& line : hostsim::CallLog())
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

std::string LastErrorText() {
    const hostsim::LastErrorRecord& last = hostsim::LastError();
    if (last.module.empty() && last.status == 0) return "";
    return std::to_string(last.status) + " " + last.module + " " + std::to_string(last.line);
}

// Sign-off once each, last of all; every cursor released, every host object destroyed; no cursor
// released twice and no rule object destroyed with its cursor open.
void ExpectCleanSignOff() {
    std::vector<std::string> signOff;
    for (const std::string& line : hostsim::CallLog()) {
        for (const char* call : {"ClAccConnect::LogOut", "ClAccConnect::Terminate", "ClAccConnect::Release"})
            if (line.rfind(call, 0) == 0) signOff.push_back(call);
        EXPECT_EQ(line.find("(not open)"), std::string::npos) << line;
        EXPECT_EQ(line.find("(cursor open)"), std::string::npos) << line;
        EXPECT_EQ(line.find("(not from GetAccPeriod)"), std::string::npos) << line;
    }
    EXPECT_EQ(signOff, (std::vector<std::string>{"ClAccConnect::LogOut", "ClAccConnect::Terminate",
                                                 "ClAccConnect::Release"}));
    ASSERT_FALSE(hostsim::CallLog().empty());
    EXPECT_EQ(hostsim::CallLog().back().rfind("ClAccConnect::Release", 0), 0u);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
    EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
    EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
}

// One run of the program over these faults: the posted result, the messages, the files and the host
// left as `end` says; the report without the acquisition era where it was lost.
void RunAndExpect(const std::string& faults, End end, bool hostMessage, bool eraLost) {
    CMemoryPlatform platform;
    RunResult result = Success;
    const int dialogs =
        RunWholeProgram(platform, ParsedInstallation(HostInstallation(faults, DecliningBalanceAsset())),
                        "77,32768,5,", result);
    const char kHostMessage[] = "ホストでエラーが発生しました。(12)";
    std::vector<std::string> messages;
    for (const auto& box : platform.boxes) messages.push_back(box.text);
    // The host's own message may come once per question asked of it; it comes before the rest.
    size_t hostMessages = 0;
    while (hostMessages < messages.size() && messages[hostMessages] == kHostMessage) ++hostMessages;
    EXPECT_EQ(hostMessages > 0, hostMessage) << hostMessages;
    messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(hostMessages));

    const bool reported = end == End::Report || end == End::EmptyReport;
    const RunResult expectedResult = reported || end == End::NotStarted ? Success
                                     : end == End::Cancelled            ? Cancelled
                                                                        : Failed;
    EXPECT_EQ(result, expectedResult);
    EXPECT_EQ(messages, reported                    ? std::vector<std::string>{kSuccessText}
                        : end == End::ReportFailed ? std::vector<std::string>{kFailureText}
                                                   : std::vector<std::string>{});
    EXPECT_EQ(dialogs, reported || end == End::ReportFailed ? 1 : 0);
    // The definition file, and the report and the settings only from a run that succeeded.
    EXPECT_EQ(platform.FileCount(), reported ? 3u : 1u);
    EXPECT_EQ(platform.FileContent(kSettingsPath).has_value(), reported);
    if (end == End::NotStarted) {
        EXPECT_TRUE(platform.posted.empty());
    } else {
        ASSERT_EQ(platform.posted.size(), 1u);
        EXPECT_EQ(platform.posted[0].window, 77u);
        EXPECT_EQ(platform.posted[0].message, 32768u);
        EXPECT_EQ(platform.posted[0].wparam, 5u);
        EXPECT_EQ(platform.posted[0].lparam, expectedResult);
    }
    if (reported) {
        const std::string report = platform.FileContent(kReportPath).value_or("");
        EXPECT_EQ(report.find("営業用車両") != std::string::npos, end == End::Report);   // one record or none
        if (end == End::Report) {
            EXPECT_EQ(report.find("令和") == std::string::npos, eraLost);
        }
    }
    ExpectCleanSignOff();
}

TEST(FaultTableTest, EveryHostOperationUnderEveryStatusClass) {
    int cases = 0;
    const struct {
        const char* name;
        const char* status;
        const char* fatalList;
    } kClasses[] = {{"0", "0", "[]"}, {"5000", "5000", "[]"}, {"other", "12", "[]"}, {"fatal", "12", "[12]"}};
    for (const FaultRow& row : kRows) {
        for (const auto& status : kClasses) {
            SCOPED_TRACE(std::string(row.point) + " status " + status.name);
            std::string faults = Replace(row.faults, status.status);
            faults.insert(faults.size() - 1, std::string(R"(, "fatal": )") + status.fatalList);
            const bool zero = std::string(status.status) == "0";
            const bool noData = std::string(status.name) == "5000";
            const bool fatal = std::string(status.name) == "fatal";
            const End end = zero ? End::Report : noData ? row.endNoData : row.end;
            RunAndExpect(faults, end, fatal && row.hostMessageIfFatal, !zero && row.eraLostOnError);
            EXPECT_TRUE(LogHas(row.reached));

            const std::string lines = row.lastErrors;
            const size_t bar1 = lines.find('|');
            const size_t bar2 = lines.find('|', bar1 + 1);
            const std::string line = zero     ? ""
                                     : noData ? lines.substr(0, bar1)
                                     : fatal  ? lines.substr(bar2 + 1)
                                              : lines.substr(bar1 + 1, bar2 - bar1 - 1);
            EXPECT_EQ(LastErrorText(), line.empty() ? "" : std::string(status.status) + " CmnProcHpr " + line);
            ++cases;
        }
    }
    for (const AbsenceRow& row : kAbsences) {
        SCOPED_TRACE(row.point);
        RunAndExpect(row.faults, row.end, false, false);
        EXPECT_EQ(LastErrorText(), row.lastError);
        ++cases;
    }
    EXPECT_EQ(cases, 52);
    hostsim::Reset();
}

}  // namespace
