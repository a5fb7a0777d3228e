#include "KeyboardInput.h"

#include <vector>

namespace {
struct NamedKey {
    const wchar_t* name;
    WORD virtualKey;
};
const NamedKey kKeys[] = {
    {L"Enter", VK_RETURN}, {L"F12", VK_F12}, {L"Esc", VK_ESCAPE}, {L"Tab", VK_TAB},
    {L"3", '3'},           {L"Num3", VK_NUMPAD3},
};

bool TakePrefix(std::wstring& text, const wchar_t* prefix) {
    const std::wstring p = prefix;
    if (text.compare(0, p.size(), p) != 0) return false;
    text.erase(0, p.size());
    return true;
}

// The keys a chord holds down, in the order a person presses them; each with its left-hand twin,
// since GetKeyState answers for both VK_SHIFT and VK_LSHIFT.
std::vector<BYTE> HeldKeys(const KeyChord& chord) {
    std::vector<BYTE> keys;
    if (chord.shift) keys.insert(keys.end(), {VK_SHIFT, VK_LSHIFT});
    if (chord.ctrl) keys.insert(keys.end(), {VK_CONTROL, VK_LCONTROL});
    if (chord.alt) keys.insert(keys.end(), {VK_MENU, VK_LMENU});
    return keys;
}

// Sets or clears the down bit of `keys` in the key state the driver shares with the program's
// thread; the program's GetKeyState reads it when it handles the posted key.
bool SetKeysDown(const std::vector<BYTE>& keys, bool down, std::string& error) {
    BYTE state[256];
    if (!::GetKeyboardState(state)) {
        error = "GetKeyboardState failed with error " + std::to_string(::GetLastError());
        return false;
    }
    for (BYTE key : keys) state[key] = down ? static_cast<BYTE>(state[key] | 0x80) : static_cast<BYTE>(state[key] & ~0x80);
    if (!::SetKeyboardState(state)) {
        error = "SetKeyboardState failed with error " + std::to_string(::GetLastError());
        return false;
    }
    return true;
}

// The lParam of a key message as the keyboard driver builds it: repeat count 1, the scan code, the
// context bit while Alt is held, and the previous-state and transition bits of a release.
LPARAM KeyParameter(WORD virtualKey, bool alt, bool down) {
    LPARAM value = 1 | static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    if (alt) value |= LPARAM(1) << 29;
    if (!down) value |= LPARAM(3) << 30;
    return value;
}

// Where the keyboard sends a key: the focused window of the program's thread, else `dialog`.
HWND KeyTarget(HWND dialog, DWORD thread) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    return dialog;
}

bool PostKey(HWND dialog, DWORD thread, const KeyChord& chord, bool down, std::string& error) {
    const UINT message = chord.alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    if (::PostMessageW(KeyTarget(dialog, thread), message, chord.virtualKey,
                       KeyParameter(chord.virtualKey, chord.alt, down))) {
        return true;
    }
    error = "PostMessage of the key failed with error " + std::to_string(::GetLastError());
    return false;
}

}  // namespace

SharedInput::SharedInput(HWND window)
    : m_own(::GetCurrentThreadId()), m_target(::GetWindowThreadProcessId(window, nullptr)) {
    m_attached = m_target != 0 && ::AttachThreadInput(m_own, m_target, TRUE) != FALSE;
    if (!m_attached) m_error = ::GetLastError();
}

SharedInput::~SharedInput() {
    if (m_attached) ::AttachThreadInput(m_own, m_target, FALSE);
}

bool ParseKeyChord(const std::wstring& text, KeyChord& chord) {
    chord = KeyChord();
    std::wstring rest = text;
    if (TakePrefix(rest, L"Shift+")) chord.shift = true;
    if (TakePrefix(rest, L"Ctrl+")) chord.ctrl = true;
    if (TakePrefix(rest, L"Alt+")) chord.alt = true;
    for (const NamedKey& key : kKeys) {
        if (rest == key.name) {
            chord.virtualKey = key.virtualKey;
            return true;
        }
    }
    return false;
}

bool IsClosingChord(const KeyChord& chord) {
    const bool plain = !chord.shift && !chord.ctrl && !chord.alt;
    return plain && (chord.virtualKey == VK_F12 || chord.virtualKey == VK_ESCAPE);
}

bool PressKeyChord(HWND dialog, const SharedInput& input, const KeyChord& chord,
                   const std::function<KeyProgress()>& settle, std::string& error) {
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (!input.Attached() || input.Target() != thread) {
        error = "the driver does not share the window's input (AttachThreadInput error " +
                std::to_string(input.Error()) + ")";
        return false;
    }
    std::vector<BYTE> held = HeldKeys(chord);
    std::vector<BYTE> pressed = held;
    pressed.push_back(static_cast<BYTE>(chord.virtualKey));

    // Down, handled, up, handled: a character that the down key makes is queued behind the messages
    // already posted, so the release is posted only once the press has been handled.
    KeyProgress progress = KeyProgress::Handled;
    bool ok = SetKeysDown(pressed, true, error) && PostKey(dialog, thread, chord, true, error);
    if (ok) progress = settle();
    if (ok && progress == KeyProgress::Handled) {
        ok = SetKeysDown({static_cast<BYTE>(chord.virtualKey)}, false, error) &&
             PostKey(dialog, thread, chord, false, error);
        if (ok) progress = settle();
    }
    std::string releaseError;
    const bool released = SetKeysDown(pressed, false, releaseError);
    if (ok && progress == KeyProgress::Failed) {
        error = "the program did not handle the key";
        ok = false;
    }
    if (ok && !released) {
        error = releaseError;
        ok = false;
    }
    return ok;
}
