// ClAccConnect: the connection to the running product, its messages and sign-off.
#include <cstdio>

#include "hostsim/NativeText.h"
#include "hostsim/SimState.h"
#include "platform/ShiftJis.h"

using namespace hostsim;
using namespace hostsim::detail;

namespace {
// Replaces every "ES_APRPACKAGENAME" that starts on a character of its own, not on a trail byte.
std::string WithPackageName(const std::string& text, const std::string& packageName) {
    static const std::string kPlaceholder = "ES_APRPACKAGENAME";
    std::string result;
    size_t from = 0;
    for (size_t at = text.find(kPlaceholder); at != std::string::npos; at = text.find(kPlaceholder, at + 1)) {
        if (at < from || sjis::IsInsideDoubleByte(text.data(), text.size(), at)) continue;
        result.append(text, from, at - from).append(packageName);
        from = at + kPlaceholder.size();
    }
    return result.append(text, from, std::string::npos);
}
}  // namespace

ClAccConnect* ClAccConnect::Inst() {
    static ClAccConnect connection;
    return &connection;
}

ClAccConnect::ClAccConnect() : m_szAppTitle{}, m_hOwnerWnd(0) {}

void ClAccConnect::SetAppType(int appType) { Log("ClAccConnect::SetAppType " + N(appType)); }

void ClAccConnect::SetUseDataType(int dataType) { Log("ClAccConnect::SetUseDataType " + N(dataType)); }

HostStatus ClAccConnect::Initiate() {
    State& s = Sim();
    std::string path;
    if (!s.installation && !s.loadRefused && hostsim::DefaultInstallationPath(path)) {
        std::string error;
        if (!LoadIntoSession(path, error)) std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    }
    const Installation* inst = Installed();
    const HostStatus status = inst ? inst->faults.initiate.value_or(0) : kUnavailable;
    Log("ClAccConnect::Initiate -> " + N(status));
    return status;
}

HostStatus ClAccConnect::ExpSysLink() {
    const Installation* inst = Installed();
    const HostStatus status = inst ? inst->faults.expSysLink.value_or(0) : kUnavailable;
    Log("ClAccConnect::ExpSysLink -> " + N(status));
    return status;
}

int ClAccConnect::DispMsg(WindowHandle owner, const char* text, const char* caption, unsigned style) {
    const Installation* inst = Installed();
    const std::string message = WithPackageName(text ? text : "", inst ? inst->packageName : std::string());
    const int answer = Platform().ShowMessageBox(owner ? owner : m_hOwnerWnd, message, caption ? caption : "", style);
    Log("ClAccConnect::DispMsg style=" + N(style) + " text=" + Shown(message.c_str(), message.size()) + " -> " +
        N(answer));
    return answer;
}

HostStatus ClAccConnect::LogOut() {
    Log("ClAccConnect::LogOut -> 0");
    return 0;
}

void ClAccConnect::Terminate() { Log("ClAccConnect::Terminate"); }

void ClAccConnect::Release() { Log("ClAccConnect::Release"); }
