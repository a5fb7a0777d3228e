#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "host/HostClasses.h"
#include "hostsim/HostSim.h"
#include "support/ScriptedDiskPlatform.h"

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
    // Every data-file record of the set, walked as the start-up does.
    static std::vector<StDATAINFO> WalkAll() {
        std::vector<StDATAINFO> records;
        ClSetData* set = DataFiles();
        const HostCursor cursor = set->GetDatCursor();
        EXPECT_EQ(set->ReadyDat(cursor, 0), 0);
        StDATAINFO record{};
        while (set->WalkDat(cursor, &record) == 0) records.push_back(record);
        set->ReleaseDatCursor(cursor);
        return records;
    }
    // A rule object attached to the selected data file, as the extraction prepares it.
    static std::unique_ptr<ClRuleGenkashokyaku> SelectedRule() {
        std::unique_ptr<ClRuleGenkashokyaku> rule(new (std::nothrow) ClRuleGenkashokyaku);
        rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
        rule->SetCurDataID(DataFiles()->GetSelectedInfo()->dataId);
        rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
        return rule;
    }

    testsupport::CScriptedDiskPlatform m_platform;
};

TEST_F(HostSimTest, SelectedDataLookupDeliversTheRecordsInOrder) {
    Use(BaseJson());
    char userId[65] = {};
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    ASSERT_EQ(user->GetCurUserID(userId), 0);
    EXPECT_STREQ(userId, "U01");
    long setNo = 0;
    long dataNo = 0;
    ASSERT_EQ(user->GetSelectedNo(userId, &setNo, &dataNo), 0);
    EXPECT_EQ(setNo, 1);
    EXPECT_EQ(dataNo, 3);
    EXPECT_NE(user->GetSelectedNo("U02", &setNo, &dataNo), 0);

    // The record is packed: its fields are read by value, never bound to references.
    const std::vector<StDATAINFO> records = WalkAll();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(int{records[0].dataNo}, 1);
    EXPECT_STREQ(records[0].businessName, "佐藤工業");
    const StDATAINFO& selected = records[1];
    EXPECT_EQ(int{selected.dataNo}, 3);
    EXPECT_STREQ(selected.businessName, "\x8e\x52\x95\x5c\x82");   // the lone lead byte too
    EXPECT_EQ(int{selected.periodFrom}, 20240101);
    EXPECT_EQ(int{selected.periodTo}, 20241231);
    EXPECT_EQ(int{selected.hasManufacturingCost}, 1);
    EXPECT_EQ(int{selected.dataKind}, 99);
    EXPECT_EQ(int{selected.businessKind}, 6);
    EXPECT_EQ(int{selected.roundingMode}, 2);
    EXPECT_EQ(std::memcmp(DataFiles()->GetSelectedInfo(), &selected, sizeof selected), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
}

TEST_F(HostSimTest, MakeIdStrGivesBackTheDataIdOfEveryKey) {
    Use(u8R"({"dataFiles": [{"dataId": "D-0001", "dataNo": 1},
                            {"dataId": "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678", "dataNo": 2},
                            {"dataId": "データ３", "dataNo": 2},
                            {"dataId": {"cp932hex": "955C5C"}, "dataNo": 4},
                            {"dataNo": 5}]})");
    const char* expected[] = {"D-0001", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678", "データ３", "\x95\x5c\x5c", ""};
    const std::vector<StDATAINFO> records = WalkAll();
    ASSERT_EQ(records.size(), 5u);
    for (size_t i = 0; i < records.size(); ++i) {
        char text[36];
        std::memset(text, 'x', sizeof text);
        ClUtyDBHpr::Inst()->MakeIDStr(records[i].dataId, text);
        EXPECT_STREQ(text, expected[i]) << "data file " << i;
    }
    // A key that was not copied whole names no data file.
    char damaged[16];
    std::memcpy(damaged, records[1].dataId, sizeof damaged);
    damaged[15] ^= 1;
    char text[36] = "x";
    ClUtyDBHpr::Inst()->MakeIDStr(damaged, text);
    EXPECT_STREQ(text, "");
}

