// The conditions dialog of resource 130: applies what CConditionsPresenter decides to the real controls.
#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/WindowsPath.h"
#include "ui/ConditionsPresenter.h"
#include "ui/ConditionsWindow_win.h"
#include "ui/DestinationValidation.h"
#include "ui/Win32Dialog_win.h"

namespace {

bool IsDown(int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; }

class CConditionsWindow : public CWin32Dialog, public IConditionsView {
public:
    explicit CConditionsWindow(CConditionsPresenter& dialog) : m_dialog(dialog) {}

    // IConditionsView
    WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(Window()); }
    void SetText(int id, const std::string& text) override { ::SetDlgItemTextA(Window(), id, text.c_str()); }
    std::string Text(int id) override {
        const HWND item = Item(id);
        std::vector<char> text(static_cast<size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
        const int length = ::GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
        return std::string(text.data(), length > 0 ? static_cast<size_t>(length) : 0);
    }
    void LimitText(int id, int bytes) override { ::SendDlgItemMessageA(Window(), id, EM_LIMITTEXT, bytes, 0); }
    void Enable(int id, bool enable) override { ::EnableWindow(Item(id), enable ? TRUE : FALSE); }
    bool IsEnabled(int id) override { return ::IsWindowEnabled(Item(id)) != FALSE; }
    void Hide(int id) override { ::ShowWindow(Item(id), SW_HIDE); }
    void SetChecked(int id, bool checked) override {
        ::CheckDlgButton(Window(), id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool IsChecked(int id) override { return ::IsDlgButtonChecked(Window(), id) == BST_CHECKED; }
    PixelRect ControlRect(int id) override {
        RECT r = {};
        ::GetWindowRect(Item(id), &r);
        ::MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
        return {r.left, r.top, r.right, r.bottom};
    }
    void MoveControl(int id, const PixelRect& r) override {
        ::MoveWindow(Item(id), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
    void ShrinkWindow(int pixels) override {
        RECT r;
        ::GetWindowRect(Window(), &r);
        ::SetWindowPos(Window(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top - pixels,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int FocusedId() override {
        const HWND focus = ::GetFocus();
        return focus && ::IsChild(Window(), focus) ? ::GetDlgCtrlID(focus) : 0;
    }
    void FocusNext() override { ::SendMessageA(Window(), WM_NEXTDLGCTL, 0, FALSE); }
    void Focus(int id) override { ::SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }
    void FocusAndSelectAll(int id) override {
        Focus(id);
        ::SendDlgItemMessageA(Window(), id, EM_SETSEL, 0, -1);
        ::SendDlgItemMessageA(Window(), id, EM_SCROLLCARET, 0, 0);
    }
    bool AskSaveFileName(const std::string& initialFolder, const std::string& proposedName,
                         std::string& chosen) override {
        char file[kMaxPathBytes + 1] = {};
        proposedName.copy(file, kMaxPathBytes);
        // The framework's filter form uses '|'; the system's separates with zero bytes.
        std::string filter = kSaveDialogFilter;
        for (char& c : filter)
            if (c == '|') c = '\0';
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = Window();
        dialog.lpstrFilter = filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof file;
        dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
        dialog.lpstrTitle = kSaveDialogTitle;
        dialog.lpstrDefExt = kSaveDialogDefaultExtension;
        dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        if (!::GetSaveFileNameA(&dialog)) return false;
        chosen = file;
        return true;
    }
    void End(int result) override { CWin32Dialog::End(result); }

protected:
    BOOL OnInit() override { return m_dialog.OnInit(*this) ? TRUE : FALSE; }
    void OnOK() override { m_dialog.OnExecute(*this); }
    void OnCancel() override { m_dialog.OnCancel(*this); }
    bool OnButtonClicked(int id) override {
        if (id != IDB_BROWSE) return false;
        m_dialog.OnBrowse(*this);
        return true;
    }
    bool PreTranslateMessage(const MSG& message) override {
        if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
        const KeyPress key = {static_cast<unsigned>(message.wParam), IsDown(VK_SHIFT), IsDown(VK_CONTROL),
                              IsDown(VK_MENU)};
        return m_dialog.OnKey(*this, key);
    }

private:
    CConditionsPresenter& m_dialog;
};

}  // namespace

ConditionsOutcome RunWin32ConditionsDialog(HINSTANCE instance, HWND owner, const StDATAINFO& data,
                                           const ConditionsSetup& setup) {
    CConditionsPresenter dialog(data, setup);
    CConditionsWindow window(dialog);
    const INT_PTR ended = window.RunModal(instance, IDD_CONDITIONS, owner);
    if (ended == IDCANCEL) return {ConditionsEnd::Cancelled, 0, {}};
    if (ended != IDOK) return {ConditionsEnd::Abnormal, 0, {}};  // -1: the dialog could not be created
    return {ConditionsEnd::Executed, dialog.outputCategory, dialog.outputPath};
}
