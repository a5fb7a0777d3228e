#include "Answers_win.h"

#include <commctrl.h>

#include "BoxIcon_win.h"
#include "WindowPicture_win.h"
#include "hostsim/TranscriptLines.h"

namespace {
constexpr int kTextId = 0xFFFF;
constexpr int kProgressBarId = 1018;
constexpr DWORD kCloseWaitMs = 10000;

std::vector<int> VisibleButtons(HWND box) {
    std::vector<int> visible;
    // Every button a message box can carry; the box hides those its style does not use.
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE}) {
        const HWND button = ::GetDlgItem(box, id);
        if (button && ::IsWindowVisible(button)) visible.push_back(id);
    }
    return visible;
}

// The progress window that owns `box`: the program's progress window, top-level or in host-window mode
// a child of the host window, when that is the box's owner or, for a child, the top-level window
// above it (the system hands ownership up to that one).
HWND ProgressOwning(HWND box, const Run& run) {
    const HWND owner = ::GetWindow(box, GW_OWNER);
    for (const std::vector<HWND>& windows : {TopLevelWindowsOf(run.programId), ChildWindowsOf(run.host)}) {
        for (HWND window : windows) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            const HWND bar = ::GetDlgItem(window, kProgressBarId);
            if (process == run.programId && ::IsWindowVisible(window) && ClassOf(window) == L"#32770" && bar &&
                ClassOf(bar) == PROGRESS_CLASSW) {
                const HWND root = ::GetAncestor(window, GA_ROOT);
                return owner && (owner == window || (root != window && owner == root)) ? window : nullptr;
            }
        }
    }
    return nullptr;
}

// "PROGRESS <caption> main=<position>/<upper>", the line link-headless prints for the same moment;
// then the picture the script asks for.
bool ShowProgress(HWND box, HWND progress, Run& run) {
    std::wstring caption;
    DWORD_PTR position = 0, upper = 0;
    const HWND bar = ::GetDlgItem(progress, kProgressBarId);
    if (!ReadText(progress, caption) || !Send(bar, PBM_GETPOS, 0, 0, position) ||
        !Send(bar, PBM_GETRANGE, FALSE, 0, upper)) {
        Complain("cannot read the progress window");
        return false;
    }
    Print("PROGRESS " + ToUtf8(caption) + " main=" + std::to_string(static_cast<int>(position)) + "/" +
          std::to_string(static_cast<int>(upper)));
    const std::wstring file = run.progressPicture;
    if (file.empty()) return true;
    run.progressPicture.clear();
    std::string error = "it is a child of the host window, out of sight: take its picture without a host window";
    const bool topLevel = ::GetAncestor(progress, GA_ROOT) == progress;
    if (topLevel && SaveUncoveredWindowBitmap(progress, box, file, kCloseWaitMs, error)) return true;
    Complain("cannot save the progress window as " + ToUtf8(file) + ": " + error);
    return false;
}
}  // namespace

bool IsMessageBox(HWND window) {
    const HWND text = ::GetDlgItem(window, kTextId);
    return ClassOf(window) == L"#32770" && text && ClassOf(text) == L"Static" && !VisibleButtons(window).empty();
}

bool AnswerMessageBox(HWND box, Run& run) {
    std::wstring caption, text;
    if (!ReadText(box, caption) || !ReadText(::GetDlgItem(box, kTextId), text)) {
        Complain("cannot read the texts of a message box");
        return false;
    }
    const std::string shown = ToUtf8(caption) + ": " + ShowLineBreaks(ToUtf8(text));
    const HWND progress = ProgressOwning(box, run);
    if (progress && !ShowProgress(box, progress, run)) return false;

    const std::vector<int> buttons = VisibleButtons(box);
    if (buttons.empty()) return true;  // closed since it was recognized
    int press = buttons.front();
    if (buttons == std::vector<int>{IDOK}) {
        Print(std::string("MESSAGE ") + IdentifyBoxIcon(box, run) + " " + shown);
    } else if (buttons == std::vector<int>{IDYES, IDNO}) {
        press = run.NextAnswer() ? IDYES : IDNO;
        Print("QUESTION " + shown + (press == IDYES ? " -> yes" : " -> no"));
    } else {
        std::string ids;
        for (int id : buttons) {
            ids += (ids.empty() ? "" : "+") + std::to_string(id);
            if (id == IDCANCEL || id == IDNO) press = id;
        }
        Print("UNEXPECTED-BOX buttons=" + ids + " " + shown);
    }
    if (Click(box, press) && run.WaitFor([&] { return Gone(box); }, kCloseWaitMs)) return true;
    Complain("the message box did not close after button " + std::to_string(press) + " was pressed");
    return false;
}
