#include "ConditionsDialog.h"

#include <cwchar>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>

#include "Keys.h"
#include "WindowPicture.h"

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
constexpr long kOptionCount = sizeof kOptionIds / sizeof kOptionIds[0];
// What the compact layout moves, and the two buttons.
constexpr int kLayoutIds[] = {1009, 1012, 1013, 1014, 1015, IDOK, IDCANCEL};
constexpr DWORD kPictureWaitMs = 10000;

struct DialogState {
    bool shown = false;
    size_t nextAction = 0;
    bool closingPressed = false;     // Execute, Cancel, F12 or Esc
    bool cancelPressed = false;
    bool reportAfterAction = false;  // a key or Browse: show focus, options and path once it waits
    std::unique_ptr<SharedInput> input;  // from the first key until the dialog is gone
};
std::map<HWND, DialogState> g_dialogs;

// Reads the dialog's controls; `ok` turns false at the first that cannot be read.
class DialogReader {
public:
    explicit DialogReader(HWND dialog) : m_dialog(dialog) {}
    bool ok = true;

    std::string Text(int id) {
        std::wstring text;
        ok = ok && ReadText(::GetDlgItem(m_dialog, id), text);
        return ToUtf8(text);
    }
    const char* Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(m_dialog, id)) ? "enabled" : "disabled"; }
    DWORD_PTR Ask(int id, UINT message) {
        DWORD_PTR result = 0;
        ok = ok && Send(::GetDlgItem(m_dialog, id), message, 0, 0, result);
        return result;
    }

    std::string Options() {
        std::string line = "OPTIONS";
        for (int id : kOptionIds) {
            const DWORD_PTR check = Ask(id, BM_GETCHECK);
            std::string state = "hidden";
            if (::IsWindowVisible(::GetDlgItem(m_dialog, id))) {
                state = Enabled(id);
                if (check == BST_CHECKED) state += "+checked";
            }
            line += " " + std::to_string(id) + "=" + state;
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
        int id = 0;
        if (::GetGUIThreadInfo(::GetWindowThreadProcessId(m_dialog, nullptr), &info) && info.hwndFocus &&
            ::IsChild(m_dialog, info.hwndFocus)) {
            id = ::GetDlgCtrlID(info.hwndFocus);
        }
        std::string line = "FOCUS " + std::to_string(id);
        if (id != kPathEdit) return line;
        const DWORD_PTR selection = Ask(kPathEdit, EM_GETSEL);
        return line + " selection=" + std::to_string(LOWORD(selection)) + "-" + std::to_string(HIWORD(selection)) +
               "/" + std::to_string(Ask(kPathEdit, WM_GETTEXTLENGTH));
    }

private:
    HWND m_dialog;
};

// Prints `lines` when every control could be read.
bool PrintAll(const DialogReader& reader, std::initializer_list<std::string> lines) {
    if (!reader.ok) {
        Complain("cannot read the conditions dialog");
        return false;
    }
    for (const std::string& line : lines) {
        if (!line.empty()) Print(line);
    }
    return true;
}

// The lines link-headless prints when the dialog opens.
bool PrintOpened(HWND dialog) {
    DialogReader read(dialog);
    const std::string conditions = "CONDITIONS business=" + read.Text(kBusinessName) + " period=" + read.Text(kPeriod) +
                                   " manufacturing=" + read.Text(kManufacturing);
    const std::string options = read.Options();
    std::string combined;
    if (::IsWindowVisible(::GetDlgItem(dialog, kGeneralAndRealEstate))) {
        combined = "OPTION 1012 " + read.Text(kGeneralAndRealEstate);
    }
    const std::string output = read.Output();
    return PrintAll(read, {conditions, options, combined, output});
}

