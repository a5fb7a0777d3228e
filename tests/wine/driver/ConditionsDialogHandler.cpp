#include "ConditionsDialogHandler.h"

#include <string>

#include "KeyboardInput.h"
#include "SaveFileDialog.h"
#include "ScreenCapture.h"
#include "Text.h"
#include "WindowQuery.h"

namespace {
// Control ids of dialog 130.
constexpr int kBusinessName = 1002;
constexpr int kPeriod = 1005;
constexpr int kManufacturing = 1008;
constexpr int kGeneralAndRealEstate = 1012;
constexpr int kOutputGroup = 1013;
constexpr int kPathEdit = 1014;
constexpr int kBrowse = 1015;
// The category options; option i carries the value i + 1.
constexpr int kOptionIds[] = {1010, 1011, 1012, 1020, 1021, 1022, 1023};
constexpr int kOptionCount = sizeof kOptionIds / sizeof kOptionIds[0];
// What the compact layout moves, and the two buttons.
constexpr int kLayoutIds[] = {1009, 1012, 1013, 1014, 1015, IDOK, IDCANCEL};

const wchar_t kSaveDialogTitle[] = L"保存ファイルを指定";
constexpr UINT kTimeoutMs = 5000;
constexpr DWORD kHandledWaitMs = 20000;
constexpr DWORD kWindowWaitMs = 10000;

bool Gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam, DWORD_PTR& result) {
    return ::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kTimeoutMs, &result) != 0;
}

enum class Readiness { Waiting, Modal, Gone, Failed };

// Waits until the dialog's thread has handled everything sent or posted to it before; then tells
// whether the dialog waits for the user, has a window of its own up, or has ended.
Readiness Settle(HWND dialog, RunContext& context) {
    const HWND edit = ::GetDlgItem(dialog, kPathEdit);
    bool reset = false;
    bool posted = false;
    const bool handled = context.WaitFor([&] {
        if (Gone(dialog)) return true;
        DWORD_PTR modified = 0;
        if (!reset) {
            reset = Send(edit, EM_SETMODIFY, FALSE, 0, modified);
            return false;
        }
        if (!posted) {
            posted = ::PostMessageW(edit, EM_SETMODIFY, TRUE, 0) != FALSE;
            return false;
        }
        return Send(edit, EM_GETMODIFY, 0, 0, modified) && modified != 0;
    }, kHandledWaitMs);
    if (Gone(dialog)) return Readiness::Gone;
    if (!handled) return Readiness::Failed;
    return ::IsWindowEnabled(dialog) ? Readiness::Waiting : Readiness::Modal;
}

bool ItemText(HWND dialog, int id, std::string& utf8) {
    std::wstring text;
    if (!ReadText(::GetDlgItem(dialog, id), text)) return false;
    utf8 = ToUtf8(text);
    return true;
}

const char* EnabledName(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) ? "enabled" : "disabled";
}

bool OptionsLine(HWND dialog, std::string& line) {
    line = "OPTIONS";
    for (int id : kOptionIds) {
        const HWND option = ::GetDlgItem(dialog, id);
        DWORD_PTR check = 0;
        if (!option || !Send(option, BM_GETCHECK, 0, 0, check)) return false;
        std::string state = "hidden";
        if (::IsWindowVisible(option)) {
            state = EnabledName(dialog, id);
            if (check == BST_CHECKED) state += "+checked";
        }
        line += " " + std::to_string(id) + "=" + state;
    }
    return true;
}

bool OutputLine(HWND dialog, std::string& line) {
    std::string group;
    std::string path;
    if (!ItemText(dialog, kOutputGroup, group) || !ItemText(dialog, kPathEdit, path)) return false;
    line = "OUTPUT group=" + group + " edit=" + EnabledName(dialog, kPathEdit) + " browse=" +
           EnabledName(dialog, kBrowse) + " path=" + path;
    return true;
}

