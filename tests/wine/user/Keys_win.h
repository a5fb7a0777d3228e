#pragma once
#include "Run_win.h"

// Presses the key `name` ([Shift+][Ctrl+][Alt+] and Enter, F12, Esc, Tab, 3 or Num3) in the thread of
// `dialog` as the keyboard delivers it: the modifiers go into the key state this thread shares with
// the dialog's (attached by the caller for the dialog's life; the program's GetKeyState reads it), the
// key goes down and up as messages posted to the thread's focused control, and after each `settle`
// waits until the thread has handled everything posted before, so the user never races the program
// (a release after the dialog has gone is dropped). Every key is left up. `closing`: the key was F12
// (Execute) or Esc (Cancel) alone, which end the dialog's waiting.
bool PressKey(HWND dialog, const std::wstring& name, const std::function<Readiness()>& settle, bool& closing,
              std::string& error);
