// link-e2e-user: the scripted user of one end-to-end run under Wine. It starts the stand-in's
// launcher, which plays the accounting product and starts the Link*.exe; it answers every window the
// program shows as the scenario's user would and prints the transcript link-headless prints for the
// same scenario, plus lines of its own for what only real windows have (keys, Browse, layout). The
// launcher's lines (POSTED, RESULT) end the transcript.
//
//   link-e2e-user [KEY=VALUE...] -- LAUNCHER [launcher arguments...]   the scenario's lines (Run_win.h)
// Exit status: 0 the run completed (whatever its result), 2 bad arguments, 3 the program did not end
// in time, 4 the user could not do its part; else the launcher's (5: it found its window disabled).
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>

#include "Answers_win.h"

namespace {
enum ExitStatus { kCompleted = 0, kBadArguments = 2, kTimedOut = 3, kUserFailed = 4 };
constexpr ULONGLONG kRunMs = 60000;
constexpr DWORD kPollMs = 20;
constexpr DWORD kLauncherEndMs = 10000;

// One argument as CommandLineToArgvW reads it back: quoted, the backslashes before a quote or
// before the closing quote doubled.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'"') out.append(backslashes + 1, L'\\');
        backslashes = c == L'\\' ? backslashes + 1 : 0;
        out += c;
    }
    return out.append(backslashes, L'\\') + L"\"";
}

// Starts the launcher `arguments[0]` with its standard output into `pipe` and its standard error ours.
HANDLE StartLauncher(const std::vector<std::wstring>& arguments, HANDLE& pipe) {
    std::wstring line;
    for (const std::wstring& argument : arguments) line += (line.empty() ? L"" : L" ") + Quoted(argument);
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    const bool started =
        ::CreatePipe(&pipe, &startup.hStdOutput, &inheritable, 0) &&
        ::SetHandleInformation(pipe, HANDLE_FLAG_INHERIT, 0) &&
        ::SetHandleInformation(startup.hStdError, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) &&
        ::CreateProcessW(arguments[0].c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    if (!started) Complain("cannot start the launcher: error " + std::to_string(::GetLastError()));
    if (startup.hStdOutput) ::CloseHandle(startup.hStdOutput);
    if (started) ::CloseHandle(info.hThread);
    return started ? info.hProcess : nullptr;
}

// Appends what the launcher prints to `text` until it has printed a whole line (`line`) or it has
// ended (the launcher alone holds the pipe's other end).
void ReadLauncher(HANDLE pipe, bool line, std::string& text) {
    char chunk[4096];
    DWORD got = 0;
    while ((!line || text.find('\n') == std::string::npos) && ::ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) &&
           got > 0) {
        text.append(chunk, got);
    }
}

// Answers the program's windows until it (and with it the launcher) has ended.
int Drive(Run& run) {
    while (::WaitForSingleObject(run.launcher, kPollMs) == WAIT_TIMEOUT) {
        for (HWND window : TopLevelWindowsOf(run.programId)) {
            // The save-file dialog, known by its file-name field, before the message box: it too is a
            // dialog with statics and buttons.
            const bool done = !::IsWindowVisible(window) ? true
                              : IsSaveFileDialog(window) ? AnswerSaveFileDialog(window, run)
                              : IsMessageBox(window)     ? AnswerMessageBox(window, run)
                                                     : !IsConditionsDialog(window) || WorkConditionsDialog(window, run);
            if (!done) return kUserFailed;
        }
        if (::GetTickCount64() >= run.deadline) {
            Complain("the program did not end in time");
            return kTimedOut;
        }
    }
    return kCompleted;
}
}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    Run run;
    int launcher = 1;
    while (argv && launcher < argc && argv[launcher] != std::wstring(L"--")) run.Add(argv[launcher++]);
    if (++launcher >= argc) {
        Complain("usage: link-e2e-user [KEY=VALUE...] -- LAUNCHER [launcher arguments...]");
        return kBadArguments;
    }
    // Held from before the program starts until it has ended (the handles close as this process
    // ends). Not inheritable: only this process holds them.
    for (const auto& [path, readable] : run.held) {
        const DWORD sharing = readable ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
        const HANDLE held =
            ::CreateFileW(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) {
            Complain("cannot hold " + ToUtf8(path) + " open: error " + std::to_string(::GetLastError()));
            return kUserFailed;
        }
    }
    // The message queue of this thread, which sharing the program's input needs.
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);

    HANDLE pipe = nullptr;
    run.launcher = StartLauncher(std::vector<std::wstring>(argv + launcher, argv + argc), pipe);
    if (!run.launcher) return kUserFailed;
    std::string printed;
    ReadLauncher(pipe, true, printed);
    run.deadline = ::GetTickCount64() + kRunMs;
    unsigned long programId = 0;
    unsigned long long host = 0;
    const size_t lineEnd = printed.find('\n');
    if (lineEnd == std::string::npos ||
        std::sscanf(printed.c_str(), "STARTED process=%lu window=%llu", &programId, &host) != 2) {
        Complain("the launcher did not start the program");
        return kUserFailed;
    }
    printed.erase(0, lineEnd + 1);
    run.programId = programId;
    run.host = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(host));

    const int status = Drive(run);
    if (status != kCompleted) {
        // Ended here, so that the launcher ends too.
        const HANDLE program = ::OpenProcess(PROCESS_TERMINATE, FALSE, run.programId);
        if (program) ::TerminateProcess(program, 99);
    }
    if (::WaitForSingleObject(run.launcher, kLauncherEndMs) != WAIT_OBJECT_0) {
        Complain("the launcher did not end after the program");
        ::TerminateProcess(run.launcher, 99);
        return kUserFailed;
    }
    if (status != kCompleted) return status;
    ReadLauncher(pipe, false, printed);
    for (size_t start = 0, end = 0; (end = printed.find('\n', start)) != std::string::npos; start = end + 1) {
        Print(printed.substr(start, end - start));
    }
    DWORD launcherStatus = 0;
    ::GetExitCodeProcess(run.launcher, &launcherStatus);
    return static_cast<int>(launcherStatus);
}