// The lines link-headless prints when the dialog opens.
bool PrintOpened(HWND dialog, Transcript& out) {
    std::string business;
    std::string period;
    std::string manufacturing;
    std::string options;
    std::string output;
    if (!ItemText(dialog, kBusinessName, business) || !ItemText(dialog, kPeriod, period) ||
        !ItemText(dialog, kManufacturing, manufacturing) || !OptionsLine(dialog, options) ||
        !OutputLine(dialog, output)) {
        return false;
    }
    out.Line("CONDITIONS business=" + business + " period=" + period + " manufacturing=" + manufacturing);
    out.Line(options);
    if (::IsWindowVisible(::GetDlgItem(dialog, kGeneralAndRealEstate))) {
        std::string text;
        if (!ItemText(dialog, kGeneralAndRealEstate, text)) return false;
        out.Line("OPTION 1012 " + text);
    }
    out.Line(output);
    return true;
}

// Control id of the focused control of the dialog; 0 when the focus is elsewhere.
int FocusedId(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return 0;
    return ::IsChild(dialog, info.hwndFocus) ? ::GetDlgCtrlID(info.hwndFocus) : 0;
}

// "FOCUS <id>", with " selection=<start>-<end>/<length>" (in characters) when it is the path edit.
bool FocusLine(HWND dialog, std::string& line) {
    const int id = FocusedId(dialog);
    line = "FOCUS " + std::to_string(id);
    if (id != kPathEdit) return true;
    const HWND edit = ::GetDlgItem(dialog, kPathEdit);
    DWORD_PTR selection = 0;
    DWORD_PTR length = 0;
    if (!Send(edit, EM_GETSEL, 0, 0, selection) || !Send(edit, WM_GETTEXTLENGTH, 0, 0, length)) return false;
    line += " selection=" + std::to_string(LOWORD(selection)) + "-" + std::to_string(HIWORD(selection)) + "/" +
            std::to_string(length);
    return true;
}

std::string ClientRectText(HWND dialog, HWND control) {
    RECT r = {};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void PrintLayout(HWND dialog, Transcript& out) {
    std::string line = "LAYOUT";
    for (int id : kLayoutIds) line += " " + std::to_string(id) + "=" + ClientRectText(dialog, ::GetDlgItem(dialog, id));
    out.Line(line);
    RECT client = {};
    ::GetClientRect(dialog, &client);
    out.Line("LAYOUT client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
}

bool Click(HWND dialog, int id) {
    // Posted: a button may open a modal window in the program.
    return ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0) != FALSE;
}

bool Browse(HWND dialog, const std::wstring& name, RunContext& context) {
    if (!::IsWindowEnabled(::GetDlgItem(dialog, kBrowse))) {
        context.transcript.Line("BROWSE disabled");
        return true;
    }
    if (!Click(dialog, kBrowse)) return false;
    HWND save = nullptr;
    if (!context.WaitFor([&] { return (save = FindSaveFileDialog(context, kSaveDialogTitle)) != nullptr; },
                         kWindowWaitMs)) {
        Complain("no save-file dialog titled " + ToUtf8(kSaveDialogTitle) + " appeared");
        return false;
    }
    return AnswerSaveFileDialog(save, name, context);
}
}  // namespace

bool ConditionsDialogHandler::Recognizes(HWND window) {
    if (ClassOf(window) != L"#32770") return false;
    HWND edit = ::GetDlgItem(window, kPathEdit);
    HWND group = ::GetDlgItem(window, kOutputGroup);
    return edit && group && ClassOf(edit) == L"Edit" && ::GetDlgItem(window, kOptionIds[0]);
}

