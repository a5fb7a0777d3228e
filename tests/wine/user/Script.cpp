#include "Script.h"

#include <cstdio>

#include "Run.h"

bool Script::NextAnswer() {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
}

bool Script::Read(const wchar_t* file) {
    FILE* in = ::_wfopen(file, L"rb");
    char buffer[4096];
    while (in && std::fgets(buffer, sizeof buffer, in)) {
        std::wstring line = FromUtf8(buffer);
        while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
        const size_t equals = line.find(L'=');
        const std::wstring key = line.substr(0, equals);
        const std::wstring value = equals == std::wstring::npos ? L"" : line.substr(equals + 1);
        if (key == L"answer") answers.push_back(value == L"yes");
        else if (key == L"cancel") cancel = true;
        else if (key == L"progress-screenshot") progressPicture = value;
        else if (key == L"held" || key == L"held-readable") held.emplace_back(value, key == L"held-readable");
        else if (!line.empty()) actions.emplace_back(key, value);
    }
    if (in) std::fclose(in);
    return in != nullptr;
}
