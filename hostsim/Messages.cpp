// ClMsgMgr: the product's error messages and its record of the last error.
#include <algorithm>

#include "hostsim/SimState.h"
#include "platform/ShiftJis.h"

using namespace hostsim;
using namespace hostsim::detail;

ClMsgMgr* ClMsgMgr::Inst() {
    static ClMsgMgr manager;
    return &manager;
}

ClMsgMgr::ClMsgMgr() = default;

int ClMsgMgr::CheckFatalErrorWithMsg(HostStatus status, int reserved, int show, WindowHandle owner) {
    const Installation* inst = Installed();
    const bool fatal =
        inst && std::find(inst->faults.fatal.begin(), inst->faults.fatal.end(), status) != inst->faults.fatal.end();
    if (fatal && show) {
        // The host titles its own messages with the title the program gave the connection.
        const ClAccConnect* connection = ClAccConnect::Inst();
        const std::string caption(connection->m_szAppTitle,
                                  sjis::BoundedLength(connection->m_szAppTitle, sizeof connection->m_szAppTitle));
        Platform().ShowMessageBox(owner ? owner : connection->m_hOwnerWnd,
                                  "ホストでエラーが発生しました。(" + N(status) + ")", caption, kMbOk | kMbIconWarning);
    }
    Log("ClMsgMgr::CheckFatalErrorWithMsg status=" + N(status) + " reserved=" + N(reserved) + " show=" + N(show) +
        " -> " + N(fatal ? 1 : 0));
    return fatal ? 1 : 0;
}

HostStatus ClMsgMgr::SetLastError(HostStatus status, const char* module, int line) {
    LastErrorRecord& last = Sim().lastError;
    last.status = status;
    last.module = module ? module : "";
    last.line = line;
    Log("ClMsgMgr::SetLastError " + N(status) + " " + (module ? Shown(module, 64) : std::string("(none)")) + " " +
        N(line));
    return status;
}