TEST_F(HostSimTest, EachFaultReplacesTheOperationsAnswer) {
    using Operation = std::function<long long()>;
    const Operation walkTwice = [] {
        ClSetData* set = DataFiles();
        const HostCursor cursor = set->GetDatCursor();
        StDATAINFO record{};
        set->ReadyDat(cursor, 0);
        set->WalkDat(cursor, &record);
        const HostStatus second = set->WalkDat(cursor, &record);
        set->ReleaseDatCursor(cursor);
        return second;
    };
    const Operation eraStep = [] {  // status of GetCursor, else Ready, else the second Walk
        HostCursor cursor = 0;
        HostStatus status = Eras()->GetCursor(&cursor);
        if (status != 0) return static_cast<long long>(status);
        StGENGOINFO era{};
        status = Eras()->Ready(cursor);
        if (status == 0 && (status = Eras()->Walk(&era, cursor)) == 0) status = Eras()->Walk(&era, cursor);
        Eras()->ReleaseCursor(cursor);
        return static_cast<long long>(status);
    };
    const Operation ruleStep = [] {  // status of MoveReady, else GetCount, else Move(1)
        auto rule = SelectedRule();
        HostStatus status = rule->MoveReady(nullptr, 0, 0);
        std::int32_t count = 0;
        StKOTEISHISANINFO asset{};
        StKOTEINENINFO year{};
        StKOTEITSUKIINFO month{};
        if (status == 0 && (status = rule->GetCount(&count)) == 0 &&
            (status = rule->Move(0, &asset, &year, &month)) == 0)
            status = rule->Move(1, &asset, &year, &month);
        rule->MoveFinish();
        return static_cast<long long>(status);
    };
    const struct {
        const char* faults;
        Operation operation;
        long long normal;
        long long faulty;
    } rows[] = {
        {R"({"Initiate": 7})", [] { return ClAccConnect::Inst()->Initiate(); }, 0, 7},
        {R"({"ExpSysLink": 1})", [] { return ClAccConnect::Inst()->ExpSysLink(); }, 0, 1},
        {R"({"ReadyDat": 9})",
         [] {
             const HostCursor cursor = DataFiles()->GetDatCursor();
             const HostStatus status = DataFiles()->ReadyDat(cursor, 0);
             DataFiles()->ReleaseDatCursor(cursor);
             return status;
         },
         0, 9},
        {R"({"WalkDat": {"after": 1, "status": 11}})", walkTwice, 0, 11},
        {R"({"RuleAlloc": true})",
         [] {
             std::unique_ptr<ClRuleGenkashokyaku> rule(new (std::nothrow) ClRuleGenkashokyaku);
             return rule != nullptr;
         },
         1, 0},
        {R"({"MoveReady": 5000})", ruleStep, 0, 5000},
        {R"({"GetCount": 13})", ruleStep, 0, 13},
        {R"({"Move": {"index": 1, "status": 14}})", ruleStep, 0, 14},
        {R"({"EraGetCursor": 15})", eraStep, 0, 15},
        {R"({"EraReady": 16})", eraStep, 0, 16},
        {R"({"EraWalk": {"after": 1, "status": 17}})", eraStep, 0, 17},
        {R"({"GetAccPeriod": "none"})",
         [] {
             std::unique_ptr<ClAccPeriod> period(DataFiles()->GetAccPeriod());
             return period != nullptr;
         },
         1, 0},
        {R"({"GetPeriod": 18})",
         [] {
             std::unique_ptr<ClAccPeriod> period(DataFiles()->GetAccPeriod());
             std::int32_t from = 0;
             std::int32_t to = 0;
             return period->GetPeriod(&from, &to);
         },
         0, 18},
        {R"({"fatal": [-5]})", [] { return ClMsgMgr::Inst()->CheckFatalErrorWithMsg(-5, 0, 1, 0); }, 0, 1},
        {R"({"SetObject": "none"})",
         [] {
             return ClDataMgr::Inst()->GetSetObject(5, 1) != nullptr &&
                    ClDataMgr::Inst()->GetSetMgr()->GetSetObject(5, 1) != nullptr;
         },
         1, 0},
    };
    for (const auto& row : rows) {
        for (const bool faulty : {false, true}) {
            Use(BaseJson(faulty ? row.faults : "{}"));
            EXPECT_EQ(row.operation(), faulty ? row.faulty : row.normal) << row.faults << (faulty ? "" : " (not set)");
            EXPECT_EQ(hostsim::OpenCursorCount(), 0) << row.faults;
            EXPECT_EQ(hostsim::LiveRuleObjects(), 0) << row.faults;
            EXPECT_EQ(hostsim::LivePeriodObjects(), 0) << row.faults;
        }
    }
}

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

