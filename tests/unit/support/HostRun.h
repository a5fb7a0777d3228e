#pragma once
// A whole run of CLinkApp over the stand-in host and a POSIX machine in a temporary folder, for tests
// that inject host faults, failing writes or hostile sizes. The machine has one fixed drive L: whose
// folders out\ (the report) and env\ (the host's settings folder) exist; writes to chosen files can
// be made to fail after a number of bytes. JSON texts are u8 literals; the other literals are code
// page 932 bytes.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/LinkApp.h"
#include "editions/Edition.h"
#include "hostsim/HostSim.h"
#include "platform/FullWidth.h"
#include "platform/PosixPlatform.h"
#include "FailingWriter.h"

namespace testsupport {

struct CPostedResult {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wparam;
    std::intptr_t lparam;
};

// The POSIX platform with recorded message boxes and posts, and chosen new files that fail after a
// number of bytes.
class CFailingDiskPlatform : public CPosixPlatform {
public:
    using CPosixPlatform::CPosixPlatform;

    // Windows path (as the code gives it) -> bytes that file accepts.
    std::map<std::string, size_t> writeLimits;
    std::vector<std::string> messages;
    std::vector<CPostedResult> posted;
    std::vector<std::string> created;   // paths given to CreateExclusive, in order
    size_t writesAfterFailure = 0;

    std::string ToFullWidth(const std::string& text) override { return MapToFullWidth(text); }
    int ShowMessageBox(WindowHandle, const std::string& text, const std::string&, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                      std::intptr_t lparam) override {
        posted.push_back({window, message, wparam, lparam});
    }
    std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) override {
        created.push_back(path);
        std::unique_ptr<IFileWriter> real = CPosixPlatform::CreateExclusive(path);
        const auto limit = writeLimits.find(path);
        if (!real || limit == writeLimits.end()) return real;
        return std::make_unique<CFailingWriter>(std::move(real), limit->second, writesAfterFailure);
    }

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

// The user confirms the dialog with every category and the given path, or cancels.
class CConfirmingUi : public IRunUi {
public:
    bool cancel = false;
    std::string outputPath = "L:\\out\\report.xml";
    int dialogsShown = 0;
    std::optional<SavedChoice> saved;   // what the dialog read from the settings file
    ConditionsOutcome RunConditionsDialog(WindowHandle, const StDATAINFO&, const ConditionsSetup& setup) override {
        ++dialogsShown;
        if (setup.readSaved) saved = setup.readSaved();
        if (cancel) return {};
        return {true, 7, outputPath};
    }
    std::unique_ptr<IProgressView> CreateProgressView() override { return std::make_unique<CNullProgressView>(); }
    void ShowWaitCursor(bool) override {}
};

// One data file (number 3) behind a first one, with `assets` (a JSON array), one era, and `faults`.
inline std::string HostInstallation(const std::string& faults, const std::string& assets,
                                    const std::string& businessName = u8R"("三")") {
    return u8R"({ "packageName": "Ledgora２２", "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
      "appFolders": { "0": "L:\\out\\", "1": "L:\\env\\" },
      "eras": [ { "start": 19890108, "name": "平成" }, { "start": 20190501, "name": "令和" } ],
      "dataFiles": [
        { "dataId": "D-1", "dataNo": 1, "businessName": "一", "periodFrom": 20240101, "periodTo": 20241231,
          "businessKind": 6 },
        { "dataId": "D-3", "dataNo": 3, "businessName": )" + businessName + u8R"(, "periodFrom": 20240101,
          "periodTo": 20241231, "businessKind": 6, "roundingMode": 2, "assets": )" + assets + u8R"( } ],
      "faults": )" + faults + "}";
}

// A declining-balance asset: its figures ask the host for the accounting period and its acquisition
// month for the era.
inline std::string DecliningBalanceAsset(const std::string& name = u8R"("営業用車両")",
                                         const std::string& remarks = u8R"("")",
                                         const std::string& cost = u8R"("2400000")") {
    return u8R"({ "kind": 1, "name": )" + name + u8R"(, "quantity": "1台", "remarks": )" + remarks + u8R"(,
        "disposalStatus": 0, "disposalDate": 0, "acquisitionDate": 20220415,
        "acquisitionCost": )" + cost + u8R"(, "costReduction": "0", "openingBookValue": "1200000",
        "method": 8, "usefulLife": 6, "rate": 333, "residualIsAmount": 0, "residualValue": "0",
        "businessUseRatio": 10000, "monthsDepreciated": 12, "depreciationBase": "1200000",
        "yearEndBalance": "800400", "category": 1, "equalDepreciation": 0, "revisedAcquisitionCost": "0",
        "year": { "ordinaryDepreciation": "399600", "additionalDepreciation1": "0",
                  "additionalDepreciation2": "0", "includedInExpenses": "399600" } })";
}

