#include "Text.h"

namespace {
void WriteAll(HANDLE handle, const std::string& bytes) {
    const char* data = bytes.data();
    DWORD left = static_cast<DWORD>(bytes.size());
    while (left > 0) {
        DWORD written = 0;
        if (!::WriteFile(handle, data, left, &written, nullptr) || written == 0) return;
        data += written;
        left -= written;
    }
}
}  // namespace

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
    return out;
}

std::string ShowLineBreaks(const std::string& utf8) {
    std::string shown;
    for (char c : utf8) {
        if (c == '\n') shown += "\\n";
        else if (c == '\r') shown += "\\r";
        else shown += c;
    }
    return shown;
}

void Transcript::Line(const std::string& utf8) {
    // Raw bytes: standard output is a pipe to the runner, never a console that would re-encode.
    WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), utf8 + "\n");
}

void Complain(const std::string& utf8) {
    WriteAll(::GetStdHandle(STD_ERROR_HANDLE), "link-e2e-driver: " + utf8 + "\n");
}