WindowHandler::Outcome ConditionsDialogHandler::Handle(HWND dialog, RunContext& context) {
    DialogState& state = m_states[dialog];
    Transcript& out = context.transcript;
    if (!::IsWindowEnabled(dialog)) return Outcome::Watching;  // a box of its own is up
    for (;;) {
        switch (Settle(dialog, context)) {
        case Readiness::Gone:
            m_states.erase(dialog);
            return Outcome::Done;
        case Readiness::Modal: return Outcome::Watching;
        case Readiness::Failed:
            Complain("the conditions dialog stopped handling its messages");
            return Outcome::Failed;
        case Readiness::Waiting: break;
        }
        if (!state.shown) {
            if (!PrintOpened(dialog, out)) {
                Complain("cannot read the conditions dialog");
                return Outcome::Failed;
            }
            state.shown = true;
        }
        if (state.reportAfterAction) {
            state.reportAfterAction = false;
            std::string focus;
            std::string options;
            std::string output;
            if (!FocusLine(dialog, focus) || !OptionsLine(dialog, options) || !OutputLine(dialog, output)) {
                Complain("cannot read the conditions dialog");
                return Outcome::Failed;
            }
            out.Line(focus);
            out.Line(options);
            out.Line(output);
        }

        const std::vector<DialogAction>& actions = context.user.actions;
        if (state.nextAction < actions.size()) {
            const DialogAction& action = actions[state.nextAction++];
            if (!Perform(dialog, action, state, context)) return Outcome::Failed;
            continue;
        }
        if (!state.closingPressed) {
            state.closingPressed = true;
            state.cancelPressed = context.user.cancel;
            if (!Click(dialog, context.user.cancel ? IDCANCEL : IDOK)) return Outcome::Failed;
            continue;
        }
        if (!state.cancelPressed) {
            // Refused, and the user has nothing left to try.
            state.cancelPressed = true;
            if (!Click(dialog, IDCANCEL)) return Outcome::Failed;
            continue;
        }
        Complain("the conditions dialog stayed open after Cancel");
        return Outcome::Failed;
    }
}

bool ConditionsDialogHandler::Perform(HWND dialog, const DialogAction& action, DialogState& state,
                                      RunContext& context) {
    Transcript& out = context.transcript;
    switch (action.kind) {
    case DialogAction::Kind::Category: {
        if (action.number < 1 || action.number > kOptionCount) return true;
        const HWND option = ::GetDlgItem(dialog, kOptionIds[action.number - 1]);
        if (!::IsWindowEnabled(option) || !::IsWindowVisible(option)) return true;
        return ::PostMessageW(option, BM_CLICK, 0, 0) != FALSE;
    }
    case DialogAction::Kind::Output: {
        const HWND edit = ::GetDlgItem(dialog, kPathEdit);
        if (!::IsWindowEnabled(edit)) return true;
        DWORD_PTR ignored = 0;
        if (!Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(action.text.c_str()), ignored)) {
            Complain("cannot put the path into the conditions dialog");
            return false;
        }
        return true;
    }
    case DialogAction::Kind::Key: {
        KeyChord chord;
        std::string error;
        if (!ParseKeyChord(action.text, chord)) return false;
        out.Line("KEY " + ToUtf8(action.text));
        if (!state.input) state.input = std::make_unique<SharedInput>(dialog);
        const auto settle = [&] {
            switch (Settle(dialog, context)) {
            case Readiness::Gone: return KeyProgress::WindowGone;
            case Readiness::Failed: return KeyProgress::Failed;
            default: return KeyProgress::Handled;
            }
        };
        if (!PressKeyChord(dialog, *state.input, chord, settle, error)) {
            Complain("key " + ToUtf8(action.text) + ": " + error);
            return false;
        }
        if (IsClosingChord(chord)) state.closingPressed = true;
        state.reportAfterAction = true;
        return true;
    }
    case DialogAction::Kind::Browse:
        if (!Browse(dialog, action.text, context)) return false;
        state.reportAfterAction = true;
        return true;
    case DialogAction::Kind::Layout:
        PrintLayout(dialog, out);
        return true;
    case DialogAction::Kind::Screenshot: {
        std::string error;
        // Under Wine the program activates the dialog before it owns the foreground (the driver's
        // process does then), so the caption is drawn inactive and never redrawn once it is.
        DWORD_PTR ignored = 0;
        if (::GetForegroundWindow() == dialog) Send(dialog, WM_NCACTIVATE, TRUE, 0, ignored);
        if (!SaveWindowBitmap(dialog, action.text, context, kWindowWaitMs, error)) {
            Complain("cannot save the conditions dialog: " + error);
            return false;
        }
        return true;
    }
    }
    return false;
}
