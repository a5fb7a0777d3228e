#include "app/LinkApp.h"

#include <cstring>

#include "app/AggregationPass.h"
#include "app/EnvironmentCheck.h"
#include "editions/Edition.h"
#include "host/HostClasses.h"
#include "platform/Platform.h"

namespace {
constexpr int kUseDataType = 2;
}  // namespace

CLinkApp::CLinkApp(const CEdition& programEdition, IRunUi& runUi) : edition(programEdition), ui(runUi) {
    std::memset(&selectedData, 0, sizeof selectedData);
}

bool CLinkApp::InitInstance(const char* commandLine) {
    ClAccConnect* connection = ClAccConnect::Inst();
    std::memcpy(connection->m_szAppTitle, kAppTitle, sizeof kAppTitle);
    connection->SetAppType(edition.appType);
    connection->SetUseDataType(kUseDataType);
    if (connection->Initiate() != 0) return false;

    if (ParseHostHandover(commandLine, handover)) {
        hostWindowMode = true;
        hostWindowObject = handover.hostWindow;
        connection->m_hOwnerWnd = handover.hostWindow;
        Platform().EnableWindow(handover.hostWindow, false);
    }
    // Longer texts than the host may hand over are refused rather than cut: a cut path would send
    // the report somewhere the host does not look.
    if (std::strlen(commandLine ? commandLine : "") > kMaxCommandLineBytes ||
        handover.fixedOutputPath.size() > kMaxHandoverPathBytes) {
        result = Failed;
        return false;
    }

    if (!CheckEnvironment()) {
        result = Failed;
        return false;
    }
    const HostStatus link = connection->ExpSysLink();
    if (link != 0) {
        result = link == 1 ? Cancelled : Failed;
        return false;
    }
    if (!FindSelectedData()) {
        result = Failed;
        return false;
    }
    RunAggregationPass(*this);
    return false;
}

bool CLinkApp::FindSelectedData() {
    std::memset(&selectedData, 0, sizeof selectedData);
    char userId[kUserIdBytes] = {};
    long setNo = 0;
    long dataNo = 0;
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    if (!user) return false;
    user->GetCurUserID(userId);
    user->GetSelectedNo(userId, &setNo, &dataNo);

    auto* dataSet = dynamic_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    if (!dataSet) return false;
    const HostCursor cursor = dataSet->GetDatCursor();
    if (dataSet->ReadyDat(cursor, 0) != 0) {
        dataSet->ReleaseDatCursor(cursor);
        return false;
    }
    for (;;) {
        StDATAINFO scratch;
        std::memset(&scratch, 0, sizeof scratch);
        if (dataSet->WalkDat(cursor, &scratch) != 0) {
            dataSet->ReleaseDatCursor(cursor);
            return false;
        }
        if (scratch.dataNo == dataNo) {
            std::memcpy(&selectedData, &scratch, sizeof selectedData);
            dataSet->ReleaseDatCursor(cursor);
            return true;
        }
    }
}

int CLinkApp::ExitInstance() {
    assets.clear();
    records.clear();
    ClAccConnect* connection = ClAccConnect::Inst();
    connection->LogOut();
    connection->Terminate();
    connection->Release();
    if (hostWindowMode) {
        Platform().SetForegroundWindow(handover.hostWindow);
        Platform().EnableWindow(handover.hostWindow, true);
        // The identifier travels sign-extended to 32 bits, as the host reads it.
        const auto wparam = static_cast<std::uintptr_t>(static_cast<std::uint32_t>(static_cast<std::int32_t>(handover.functionId)));
        Platform().PostToWindow(handover.hostWindow, handover.notifyMessage, wparam, result);
    }
    return 0;
}
