#pragma once
#include <windows.h>

// A dialog made from a template over the Win32 dialog manager. The dialog procedure finds the object
// through DWLP_USER (stored at WM_INITDIALOG) and routes button clicks to the virtual handlers.
// Modal runs use a loop of our own so that PreTranslateMessage sees every key before the dialog
// manager does (a dialog box's own loop would hand keys straight to IsDialogMessage).
class CWin32Dialog {
public:
    CWin32Dialog(const CWin32Dialog&) = delete;
    CWin32Dialog& operator=(const CWin32Dialog&) = delete;
    virtual ~CWin32Dialog();

    // Returns the code given to End: -1 when the window could not be made or a quit request ended
    // the run (the request is posted again for the caller's loop).
    INT_PTR RunModal(HINSTANCE instance, int templateId, HWND owner);
    // A window that lives until the object is destroyed; no loop of its own.
    bool CreateModeless(HINSTANCE instance, int templateId, HWND owner);
    // Modal: ends the loop. Modeless: ends the dialog, which hides it.
    void End(INT_PTR result);

    HWND Window() const { return m_window; }
    HWND Item(int id) const { return ::GetDlgItem(m_window, id); }

protected:
    CWin32Dialog() = default;

    // TRUE: the dialog manager puts the focus on the first tab stop.
    virtual BOOL OnInit() { return TRUE; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // True when handled.
    virtual bool OnButtonClicked(int /*id*/) { return false; }
    // Called with every message for the dialog or one of its controls before the dialog manager;
    // true when consumed.
    virtual bool PreTranslateMessage(const MSG& /*message*/) { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    bool IsOwnMessage(const MSG& message) const;
    void CenterOnOwner();

    HWND m_window = nullptr;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};
