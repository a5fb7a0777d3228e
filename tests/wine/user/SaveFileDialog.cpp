#include "SaveFileDialog.h"

#include <commctrl.h>

#include <set>

namespace {
// Control ids of the system's file dialogs (dlgs.h): the file-name field and the file-type list.
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;

std::set<HWND> g_cancelled;

// The edit inside the file-name field: Wine 8 uses a ComboBoxEx32, older dialogs a combo box.
HWND FileNameEdit(HWND dialog) {
    const HWND field = ::GetDlgItem(dialog, kFileNameField);
    DWORD_PTR edit = 0;
    if (ClassOf(field) == WC_COMBOBOXEXW) {
        return Send(field, CBEM_GETEDITCONTROL, 0, 0, edit) ? reinterpret_cast<HWND>(edit) : nullptr;
    }
    if (ClassOf(field) == L"Edit") return field;
    return ::FindWindowExW(field, nullptr, L"Edit", nullptr);
}
}  // namespace

bool IsSaveFileDialog(HWND window) {
    return ClassOf(window) == L"#32770" && ::GetDlgItem(window, kFileNameField) != nullptr;
}

bool AnswerSaveFileDialog(HWND dialog, Run& run) {
    // The dialog fills its fields before it shows, but its file list may still be loading.
    const HWND edit = FileNameEdit(dialog);
    if (!edit) return true;
    switch (Settle(dialog, edit, run)) {
    case Readiness::Gone: g_cancelled.erase(dialog); return true;
    case Readiness::Modal: return true;
    case Readiness::Failed: Complain("the save-file dialog stopped handling its messages"); return false;
    case Readiness::Waiting: break;
    }
    if (!run.saveAs) {
        if (!g_cancelled.insert(dialog).second) {
            Complain("the save-file dialog stayed open after Cancel");
            return false;
        }
        return Click(dialog, IDCANCEL);
    }
    std::wstring title;
    std::wstring proposed;
    std::wstring fileType;
    DWORD_PTR ignored = 0;
    if (!ReadText(dialog, title) || !ReadText(edit, proposed) ||
        !ReadText(::GetDlgItem(dialog, kFileTypeList), fileType)) {
        Complain("cannot read the save-file dialog");
        return false;
    }
    Print("BROWSE title=" + ToUtf8(title) + " name=" + ToUtf8(proposed) + " type=" + ToUtf8(fileType));
    if (!Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(run.saveAs->c_str()), ignored)) {
        Complain("cannot type into the save-file dialog");
        return false;
    }
    run.saveAs.reset();
    return Click(dialog, IDOK);
}
