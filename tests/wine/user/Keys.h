#pragma once
#include "Run.h"

// A key with the modifiers held while it goes down: [Shift+][Ctrl+][Alt+] and then Enter, F12, Esc,
// Tab, 3 (main row) or Num3 (keypad).
struct KeyChord {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    WORD virtualKey = 0;
};
bool ParseKeyChord(const std::wstring& text, KeyChord& chord);

// F12 executes and Esc cancels: the chord ends the conditions dialog's waiting by itself.
bool IsClosingChord(const KeyChord& chord);

// This thread shares the input state of `window`'s thread while this lives (AttachThreadInput);
// held for the whole life of a dialog rather than per key.
struct SharedInput {
    explicit SharedInput(HWND window);
    ~SharedInput();
    SharedInput(const SharedInput&) = delete;
    SharedInput& operator=(const SharedInput&) = delete;
    const DWORD own;
    DWORD thread = 0;  // the window's thread once attached
    DWORD error = 0;   // why attaching failed
};

// Presses `chord` in the thread of `dialog` as the keyboard would deliver it: the modifiers go into
// the key state shared through `input` (the program's GetKeyState reads it), the key goes down and
// then up as messages posted to the thread's focused control. After each message `settle` waits
// until the thread has handled everything posted before, so the user never races the program; when
// the dialog has gone with the press, the release is dropped. The shared key state is left with
// every key of the chord up.
bool PressKeyChord(HWND dialog, const SharedInput& input, const KeyChord& chord,
                   const std::function<Readiness()>& settle, std::string& error);
