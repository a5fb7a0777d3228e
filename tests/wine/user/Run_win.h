#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Transcript lines go to standard output as UTF-8, each at once, so that a run that hangs still
// shows how far it got; the user's own diagnostics go to standard error.
void Print(const std::string& utf8);
void Complain(const std::string& utf8);
std::string ToUtf8(const std::wstring& text);

// Another process's windows. Texts go through WM_GETTEXT with a timeout: GetWindowText does not ask
// another process's controls, and a hung program must not hang the user. Not SMTO_ABORTIFHUNG: the
// program takes no messages for seconds while it aggregates, so Wine calls it hung for a moment
// after its closing box appears.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> ChildWindowsOf(HWND parent);
std::wstring ClassOf(HWND window);
bool ReadText(HWND window, std::wstring& text);
bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR& result);
bool Gone(HWND window);  // destroyed or hidden
// Posted, not sent: a button may start a modal loop in the program.
bool Click(HWND dialog, int id);

// One run: what the user does, from the scenario's lines (key=value, in order; tests/scenarios/README.md),
// and the program the launcher started with its host window. The lines are answer=yes|no, cancel=1,
// progress-screenshot=FILE.bmp, held=PATH and held-readable=PATH, and actions in the conditions
// dialog, done in order: category, output, key, browse, layout, screenshot=FILE.bmp. An answer or
// action the scenario does not give means No or Cancel, as in link-headless, so that every run ends.
struct Run {
    std::deque<bool> answers;
    std::vector<std::pair<std::wstring, std::wstring>> actions;  // key, value
    bool cancel = false;
    std::wstring progressPicture;
    // Held open for the whole run, sharing nothing (an editor's lock) or, when readable, reading and
    // writing but not deleting (a reader): the file can then be read and written, not replaced.
    std::vector<std::pair<std::wstring, bool>> held;  // path, readable
    DWORD programId = 0;
    HWND host = nullptr;
    HANDLE launcher = nullptr;           // ends right after the program
    ULONGLONG deadline = 0;              // GetTickCount64() after which the run has failed
    std::optional<std::wstring> saveAs;  // Browse was clicked: the name to give the save-file dialog

    void Add(const std::wstring& line);  // one of the scenario's lines
    bool NextAnswer();                   // No when the scenario has no answer left
    // Polls `condition` until it holds (true) or `milliseconds` or the run's deadline pass (false).
    bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) const;
};

// Waits until the thread of `dialog` has handled everything sent or posted to it before: resets the
// modified flag of `edit`, an edit control of the dialog, and posts a message that sets it again, which
// the thread handles only after the earlier ones (in its own message loop or a box's). Then tells
// whether the dialog waits for the user, has a window of its own up (it is disabled) or has ended.
enum class Readiness { Waiting, Modal, Gone, Failed };
Readiness Settle(HWND dialog, HWND edit, const Run& run);
