#include "hostsim/NativeText.h"

#include <windows.h>

#include "platform/WindowsPath.h"

namespace hostsim {

namespace {
bool FromUtf8(UINT codePage, const std::string& utf8, std::string& output) {
    output.clear();
    if (utf8.empty()) return true;
    const int inLength = static_cast<int>(utf8.size());
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    if (wideLength <= 0) return false;
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, &wide[0], wideLength);
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0,
                                             nullptr, &usedDefault);
    if (length <= 0 || usedDefault) return false;
    output.assign(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, &output[0], length, nullptr,
                          &usedDefault);
    return !usedDefault;
}
}  // namespace

bool Utf8ToCp932(const std::string& utf8, std::string& cp932) { return FromUtf8(932, utf8, cp932); }

// The C runtime opens files by names in the ANSI code page.
bool NativePathFromUtf8(const std::string& utf8, std::string& native) { return FromUtf8(CP_ACP, utf8, native); }

std::string NativeFolderOf(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparatorOrSlash(path, i - 1) || (i == 2 && path[1] == ':')) return path.substr(0, i);
    }
    return std::string();
}

std::string NativeResolve(const std::string& folder, const std::string& path) {
    const bool absolute = IsSeparatorOrSlash(path, 0) || (path.size() >= 2 && path[1] == ':');
    return absolute ? path : WithTrailingSeparator(folder) + path;
}

bool DefaultInstallationPath(std::string& path) {
    char value[MAX_PATH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableA("LEDGORA_INSTALLATION", value, sizeof value);
    if (length > 0 && length < sizeof value) {
        path.assign(value, length);
        return true;
    }
    char module[MAX_PATH + 1] = {};
    const DWORD moduleLength = ::GetModuleFileNameA(nullptr, module, sizeof module);
    if (moduleLength == 0 || moduleLength >= sizeof module) return false;
    path = NativeFolderOf(std::string(module, moduleLength)) + "installation.json";
    return true;
}

}  // namespace hostsim
