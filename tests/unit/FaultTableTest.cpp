#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HostRun.h"

// Every fault point of the stand-in host under every status class: the status 0, 5000 (no data), an
// ordinary error (12), and 12 that the host calls fatal. Each row gives what the run must end with:
// the posted result, the messages shown, the files left, the last error recorded with the host and
// whether the era reached the report.
namespace {

using testsupport::CRunOutcome;
using testsupport::HostInstallation;
using testsupport::DecliningBalanceAsset;
using testsupport::kFailureText;
using testsupport::kSuccessText;

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

class FaultTableTest : public testsupport::HostRunTest {
protected:
    // The posted result, the messages and the files of one ending.
    void ExpectEnd(const CRunOutcome& outcome, End end, bool hostMessage) {
        const char kHostMessage[] = "ホストでエラーが発生しました。(12)";
        std::vector<std::string> expectedFiles = {"prog/FilvaneDef.ini"};
        std::vector<std::string> messages = outcome.messages;
        // The host's own message may come once per question asked of it; it comes before the rest.
        size_t hostMessages = 0;
        while (hostMessages < messages.size() && messages[hostMessages] == kHostMessage) ++hostMessages;
        EXPECT_EQ(hostMessages > 0, hostMessage) << hostMessages;
        messages.erase(messages.begin(), messages.begin() + static_cast<std::ptrdiff_t>(hostMessages));

        RunResult expectedResult = Success;
        std::vector<std::string> expectedMessages;
        int dialogs = 1;
        switch (end) {
        case End::Report:
        case End::EmptyReport:
            expectedMessages = {kSuccessText};
            expectedFiles = {"env/LinkBeta.env", "out/report.xml", "prog/FilvaneDef.ini"};
            break;
        case End::NotStarted: dialogs = 0; break;
        case End::Refused: expectedResult = Failed; dialogs = 0; break;
        case End::Cancelled: expectedResult = Cancelled; dialogs = 0; break;
        case End::ReportFailed: expectedResult = Failed; expectedMessages = {kFailureText}; break;
        }
        EXPECT_EQ(messages, expectedMessages);
        EXPECT_EQ(outcome.dialogsShown, dialogs);
        EXPECT_EQ(FilesLeft(), expectedFiles);
        if (end == End::NotStarted) {
            EXPECT_TRUE(outcome.posted.empty());
        } else {
            ASSERT_EQ(outcome.posted.size(), 1u);
            EXPECT_EQ(outcome.posted[0].window, 77u);
            EXPECT_EQ(outcome.posted[0].message, 32768u);
            EXPECT_EQ(outcome.posted[0].wparam, 5u);
            EXPECT_EQ(outcome.posted[0].lparam, expectedResult);
        }
        if (end == End::Report || end == End::EmptyReport) {
            const std::string report = ReadNative("out/report.xml").value_or("");
            // One asset record, or none.
            EXPECT_EQ(report.find("営業用車両") != std::string::npos, end == End::Report);
        }
        ExpectCleanSignOff(outcome);
    }

    void Clean() {
        std::remove((m_root + "/out/report.xml").c_str());
        std::remove((m_root + "/env/LinkBeta.env").c_str());
    }
};

bool Reached(const CRunOutcome& outcome, const std::string& prefix) {
    for (const std::string& line : outcome.callLog)
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

std::string LastErrorText() {
    const hostsim::LastErrorRecord& last = hostsim::LastError();
    if (last.module.empty() && last.status == 0) return "";
    return std::to_string(last.status) + " " + last.module + " " + std::to_string(last.line);
}

TEST_F(FaultTableTest, EveryHostOperationUnderEveryStatusClass) {
    int cases = 0;
    const std::string assets = "[" + DecliningBalanceAsset() + "]";
    struct StatusClass {
        const char* name;
        const char* status;
        const char* fatalList;
    };
    const StatusClass kClasses[] = {
        {"0", "0", "[]"}, {"5000", "5000", "[]"}, {"other", "12", "[]"}, {"fatal", "12", "[12]"}};
    for (const FaultRow& row : kRows) {
        for (const StatusClass& status : kClasses) {
            SCOPED_TRACE(std::string(row.point) + " status " + status.name);
            Clean();
            std::string faults = Replace(row.faults, status.status);
            faults.insert(faults.size() - 1, std::string(R"(, "fatal": )") + status.fatalList);
            const CRunOutcome outcome = Run(HostInstallation(faults, assets));
            EXPECT_TRUE(Reached(outcome, row.reached));

            const bool zero = std::string(status.status) == "0";
            const bool noData = std::string(status.name) == "5000";
            const bool fatal = std::string(status.name) == "fatal";
            const End end = zero ? End::Report : noData ? row.endNoData : row.end;
            ExpectEnd(outcome, end, fatal && row.hostMessageIfFatal);

            const std::string lines = row.lastErrors;
            const size_t bar1 = lines.find('|');
            const size_t bar2 = lines.find('|', bar1 + 1);
            const std::string line = zero     ? ""
                                     : noData ? lines.substr(0, bar1)
                                     : fatal  ? lines.substr(bar2 + 1)
                                              : lines.substr(bar1 + 1, bar2 - bar1 - 1);
            const std::string expectedError =
                line.empty() ? "" : std::string(status.status) + " CmnProcHpr " + line;
            EXPECT_EQ(LastErrorText(), expectedError);
            if (end == End::Report) {
                const std::string report = ReadNative("out/report.xml").value_or("");
                const bool eraLost = !zero && row.eraLostOnError;
                EXPECT_EQ(report.find("令和") == std::string::npos, eraLost);
            }
            ++cases;
        }
    }
    for (const AbsenceRow& row : kAbsences) {
        SCOPED_TRACE(row.point);
        Clean();
        const CRunOutcome outcome = Run(HostInstallation(row.faults, assets));
        ExpectEnd(outcome, row.end, false);
        EXPECT_EQ(LastErrorText(), row.lastError);
        ++cases;
    }
    RecordProperty("cases", cases);
    EXPECT_EQ(cases, 52);
}

}  // namespace
