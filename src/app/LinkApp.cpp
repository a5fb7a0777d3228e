#include "app/LinkApp.h"

#include <cstring>

#include "app/AggregationPass.h"
#include "app/EnvironmentCheck.h"
#include "editions/Edition.h"
#include "host/HostClasses.h"
#include "platform/Platform.h"

namespace {
constexpr int kUseDataType = 2;

// The data file the user has selected in the host, read through the host's data-file cursor.
bool FindSelectedData(StDATAINFO& selectedData) {
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

}  // namespace

CLinkApp::CLinkApp(const Edition& edition, IRunUi& ui) : m_edition(edition), m_ui(ui) {}

bool CLinkApp::InitInstance(const char* commandLine) {
    ClAccConnect* connection = ClAccConnect::Inst();
    std::memcpy(connection->m_szAppTitle, kAppTitle, sizeof kAppTitle);
    connection->SetAppType(m_edition.appType);
    connection->SetUseDataType(kUseDataType);
    if (connection->Initiate() != 0) return false;

    if (ParseHostHandover(commandLine, m_handover)) {
        connection->m_hOwnerWnd = *m_handover.hostWindow;
        Platform().EnableWindow(*m_handover.hostWindow, false);
    }
    // Longer texts than the host may hand over are refused rather than cut: a cut path would send
    // the report somewhere the host does not look.
    if (std::strlen(commandLine ? commandLine : "") > kMaxCommandLineBytes ||
        m_handover.fixedOutputPath.size() > kMaxHandoverPathBytes) {
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
    StDATAINFO selectedData;
    if (!FindSelectedData(selectedData)) {
        result = Failed;
        return false;
    }
    result = RunAggregationPass({m_edition, m_ui, m_handover, selectedData});
    return false;
}

int CLinkApp::ExitInstance() {
    ClAccConnect* connection = ClAccConnect::Inst();
    connection->LogOut();
    connection->Terminate();
    connection->Release();
    if (m_handover.hostWindow) {
        Platform().SetForegroundWindow(*m_handover.hostWindow);
        Platform().EnableWindow(*m_handover.hostWindow, true);
        // The identifier travels sign-extended to 32 bits, as the host reads it.
        const auto wparam =
            static_cast<std::uintptr_t>(static_cast<std::uint32_t>(static_cast<std::int32_t>(m_handover.functionId)));
        Platform().PostToWindow(*m_handover.hostWindow, m_handover.notifyMessage, wparam, result);
    }
    return 0;
}
