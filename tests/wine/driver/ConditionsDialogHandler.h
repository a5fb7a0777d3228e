#pragma once
#include <map>
#include <memory>

#include "KeyboardInput.h"
#include "Script.h"
#include "WindowHandler.h"

// The conditions dialog (resource 130). When it first waits for the user, the handler prints what
// it shows (CONDITIONS, OPTIONS, OPTION 1012, OUTPUT: the lines link-headless prints), then does
// the scripted user's actions in order and presses Execute (or Cancel when the user cancels). While
// a box of the dialog is up it only watches; when the dialog waits again and the user has nothing
// left, it presses Cancel, so every run ends.
//
// "Waits for the user" is known, not guessed: the handler resets the path edit's modified flag,
// posts a message that sets it again and waits until it is set. The program's thread handles that
// message only after everything sent or posted before it, in its own message loop or in the loop
// of a box it shows.
class ConditionsDialogHandler : public WindowHandler {
public:
    bool Recognizes(HWND window) override;
    Outcome Handle(HWND window, RunContext& context) override;

private:
    struct DialogState {
        bool shown = false;
        size_t nextAction = 0;
        bool closingPressed = false;     // Execute, Cancel, F12 or Esc
        bool cancelPressed = false;
        bool reportAfterAction = false;  // a key or Browse: show focus, options and path once it waits
        std::unique_ptr<SharedInput> input;  // from the first key until the dialog is gone
    };
    bool Perform(HWND dialog, const DialogAction& action, DialogState& state, RunContext& context);

    std::map<HWND, DialogState> m_states;
};
