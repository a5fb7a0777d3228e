#pragma once
#include "WindowHandler.h"

// A message box: caption, the text of static 0xFFFF and its visible buttons. OK boxes are printed
// with their icon and confirmed; Yes/No boxes take the scripted user's next answer.
class MessageBoxHandler : public WindowHandler {
public:
    bool Recognizes(HWND window) override;
    Outcome Handle(HWND window, RunContext& context) override;
};
