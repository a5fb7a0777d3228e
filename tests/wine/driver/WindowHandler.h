#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "RunContext.h"

// One kind of window the program shows and what the scripted host does with it. The driver asks
// each handler in turn about every visible top-level window of the program; the first that
// recognizes it handles it. New kinds of windows (dialogs, the save-file dialog, the progress
// window) are new handlers added to MakeWindowHandlers.
class WindowHandler {
public:
    enum class Outcome {
        Done,      // read, printed and acted on; the window is gone
        Watching,  // a window the program closes itself (progress): look again at the next poll
        Failed,    // the driver could not do its part; the reason went to standard error
    };

    virtual ~WindowHandler() = default;
    virtual bool Recognizes(HWND window) = 0;
    virtual Outcome Handle(HWND window, RunContext& context) = 0;
};

std::vector<std::unique_ptr<WindowHandler>> MakeWindowHandlers();
