#include "ui/Win32Dialog_win.h"

CWin32Dialog::~CWin32Dialog() {
    if (m_window) ::DestroyWindow(m_window);
}

bool CWin32Dialog::CreateModeless(HINSTANCE instance, int templateId, HWND owner) {
    m_modal = false;
    m_ended = false;
    return ::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CWin32Dialog::RunModal(HINSTANCE instance, int templateId, HWND owner) {
    m_modal = true;
    m_ended = false;
    m_result = -1;
    // The owner takes no input while the dialog runs; it is enabled again only if we disabled it.
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    if (::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this))) {
        if (!m_ended) ::ShowWindow(m_window, SW_SHOW);
        MSG message;
        while (!m_ended) {
            const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                m_result = -1;
                break;
            }
            if (got == -1) break;
            if (IsOwnMessage(message) && PreTranslateMessage(message)) continue;
            if (!::IsDialogMessageA(m_window, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageA(&message);
            }
        }
        // Hide first and give the owner back its input, so that activation returns to it.
        if (m_window)
            ::SetWindowPos(m_window, nullptr, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (disableOwner) ::EnableWindow(owner, TRUE);
        if (owner && ::GetActiveWindow() == m_window) ::SetActiveWindow(owner);
        if (m_window) ::DestroyWindow(m_window);
    } else if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    return m_result;
}

void CWin32Dialog::End(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (!m_modal && m_window) ::EndDialog(m_window, result);
}

bool CWin32Dialog::IsOwnMessage(const MSG& message) const {
    return m_window && (message.hwnd == m_window || ::IsChild(m_window, message.hwnd));
}

void CWin32Dialog::CenterOnOwner() {
    RECT area;
    const HWND owner = ::GetWindow(m_window, GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || !::GetWindowRect(owner, &area))
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    ::GetWindowRect(m_window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    ::SetWindowPos(m_window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CWin32Dialog::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CWin32Dialog*>(lparam);
        ::SetWindowLongPtrA(window, DWLP_USER, lparam);
        self->m_window = window;
        const INT_PTR focusDefault = self->OnInit();
        // The templates carry no position: like the framework, place the window in the middle, at
        // the size OnInit left it (the compact layout shortens the conditions dialog).
        if (self->m_window) self->CenterOnOwner();
        return focusDefault;
    }
    auto* self = reinterpret_cast<CWin32Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wparam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wparam)) {
        case IDOK: self->OnOK(); return TRUE;
        case IDCANCEL: self->OnCancel(); return TRUE;
        default: return self->OnButtonClicked(LOWORD(wparam)) ? TRUE : FALSE;
        }
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        self->m_window = nullptr;
        return FALSE;
    default: return FALSE;
    }
}
