#include "HostWindow_win.h"

#include <cstdint>

namespace {
const wchar_t kClassName[] = L"LedgoraStandInHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(window, message, wparam, lparam);
}

// Messages the system itself queues for any window; a program's post is anything else.
bool IsSystemQueued(UINT message) {
    return message == WM_PAINT || message == WM_TIMER || message == 0x0118 /* WM_SYSTIMER */ || message == WM_QUIT ||
           message == WM_INPUT || (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           (message >= WM_NCMOUSEHOVER && message <= WM_MOUSELEAVE);
}
}  // namespace

CHostWindow::~CHostWindow() {
    if (m_window) ::DestroyWindow(m_window);
}

bool CHostWindow::Create() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassW(&windowClass)) return false;
    // Small on purpose: in host-window mode the program makes its progress window a child of this
    // window, where it lies outside the client area and costs no painting. Runs without a host
    // window show it at full cost (and give its picture).
    m_window = ::CreateWindowExW(0, kClassName, L"Ledgora (stand-in)", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr,
                                 nullptr, windowClass.hInstance, nullptr);
    if (!m_window) return false;
    ::ShowWindow(m_window, SW_SHOWNORMAL);
    ::UpdateWindow(m_window);
    Pump();
    return true;
}

void CHostWindow::Pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == m_window && !IsSystemQueued(message.message)) {
            m_posts.push_back({message.message, message.wParam, message.lParam});
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

std::wstring WithOwnWindow(const std::wstring& handOver, HWND window, unsigned long long& label) {
    const std::uintptr_t own = reinterpret_cast<std::uintptr_t>(window);
    label = own;
    const size_t comma = handOver.find(L',');
    if (comma == std::wstring::npos) return handOver;
    // Blanks, sign, digits, saturated to 32 bits: how the program reads the number.
    size_t i = 0;
    while (i < comma && (handOver[i] == L' ' || (handOver[i] >= L'\t' && handOver[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < comma && (handOver[i] == L'+' || handOver[i] == L'-')) negative = handOver[i++] == L'-';
    std::int64_t value = 0;
    for (; i < comma && handOver[i] >= L'0' && handOver[i] <= L'9'; ++i) {
        if (value <= 0x80000000LL) value = value * 10 + (handOver[i] - L'0');
    }
    if (value > 0x7FFFFFFFLL) value = negative ? 0x80000000LL : 0x7FFFFFFFLL;
    const std::int32_t number = static_cast<std::int32_t>(negative ? -value : value);
    label = static_cast<unsigned long long>(static_cast<std::int64_t>(number));
    return std::to_wstring(own) + handOver.substr(comma);
}
