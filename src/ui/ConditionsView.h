#pragma once
#include <string>

#include "platform/Platform.h"
#include "ui/ConditionsDecisions.h"

// The conditions dialog's window as CConditionsPresenter uses it: controls by id, the focus, the
// save-file dialog and the end. The Win32 view works on the dialog made from resource 130.
class IConditionsView {
public:
    virtual ~IConditionsView() = default;

    // Owner of the dialog's messages.
    virtual WindowHandle Handle() = 0;

    virtual void SetText(int id, const std::string& text) = 0;
    virtual std::string Text(int id) = 0;
    // Bytes the user may type into an edit.
    virtual void LimitText(int id, int bytes) = 0;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsEnabled(int id) = 0;
    virtual void Hide(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsChecked(int id) = 0;
    virtual PixelRect ControlRect(int id) = 0;
    virtual void MoveControl(int id, const PixelRect& rect) = 0;
    virtual void ShrinkWindow(int pixels) = 0;

    // 0 when the focus is on no control of the dialog.
    virtual int FocusedId() = 0;
    // The next control in tab order.
    virtual void FocusNext() = 0;
    virtual void Focus(int id) = 0;
    // Focus on an edit with its whole text selected and scrolled into view.
    virtual void FocusAndSelectAll(int id) = 0;

    // The system's save-file dialog; true with the chosen full path when the user confirmed.
    virtual bool AskSaveFileName(const std::string& initialFolder, const std::string& proposedName,
                                 std::string& chosen) = 0;
    // Ends the modal run with kIdOk or kIdCancel.
    virtual void End(int result) = 0;
};
