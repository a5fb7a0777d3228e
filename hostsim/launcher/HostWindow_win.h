#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct PostedMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// The accounting product's main window, handed to the linkage program on its command line. A normal
// visible top-level window, because the program disables, enables and raises it, and in host-window
// mode makes its progress window a child of it.
class CHostWindow {
public:
    ~CHostWindow();
    bool Create();
    HWND Handle() const { return m_window; }

    // Handles every message waiting for this thread (the program's cross-process calls such as
    // EnableWindow wait for them) and keeps the ones another program posted to this window.
    void Pump();
    const std::vector<PostedMessage>& Posts() const { return m_posts; }

private:
    HWND m_window = nullptr;
    std::vector<PostedMessage> m_posts;
};

// The hand-over text with its first field (the host window) replaced by `window` in decimal.
// `label` receives the number the text gave there, read as the program reads it, so that the
// POSTED lines show what a test scenario wrote; `window` itself when the text has no comma.
std::wstring WithOwnWindow(const std::wstring& handOver, HWND window, unsigned long long& label);
