#include "Keys.h"

#include <utility>

namespace {
bool Failed(const char* call, std::string& error) {
    error = std::string(call) + " failed with error " + std::to_string(::GetLastError());
    return false;
}

// Sets or clears the down bit of `keys` in the key state shared with the program's thread; the
// program's GetKeyState reads it when it handles the posted key.
bool SetKeysDown(const std::vector<BYTE>& keys, bool down, std::string& error) {
    BYTE state[256];
    if (!::GetKeyboardState(state)) return Failed("GetKeyboardState", error);
    for (BYTE key : keys) state[key] = static_cast<BYTE>(down ? state[key] | 0x80 : state[key] & ~0x80);
    return ::SetKeyboardState(state) || Failed("SetKeyboardState", error);
}

// To the focused window of the program's thread (else the dialog), with the lParam the keyboard
// driver builds: repeat count 1, the scan code, the context bit while Alt is held, and the
// previous-state and transition bits of a release.
bool PostKey(HWND dialog, DWORD thread, const KeyChord& chord, bool down, std::string& error) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const HWND target = ::GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : dialog;
    const UINT message = chord.alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM parameter = 1 | static_cast<LPARAM>(::MapVirtualKeyW(chord.virtualKey, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    if (chord.alt) parameter |= LPARAM(1) << 29;
    if (!down) parameter |= LPARAM(3) << 30;
    return ::PostMessageW(target, message, chord.virtualKey, parameter) || Failed("PostMessage of the key", error);
}
}  // namespace

bool ParseKeyChord(const std::wstring& text, KeyChord& chord) {
    static const std::pair<const wchar_t*, WORD> kKeys[] = {
        {L"Enter", VK_RETURN}, {L"F12", VK_F12}, {L"Esc", VK_ESCAPE}, {L"Tab", VK_TAB}, {L"3", '3'}, {L"Num3", VK_NUMPAD3},
    };
    std::wstring rest = text;
    const auto take = [&rest](const std::wstring& prefix) {
        const bool found = rest.compare(0, prefix.size(), prefix) == 0;
        if (found) rest.erase(0, prefix.size());
        return found;
    };
    chord = KeyChord();
    chord.shift = take(L"Shift+");
    chord.ctrl = take(L"Ctrl+");
    chord.alt = take(L"Alt+");
    for (const auto& key : kKeys) {
        if (rest == key.first) chord.virtualKey = key.second;
    }
    return chord.virtualKey != 0;
}

bool IsClosingChord(const KeyChord& chord) {
    return !chord.shift && !chord.ctrl && !chord.alt && (chord.virtualKey == VK_F12 || chord.virtualKey == VK_ESCAPE);
}

SharedInput::SharedInput(HWND window) : own(::GetCurrentThreadId()) {
    const DWORD target = ::GetWindowThreadProcessId(window, nullptr);
    if (target != 0 && ::AttachThreadInput(own, target, TRUE)) thread = target;
    else error = ::GetLastError();
}

SharedInput::~SharedInput() {
    if (thread) ::AttachThreadInput(own, thread, FALSE);
}

bool PressKeyChord(HWND dialog, const SharedInput& input, const KeyChord& chord,
                   const std::function<Readiness()>& settle, std::string& error) {
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    if (input.thread == 0 || input.thread != thread) {
        error = "the user does not share the window's input (AttachThreadInput error " + std::to_string(input.error) + ")";
        return false;
    }
    // Held in the order a person presses them, each with its left-hand twin: GetKeyState answers for
    // both VK_SHIFT and VK_LSHIFT.
    std::vector<BYTE> pressed;
    if (chord.shift) pressed.insert(pressed.end(), {VK_SHIFT, VK_LSHIFT});
    if (chord.ctrl) pressed.insert(pressed.end(), {VK_CONTROL, VK_LCONTROL});
    if (chord.alt) pressed.insert(pressed.end(), {VK_MENU, VK_LMENU});
    pressed.push_back(static_cast<BYTE>(chord.virtualKey));

    // Down, handled, up, handled: a character that the down key makes is queued behind the messages
    // already posted, so the release is posted only once the press has been handled.
    Readiness progress = Readiness::Waiting;
    bool ok = SetKeysDown(pressed, true, error) && PostKey(dialog, thread, chord, true, error) &&
              (progress = settle()) != Readiness::Failed;
    if (ok && progress != Readiness::Gone) {
        ok = SetKeysDown({static_cast<BYTE>(chord.virtualKey)}, false, error) &&
             PostKey(dialog, thread, chord, false, error) && (progress = settle()) != Readiness::Failed;
    }
    if (progress == Readiness::Failed) error = "the program did not handle the key";
    std::string releaseError;
    return SetKeysDown(pressed, false, ok ? error : releaseError) && ok;
}
