#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/LinkApp.h"
#include "hostsim/HostSim.h"
#include "platform/FullWidth.h"
#include "platform/PosixPlatform.h"

// The whole start-up and exit over the stand-in host, one row per path through it. JSON texts are u8
// literals; the other literals are code page 932 bytes.
namespace {

struct Posted {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

class CRecordingPlatform : public CPosixPlatform {
public:
    using CPosixPlatform::CPosixPlatform;
    std::string ToFullWidth(const std::string& text) override { return MapToFullWidth(text); }
    int ShowMessageBox(WindowHandle, const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    void EnableWindow(WindowHandle window, bool enable) override {
        enabling.push_back(std::to_string(window) + (enable ? "+" : "-"));
    }
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                      std::intptr_t lparam) override {
        posted.push_back({window, message, wparam, lparam});
    }
    std::vector<std::string> messages;
    std::vector<std::string> enabling;
    std::vector<Posted> posted;
};

class CNullProgressView : public IProgressView {
public:
    bool Create() override { return true; }
    void SetParent(WindowHandle) override {}
    void Show() override {}
    void End() override {}
    WindowHandle Handle() const override { return 0; }
    void SetCaption(const std::string&) override {}
    void SetMainRange(int, int) override {}
    void SetMainStep(int) override {}
    void SetMainPosition(int) override {}
    void SetActivityRange(int, int) override {}
    void SetActivityStep(int) override {}
    void SetActivityPosition(int) override {}
    void StepActivity() override {}
    void Raise() override {}
    void Repaint() override {}
};

// The user confirms the dialog with every category and a path on the test drive, or cancels.
class CConfirmingUi : public IRunUi {
public:
    bool cancel = false;
    int dialogsShown = 0;
    ConditionsOutcome RunConditionsDialog(WindowHandle, const StDATAINFO&, const ConditionsSetup&) override {
        ++dialogsShown;
        if (cancel) return {};
        return {true, 7, "L:\\out\\report.xml"};
    }
    std::unique_ptr<IProgressView> CreateProgressView() override { return std::make_unique<CNullProgressView>(); }
    void ShowWaitCursor(bool) override {}
};

std::string Installation(const std::string& faults, int dataNo) {
    return u8R"({ "packageName": "Ledgora２２", "user": { "id": "U01", "setNo": 1, "dataNo": )" +
           std::to_string(dataNo) + u8R"( },
      "appFolders": { "0": "L:\\out\\", "1": "L:\\env\\" },
      "eras": [ { "start": 20190501, "name": "令和" } ],
      "dataFiles": [
        { "dataId": "D-1", "dataNo": 1, "businessName": "一", "periodFrom": 20240101, "periodTo": 20241231,
          "businessKind": 6 },
        { "dataId": "D-3", "dataNo": 3, "businessName": "三", "periodFrom": 20240101, "periodTo": 20241231,
          "businessKind": 6, "assets": [ { "kind": 1, "name": "机", "method": 1, "acquisitionDate": 20230101 } ] } ],
      "faults": )" + faults + "}";
}

struct StartupCase {
    const char* name;
    const char* faults;
    int dataNo;
    const char* definition;   // FilvaneDef.ini content; null: no file
    const char* commandLine;
    bool cancel;
    int expectedResult;
    bool expectPosted;
    bool expectDialog;
    const char* expectedMessage;   // first message shown, or "" for none
};

const char kLevel2[] = "[ProgramLevel]\r\nQF14_G=2\r\n";

const StartupCase kCases[] = {
    {"success", "{}", 3, kLevel2, "77,32768,5,", false, Success, true, true,
     "減価償却の集計結果を正常に出力しました。"},
    {"no hand-over", "{}", 3, kLevel2, "", false, Success, false, true, "減価償却の集計結果を正常に出力しました。"},
    {"initiate fails", R"({"Initiate": 3})", 3, kLevel2, "77,32768,5,", false, Success, false, false, ""},
    {"definition missing", "{}", 3, nullptr, "77,32768,5,", false, Failed, true, false,
     "動作環境が不正です。\nLedgora２２が正しくインストールされているか確認してください。"},
    {"level 3", "{}", 3, "[ProgramLevel]\r\nQF14_G=3\r\n", "77,32768,5,", false, Failed, true, false,
     "ご利用の連動コンポーネントは、インストールされているLedgora２２では使用できません。\n"
     "連動コンポーネントの最新版を入手してインストールしてからご利用ください。"},
    {"export link cancelled", R"({"ExpSysLink": 1})", 3, kLevel2, "77,32768,5,", false, Cancelled, true, false, ""},
    {"export link fails", R"({"ExpSysLink": 9})", 3, kLevel2, "77,32768,5,", false, Failed, true, false, ""},
    {"unknown data number", "{}", 99, kLevel2, "77,32768,5,", false, Failed, true, false, ""},
    {"data set not ready", R"({"ReadyDat": 4})", 3, kLevel2, "77,32768,5,", false, Failed, true, false, ""},
    {"walk fails", R"({"WalkDat": {"after": 1, "status": 8}})", 3, kLevel2, "77,32768,5,", false, Failed, true,
     false, ""},
    {"no data set", R"({"SetObject": "none"})", 3, kLevel2, "77,32768,5,", false, Failed, true, false, ""},
    {"dialog cancelled", "{}", 3, kLevel2, "77,32768,5,", true, Cancelled, true, true, ""},
    {"extraction fails", R"({"MoveReady": 12})", 3, kLevel2, "77,32768,5,", false, Failed, true, true,
     "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。"},
    {"move fails", R"({"Move": {"index": 0, "status": 12}})", 3, kLevel2, "77,32768,5,", false, Failed, true, true,
     "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。"},
};

class LinkAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/linkapp-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        ASSERT_EQ(std::system(("mkdir -p " + m_root + "/prog " + m_root + "/out " + m_root + "/env").c_str()), 0);
    }
    void TearDown() override {
        hostsim::Reset();
        SetPlatform(nullptr);
        std::system(("rm -rf " + m_root).c_str());
    }
    CPosixMachine Machine() const {
        CPosixMachine machine;
        machine.drives['L'] = {DriveKind::Fixed, m_root};
        machine.programFolder = "L:\\prog\\";
        machine.currentFolder = "L:\\";
        machine.tempFolder = "L:\\";
        return machine;
    }
    std::string m_root;
};

TEST_F(LinkAppTest, EveryPathSignsOffOnceAndReleasesWhatItOpened) {
    for (const StartupCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::remove((m_root + "/prog/FilvaneDef.ini").c_str());
        if (c.definition) std::ofstream(m_root + "/prog/FilvaneDef.ini", std::ios::binary) << c.definition;
        hostsim::Installation installation;
        std::string error;
        ASSERT_TRUE(hostsim::ParseInstallation(Installation(c.faults, c.dataNo), "", installation, error)) << error;
        hostsim::UseInstallation(std::move(installation));
        CRecordingPlatform platform(Machine(), "LinkBeta");
        SetPlatform(&platform);
        CConfirmingUi ui;
        ui.cancel = c.cancel;

        RunResult result;
        {
            CLinkApp app(kEditionBeta, ui);
            EXPECT_FALSE(app.InitInstance(c.commandLine));
            app.ExitInstance();
            result = app.result;
            EXPECT_TRUE(app.assets.empty());
            EXPECT_TRUE(app.records.empty());
        }
        EXPECT_EQ(result, c.expectedResult);
        EXPECT_EQ(ui.dialogsShown, c.expectDialog ? 1 : 0);
        EXPECT_EQ(platform.messages.empty() ? std::string() : platform.messages.front(), c.expectedMessage);

        ASSERT_EQ(platform.posted.size(), c.expectPosted ? 1u : 0u);
        if (c.expectPosted) {
            EXPECT_EQ(platform.posted[0].window, 77u);
            EXPECT_EQ(platform.posted[0].message, 32768u);
            EXPECT_EQ(platform.posted[0].wparam, 5u);
            EXPECT_EQ(platform.posted[0].lparam, c.expectedResult);
            // Disabled for the whole run, enabled again before the result is posted.
            EXPECT_EQ(platform.enabling, (std::vector<std::string>{"77-", "77+"}));
        }

        // Sign-off: LogOut, Terminate, Release once each, in this order, last of all host calls.
        std::vector<std::string> signOff;
        for (const std::string& line : hostsim::CallLog()) {
            for (const char* call : {"ClAccConnect::LogOut", "ClAccConnect::Terminate", "ClAccConnect::Release"}) {
                if (line.rfind(call, 0) == 0) signOff.push_back(call);
            }
        }
        EXPECT_EQ(signOff, (std::vector<std::string>{"ClAccConnect::LogOut", "ClAccConnect::Terminate",
                                                     "ClAccConnect::Release"}));
        ASSERT_GE(hostsim::CallLog().size(), 3u);
        EXPECT_EQ(hostsim::CallLog().back().rfind("ClAccConnect::Release", 0), 0u);
        EXPECT_EQ(hostsim::OpenCursorCount(), 0);
        EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
        EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
        SetPlatform(nullptr);
    }
}

TEST_F(LinkAppTest, FunctionIdentifierTravelsSignExtendedTo32Bits) {
    std::ofstream(m_root + "/prog/FilvaneDef.ini", std::ios::binary) << kLevel2;
    hostsim::Installation installation;
    std::string error;
    ASSERT_TRUE(hostsim::ParseInstallation(Installation("{}", 3), "", installation, error)) << error;
    hostsim::UseInstallation(std::move(installation));
    CRecordingPlatform platform(Machine(), "LinkBeta");
    SetPlatform(&platform);
    CConfirmingUi ui;
    ui.cancel = true;
    CLinkApp app(kEditionBeta, ui);
    app.InitInstance("1,2,65535,");
    app.ExitInstance();
    ASSERT_EQ(platform.posted.size(), 1u);
    EXPECT_EQ(platform.posted[0].wparam, 0xFFFFFFFFu);
}

TEST_F(LinkAppTest, OverlongHandOverIsRefusedAndReported) {
    std::ofstream(m_root + "/prog/FilvaneDef.ini", std::ios::binary) << kLevel2;
    hostsim::Installation installation;
    std::string error;
    ASSERT_TRUE(hostsim::ParseInstallation(Installation("{}", 3), "", installation, error)) << error;
    hostsim::UseInstallation(std::move(installation));
    CRecordingPlatform platform(Machine(), "LinkBeta");
    SetPlatform(&platform);
    CConfirmingUi ui;
    ui.cancel = true;
    for (size_t pathBytes : {size_t{250}, size_t{261}}) {
        platform.posted.clear();
        ui.dialogsShown = 0;
        const std::string commandLine = "9,2,3," + std::string(pathBytes, 'a');
        CLinkApp app(kEditionBeta, ui);
        app.InitInstance(commandLine.c_str());
        app.ExitInstance();
        ASSERT_EQ(platform.posted.size(), 1u);
        // 256 bytes of command line pass; 267 exceed what the host may hand over.
        EXPECT_EQ(platform.posted[0].lparam, pathBytes == 250 ? Cancelled : Failed) << pathBytes;
        EXPECT_EQ(ui.dialogsShown, pathBytes == 250 ? 1 : 0);
    }
}

}  // namespace
