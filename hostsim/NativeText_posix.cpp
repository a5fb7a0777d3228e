#include "hostsim/NativeText.h"

#include <cerrno>
#include <iconv.h>

namespace hostsim {

namespace {
bool Convert(const char* to, const char* from, const std::string& input, std::string& output) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    output.clear();
    std::string in = input;
    char* inPtr = in.empty() ? nullptr : &in[0];
    size_t inLeft = in.size();
    bool ok = true;
    while (inLeft > 0) {
        char buffer[256];
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        output.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    return ok;
}
}  // namespace

bool Utf8ToCp932(const std::string& utf8, std::string& cp932) {
    // glibc maps some characters to look-alikes (U+00A5 to 0x5C); the way back exposes them.
    std::string back;
    return Convert("CP932", "UTF-8", utf8, cp932) && Convert("UTF-8", "CP932", cp932, back) && back == utf8;
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
