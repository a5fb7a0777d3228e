#include "WindowQuery.h"

namespace {
constexpr UINT kTextTimeoutMs = 5000;

struct TopLevelSearch {
    DWORD processId;
    std::vector<HWND>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TopLevelSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId) search->found->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> found;
    TopLevelSearch search = {processId, &found};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return found;
}

std::vector<HWND> ChildWindowsOf(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

bool ReadText(HWND window, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kTextTimeoutMs, &length)) {
        return false;
    }
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]),
                               SMTO_NORMAL, kTextTimeoutMs, &copied)) {
        return false;
    }
    (void)copied;
    text = buffer.c_str();
    return true;
}

LONG StyleOf(HWND window) { return ::GetWindowLongW(window, GWL_STYLE); }
