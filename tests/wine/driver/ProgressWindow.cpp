#include "ProgressWindow.h"

#include <commctrl.h>

#include "Text.h"
#include "WindowQuery.h"

namespace {
constexpr int kMainBarId = 1018;
constexpr UINT kTimeoutMs = 5000;

bool IsProgress(HWND window) {
    if (ClassOf(window) != L"#32770") return false;
    HWND bar = ::GetDlgItem(window, kMainBarId);
    return bar && ClassOf(bar) == PROGRESS_CLASSW;
}

bool Ask(HWND window, UINT message, WPARAM wparam, DWORD_PTR& result) {
    return ::SendMessageTimeoutW(window, message, wparam, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}
}  // namespace

HWND FindProgressWindow(RunContext& context) {
    for (HWND window : TopLevelWindowsOf(context.processId)) {
        if (::IsWindowVisible(window) && IsProgress(window)) return window;
    }
    for (HWND window : ChildWindowsOf(context.host.Handle())) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == context.processId && ::IsWindowVisible(window) && IsProgress(window)) return window;
    }
    return nullptr;
}

bool IsOwnedByProgress(HWND box, HWND progress) {
    const HWND owner = ::GetWindow(box, GW_OWNER);
    if (!owner || !progress) return false;
    const HWND root = ::GetAncestor(progress, GA_ROOT);
    return owner == progress || (root != progress && owner == root);
}

bool DescribeProgress(HWND progress, std::string& line) {
    std::wstring caption;
    DWORD_PTR position = 0;
    DWORD_PTR upper = 0;
    HWND bar = ::GetDlgItem(progress, kMainBarId);
    if (!ReadText(progress, caption) || !Ask(bar, PBM_GETPOS, 0, position) || !Ask(bar, PBM_GETRANGE, FALSE, upper)) {
        return false;
    }
    line = "PROGRESS " + ToUtf8(caption) + " main=" + std::to_string(static_cast<int>(position)) + "/" +
           std::to_string(static_cast<int>(upper));
    return true;
}

bool ProgressWindowHandler::Recognizes(HWND window) { return IsProgress(window); }

WindowHandler::Outcome ProgressWindowHandler::Handle(HWND, RunContext&) { return Outcome::Watching; }
