#include "ui/PathFunctions.h"

#include "platform/Platform.h"
#include "platform/ShiftJis.h"

namespace {

size_t FindLast(const std::string& text, char c) {
    for (size_t i = text.size(); i-- > 0;)
        if (IsSingleByteAt(text, i, c)) return i;
    return std::string::npos;
}

}  // namespace

bool IsSingleByteAt(const std::string& text, size_t pos, char c) {
    return pos < text.size() && text[pos] == c && !sjis::IsInsideDoubleByte(text.data(), text.size(), pos);
}

std::string FolderOf(const std::string& path) {
    const size_t at = FindLast(path, '\\');
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string FileNameOf(const std::string& path) {
    const size_t at = FindLast(path, '\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string DriveOf(const std::string& path) {
    const size_t at = FindLast(path, ':');
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string AfterDrive(const std::string& path) {
    const size_t at = FindLast(path, ':');
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsInsideDoubleByte(const std::string& text, size_t pos) {
    return sjis::IsInsideDoubleByte(text.data(), text.size(), pos);
}

bool EnsureTrailingBackslash(std::string& text, size_t limit) {
    if (text.empty()) return false;
    if (IsSingleByteAt(text, text.size() - 1, '\\')) return true;
    if (text.size() + 1 >= limit) return false;
    text += '\\';
    return true;
}

bool DriveAndFolderOf(const std::string& path, std::string& folder) {
    folder.clear();
    if (path.size() > kMaxPathBytes) return false;
    // _splitpath takes the first two bytes as the drive whenever the second is a colon.
    const size_t directoryStart = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    size_t directoryEnd = directoryStart;
    for (size_t i = directoryStart; i < path.size(); ++i)
        if (IsSingleByteAt(path, i, '\\') || IsSingleByteAt(path, i, '/')) directoryEnd = i + 1;
    folder = path.substr(0, directoryEnd);
    if (folder.empty()) return false;
    if (!IsSingleByteAt(folder, folder.size() - 1, '\\') && folder.size() < path.size()) folder += '\\';
    return true;
}

bool FolderExists(const std::string& path) {
    std::string folder;
    return DriveAndFolderOf(path, folder) && Platform().IsDirectory(folder);
}
