#include "MessageBoxHandler.h"

#include <string>
#include <vector>

#include "IconMatcher.h"
#include "WindowQuery.h"

namespace {
constexpr int kTextId = 0xFFFF;
constexpr DWORD kIconWaitMs = 5000;
constexpr DWORD kCloseWaitMs = 10000;

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