std::string ClientRectText(HWND dialog, int id) {
    RECT r = {};
    ::GetWindowRect(::GetDlgItem(dialog, id), &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void PrintLayout(HWND dialog) {
    std::string line = "LAYOUT";
    for (int id : kLayoutIds) line += " " + std::to_string(id) + "=" + ClientRectText(dialog, id);
    Print(line);
    RECT client = {};
    ::GetClientRect(dialog, &client);
    Print("LAYOUT client=" + std::to_string(client.right) + "x" + std::to_string(client.bottom));
}

bool PressKey(HWND dialog, const std::wstring& name, DialogState& state, const Run& run) {
    KeyChord chord;
    std::string error;
    ParseKeyChord(name, chord);
    Print("KEY " + ToUtf8(name));
    if (!state.input) state.input = std::make_unique<SharedInput>(dialog);
    const auto settle = [&] { return Settle(dialog, ::GetDlgItem(dialog, kPathEdit), run); };
    if (!PressKeyChord(dialog, *state.input, chord, settle, error)) {
        Complain("key " + ToUtf8(name) + ": " + error);
        return false;
    }
    if (IsClosingChord(chord)) state.closingPressed = true;
    state.reportAfterAction = true;
    return true;
}

bool Perform(HWND dialog, const DialogAction& action, DialogState& state, Run& run) {
    if (action.key == L"category") {
        const long number = std::wcstol(action.value.c_str(), nullptr, 10);
        if (number < 1 || number > kOptionCount) return true;
        const HWND option = ::GetDlgItem(dialog, kOptionIds[number - 1]);
        return !::IsWindowEnabled(option) || !::IsWindowVisible(option) || Click(dialog, kOptionIds[number - 1]);
    }
    if (action.key == L"output") {
        const HWND edit = ::GetDlgItem(dialog, kPathEdit);
        DWORD_PTR ignored = 0;
        const LPARAM text = reinterpret_cast<LPARAM>(action.value.c_str());
        if (!::IsWindowEnabled(edit) || Send(edit, WM_SETTEXT, 0, text, ignored)) return true;
        Complain("cannot put the path into the conditions dialog");
        return false;
    }
    if (action.key == L"key") return PressKey(dialog, action.value, state, run);
    if (action.key == L"browse") {
        if (!::IsWindowEnabled(::GetDlgItem(dialog, kBrowse))) {
            Print("BROWSE disabled");
            return true;
        }
        run.saveAs = action.value;
        state.reportAfterAction = true;
        return Click(dialog, kBrowse);
    }
    if (action.key == L"layout") {
        PrintLayout(dialog);
        return true;
    }
    std::string error;  // the screenshot
    if (SaveWindowBitmap(dialog, action.value, kPictureWaitMs, error)) return true;
    Complain("cannot save the conditions dialog as " + ToUtf8(action.value) + ": " + error);
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
        case Readiness::Gone: g_dialogs.erase(dialog); return true;
        case Readiness::Modal: return true;
        case Readiness::Failed: Complain("the conditions dialog stopped handling its messages"); return false;
        case Readiness::Waiting: break;
        }
        if (!state.shown && !PrintOpened(dialog)) return false;
        state.shown = true;
        if (state.reportAfterAction) {
            state.reportAfterAction = false;
            DialogReader read(dialog);
            const std::string focus = read.Focus();
            const std::string options = read.Options();
            if (!PrintAll(read, {focus, options, read.Output()})) return false;
        }

        const std::vector<DialogAction>& actions = run.script.actions;
        if (state.nextAction < actions.size()) {
            if (!Perform(dialog, actions[state.nextAction++], state, run)) return false;
        } else if (!state.closingPressed) {
            state.closingPressed = true;
            state.cancelPressed = run.script.cancel;
            if (!Click(dialog, run.script.cancel ? IDCANCEL : IDOK)) return false;
        } else if (!state.cancelPressed) {
            // Refused, and the user has nothing left to try.
            state.cancelPressed = true;
            if (!Click(dialog, IDCANCEL)) return false;
        } else {
            Complain("the conditions dialog stayed open after Cancel");
            return false;
        }
    }
}
