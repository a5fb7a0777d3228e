// link-e2e-driver: plays the accounting product for one run of a Link*.exe under Wine. It hands
// the program its own window on the command line, answers every window the program shows as the
// scenario's user would (the conditions dialog, its save-file dialog, message boxes; the progress
// window is read when its closing box appears), and prints the transcript link-headless prints for
// the same scenario, plus lines of its own for what only real windows have (keys, Browse, layout).
// Exit status: 0 the run completed (whatever its result), 2 bad arguments, 3 the program did not
// end in time, 4 the driver could not do its part, 5 the program left the host window disabled.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "DriveTypes.h"
#include "HeldFiles.h"
#include "HostWindow.h"
#include "Options.h"
#include "ProgramProcess.h"
#include "RunContext.h"
#include "Text.h"
#include "WindowHandler.h"
#include "WindowQuery.h"

namespace {
enum ExitStatus { kCompleted = 0, kBadArguments = 2, kTimedOut = 3, kInternalError = 4, kHostLeftDisabled = 5 };
constexpr ULONGLONG kUnknownWindowGraceMs = 1000;
constexpr DWORD kPollMs = 20;

std::string Describe(HWND window) {
    std::wstring caption;
    ReadText(window, caption);
    return "class=" + ToUtf8(ClassOf(window)) + " caption=" + ToUtf8(caption);
}

// Answers the program's windows until it ends.
ExitStatus DriveUntilEnd(RunContext& context) {
    const auto handlers = MakeWindowHandlers();
    std::map<HWND, ULONGLONG> unrecognizedSince;
    std::set<HWND> reported;
    while (!context.ProgramEnded()) {
        for (HWND window : TopLevelWindowsOf(context.processId)) {
            if (!::IsWindow(window) || !::IsWindowVisible(window)) continue;
            WindowHandler* handler = nullptr;
            for (const auto& candidate : handlers) {
                if (candidate->Recognizes(window)) {
                    handler = candidate.get();
                    break;
                }
            }
            if (!handler) {
                // A window may show before it is complete; only one that stays unknown is reported,
                // in the transcript so that the scenario fails, and closed so that the run can end.
                const ULONGLONG now = ::GetTickCount64();
                const ULONGLONG since = unrecognizedSince.emplace(window, now).first->second;
                if (now - since >= kUnknownWindowGraceMs && reported.insert(window).second) {
                    context.transcript.Line("UNHANDLED-WINDOW " + Describe(window));
                    ::PostMessageW(window, WM_CLOSE, 0, 0);
                }
                continue;
            }
            unrecognizedSince.erase(window);
            if (handler->Handle(window, context) == WindowHandler::Outcome::Failed) return kInternalError;
        }
        if (context.runDeadline.Passed()) {
            Complain("the program did not end in time");
            for (HWND window : TopLevelWindowsOf(context.processId)) {
                if (::IsWindowVisible(window)) Complain("  showing " + Describe(window));
            }
            return kTimedOut;
        }
        context.Idle(kPollMs);
    }
    return kCompleted;
}

int Run(const DriverOptions& options) {
    Transcript transcript;
    HostWindow host;
    if (!host.Create()) {
        Complain("cannot create the host window");
        return kInternalError;
    }
    std::string windowLabel;
    std::wstring arguments;
    if (options.hasCommandLine) arguments = WithOwnWindow(options.commandLine, host.Handle(), windowLabel);
    if (windowLabel.empty()) windowLabel = std::to_string(reinterpret_cast<std::uintptr_t>(host.Handle()));

    // Wine sets TEMP from the prefix's registry when a process starts from Linux; the program, started
    // from here, inherits this environment instead.
    if (!options.tempFolder.empty()) {
        ::SetEnvironmentVariableW(L"TEMP", options.tempFolder.c_str());
        ::SetEnvironmentVariableW(L"TMP", options.tempFolder.c_str());
    }
    // Open before the program starts; closed when this returns, once the program has ended or been killed.
    HeldFiles held;
    std::string error;
    if (!held.Open(options.held, error)) {
        Complain(error);
        return kInternalError;
    }
    ProgramProcess program;
    if (!program.Start(options.program, options.hasCommandLine ? &arguments : nullptr, options.currentFolder, error)) {
        Complain("cannot start " + ToUtf8(options.program) + ": " + error);
        return kInternalError;
    }
    ScriptedUser user = options.user;
    const Deadline deadline(static_cast<ULONGLONG>(options.timeoutSeconds) * 1000);
    RunContext context(transcript, user, host, program.Handle(), program.Id(), deadline);
    const ExitStatus status = DriveUntilEnd(context);
    if (status != kCompleted) {
        program.Kill();
        return status;
    }

    // A post reaches the queue before the poster can end, so everything is here now.
    host.Pump();
    for (const PostedMessage& post : host.Posts()) {
        transcript.Line("POSTED window=" + windowLabel + " message=" + std::to_string(post.message) +
                        " wparam=" + std::to_string(static_cast<std::int32_t>(post.wparam)) +
                        " lparam=" + std::to_string(static_cast<long long>(post.lparam)));
    }
    transcript.Line(host.Posts().empty() ? std::string("RESULT unposted")
                                         : "RESULT " + std::to_string(static_cast<long long>(host.Posts().back().lparam)));
    if (!::IsWindowEnabled(host.Handle())) {
        Complain("the program ended and left the host window disabled");
        return kHostLeftDisabled;
    }
    return kCompleted;
}
}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    DriverOptions options;
    std::string error;
    if (!argv || !ParseDriverOptions(argc, argv, options, error)) {
        Complain(error);
        Complain(kDriverUsage);
        return kBadArguments;
    }
    ::LocalFree(argv);
    if (!options.driveTypeLetters.empty()) return PrintDriveTypes(options.driveTypeLetters);
    return Run(options);
}
