// The progress window of resource 131: modeless, made without owner, never dispatched while the run
// works, so every change is painted by the explicit repaints.
#include <windows.h>
#include <commctrl.h>

#include "ui/DialogIds.h"
#include "ui/ProgressWindow_win.h"
#include "ui/Win32Dialog_win.h"

namespace {

class CProgressWindow : public CWin32Dialog, public IProgressView {
public:
    explicit CProgressWindow(HINSTANCE instance) : m_instance(instance) {}

    bool Create() override { return CreateModeless(m_instance, IDD_PROGRESS, nullptr); }
    void SetParent(WindowHandle parent) override { ::SetParent(Window(), reinterpret_cast<HWND>(parent)); }
    void Show() override { ::ShowWindow(Window(), SW_SHOW); }
    void End() override { CWin32Dialog::End(1); }
    WindowHandle Handle() const override { return reinterpret_cast<WindowHandle>(Window()); }

    void SetCaption(const std::string& caption) override { ::SetWindowTextA(Window(), caption.c_str()); }
    void SetMainRange(int lower, int upper) override { Send(IDP_MAIN, PBM_SETRANGE32, lower, upper); }
    void SetMainStep(int step) override { Send(IDP_MAIN, PBM_SETSTEP, step, 0); }
    void SetMainPosition(int position) override { Send(IDP_MAIN, PBM_SETPOS, position, 0); }
    void SetActivityRange(int lower, int upper) override { Send(IDP_ACTIVITY, PBM_SETRANGE32, lower, upper); }
    void SetActivityStep(int step) override { Send(IDP_ACTIVITY, PBM_SETSTEP, step, 0); }
    void SetActivityPosition(int position) override { Send(IDP_ACTIVITY, PBM_SETPOS, position, 0); }
    void StepActivity() override { Send(IDP_ACTIVITY, PBM_STEPIT, 0, 0); }
    void Raise() override {
        ::BringWindowToTop(Window());
        ::SetForegroundWindow(Window());
    }
    void Repaint() override { ::RedrawWindow(Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

private:
    void Send(int id, UINT message, int wparam, int lparam) {
        ::SendDlgItemMessageA(Window(), id, message, static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam));
    }

    HINSTANCE m_instance;
};

}  // namespace

std::unique_ptr<IProgressView> CreateWin32ProgressView(HINSTANCE instance) {
    return std::make_unique<CProgressWindow>(instance);
}
