#pragma once
// A whole run of LinkBeta over the stand-in host on the in-memory machine, for tests that inject
// host faults or failing writes. The user confirms the conditions dialog with every category and
// the report path C:\OUT\report.xml; the host's settings folder is C:\ENV\.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/LinkApp.h"
#include "editions/Edition.h"
#include "hostsim/HostSim.h"
#include "MemoryPlatform.h"

namespace testsupport {

inline const char kReportPath[] = "C:\\OUT\\report.xml";
inline const char kSettingsPath[] = "C:\\ENV\\LinkBeta.env";
inline const char kSuccessText[] = "減価償却の集計結果を正常に出力しました。";
inline const char kFailureText[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";

// One data file (number 3) behind a first one, with `assets` (a JSON array), one era, and `faults`.
inline std::string HostInstallation(const std::string& faults, const std::string& assets) {
    return u8R"({ "packageName": "Ledgora２２", "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
      "appFolders": { "0": "C:\\OUT\\", "1": "C:\\ENV\\" },
      "eras": [ { "start": 19890108, "name": "平成" }, { "start": 20190501, "name": "令和" } ],
      "dataFiles": [
        { "dataId": "D-1", "dataNo": 1, "businessName": "一", "periodFrom": 20240101, "periodTo": 20241231,
          "businessKind": 6 },
        { "dataId": "D-3", "dataNo": 3, "businessName": "三", "periodFrom": 20240101, "periodTo": 20241231,
          "businessKind": 6, "roundingMode": 2, "assets": )" + assets + u8R"( } ],
      "faults": )" + faults + "}";
}

// A declining-balance asset: its figures ask the host for the accounting period and its acquisition
// month for the era.
inline std::string DecliningBalanceAsset(const std::string& name = u8"営業用車両", const std::string& remarks = "") {
    return u8R"([{ "kind": 1, "name": ")" + name + u8R"(", "quantity": "1台", "remarks": ")" + remarks + u8R"(",
        "disposalStatus": 0, "disposalDate": 0, "acquisitionDate": 20220415,
        "acquisitionCost": "2400000", "costReduction": "0", "openingBookValue": "1200000",
        "method": 8, "usefulLife": 6, "rate": 333, "residualIsAmount": 0, "residualValue": "0",
        "businessUseRatio": 10000, "monthsDepreciated": 12, "depreciationBase": "1200000",
        "yearEndBalance": "800400", "category": 1, "equalDepreciation": 0, "revisedAcquisitionCost": "0",
        "year": { "ordinaryDepreciation": "399600", "additionalDepreciation1": "0",
                  "additionalDepreciation2": "0", "includedInExpenses": "399600" } }])";
}

inline hostsim::Installation ParsedInstallation(const std::string& json) {
    hostsim::Installation installation;
    std::string error;
    EXPECT_TRUE(hostsim::ParseInstallation(json, "", installation, error)) << error;
    return installation;
}

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

class CConfirmingUi : public IRunUi {
public:
    int dialogsShown = 0;
    ConditionsOutcome RunConditionsDialog(WindowHandle, const StDATAINFO&, const ConditionsSetup&) override {
        ++dialogsShown;
        return {true, 7, kReportPath};
    }
    std::unique_ptr<IProgressView> CreateProgressView() override { return std::make_unique<CNullProgressView>(); }
    void ShowWaitCursor(bool) override {}
};

// Runs the program once on `platform` (given the definition file, level 2, and the two folders);
// the host starts on `installation`. Returns how many conditions dialogs were shown.
inline int RunWholeProgram(CMemoryPlatform& platform, const hostsim::Installation& installation,
                           const char* commandLine, RunResult& result) {
    platform.AddFile("C:\\PROGRAM\\FilvaneDef.ini", "");
    platform.profileValue = "2";
    platform.AddFolder("C:\\OUT");
    platform.AddFolder("C:\\ENV");
    hostsim::UseInstallation(installation);
    CConfirmingUi ui;
    CLinkApp app(kEditionBeta, ui);
    app.InitInstance(commandLine);
    app.ExitInstance();
    result = app.result;
    return ui.dialogsShown;
}

}  // namespace testsupport
