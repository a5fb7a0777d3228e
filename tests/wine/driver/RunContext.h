#pragma once
#include <windows.h>

#include <functional>

#include "HostWindow.h"
#include "Script.h"
#include "Text.h"

// A point in time after which waiting is an error.
class Deadline {
public:
    explicit Deadline(ULONGLONG milliseconds) : m_end(::GetTickCount64() + milliseconds) {}
    bool Passed() const { return ::GetTickCount64() >= m_end; }
    DWORD Left() const {
        const ULONGLONG now = ::GetTickCount64();
        return now >= m_end ? 0 : static_cast<DWORD>(m_end - now);
    }

private:
    ULONGLONG m_end;
};

// What a window handler works with: the transcript, the scripted user, the host window (which must
// keep answering the program while the handler waits) and the program's process.
class RunContext {
public:
    RunContext(Transcript& out, ScriptedUser& script, HostWindow& hostWindow, HANDLE program, DWORD programId,
               const Deadline& deadline)
        : transcript(out), user(script), host(hostWindow), process(program), processId(programId),
          runDeadline(deadline) {}

    Transcript& transcript;
    ScriptedUser& user;
    HostWindow& host;
    HANDLE process;
    DWORD processId;
    const Deadline& runDeadline;

    // Keeps the host window answering for up to `milliseconds`; returns early when the program ends.
    void Idle(DWORD milliseconds);
    // Polls `condition` until it holds (true) or `milliseconds` or the run's deadline pass (false).
    bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds);
    bool ProgramEnded() const { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }
};
