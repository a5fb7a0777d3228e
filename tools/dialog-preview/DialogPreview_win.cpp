// Shows the run's dialogs from a program's resources without a host, for screenshots and for trying
// keys as real keyboard input:
//   dialog-preview <program.exe> conditions <businessKind> [fixed=PATH] [saved=N] [path=PATH]
//                  [datakind=N] [owner=1] [keys=K1,K2,...] [hold=MS]
//   dialog-preview <program.exe> progress <permille> [hold=MS]
// Prints "shown" once the window is up, the state of the dialog's controls, the state after every
// key, and the outcome. Keys (ENTER, ESC, TAB, F12, NUM3, a digit, with SHIFT+, ALT+ or CTRL+) are
// injected with SendInput 300 ms apart; hold ends the dialog (or closes the progress window) after MS.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/Win32Platform_win.h"
#include "ui/ConditionsDecisions.h"
#include "ui/DialogIds.h"
#include "ui/ProgressPresenter.h"
#include "ui/Win32RunUi_win.h"

namespace {

const int kConditionsControls[] = {IDT_BUSINESS_NAME,
                                   IDT_PERIOD,
                                   IDT_MANUFACTURING,
                                   IDG_CATEGORY,
                                   IDO_GENERAL,
                                   IDO_REAL_ESTATE,
                                   IDO_AGRICULTURE,
                                   IDO_GENERAL_REAL_ESTATE,
                                   IDO_GENERAL_AGRICULTURE,
                                   IDO_REAL_ESTATE_AGRICULTURE,
                                   IDO_ALL,
                                   IDG_OUTPUT,
                                   IDE_OUTPUT_PATH,
                                   IDB_BROWSE,
                                   IDOK,
                                   IDCANCEL};

std::vector<std::string> g_keys;
HWND g_owner = nullptr;
size_t g_nextKey = 0;
bool g_shown = false;

std::string Option(int argc, char** argv, const char* name) {
    const size_t length = std::strlen(name);
    for (int i = 3; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=') return argv[i] + length + 1;
    return {};
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

HWND ConditionsWindow() {
    HWND window = ::GetForegroundWindow();
    return window && ::GetDlgItem(window, IDE_OUTPUT_PATH) ? window : nullptr;
}

// Wine activates a first window before it becomes the foreground one and so paints its caption as
// inactive; with no window manager nothing repaints it later. The window is active: paint it so.
void PaintCaptionActive(HWND window) {
    if (::GetForegroundWindow() == window) ::SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
}

void DumpDialog(HWND dialog) {
    RECT window;
    ::GetWindowRect(dialog, &window);
    std::printf("window %ld,%ld %ldx%ld\n", window.left, window.top, window.right - window.left,
                window.bottom - window.top);
    for (int id : kConditionsControls) {
        const HWND item = ::GetDlgItem(dialog, id);
        RECT r = {};
        ::GetWindowRect(item, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        std::printf("control %d visible=%d enabled=%d checked=%d rect=%ld,%ld,%ld,%ld\n", id,
                    ::IsWindowVisible(item) ? 1 : 0, ::IsWindowEnabled(item) ? 1 : 0,
                    ::IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0, r.left, r.top, r.right, r.bottom);
    }
    std::fflush(stdout);
}

void ReportState(const char* after) {
    const HWND foreground = ::GetForegroundWindow();
    char caption[128] = {};
    ::GetWindowTextA(foreground, caption, sizeof caption);
    const HWND dialog = ConditionsWindow();
    std::printf("after %s: foreground-has-edit=%d focus=%d checked=", after, dialog ? 1 : 0,
                ::GetFocus() ? ::GetDlgCtrlID(::GetFocus()) : 0);
    if (dialog)
        for (int id : kCategoryOptionIds)
            if (::IsDlgButtonChecked(dialog, id) == BST_CHECKED) std::printf("%d ", id);
    if (g_owner) std::printf("owner-enabled=%d", ::IsWindowEnabled(g_owner) ? 1 : 0);
    std::printf("\n");
    std::fflush(stdout);
}

void Press(const std::string& keyName) {
    std::vector<WORD> modifiers;
    std::string key = keyName;
    for (;;) {
        if (key.rfind("SHIFT+", 0) == 0) modifiers.push_back(VK_SHIFT), key.erase(0, 6);
        else if (key.rfind("ALT+", 0) == 0) modifiers.push_back(VK_MENU), key.erase(0, 4);
        else if (key.rfind("CTRL+", 0) == 0) modifiers.push_back(VK_CONTROL), key.erase(0, 5);
        else break;
    }
    WORD vk = 0;
    if (key == "ENTER") vk = VK_RETURN;
    else if (key == "ESC") vk = VK_ESCAPE;
    else if (key == "TAB") vk = VK_TAB;
    else if (key == "F12") vk = VK_F12;
    else if (key == "NUM3") vk = VK_NUMPAD3;
    else if (key == "DOWN") vk = VK_DOWN;
    else if (key.size() == 1) vk = static_cast<WORD>(key[0]);
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD code, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD m : modifiers) add(m, false);
    add(vk, false);
    add(vk, true);
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) add(*it, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void CALLBACK OnKeyTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_shown) {
        if (HWND dialog = ConditionsWindow()) {
            g_shown = true;
            PaintCaptionActive(dialog);
            std::printf("shown\n");
            DumpDialog(dialog);
        }
        return;
    }
    if (g_nextKey > 0) ReportState(g_keys[g_nextKey - 1].c_str());
    if (g_nextKey < g_keys.size()) {
        if (HWND foreground = ::GetForegroundWindow()) ::SetForegroundWindow(foreground);
        Press(g_keys[g_nextKey]);
    }
    if (g_nextKey <= g_keys.size()) ++g_nextKey;
}

void CALLBACK OnHoldTimer(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); }

int RunConditions(HINSTANCE resources, int argc, char** argv) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    std::strcpy(data.businessName, "株式会社 山田&商店");
    data.periodFrom = 20220101;
    data.periodTo = 20221231;
    data.hasManufacturingCost = 1;
    data.businessKind = static_cast<std::uint8_t>(std::atoi(argv[3]));
    data.dataKind = static_cast<std::int16_t>(std::atoi(Option(argc, argv, "datakind").c_str()));
    if (Option(argc, argv, "owner") == "1") {
        g_owner = ::CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                    nullptr, nullptr, nullptr);
    }

    ConditionsSetup setup;
    setup.fixedPath = Option(argc, argv, "fixed");
    const std::string saved = Option(argc, argv, "saved");
    const std::string savedPath = Option(argc, argv, "path");
    setup.readSaved = [&] { return SavedChoice{static_cast<std::int16_t>(std::atoi(saved.c_str())), savedPath}; };
    setup.validate = [](WindowHandle, const std::string& path, const std::string&) {
        std::printf("validate %s\n", path.c_str());
        return DestinationVerdict::Accepted;
    };
    g_keys = Split(Option(argc, argv, "keys"));
    ::SetTimer(nullptr, 0, 300, OnKeyTimer);
    const std::string hold = Option(argc, argv, "hold");
    if (!hold.empty()) ::SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(hold.c_str())), OnHoldTimer);

    CWin32RunUi ui(resources);
    const ConditionsOutcome outcome = ui.RunConditionsDialog(reinterpret_cast<WindowHandle>(g_owner), data, setup);
    std::printf("outcome confirmed=%d category=%d path=%s\n", outcome.end == ConditionsEnd::Executed ? 1 : 0,
                outcome.category, outcome.outputPath.c_str());
    if (g_owner) std::printf("owner-enabled-after=%d\n", ::IsWindowEnabled(g_owner) ? 1 : 0);
    return 0;
}

