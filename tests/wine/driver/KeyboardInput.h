#pragma once
#include <windows.h>

#include <functional>
#include <string>

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

// What the program's thread has done with the messages posted to it so far.
enum class KeyProgress { Handled, WindowGone, Failed };

// Presses `chord` in the thread of `dialog`: the modifiers go into the key state the driver shares
// with that thread through `input` (the program's GetKeyState reads it), and the key goes down and
// then up as messages posted to the thread's focused control, as the keyboard would deliver them.
// After each message `settle` waits until the thread has handled everything posted before, so the
// driver never races the program; when the dialog has gone with the press, the release is dropped.
// The shared key state is left with every key of the chord up.
bool PressKeyChord(HWND dialog, const SharedInput& input, const KeyChord& chord,
                   const std::function<KeyProgress()>& settle, std::string& error);
