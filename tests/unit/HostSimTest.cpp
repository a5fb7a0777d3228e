#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "host/HostClasses.h"
#include "hostsim/HostSim.h"
#include "support/MemoryPlatform.h"

// JSON texts are u8 literals; plain literals of this file are code page 932 bytes, as the host's texts.
namespace {

// Data file 3 is selected; its business name ends in a 0x5C trail byte and a lone lead byte.
std::string BaseJson(const std::string& faults = "{}") {
    return u8R"({
      "packageName": "Ledgora２２",
      "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
      "appFolders": { "0": "", "1": "C:\\Ledgora\\Env\\" },
      "eras": [ { "start": 19890108, "name": "平成" }, { "start": 20190501, "name": "令和" } ],
      "dataFiles": [
        { "dataId": "D-0001", "dataNo": 1, "businessName": "佐藤工業", "periodFrom": 20230101,
          "periodTo": 20231231, "assets": [ { "name": "机" } ] },
        { "dataId": "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678", "dataNo": 3,
          "businessName": { "cp932hex": "8E52955C82" }, "periodFrom": 20240101, "periodTo": 20241231,
          "hasManufacturingCost": 1, "dataKind": 99, "businessKind": 6, "roundingMode": 2,
          "assets": [
            { "kind": 11, "name": "営業用車両", "quantity": "1台", "remarks": "中古", "disposalStatus": 4,
              "disposalDate": 20241130, "acquisitionDate": 20220415, "acquisitionCost": "2400000.5",
              "costReduction": "1", "openingBookValue": "2", "method": 8, "usefulLife": 6, "rate": 333,
              "residualIsAmount": 1, "residualValue": "3", "businessUseRatio": 9000, "monthsDepreciated": 11,
              "depreciationBase": "4", "yearEndBalance": "5", "category": 3, "equalDepreciation": 1,
              "revisedAcquisitionCost": "6",
              "year": { "ordinaryDepreciation": "7", "additionalDepreciation1": "8",
                        "additionalDepreciation2": "9", "includedInExpenses": "10" } },
            { "kind": 1, "name": "パソコン" } ] } ],
      "faults": )" + faults + "}";
}

class HostSimTest : public ::testing::Test {
protected:
    void SetUp() override { hostsim::Reset(); }
    void TearDown() override { hostsim::Reset(); }
    static void Use(const std::string& json) {
        hostsim::Installation installation;
        std::string error;
        ASSERT_TRUE(hostsim::ParseInstallation(json, "", installation, error)) << error;
        hostsim::UseInstallation(std::move(installation));
    }
    static ClSetData* DataFiles() { return static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(5, 1)); }
    static ClSetGengo* Eras() {
        return static_cast<ClSetGengo*>(ClDataMgr::Inst()->GetSetMgr()->GetSetObject(13, 0));
    }
    // A rule object attached to the selected data file, as the extraction prepares it.
    static std::unique_ptr<ClRuleGenkashokyaku> SelectedRule() {
        std::unique_ptr<ClRuleGenkashokyaku> rule(new (std::nothrow) ClRuleGenkashokyaku);
        rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
        rule->SetCurDataID(DataFiles()->GetSelectedInfo()->dataId);
        rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
        return rule;
    }

    testsupport::CMemoryPlatform m_platform;
};

TEST_F(HostSimTest, PeriodIsTheSelectedDataFilesUnlessAFaultWritesOne) {
    const struct {
        const char* faults;
        HostStatus status;
        std::int32_t from;
        std::int32_t to;
    } rows[] = {
        {"{}", 0, 20240101, 20241231},
        {R"({"GetPeriod": 18})", 18, -1, -1},
        {R"({"GetPeriod": {"status": 19, "from": 20200101, "to": 20201231}})", 19, 20200101, 20201231},
        {R"({"GetPeriod": {"status": 0, "to": 20201231}})", 0, -1, 20201231},
    };
    for (const auto& row : rows) {
        Use(BaseJson(row.faults));
        ClAccPeriod* period = DataFiles()->GetAccPeriod();
        ASSERT_NE(period, nullptr);
        EXPECT_EQ(hostsim::LivePeriodObjects(), 1);
        std::int32_t from = -1;
        std::int32_t to = -1;
        EXPECT_EQ(period->GetPeriod(&from, &to), row.status) << row.faults;
        EXPECT_EQ(from, row.from) << row.faults;
        EXPECT_EQ(to, row.to) << row.faults;
        delete period;
        EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
    }
}

TEST_F(HostSimTest, FatalStatusShowsTheHostsMessage) {
    Use(BaseJson(R"({"fatal": [-5, 0]})"));
    std::strcpy(ClAccConnect::Inst()->m_szAppTitle, "所得税(減価償却)");
    ClAccConnect::Inst()->m_hOwnerWnd = 1234;
    EXPECT_EQ(ClMsgMgr::Inst()->CheckFatalErrorWithMsg(-6, 0, 1, 0), 0);
    EXPECT_TRUE(m_platform.boxes.empty());
    EXPECT_NE(ClMsgMgr::Inst()->CheckFatalErrorWithMsg(0, 0, 1, 0), 0);
    EXPECT_NE(ClMsgMgr::Inst()->CheckFatalErrorWithMsg(-5, 0, 1, 99), 0);
    ASSERT_EQ(m_platform.boxes.size(), 2u);
    EXPECT_EQ(m_platform.boxes[0].owner, 1234u);
    EXPECT_EQ(m_platform.boxes[1].owner, 99u);
    EXPECT_EQ(m_platform.boxes[1].text, "ホストでエラーが発生しました。(-5)");
    EXPECT_EQ(m_platform.boxes[1].caption, "所得税(減価償却)");
    EXPECT_EQ(m_platform.boxes[1].style, kMbOk | kMbIconWarning);
}

