#include <cwchar>
#include <initializer_list>
#include <map>

#include "Answers_win.h"
#include "Keys_win.h"
#include "WindowPicture_win.h"

namespace {
// Control ids of dialog 130.
enum { kBusinessName = 1002, kPeriod = 1005, kManufacturing = 1008, kGeneralAndRealEstate = 1012 };
enum { kOutputGroup = 1013, kPathEdit = 1014, kBrowse = 1015 };
// The category options; option i carries the value i + 1.
constexpr int kOptionIds[] = {1010, 1011, 1012, 1020, 1021, 1022, 1023};
// What the compact layout moves, and the two buttons.
constexpr int kLayoutIds[] = {1009, 1012, 1013, 1014, 1015, IDOK, IDCANCEL};
constexpr DWORD kPictureWaitMs = 10000;

struct DialogState {
    bool shown = false;
    size_t nextAction = 0;
    bool closingPressed = false;  // Execute, Cancel, F12 or Esc
    bool cancelPressed = false;
    bool reportAfterAction = false;  // a key or Browse: show focus, options and path once it waits
    DWORD sharedThread = 0;          // its input shared (AttachThreadInput) from the first key on
};
std::map<HWND, DialogState> g_dialogs;

std::string N(long long number) { return std::to_string(number); }

// Reads the dialog's controls into transcript lines; `ok` turns false at the first that cannot be read.
struct DialogReader {
    HWND dialog;
    bool ok = true;

    HWND Item(int id) const { return ::GetDlgItem(dialog, id); }
    std::string Text(int id) {
        std::wstring text;
        ok = ok && ReadText(Item(id), text);
        return ToUtf8(text);
    }
    std::string Enabled(int id) const { return ::IsWindowEnabled(Item(id)) ? "enabled" : "disabled"; }
    DWORD_PTR Ask(int id, UINT message) {
        DWORD_PTR result = 0;
        ok = ok && Send(Item(id), message, 0, 0, result);
        return result;
    }
    std::string Options() {
        std::string line = "OPTIONS";
        for (int id : kOptionIds) {
            const bool checked = Ask(id, BM_GETCHECK) == BST_CHECKED;
            const bool shown = ::IsWindowVisible(Item(id));
            line += " " + N(id) + "=" + (shown ? Enabled(id) + (checked ? "+checked" : "") : "hidden");
        }
        return line;
    }
    std::string Output() {
        return "OUTPUT group=" + Text(kOutputGroup) + " edit=" + Enabled(kPathEdit) + " browse=" + Enabled(kBrowse) +
               " path=" + Text(kPathEdit);
    }
    // "FOCUS <id>", with " selection=<start>-<end>/<length>" (in characters) when it is the path edit.
    std::string Focus() {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        const bool known = ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
                           ::IsChild(dialog, info.hwndFocus);
        const int id = known ? ::GetDlgCtrlID(info.hwndFocus) : 0;
        if (id != kPathEdit) return "FOCUS " + N(id);
        const DWORD_PTR selection = Ask(kPathEdit, EM_GETSEL);
        return "FOCUS " + N(id) + " selection=" + N(LOWORD(selection)) + "-" + N(HIWORD(selection)) + "/" +
               N(static_cast<long long>(Ask(kPathEdit, WM_GETTEXTLENGTH)));
    }
    // Prints the lines that are not empty, in order, when every control could be read.
    bool PrintAll(std::initializer_list<std::string> lines) const {
        if (!ok) Complain("cannot read the conditions dialog");
        for (const std::string& line : lines) {
            if (ok && !line.empty()) Print(line);
        }
        return ok;
    }
};

// The LAYOUT lines: the controls' rectangles in the dialog's client coordinates and the client size.
void PrintLayout(HWND dialog) {
    std::string line = "LAYOUT";
    for (int id : kLayoutIds) {
        RECT r = {};
        ::GetWindowRect(::GetDlgItem(dialog, id), &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        line += " " + N(id) + "=" + N(r.left) + "," + N(r.top) + "," + N(r.right) + "," + N(r.bottom);
    }
    RECT client = {};
    ::GetClientRect(dialog, &client);
    Print(line);
    Print("LAYOUT client=" + N(client.right) + "x" + N(client.bottom));
}

// Does one action of the script; false (with the reason, if any, in `error`) when it could not.
bool Perform(HWND dialog, const std::wstring& key, const std::wstring& value, DialogState& state, Run& run,
             std::string& error) {
    const HWND edit = ::GetDlgItem(dialog, kPathEdit);
    const HWND browse = ::GetDlgItem(dialog, kBrowse);
    if (key == L"category") {  // only an option that is shown and enabled can be clicked
        const long number = std::wcstol(value.c_str(), nullptr, 10);
        if (number < 1 || number > 7) return true;
        const HWND option = ::GetDlgItem(dialog, kOptionIds[number - 1]);
        return !::IsWindowEnabled(option) || !::IsWindowVisible(option) || Click(dialog, kOptionIds[number - 1]);
    }
    if (key == L"output") {
        DWORD_PTR ignored = 0;
        return !::IsWindowEnabled(edit) || Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), ignored);
    }
    if (key == L"key") {
        Print("KEY " + ToUtf8(value));
        const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
        if (!state.sharedThread && !::AttachThreadInput(::GetCurrentThreadId(), thread, TRUE)) {
            error = "AttachThreadInput failed with error " + std::to_string(::GetLastError());
            return false;
        }
        bool closing = false;
        state.sharedThread = thread;
        state.reportAfterAction = true;
        const auto settle = [&] { return Settle(dialog, edit, run); };
        if (!PressKey(dialog, value, settle, closing, error)) return false;
        state.closingPressed = state.closingPressed || closing;
        return true;
    }
    if (key == L"browse" && ::IsWindowEnabled(browse)) {
        run.saveAs = value;
        state.reportAfterAction = true;
        return Click(dialog, kBrowse);
    }
    if (key == L"browse") Print("BROWSE disabled");
    if (key == L"layout") PrintLayout(dialog);
    if (key == L"browse" || key == L"layout") return true;
    if (key == L"screenshot") return SaveWindowBitmap(dialog, value, kPictureWaitMs, error);
    error = "no such action";
    return false;
}
}  // namespace

