#include "Keys_win.h"

#include <cwchar>
#include <utility>

namespace {
bool Failed(const char* call, std::string& error) {
    error = std::string(call) + " failed with error " + std::to_string(::GetLastError());
    return false;
}

// Sets or clears the down bit of `keys` in the key state shared with the program's thread.
bool SetKeysDown(const std::vector<BYTE>& keys, bool down, std::string& error) {
    BYTE state[256];
    if (!::GetKeyboardState(state)) return Failed("GetKeyboardState", error);
    for (BYTE key : keys) state[key] = static_cast<BYTE>(down ? state[key] | 0x80 : state[key] & ~0x80);
    return ::SetKeyboardState(state) || Failed("SetKeyboardState", error);
}

// To the focused window of the program's thread (else the dialog), with the lParam the keyboard
// driver builds: repeat count 1, the scan code, the context bit while Alt is held, and the
// previous-state and transition bits of a release.
bool PostKey(HWND dialog, WORD key, bool alt, bool down, std::string& error) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const bool focused = ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus;
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM parameter = 1 | static_cast<LPARAM>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    if (alt) parameter |= LPARAM(1) << 29;
    if (!down) parameter |= LPARAM(3) << 30;
    return ::PostMessageW(focused ? info.hwndFocus : dialog, message, key, parameter) || Failed("PostMessage", error);
}
}  // namespace

bool PressKey(HWND dialog, const std::wstring& name, const std::function<Readiness()>& settle, bool& closing,
              std::string& error) {
    static const std::pair<const wchar_t*, BYTE> kKeys[] = {{L"Enter", VK_RETURN}, {L"F12", VK_F12},
                                                            {L"Esc", VK_ESCAPE},   {L"Tab", VK_TAB},
                                                            {L"3", '3'},           {L"Num3", VK_NUMPAD3}};
    // Held in the order a person presses them, each with its left-hand twin: GetKeyState answers for
    // both VK_SHIFT and VK_LSHIFT.
    static const std::pair<const wchar_t*, std::vector<BYTE>> kModifiers[] = {
        {L"Shift+", {VK_SHIFT, VK_LSHIFT}}, {L"Ctrl+", {VK_CONTROL, VK_LCONTROL}}, {L"Alt+", {VK_MENU, VK_LMENU}}};
    std::wstring rest = name;
    std::vector<BYTE> pressed;
    for (const auto& [prefix, keys] : kModifiers) {
        if (rest.compare(0, std::wcslen(prefix), prefix) != 0) continue;
        rest.erase(0, std::wcslen(prefix));
        pressed.insert(pressed.end(), keys.begin(), keys.end());
    }
    BYTE key = 0;
    for (const auto& [keyName, virtualKey] : kKeys) {
        if (rest == keyName) key = virtualKey;
    }
    if (key == 0) {
        error = "no such key";
        return false;
    }
    const bool alt = !pressed.empty() && pressed.back() == VK_LMENU;
    closing = pressed.empty() && (key == VK_F12 || key == VK_ESCAPE);
    pressed.push_back(key);

    // Down, handled, up, handled: a character that the down key makes is queued behind the messages
    // already posted, so the release is posted only once the press has been handled.
    Readiness progress = Readiness::Waiting;
    bool ok = SetKeysDown(pressed, true, error) && PostKey(dialog, key, alt, true, error) &&
              (progress = settle()) != Readiness::Failed;
    if (ok && progress != Readiness::Gone) {
        ok = SetKeysDown({key}, false, error) && PostKey(dialog, key, alt, false, error) &&
             (progress = settle()) != Readiness::Failed;
    }
    if (progress == Readiness::Failed) error = "the program did not handle the key";
    std::string releaseError;
    return SetKeysDown(pressed, false, ok ? error : releaseError) && ok;
}
