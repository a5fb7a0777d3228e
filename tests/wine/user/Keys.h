#pragma once
#include "Run.h"

// Presses the key `name`, [Shift+][Ctrl+][Alt+] and then Enter, F12, Esc, Tab, 3 (main row) or Num3
// (keypad), in the thread of `dialog` as the keyboard would deliver it: the modifiers go into the key
// state that this thread shares with the dialog's (attached by the caller for the dialog's whole
// life; the program's GetKeyState reads it), the key goes down and then up as messages posted to the
// thread's focused control. After each message `settle` waits until the thread has handled
// everything posted before, so the user never races the program; when the dialog has gone with the
// press, the release is dropped. The key state is left with every key of the chord up. `closing`
// tells whether the key was F12 (Execute) or Esc (Cancel) alone, which end the dialog's waiting.
bool PressKey(HWND dialog, const std::wstring& name, const std::function<Readiness()>& settle, bool& closing,
              std::string& error);
