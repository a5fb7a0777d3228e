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

INPUT KeyEvent(WORD virtualKey, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

// GetKeyboardState, not GetKeyState: Wine answers GetKeyState for a key that is up from a short-lived
// cache. Only the down bit is used: the toggle bits of a shared input state are cleared when it is
// attached and later taken over from the desktop's state.
bool AllInState(const std::vector<WORD>& keys, bool down) {
    BYTE state[256];
    if (!::GetKeyboardState(state)) return false;
    for (WORD key : keys) {
        if (((state[key] & 0x80) != 0) != down) return false;
    }
    return true;
}

bool Send(std::vector<INPUT>& events, std::string& error) {
    if (::SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) == events.size()) return true;
    error = "SendInput failed with error " + std::to_string(::GetLastError());
    return false;
}

bool SameThread(HWND window, DWORD thread) {
    return window && ::GetWindowThreadProcessId(window, nullptr) == thread;
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

bool PressKeyChord(HWND window, const SharedInput& input, const KeyChord& chord, RunContext& context,
                   DWORD milliseconds, std::string& error) {
    const DWORD target = ::GetWindowThreadProcessId(window, nullptr);
    if (!input.Attached() || input.Target() != target) {
        error = "the driver does not share the window's input (AttachThreadInput error " +
                std::to_string(input.Error()) + ")";
        return false;
    }
    if (!SameThread(::GetForegroundWindow(), target)) ::SetForegroundWindow(window);
    if (!context.WaitFor([&] { return SameThread(::GetForegroundWindow(), target); }, milliseconds)) {
        error = "the program's window did not come to the foreground";
        return false;
    }

    std::vector<WORD> keys;
    if (chord.shift) keys.push_back(VK_SHIFT);
    if (chord.ctrl) keys.push_back(VK_CONTROL);
    if (chord.alt) keys.push_back(VK_MENU);
    keys.push_back(chord.virtualKey);
    if (!AllInState(keys, false)) {
        error = "a key of the chord is already down";
        return false;
    }
    std::vector<INPUT> downs;
    std::vector<INPUT> ups;
    for (WORD key : keys) downs.push_back(KeyEvent(key, true));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) ups.push_back(KeyEvent(*key, false));
    bool taken = Send(downs, error) && context.WaitFor([&] { return AllInState(keys, true); }, milliseconds);
    taken = taken && Send(ups, error) && context.WaitFor([&] { return AllInState(keys, false); }, milliseconds);
    if (!taken && error.empty()) error = "the program did not take the key events from its queue";
    return taken;
}