TEST_F(HostSimTest, InitiateFailsWithoutAnAcceptedInstallation) {
    EXPECT_NE(ClAccConnect::Inst()->Initiate(), 0);
    std::string error;
    EXPECT_FALSE(hostsim::LoadInstallationFile(LINK_SOURCE_DIR "/tests/unit/fixtures/no-such-file.json", error));
    EXPECT_EQ(hostsim::Current(), nullptr);
    EXPECT_NE(ClAccConnect::Inst()->Initiate(), 0);
    EXPECT_EQ(ClDataMgr::Inst()->GetSetObject(5, 1), nullptr);
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

TEST_F(HostSimTest, FixedAssetCursorFillsEveryField) {
    Use(BaseJson());
    auto rule = SelectedRule();
    ASSERT_EQ(rule->MoveReady(nullptr, 0, 0), 0);
    std::int32_t count = 0;
    ASSERT_EQ(rule->GetCount(&count), 0);
    ASSERT_EQ(count, 2);
    StKOTEISHISANINFO a;
    StKOTEINENINFO y;
    StKOTEITSUKIINFO m;
    std::memset(&a, 0x7f, sizeof a);
    std::memset(&m, 0x7f, sizeof m);
    ASSERT_EQ(rule->Move(0, &a, &y, &m), 0);
    EXPECT_STREQ(a.name, "営業用車両");
    EXPECT_STREQ(a.quantity, "1台");
    EXPECT_STREQ(a.remarks, "中古");
    // Distinct values in every field, read by value from the packed record: a swap shows.
    const long long fields[][2] = {
        {a.kind, 11}, {a.disposalStatus, 4}, {a.acquisitionDate, 20220415}, {a.acquisitionCost, 24000005000},
        {a.costReduction, 10000}, {a.openingBookValue, 20000}, {a.method, 8}, {a.usefulLife, 6}, {a.rate, 333},
        {a.residualIsAmount, 1}, {a.residualValue, 30000}, {a.businessUseRatio, 9000}, {a.monthsDepreciated, 11},
        {a.depreciationBase, 40000}, {a.yearEndBalance, 50000}, {a.disposalDate, 20241130}, {a.category, 3},
        {a.equalDepreciation, 1}, {a.revisedAcquisitionCost, 60000}, {y.ordinaryDepreciation, 70000},
        {y.additionalDepreciation1, 80000}, {y.additionalDepreciation2, 90000}, {y.includedInExpenses, 100000},
    };
    for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) EXPECT_EQ(fields[i][0], fields[i][1]) << "field " << i;
    EXPECT_EQ(m.monthly[11], 0);
    ASSERT_EQ(rule->Move(1, &a, &y, &m), 0);
    EXPECT_STREQ(a.name, "パソコン");
    EXPECT_STREQ(a.remarks, "");
    EXPECT_EQ(rule->Move(2, &a, &y, &m), kHostNoData);
    EXPECT_EQ(rule->MoveFinish(), 0);
    EXPECT_EQ(rule->Move(0, &a, &y, &m) == 0, false);   // finished: no cursor
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
}

TEST_F(HostSimTest, EraSetWalksInOrderThenEnds) {
    Use(BaseJson());
    HostCursor cursor = 0;
    ASSERT_EQ(Eras()->GetCursor(&cursor), 0);
    StGENGOINFO era{};
    EXPECT_NE(Eras()->Walk(&era, cursor), 0);   // not ready yet
    ASSERT_EQ(Eras()->Ready(cursor), 0);
    ASSERT_EQ(Eras()->Walk(&era, cursor), 0);
    EXPECT_EQ(era.startDate, 19890108);
    EXPECT_STREQ(era.name, "平成");
    ASSERT_EQ(Eras()->Walk(&era, cursor), 0);
    EXPECT_EQ(era.startDate, 20190501);
    EXPECT_STREQ(era.name, "令和");
    EXPECT_EQ(Eras()->Walk(&era, cursor), kHostNoData);
    Eras()->ReleaseCursor(cursor);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
}

TEST_F(HostSimTest, AppFolderIsNeverCut) {
    Use(BaseJson());
    const struct {
        int type;
        int size;
        bool ok;
        const char* folder;
    } rows[] = {
        {1, 260, true, "C:\\Ledgora\\Env\\"}, {1, 16, true, "C:\\Ledgora\\Env\\"}, {1, 15, false, ""},
        {0, 260, true, ""},                   {7, 260, true, ""},
    };
    for (const auto& row : rows) {
        char folder[260];
        std::memset(folder, 'x', sizeof folder);
        const HostStatus status = ClFileMgr::Inst()->GetAppFolderPath(row.type, folder, row.size);
        EXPECT_EQ(status == 0, row.ok) << row.type << "/" << row.size;
        EXPECT_STREQ(folder, row.folder) << row.type << "/" << row.size;
    }
}

TEST_F(HostSimTest, SelectedInfoIsNullWhenNoDataFileCarriesTheSelectedNumber) {
    Use(u8R"({"user": {"dataNo": 8}, "dataFiles": [{"dataNo": 3}]})");
    EXPECT_EQ(DataFiles()->GetSelectedInfo(), nullptr);
}

}  // namespace
