#include "ui/Win32RunUi_win.h"

#include "ui/ConditionsWindow_win.h"
#include "ui/ProgressWindow_win.h"

ConditionsOutcome CWin32RunUi::RunConditionsDialog(WindowHandle owner, const StDATAINFO& data,
                                                   const ConditionsSetup& setup) {
    return RunWin32ConditionsDialog(m_instance, reinterpret_cast<HWND>(owner), data, setup);
}

std::unique_ptr<IProgressView> CWin32RunUi::CreateProgressView() { return CreateWin32ProgressView(m_instance); }

void CWin32RunUi::ShowWaitCursor(bool on) {
    const HCURSOR arrow = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    if (on) {
        const HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        // Showing it again restores it after a message box; the cursor to go back to stays the first.
        if (!m_waiting) m_cursorBeforeWait = previous ? previous : arrow;
        m_waiting = true;
    } else if (m_waiting) {
        ::SetCursor(m_cursorBeforeWait);
        m_waiting = false;
    }
}
