#include "Options.h"

#include <cwchar>

#include "KeyboardInput.h"
#include "Text.h"

const char kDriverUsage[] =
    "usage: link-e2e-driver --program WINPATH [--command-line TEXT] [--current-folder WINPATH]\n"
    "       [--temp-folder WINPATH] [--answer yes|no]... [--cancel] [--timeout SECONDS]\n"
    "       [--hold WINPATH | --hold-readable WINPATH]...\n"
    "       [--category N | --output WINPATH | --key CHORD | --browse NAME | --layout |\n"
    "        --screenshot dialog:WINPATH.bmp]...   (conditions dialog, in this order)\n"
    "       [--screenshot progress:WINPATH.bmp]\n"
    "       link-e2e-driver --drive-types LETTERS";

namespace {
bool ReadPositive(const std::wstring& text, unsigned long limit, unsigned long& value) {
    if (text.empty() || text.size() > 9) return false;
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + static_cast<unsigned long>(c - L'0');
    }
    return value >= 1 && value <= limit;
}
}  // namespace

bool ParseDriverOptions(int argc, wchar_t** argv, DriverOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) {
                error = ToUtf8(name) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::wstring text;
        if (name == L"--program") {
            if (!value(options.program)) return false;
        } else if (name == L"--command-line") {
            if (!value(options.commandLine)) return false;
            options.hasCommandLine = true;
        } else if (name == L"--current-folder") {
            if (!value(options.currentFolder)) return false;
        } else if (name == L"--temp-folder") {
            if (!value(options.tempFolder)) return false;
        } else if (name == L"--answer") {
            if (!value(text)) return false;
            if (text != L"yes" && text != L"no") {
                error = "--answer takes yes or no, not " + ToUtf8(text);
                return false;
            }
            options.user.answers.push_back(text == L"yes");
        } else if (name == L"--category") {
            unsigned long category = 0;
            if (!value(text)) return false;
            if (!ReadPositive(text, 32767, category)) {
                error = "--category takes a positive number, not " + ToUtf8(text);
                return false;
            }
            options.user.actions.push_back({DialogAction::Kind::Category, static_cast<int>(category), {}});
        } else if (name == L"--output") {
            if (!value(text)) return false;
            options.user.actions.push_back({DialogAction::Kind::Output, 0, text});
        } else if (name == L"--key") {
            KeyChord chord;
            if (!value(text)) return false;
            if (!ParseKeyChord(text, chord)) {
                error = "--key takes [Shift+][Ctrl+][Alt+]Enter|F12|Esc|Tab|3|Num3, not " + ToUtf8(text);
                return false;
            }
            options.user.actions.push_back({DialogAction::Kind::Key, 0, text});
        } else if (name == L"--browse") {
            if (!value(text)) return false;
            options.user.actions.push_back({DialogAction::Kind::Browse, 0, text});
        } else if (name == L"--layout") {
            options.user.actions.push_back({DialogAction::Kind::Layout, 0, {}});
        } else if (name == L"--screenshot") {
            if (!value(text)) return false;
            const size_t colon = text.find(L':');
            const std::wstring window = colon == std::wstring::npos ? text : text.substr(0, colon);
            const std::wstring file = colon == std::wstring::npos ? std::wstring() : text.substr(colon + 1);
            if (file.empty() || (window != L"dialog" && window != L"progress")) {
                error = "--screenshot takes dialog:WINPATH or progress:WINPATH, not " + ToUtf8(text);
                return false;
            }
            if (window == L"dialog") {
                options.user.actions.push_back({DialogAction::Kind::Screenshot, 0, file});
            } else {
                options.user.progressScreenshot = file;
            }
        } else if (name == L"--hold" || name == L"--hold-readable") {
            if (!value(text)) return false;
            options.held.push_back({text, name == L"--hold-readable"});
        } else if (name == L"--cancel") {
            options.user.cancel = true;
        } else if (name == L"--drive-types") {
            if (!value(options.driveTypeLetters)) return false;
        } else if (name == L"--timeout") {
            unsigned long seconds = 0;
            if (!value(text)) return false;
            if (!ReadPositive(text, 3600, seconds)) {
                error = "--timeout takes 1 to 3600 seconds, not " + ToUtf8(text);
                return false;
            }
            options.timeoutSeconds = static_cast<unsigned>(seconds);
        } else {
            error = "unknown argument " + ToUtf8(name);
            return false;
        }
    }
    if (options.program.empty() && options.driveTypeLetters.empty()) {
        error = "--program is required";
        return false;
    }
    return true;
}
