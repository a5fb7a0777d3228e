#include "hostsim/NativeText.h"

#include "platform/TextConversion.h"

namespace hostsim {

bool Utf8ToCp932(const std::string& utf8, std::string& cp932) {
    // glibc maps some characters to look-alikes (U+00A5 to 0x5C); the way back exposes them.
    std::string back;
    return ConvertText("CP932", "UTF-8", utf8, cp932) && ConvertText("UTF-8", "CP932", cp932, back) && back == utf8;
}

bool NativePathFromUtf8(const std::string& utf8, std::string& native) {
    native = utf8;
    return true;
}

std::string NativeFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NativeResolve(const std::string& folder, const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    if (folder.empty() || folder.back() == '/') return folder + path;
    return folder + "/" + path;
}

bool DefaultInstallationPath(std::string&) { return false; }

}  // namespace hostsim
