#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct PostedMessage {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// The window the driver hands to the program in place of the accounting product's main window.
// It is a normal visible top-level window, because the program disables, enables and raises it.
class HostWindow {
public:
    ~HostWindow();
    bool Create();
    HWND Handle() const { return m_window; }

    // Handles every message waiting for this thread (the program's cross-process calls such as
    // EnableWindow wait for them) and keeps the ones posted to this window by another program.
    void Pump();
    const std::vector<PostedMessage>& Posts() const { return m_posts; }

private:
    HWND m_window = nullptr;
    std::vector<PostedMessage> m_posts;
};

// The command line with its first field (the host window) replaced by `window` in decimal.
// `label` receives the number the scenario gave there, so that transcripts of both front ends agree.
std::wstring WithOwnWindow(const std::wstring& commandLine, HWND window, std::string& label);
