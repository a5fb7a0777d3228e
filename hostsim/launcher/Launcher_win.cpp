// host-launcher: the accounting product's menu entry for one linkage program. It shows the
// product's main window, starts the program in the product's current folder with the product's
// temporary folder, handing it that window on the command line as the product does
// (window,message,function,path), keeps the window answering while the program runs and, once the
// program has ended, prints what it posted to the window.
//
//   host-launcher [--current-folder WINPATH] [--temp-folder WINPATH] [--command-line TEXT]
//                 [--keep-window] PROGRAM
//   host-launcher --drive-types LETTERS   "X: type" a letter (fixed, removable, remote, cdrom, ramdisk;
//                                         missing for no drive): how this machine's drives look to a program
//
// Without --command-line the program gets no arguments at all, as when started by hand. With
// --keep-window the command line's own window number goes to the program, a window that does not
// exist (a product whose window has gone).
// Standard output, a line each:
//   STARTED process=<program's process id> window=<host window>    once the program runs
//   POSTED window=... message=... wparam=... lparam=...               per post, after the program ended
//   RESULT <lparam of the last post> | RESULT unposted
// Exit status: 0 the program ran and ended, 2 bad arguments, 4 the launcher could not do its part,
// 5 the program ended and left the host window disabled.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

#include "HostWindow_win.h"
#include "hostsim/TranscriptLines.h"

namespace {
enum ExitStatus { kEnded = 0, kBadArguments = 2, kLauncherFailed = 4, kHostLeftDisabled = 5 };

struct Options {
    std::wstring program;
    std::wstring currentFolder;  // empty: the launcher's own
    std::wstring tempFolder;     // not empty: the program's TEMP and TMP
    bool handOver = false;
    std::wstring commandLine;
    bool keepWindow = false;  // hand over the command line's window number, though no window has it
};

// Raw bytes, each line at once: the reader may be a pipe, and a run that hangs still shows how far
// it got.
void Write(DWORD stream, const std::string& line) {
    const std::string bytes = line + "\n";
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Complain(const std::string& line) { Write(STD_ERROR_HANDLE, "host-launcher: " + line); }

int PrintDriveTypes(const std::wstring& letters) {
    static const char* const kTypeNames[] = {"unknown", "missing", "removable", "fixed", "remote", "cdrom", "ramdisk"};
    for (wchar_t letter : letters) {
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        const UINT type = ::GetDriveTypeW(root);
        Write(STD_OUTPUT_HANDLE, std::string{static_cast<char>(letter), ':', ' '} +
                                     (type <= DRIVE_RAMDISK ? kTypeNames[type] : "unknown"));
    }
    return kEnded;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        std::wstring* value = name == L"--current-folder" ? &options.currentFolder
                              : name == L"--temp-folder"  ? &options.tempFolder
                              : name == L"--command-line" ? &options.commandLine
                                                          : nullptr;
        if (name == L"--keep-window") {
            options.keepWindow = true;
        } else if (value && i + 1 < argc) {
            *value = argv[++i];
            if (value == &options.commandLine) options.handOver = true;
        } else if (!value && options.program.empty() && name.compare(0, 2, L"--") != 0) {
            options.program = name;
        } else {
            return false;
        }
    }
    return !options.program.empty();
}

// The program's quoted path, then one blank and the hand-over text. Not inheriting: the program
// gets none of the launcher's handles.
HANDLE StartProgram(const Options& options, const std::wstring& handOver, DWORD& id) {
    std::wstring line = L"\"" + options.program + L"\"";
    if (options.handOver) line += L" " + handOver;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(options.program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          options.currentFolder.empty() ? nullptr : options.currentFolder.c_str(), &startup, &info)) {
        Complain("cannot start the program: CreateProcess failed with error " + std::to_string(::GetLastError()));
        return nullptr;
    }
    ::CloseHandle(info.hThread);
    id = info.dwProcessId;
    return info.hProcess;
}
}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv && argc == 3 && argv[1] == std::wstring(L"--drive-types")) return PrintDriveTypes(argv[2]);
    Options options;
    if (!argv || !ParseOptions(argc, argv, options)) {
        Complain(
            "usage: host-launcher [--current-folder WINPATH] [--temp-folder WINPATH] [--command-line TEXT] "
            "[--keep-window] PROGRAM");
        return kBadArguments;
    }
    ::LocalFree(argv);

    CHostWindow host;
    if (!host.Create()) {
        Complain("cannot create the host window");
        return kLauncherFailed;
    }
    unsigned long long label = 0;
    const std::wstring ownWindow = WithOwnWindow(options.commandLine, host.Handle(), label);
    const std::wstring handOver = options.keepWindow ? options.commandLine : ownWindow;
    // Wine sets TEMP from the prefix's registry when a process starts from Linux; the program, started
    // from here, inherits this environment instead.
    if (!options.tempFolder.empty()) {
        ::SetEnvironmentVariableW(L"TEMP", options.tempFolder.c_str());
        ::SetEnvironmentVariableW(L"TMP", options.tempFolder.c_str());
    }
    DWORD id = 0;
    const HANDLE program = StartProgram(options, handOver, id);
    if (!program) return kLauncherFailed;
    Write(STD_OUTPUT_HANDLE, "STARTED process=" + std::to_string(id) +
                                 " window=" + std::to_string(reinterpret_cast<std::uintptr_t>(host.Handle())));

    // The window answers the program until it ends; a post reaches the queue before the poster can end,
    // so the last pump has them all.
    DWORD woken = WAIT_OBJECT_0 + 1;
    while (woken == WAIT_OBJECT_0 + 1) {
        host.Pump();
        woken = ::MsgWaitForMultipleObjects(1, &program, FALSE, INFINITE, QS_ALLINPUT);
    }
    host.Pump();
    ::CloseHandle(program);
    if (woken != WAIT_OBJECT_0) {
        Complain("waiting for the program failed with error " + std::to_string(::GetLastError()));
        return kLauncherFailed;
    }
    for (const PostedMessage& post : host.Posts()) {
        Write(STD_OUTPUT_HANDLE, PostedLine(label, post.message, static_cast<std::int32_t>(post.wparam), post.lparam));
    }
    Write(STD_OUTPUT_HANDLE, host.Posts().empty() ? std::string("RESULT unposted")
                                                  : "RESULT " + std::to_string(host.Posts().back().lparam));
    if (!::IsWindowEnabled(host.Handle())) {
        Complain("the program ended and left the host window disabled");
        return kHostLeftDisabled;
    }
    return kEnded;
}