TEST_F(HostSimTest, DispMsgPutsThePackageNameOnlyWhereThePlaceholderStandsAlone) {
    Use(BaseJson());
    const struct {
        const char* text;
        const char* shown;
    } rows[] = {
        {"ES_APRPACKAGENAMEを終了してください。", "Ledgora２２を終了してください。"},
        {"ES_APRPACKAGENAME/ES_APRPACKAGENAME", "Ledgora２２/Ledgora２２"},
        {"\x83" "ES_APRPACKAGENAME", "\x83" "ES_APRPACKAGENAME"},   // 0x83 0x45 is one character
        {"ES_APRPACKAGE", "ES_APRPACKAGE"},
    };
    for (const auto& row : rows) {
        m_platform.boxes.clear();
        ClAccConnect::Inst()->DispMsg(0, row.text, "所得税(減価償却)", 48);
        ASSERT_EQ(m_platform.boxes.size(), 1u);
        EXPECT_EQ(m_platform.boxes[0].owner, 0u);   // no owner window left from an earlier session
        EXPECT_EQ(m_platform.boxes[0].text, row.shown);
        EXPECT_EQ(m_platform.boxes[0].caption, "所得税(減価償却)");
        EXPECT_EQ(m_platform.boxes[0].style, 48u);
    }
}

TEST_F(HostSimTest, CallLogKeepsTheOrderOfTheCallsAndTheLogFile) {
    char logTemplate[] = "/tmp/hostsim-log-XXXXXX";
    const int logFile = mkstemp(logTemplate);
    ASSERT_GE(logFile, 0);
    close(logFile);
    const std::string logPath = logTemplate;
    Use(u8R"({"packageName": "Ledgora２２", "log": ")" + logPath + "\"}");
    ClAccConnect* connection = ClAccConnect::Inst();
    connection->SetAppType(3);
    connection->SetUseDataType(2);
    EXPECT_EQ(connection->Initiate(), 0);
    connection->DispMsg(0, "ES_APRPACKAGENAMEの\n確認", "所得税(減価償却)", 48);
    EXPECT_EQ(ClMsgMgr::Inst()->SetLastError(-1001, "CmnProcHpr", 2175), -1001);
    connection->LogOut();
    connection->Terminate();
    connection->Release();

    const std::vector<std::string> expected = {
        "ClAccConnect::SetAppType 3",
        "ClAccConnect::SetUseDataType 2",
        "ClAccConnect::Initiate -> 0",
        "ClAccConnect::DispMsg style=48 text=Ledgora２２の\\n確認 -> 1",
        "ClMsgMgr::SetLastError -1001 CmnProcHpr 2175",
        "ClAccConnect::LogOut -> 0",
        "ClAccConnect::Terminate",
        "ClAccConnect::Release",
    };
    EXPECT_EQ(hostsim::CallLog(), expected);
    EXPECT_EQ(hostsim::LastError().status, -1001);
    EXPECT_EQ(hostsim::LastError().module, "CmnProcHpr");
    EXPECT_EQ(hostsim::LastError().line, 2175);

    std::string logged;
    for (const std::string& line : expected) logged += line + "\n";
    std::FILE* file = std::fopen(logPath.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::string content(4096, '\0');
    content.resize(std::fread(&content[0], 1, content.size(), file));
    std::fclose(file);
    EXPECT_EQ(content, logged);
    std::remove(logPath.c_str());
}

TEST_F(HostSimTest, EveryOpenedCursorCountsUntilReleased) {
    Use(BaseJson(R"({"ReadyDat": 9})"));
    const HostCursor dataCursor = DataFiles()->GetDatCursor();
    EXPECT_NE(DataFiles()->ReadyDat(dataCursor, 0), 0);   // a failed Ready leaves the cursor open
    HostCursor eraCursor = 0;
    ASSERT_EQ(Eras()->GetCursor(&eraCursor), 0);
    auto rule = SelectedRule();
    ASSERT_EQ(rule->MoveReady(nullptr, 0, 0), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 3);

    DataFiles()->ReleaseDatCursor(dataCursor);
    Eras()->ReleaseCursor(eraCursor);
    EXPECT_EQ(hostsim::OpenCursorCount(), 1);
    Eras()->ReleaseCursor(eraCursor);   // twice: noted, not counted
    EXPECT_EQ(hostsim::CallLog().back(), "ClSetGengo::ReleaseCursor cursor=" + std::to_string(eraCursor) + " (not open)");
    EXPECT_EQ(hostsim::OpenCursorCount(), 1);
    DataFiles()->ReleaseDatCursor(eraCursor);   // an era cursor is no data-file cursor
    EXPECT_EQ(hostsim::OpenCursorCount(), 1);

    // Destroying the rule object does not finish its cursor.
    EXPECT_EQ(hostsim::LiveRuleObjects(), 1);
    rule.reset();
    EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 1);
}

}  // namespace
