#pragma once
#include <string>

#include "platform/Platform.h"

// The progress window as its operations: the Win32 view applies them to the window made from
// resource 131, link-headless records them. Bars are the main bar (0..1000) and the activity bar.
class IProgressView {
public:
    virtual ~IProgressView() = default;

    // Window life: made from the template without owner, optionally re-parented, shown, ended
    // (hidden, dialog result 1). The window goes when the view is destroyed.
    virtual bool Create() = 0;
    virtual void SetParent(WindowHandle parent) = 0;
    virtual void Show() = 0;
    virtual void End() = 0;
    virtual WindowHandle Handle() const = 0;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetMainRange(int lower, int upper) = 0;
    virtual void SetMainStep(int step) = 0;
    virtual void SetMainPosition(int position) = 0;
    virtual void SetActivityRange(int lower, int upper) = 0;
    virtual void SetActivityStep(int step) = 0;
    virtual void SetActivityPosition(int position) = 0;
    virtual void StepActivity() = 0;
    // Top of the window order and foreground.
    virtual void Raise() = 0;
    // Paints what changed now: no messages are dispatched while the run works.
    virtual void Repaint() = 0;
};