bool IsConditionsDialog(HWND window) {
    const HWND edit = ::GetDlgItem(window, kPathEdit);
    return ClassOf(window) == L"#32770" && edit && ClassOf(edit) == L"Edit" && ::GetDlgItem(window, kOutputGroup) &&
           ::GetDlgItem(window, kOptionIds[0]);
}

bool WorkConditionsDialog(HWND dialog, Run& run) {
    if (!::IsWindowEnabled(dialog)) return true;  // a window of its own is up
    DialogState& state = g_dialogs[dialog];
    for (;;) {
        switch (Settle(dialog, ::GetDlgItem(dialog, kPathEdit), run)) {
        case Readiness::Gone:
            if (state.sharedThread) ::AttachThreadInput(::GetCurrentThreadId(), state.sharedThread, FALSE);
            g_dialogs.erase(dialog);
            return true;
        case Readiness::Modal: return true;
        case Readiness::Failed: Complain("the conditions dialog stopped handling its messages"); return false;
        case Readiness::Waiting: break;
        }
        DialogReader read{dialog};
        const bool combined = ::IsWindowVisible(read.Item(kGeneralAndRealEstate));
        if (!state.shown &&
            !read.PrintAll({"CONDITIONS business=" + read.Text(kBusinessName) + " period=" + read.Text(kPeriod) +
                                " manufacturing=" + read.Text(kManufacturing),
                            read.Options(), combined ? "OPTION 1012 " + read.Text(kGeneralAndRealEstate) : "",
                            read.Output()})) {
            return false;
        }
        if (state.reportAfterAction && !read.PrintAll({read.Focus(), read.Options(), read.Output()})) return false;
        state.shown = true;
        state.reportAfterAction = false;

        std::string error;
        if (state.nextAction < run.actions.size()) {
            const auto& [key, value] = run.actions[state.nextAction++];
            if (Perform(dialog, key, value, state, run, error)) continue;
            Complain("cannot do " + ToUtf8(key + L"=" + value) + (error.empty() ? "" : ": " + error));
            return false;
        }
        if (state.closingPressed && state.cancelPressed) {
            Complain("the conditions dialog stayed open after Cancel");
            return false;
        }
        // Execute (or Cancel), then, when that was refused and the user has nothing left to try, Cancel.
        const bool cancel = state.closingPressed || run.cancel;
        state.cancelPressed = cancel;
        state.closingPressed = true;
        if (!Click(dialog, cancel ? IDCANCEL : IDOK)) return false;
    }
}
