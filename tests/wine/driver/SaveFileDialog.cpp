#include "SaveFileDialog.h"

#include <commctrl.h>

#include "MessageBoxHandler.h"
#include "Text.h"
#include "WindowQuery.h"

namespace {
// Control ids of the system's file dialogs (dlgs.h): the file-name field and the file-type list.
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;
constexpr UINT kTimeoutMs = 5000;
constexpr DWORD kCloseWaitMs = 10000;

// The edit inside the file-name field: Wine 8 uses a ComboBoxEx32, older dialogs a combo box.
HWND FileNameEdit(HWND dialog) {
    HWND field = ::GetDlgItem(dialog, kFileNameField);
    if (!field) return nullptr;
    if (ClassOf(field) == WC_COMBOBOXEXW) {
        DWORD_PTR edit = 0;
        if (!::SendMessageTimeoutW(field, CBEM_GETEDITCONTROL, 0, 0, SMTO_NORMAL, kTimeoutMs, &edit)) return nullptr;
        return reinterpret_cast<HWND>(edit);
    }
    if (ClassOf(field) == L"Edit") return field;
    return ::FindWindowExW(field, nullptr, L"Edit", nullptr);
}

HWND OwnedBox(RunContext& context, HWND owner) {
    MessageBoxHandler boxes;
    for (HWND window : TopLevelWindowsOf(context.processId)) {
        if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == owner && boxes.Recognizes(window)) {
            return window;
        }
    }
    return nullptr;
}

bool Gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }
}  // namespace

HWND FindSaveFileDialog(RunContext& context, const std::wstring& title) {
    for (HWND window : TopLevelWindowsOf(context.processId)) {
        std::wstring caption;
        if (::IsWindowVisible(window) && ClassOf(window) == L"#32770" && ReadText(window, caption) &&
            caption == title) {
            return window;
        }
    }
    return nullptr;
}

bool AnswerSaveFileDialog(HWND dialog, const std::wstring& name, RunContext& context) {
    HWND edit = nullptr;
    // The dialog fills its fields before it shows, but its file list may still be loading.
    if (!context.WaitFor([&] { return (edit = FileNameEdit(dialog)) != nullptr; }, kCloseWaitMs)) {
        Complain("the save-file dialog has no file-name field");
        return false;
    }
    std::wstring title;
    std::wstring proposed;
    std::wstring fileType;
    if (!ReadText(dialog, title) || !ReadText(edit, proposed) ||
        !ReadText(::GetDlgItem(dialog, kFileTypeList), fileType)) {
        Complain("cannot read the save-file dialog");
        return false;
    }
    context.transcript.Line("BROWSE title=" + ToUtf8(title) + " name=" + ToUtf8(proposed) + " type=" + ToUtf8(fileType));

    DWORD_PTR ignored = 0;
    if (!::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()), SMTO_NORMAL, kTimeoutMs,
                               &ignored)) {
        Complain("cannot type into the save-file dialog");
        return false;
    }
    // Posted: confirming ends the dialog's modal loop in the program.
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    bool cancelled = false;
    for (;;) {
        HWND box = nullptr;
        if (!context.WaitFor([&] { return Gone(dialog) || (box = OwnedBox(context, dialog)) != nullptr; },
                             kCloseWaitMs)) {
            Complain(cancelled ? "the save-file dialog did not close after Cancel"
                               : "the save-file dialog neither closed nor showed a box after OK");
            return false;
        }
        if (Gone(dialog)) return true;
        MessageBoxHandler boxes;
        if (boxes.Handle(box, context) == WindowHandler::Outcome::Failed) return false;
        // The user has no other name to offer.
        if (!cancelled && !Gone(dialog)) {
            ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            cancelled = true;
        }
    }
}
