#include "Answers_win.h"

#include <commctrl.h>

#include <set>

namespace {
// Control ids of the system's file dialogs (dlgs.h): the file-name field and the file-type list.
constexpr int kFileNameField = 0x47C;
constexpr int kFileTypeList = 0x470;

std::set<HWND> g_cancelled;
}  // namespace

bool IsSaveFileDialog(HWND window) {
    return ClassOf(window) == L"#32770" && ::GetDlgItem(window, kFileNameField) != nullptr;
}

bool AnswerSaveFileDialog(HWND dialog, Run& run) {
    // Wine's file-name field is a ComboBoxEx32; the name goes into its edit.
    DWORD_PTR edit = 0;
    if (!Send(::GetDlgItem(dialog, kFileNameField), CBEM_GETEDITCONTROL, 0, 0, edit) || !edit) return true;
    // The dialog fills its fields before it shows, but its file list may still be loading.
    switch (Settle(dialog, reinterpret_cast<HWND>(edit), run)) {
    case Readiness::Gone: g_cancelled.erase(dialog); return true;
    case Readiness::Modal: return true;
    case Readiness::Failed: Complain("the save-file dialog stopped handling its messages"); return false;
    case Readiness::Waiting: break;
    }
    if (!run.saveAs) {
        if (g_cancelled.insert(dialog).second) return Click(dialog, IDCANCEL);
        Complain("the save-file dialog stayed open after Cancel");
        return false;
    }
    std::wstring title, proposed, fileType;
    DWORD_PTR ignored = 0;
    if (!ReadText(dialog, title) || !ReadText(reinterpret_cast<HWND>(edit), proposed) ||
        !ReadText(::GetDlgItem(dialog, kFileTypeList), fileType) ||
        !Send(reinterpret_cast<HWND>(edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(run.saveAs->c_str()), ignored)) {
        Complain("cannot read or type into the save-file dialog");
        return false;
    }
    Print("BROWSE title=" + ToUtf8(title) + " name=" + ToUtf8(proposed) + " type=" + ToUtf8(fileType));
    run.saveAs.reset();
    return Click(dialog, IDOK);
}