int RunProgress(HINSTANCE resources, int argc, char** argv) {
    CWin32RunUi ui(resources);
    CProgressPresenter progress(ui.CreateProgressView());
    if (!progress.Create()) {
        std::printf("progress window not created\n");
        return 1;
    }
    progress.Show();
    progress.Initialise();
    const auto start = std::chrono::steady_clock::now();
    progress.AdvanceBand(0, static_cast<std::int16_t>(std::atoi(argv[3])));
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    const HWND window = reinterpret_cast<HWND>(progress.Handle());
    PaintCaptionActive(window);
    char caption[64] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    RECT r;
    ::GetWindowRect(window, &r);
    std::printf("shown\nwindow %ld,%ld %ldx%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::printf("units=%s elapsed-ms=%lld caption-bytes=%s main=%d activity=%d\n", argv[3],
                static_cast<long long>(elapsed), caption,
                static_cast<int>(::SendDlgItemMessageA(window, IDP_MAIN, PBM_GETPOS, 0, 0)),
                static_cast<int>(::SendDlgItemMessageA(window, IDP_ACTIVITY, PBM_GETPOS, 0, 0)));
    std::fflush(stdout);

    const std::string hold = Option(argc, argv, "hold");
    ::SetTimer(nullptr, 0, hold.empty() ? 3000u : static_cast<UINT>(std::atoi(hold.c_str())), OnHoldTimer);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    progress.End();
    std::printf("after end visible=%d\n", ::IsWindowVisible(window) ? 1 : 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: dialog-preview <program.exe> conditions|progress <number> [options]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWin32Platform platform;
    SetPlatform(&platform);
    const HMODULE resources = ::LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!resources) {
        std::fprintf(stderr, "dialog-preview: cannot load %s\n", argv[1]);
        return 2;
    }
    const std::string what = argv[2];
    const int code = what == "progress" ? RunProgress(resources, argc, argv) : RunConditions(resources, argc, argv);
    SetPlatform(nullptr);
    return code;
}
