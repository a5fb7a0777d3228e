#include "Script.h"

#include <windows.h>

#include "Keys.h"

namespace {
std::wstring FromUtf8(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    const int length = static_cast<int>(text.size());
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), length, &out[0], length);
    out.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return out;
}

bool ReadFileBytes(const std::wstring& file, std::string& bytes) {
    HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(handle, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    ::CloseHandle(handle);
    return true;
}

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
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

bool ReadScript(const std::wstring& file, Script& script, std::string& error) {
    std::string bytes;
    if (!ReadFileBytes(file, bytes)) {
        error = "cannot read the script";
        return false;
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (line.empty()) continue;
        if (equals == std::string::npos ||
            !AddLine(FromUtf8(line.substr(0, equals)), FromUtf8(line.substr(equals + 1)), script)) {
            error = "the script has a line the user cannot do: " + line;
            return false;
        }
    }
    return true;
}
