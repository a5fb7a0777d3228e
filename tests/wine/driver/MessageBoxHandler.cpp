#include "MessageBoxHandler.h"

#include <string>
#include <vector>

#include "IconMatcher.h"
#include "ProgressWindow.h"
#include "ScreenCapture.h"
#include "WindowQuery.h"

namespace {
constexpr int kTextId = 0xFFFF;
constexpr DWORD kIconWaitMs = 5000;
constexpr DWORD kCloseWaitMs = 10000;
constexpr DWORD kScreenshotWaitMs = 10000;
constexpr int kGap = 8;

// Every button a message box can carry; the box hides those its style does not use.
const int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE};

std::vector<int> VisibleButtons(HWND box) {
    std::vector<int> visible;
    for (int id : kButtonIds) {
        HWND button = ::GetDlgItem(box, id);
        if (button && ::IsWindowVisible(button)) visible.push_back(id);
    }
    return visible;
}

// The box is placed where it does not cover the progress window, which then repaints (the program
// paints while the box waits), and the progress window is saved.
bool SaveProgressPicture(HWND box, HWND progress, const std::wstring& file, RunContext& context) {
    if (::GetAncestor(progress, GA_ROOT) != progress) {
        Complain("the progress window is a child of the host window, out of sight: take its picture in a run "
                 "without a host window");
        return false;
    }
    RECT boxArea;
    RECT progressArea;
    if (!::GetWindowRect(box, &boxArea) || !::GetWindowRect(progress, &progressArea)) return false;
    const int height = boxArea.bottom - boxArea.top;
    int top = progressArea.bottom + kGap;
    if (top + height > ::GetSystemMetrics(SM_CYSCREEN)) top = progressArea.top - kGap - height;
    ::SetWindowPos(box, nullptr, boxArea.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool moved = context.WaitFor([&] {
        RECT now;
        return ::GetWindowRect(box, &now) && now.top == top;
    }, kScreenshotWaitMs);
    std::string error;
    if (!moved || !SaveWindowBitmap(progress, file, context, kScreenshotWaitMs, error)) {
        Complain("cannot save the progress window: " + (moved ? error : std::string("the box did not move")));
        return false;
    }
    return true;
}

bool Press(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    // Posted, not sent: the box's answer ends a modal loop in the program.
    return button && ::PostMessageW(button, BM_CLICK, 0, 0);
}
}  // namespace

bool MessageBoxHandler::Recognizes(HWND window) {
    if (ClassOf(window) != L"#32770") return false;
    HWND text = ::GetDlgItem(window, kTextId);
    return text && ClassOf(text) == L"Static" && !VisibleButtons(window).empty();
}

WindowHandler::Outcome MessageBoxHandler::Handle(HWND box, RunContext& context) {
    std::wstring caption;
    std::wstring text;
    if (!ReadText(box, caption) || !ReadText(::GetDlgItem(box, kTextId), text)) {
        Complain("cannot read the texts of a message box");
        return Outcome::Failed;
    }
    const std::string shown = ToUtf8(caption) + ": " + ShowLineBreaks(ToUtf8(text));

    // The progress window as it stands while its own box is shown.
    const HWND progress = FindProgressWindow(context);
    if (progress && IsOwnedByProgress(box, progress)) {
        std::string state;
        if (!DescribeProgress(progress, state)) {
            Complain("cannot read the progress window");
            return Outcome::Failed;
        }
        context.transcript.Line(state);
        if (!context.user.progressScreenshot.empty()) {
            const std::wstring file = context.user.progressScreenshot;
            context.user.progressScreenshot.clear();
            if (!SaveProgressPicture(box, progress, file, context)) return Outcome::Failed;
        }
    }
    const std::vector<int> buttons = VisibleButtons(box);

    int press = 0;
    if (buttons == std::vector<int>{IDOK}) {
        const BoxIcon icon = IdentifyBoxIcon(box, context, kIconWaitMs);
        context.transcript.Line(std::string("MESSAGE ") + BoxIconName(icon) + " " + shown);
        press = IDOK;
    } else if (buttons == std::vector<int>{IDYES, IDNO}) {
        const bool yes = context.user.NextAnswer();
        context.transcript.Line("QUESTION " + shown + (yes ? " -> yes" : " -> no"));
        press = yes ? IDYES : IDNO;
    } else {
        // A kind of box the program should never show: printed so that the run fails, then closed.
        std::string ids;
        for (int id : buttons) ids += (ids.empty() ? "" : "+") + std::to_string(id);
        context.transcript.Line("UNEXPECTED-BOX buttons=" + ids + " " + shown);
        press = buttons.front();
        for (int id : buttons) {
            if (id == IDCANCEL || id == IDNO) press = id;
        }
    }
    if (!Press(box, press)) {
        Complain("cannot press button " + std::to_string(press) + " of a message box");
        return Outcome::Failed;
    }
    if (!context.WaitFor([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, kCloseWaitMs)) {
        Complain("the message box did not close after button " + std::to_string(press) + " was pressed");
        return Outcome::Failed;
    }
    return Outcome::Done;
}
