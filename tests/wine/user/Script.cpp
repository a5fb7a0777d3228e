#include "Script.h"

void Script::Add(const std::wstring& line) {
    const size_t equals = line.find(L'=');
    const std::wstring key = line.substr(0, equals);
    const std::wstring value = equals == std::wstring::npos ? L"" : line.substr(equals + 1);
    if (key == L"answer") answers.push_back(value == L"yes");
    else if (key == L"cancel") cancel = true;
    else if (key == L"progress-screenshot") progressPicture = value;
    else if (key == L"held" || key == L"held-readable") held.emplace_back(value, key == L"held-readable");
    else actions.emplace_back(key, value);
}

bool Script::NextAnswer() {
    const bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
}
