#include "RunContext.h"

namespace {
constexpr DWORD kPollMs = 20;
}

void RunContext::Idle(DWORD milliseconds) {
    host.Pump();
    ::MsgWaitForMultipleObjects(1, &process, FALSE, milliseconds, QS_ALLINPUT);
    host.Pump();
}

bool RunContext::WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    const Deadline deadline(milliseconds);
    for (;;) {
        host.Pump();
        if (condition()) return true;
        if (deadline.Passed() || runDeadline.Passed()) return false;
        const DWORD left = deadline.Left() < runDeadline.Left() ? deadline.Left() : runDeadline.Left();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, left < kPollMs ? left : kPollMs, QS_ALLINPUT);
    }
}
