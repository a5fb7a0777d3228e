#pragma once
#include <windows.h>

#include "ui/RunUi.h"

// The run's windows: real dialogs made from the program's resources.
class CWin32RunUi : public IRunUi {
public:
    explicit CWin32RunUi(HINSTANCE instance) : m_instance(instance) {}

    ConditionsOutcome RunConditionsDialog(WindowHandle owner, const StDATAINFO& data,
                                          const ConditionsSetup& setup) override;
    std::unique_ptr<IProgressView> CreateProgressView() override;
    void ShowWaitCursor(bool on) override;

private:
    HINSTANCE m_instance;
    HCURSOR m_cursorBeforeWait = nullptr;
    bool m_waiting = false;
};
