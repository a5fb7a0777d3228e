#pragma once
#include <windows.h>

#include <string>

#include "RunContext.h"
#include "WindowHandler.h"

// The program's progress window (a dialog holding the main bar 1018). It is a top-level window, or
// in host-window mode a child of the host window; nullptr when the program shows none.
HWND FindProgressWindow(RunContext& context);

// True when `box` belongs to `progress`: its owner is the progress window or, for a progress window
// that is a child, the top-level window above it (the system hands ownership up to that one).
bool IsOwnedByProgress(HWND box, HWND progress);

// "PROGRESS <caption> main=<position>/<upper>", the line link-headless prints for the same moment.
bool DescribeProgress(HWND progress, std::string& line);

// The progress window closes itself: it is only watched, and read when a box of its own appears.
class ProgressWindowHandler : public WindowHandler {
public:
    bool Recognizes(HWND window) override;
    Outcome Handle(HWND window, RunContext& context) override;
};
