#include "Script.h"

#include <cstdio>

#include "Keys.h"

namespace {
bool AddLine(const std::wstring& key, const std::wstring& value, Script& script) {
    KeyChord chord;
    if (key == L"answer" && (value == L"yes" || value == L"no")) {
        script.answers.push_back(value == L"yes");
    } else if (key == L"category" || key == L"output" || key == L"browse" || key == L"layout" ||
               (key == L"key" && ParseKeyChord(value, chord))) {
        script.actions.push_back({key, value});
    } else if (key == L"screenshot" && value.compare(0, 7, L"dialog:") == 0) {
        script.actions.push_back({key, value.substr(7)});
    } else if (key == L"screenshot" && value.compare(0, 9, L"progress:") == 0) {
        script.progressPicture = value.substr(9);
    } else if (key == L"cancel") {
        script.cancel = true;
    } else if (key == L"held" || key == L"held-readable") {
        script.held.push_back({value, key == L"held-readable"});
    } else {
        return false;
    }
    return true;
}
}  // namespace

bool Script::NextAnswer() {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
}

bool ReadScript(const wchar_t* file, Script& script, std::string& error) {
    FILE* in = ::_wfopen(file, L"rb");
    if (!in) error = "cannot read the script";
    char buffer[4096];
    while (in && error.empty() && std::fgets(buffer, sizeof buffer, in)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        const size_t equals = line.find('=');
        if (!line.empty() && (equals == std::string::npos ||
                              !AddLine(FromUtf8(line.substr(0, equals)), FromUtf8(line.substr(equals + 1)), script))) {
            error = "the script has a line the user cannot do: " + line;
        }
    }
    if (in) std::fclose(in);
    return error.empty();
}
