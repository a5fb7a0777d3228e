#pragma once
#include <windows.h>

#include <string>

#include "RunContext.h"

// A key with the modifiers held while it goes down, e.g. "Shift+3", "Alt+3", "F12".
struct KeyChord {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    WORD virtualKey = 0;
};

// [Shift+][Ctrl+][Alt+] followed by Enter, F12, Esc, Tab, 3 (main row) or Num3 (keypad).
bool ParseKeyChord(const std::wstring& text, KeyChord& chord);

// True for a chord that ends the conditions dialog's waiting by itself (F12 executes, Esc cancels).
bool IsClosingChord(const KeyChord& chord);

// The driver's thread shares the input state of `window`'s thread while this lives
// (AttachThreadInput). Held for the whole life of a dialog rather than per key.
class SharedInput {
public:
    explicit SharedInput(HWND window);
    ~SharedInput();
    SharedInput(const SharedInput&) = delete;
    SharedInput& operator=(const SharedInput&) = delete;
    bool Attached() const { return m_attached; }
    DWORD Target() const { return m_target; }
    DWORD Error() const { return m_error; }

private:
    DWORD m_own;
    DWORD m_target;
    bool m_attached = false;
    DWORD m_error = 0;
};

// Presses `chord` as real keyboard input (SendInput) after bringing `window` to the foreground, and
// returns once `window`'s thread has taken every event of it from its input queue, or fails (with
// the reason in `error`) when that does not happen within `milliseconds`.
//
// How the driver knows: while `input` shares the program thread's input state, GetKeyboardState
// reads that state. Wine keeps it at what the program's thread has taken from its queue as long as
// key events wait there, and brings it up to date with the keyboard once none is left. So the keys
// go down first and are waited for until the state shows them down, then they come up and are
// waited for until it shows them up.
bool PressKeyChord(HWND window, const SharedInput& input, const KeyChord& chord, RunContext& context,
                   DWORD milliseconds, std::string& error);
