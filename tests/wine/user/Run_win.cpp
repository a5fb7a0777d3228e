#include "Run_win.h"

namespace {
constexpr UINT kMessageTimeoutMs = 5000;
constexpr DWORD kPollMs = 20;
constexpr DWORD kHandledWaitMs = 20000;

void Write(DWORD stream, const std::string& bytes) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}
}  // namespace

void Print(const std::string& utf8) { Write(STD_OUTPUT_HANDLE, utf8 + "\n"); }

void Complain(const std::string& utf8) { Write(STD_ERROR_HANDLE, "link-e2e-user: " + utf8 + "\n"); }

std::string ToUtf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0],
                                           static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return out;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> all;
    std::vector<HWND> found;
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId) found.push_back(window);
    }
    return found;
}

std::vector<HWND> ChildWindowsOf(HWND parent) {
    std::vector<HWND> found;
    ::EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    return ::GetClassNameW(window, name, 256) > 0 ? name : L"";
}

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR& result) {
    return ::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kMessageTimeoutMs, &result) != 0;
}

bool ReadText(HWND window, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, length)) return false;
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    if (!Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), length)) return false;
    text = buffer.c_str();
    return true;
}

bool Gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

bool Click(HWND dialog, int id) {
    const HWND button = ::GetDlgItem(dialog, id);
    return button && ::PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

void Run::Add(const std::wstring& line) {
    const size_t equals = line.find(L'=');
    const std::wstring key = line.substr(0, equals);
    const std::wstring value = equals == std::wstring::npos ? L"" : line.substr(equals + 1);
    if (key == L"answer") answers.push_back(value == L"yes");
    else if (key == L"cancel") cancel = true;
    else if (key == L"progress-screenshot") progressPicture = value;
    else if (key == L"held" || key == L"held-readable") held.emplace_back(value, key == L"held-readable");
    else actions.emplace_back(key, value);
}

bool Run::NextAnswer() {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
}

bool Run::WaitFor(const std::function<bool()>& condition, DWORD milliseconds) const {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (!condition()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end || now >= deadline) return false;
        ::Sleep(kPollMs);
    }
    return true;
}

Readiness Settle(HWND dialog, HWND edit, const Run& run) {
    bool marked = false;
    const auto markerHandled = [&] {
        if (Gone(dialog)) return true;
        DWORD_PTR modified = 0;
        if (!marked) {
            marked = Send(edit, EM_SETMODIFY, FALSE, 0, modified) && ::PostMessageW(edit, EM_SETMODIFY, TRUE, 0);
        }
        // Sent messages overtake posted ones: the flag is set only once the marker has been handled.
        return marked && Send(edit, EM_GETMODIFY, 0, 0, modified) && modified != 0;
    };
    const bool handled = run.WaitFor(markerHandled, kHandledWaitMs);
    if (Gone(dialog)) return Readiness::Gone;
    if (!handled) return Readiness::Failed;
    return ::IsWindowEnabled(dialog) ? Readiness::Waiting : Readiness::Modal;
}