inline const char kDefinitionLevel2[] = "[ProgramLevel]\r\nQF14_G=2\r\n";
inline const char kSuccessText[] = "減価償却の集計結果を正常に出力しました。";
inline const char kFailureText[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";

struct CRunOutcome {
    RunResult result = Success;
    std::vector<std::string> messages;
    std::vector<CPostedResult> posted;
    int dialogsShown = 0;
    std::optional<SavedChoice> saved;
    std::vector<std::string> callLog;
};

class HostRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/hostrun-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        ASSERT_EQ(std::system(("mkdir -p " + m_root + "/prog " + m_root + "/out " + m_root + "/env").c_str()), 0);
        WriteNative("prog/FilvaneDef.ini", kDefinitionLevel2);
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
    void WriteNative(const std::string& relative, const std::string& content) const {
        std::ofstream(m_root + "/" + relative, std::ios::binary) << content;
    }
    std::optional<std::string> ReadNative(const std::string& relative) const {
        std::ifstream in(m_root + "/" + relative, std::ios::binary);
        if (!in) return std::nullopt;
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    // Every file under the root, relative, sorted (folders are not listed).
    std::vector<std::string> FilesLeft() const {
        std::vector<std::string> found;
        ListFiles(m_root, "", found);
        std::sort(found.begin(), found.end());
        return found;
    }
    // Runs the program once; `prepare` may set write limits before the run.
    CRunOutcome Run(const std::string& installationJson, const char* commandLine = "77,32768,5,",
                    const std::function<void(CFailingDiskPlatform&, CConfirmingUi&)>& prepare = nullptr) {
        hostsim::Installation installation;
        std::string error;
        if (!hostsim::ParseInstallation(installationJson, "", installation, error)) {
            ADD_FAILURE() << error;
            return {};
        }
        return Run(installation, commandLine, prepare);
    }
    // The same over an installation parsed once, for tests that run it many times.
    CRunOutcome Run(const hostsim::Installation& installation, const char* commandLine,
                    const std::function<void(CFailingDiskPlatform&, CConfirmingUi&)>& prepare) {
        CRunOutcome outcome;
        hostsim::UseInstallation(installation);
        CFailingDiskPlatform platform(Machine(), "LinkBeta");
        SetPlatform(&platform);
        CConfirmingUi ui;
        if (prepare) prepare(platform, ui);
        {
            CLinkApp app(kEditionBeta, ui);
            app.InitInstance(commandLine);
            app.ExitInstance();
            outcome.result = app.result;
        }
        SetPlatform(nullptr);
        outcome.messages = platform.messages;
        outcome.posted = platform.posted;
        outcome.dialogsShown = ui.dialogsShown;
        outcome.saved = ui.saved;
        outcome.callLog = hostsim::CallLog();
        return outcome;
    }
    // Sign-off once each, last of all; every cursor released, every host object destroyed; no cursor
    // released twice and no rule object destroyed with its cursor open.
    static void ExpectCleanSignOff(const CRunOutcome& outcome) {
        std::vector<std::string> signOff;
        for (const std::string& line : outcome.callLog) {
            for (const char* call : {"ClAccConnect::LogOut", "ClAccConnect::Terminate", "ClAccConnect::Release"})
                if (line.rfind(call, 0) == 0) signOff.push_back(call);
            EXPECT_EQ(line.find("(not open)"), std::string::npos) << line;
            EXPECT_EQ(line.find("(cursor open)"), std::string::npos) << line;
            EXPECT_EQ(line.find("(not from GetAccPeriod)"), std::string::npos) << line;
        }
        EXPECT_EQ(signOff, (std::vector<std::string>{"ClAccConnect::LogOut", "ClAccConnect::Terminate",
                                                     "ClAccConnect::Release"}));
        ASSERT_FALSE(outcome.callLog.empty());
        EXPECT_EQ(outcome.callLog.back().rfind("ClAccConnect::Release", 0), 0u);
        EXPECT_EQ(hostsim::OpenCursorCount(), 0);
        EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
        EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
    }

    std::string m_root;

private:
    static void ListFiles(const std::string& folder, const std::string& relative, std::vector<std::string>& found) {
        DIR* dir = opendir(folder.c_str());
        if (!dir) return;
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..") continue;
            const std::string full = folder + "/" + name;
            struct stat info {};
            if (stat(full.c_str(), &info) != 0) continue;
            if (S_ISDIR(info.st_mode)) ListFiles(full, relative + name + "/", found);
            else found.push_back(relative + name);
        }
        closedir(dir);
    }
};

}  // namespace testsupport
