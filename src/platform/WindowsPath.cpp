#include "platform/WindowsPath.h"

#include <vector>

#include "platform/Platform.h"
#include "platform/ShiftJis.h"

bool IsSingleByteAt(const std::string& text, size_t pos, char c) {
    return pos < text.size() && text[pos] == c && !sjis::IsInsideDoubleByte(text.data(), text.size(), pos);
}

size_t FindLastSingle(const std::string& text, char c) {
    for (size_t i = text.size(); i-- > 0;)
        if (IsSingleByteAt(text, i, c)) return i;
    return std::string::npos;
}

std::string FolderOf(const std::string& path) {
    const size_t at = FindLastSingle(path, '\\');
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string FileNameOf(const std::string& path) {
    const size_t at = FindLastSingle(path, '\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string DriveOf(const std::string& path) {
    const size_t at = FindLastSingle(path, ':');
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string AfterDrive(const std::string& path) {
    const size_t at = FindLastSingle(path, ':');
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

bool IsSeparator(const std::string& text, size_t pos) { return IsSingleByteAt(text, pos, '\\'); }

bool IsSeparatorOrSlash(const std::string& text, size_t pos) {
    return IsSeparator(text, pos) || (pos < text.size() && text[pos] == '/');
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty() || IsSeparatorOrSlash(folder, folder.size() - 1)) return folder;
    return folder + "\\";
}

bool IsNetworkPath(const std::string& path) { return IsSeparator(path, 0) && IsSeparator(path, 1); }

bool HasDoubledSeparator(const std::string& text, size_t from) {
    for (size_t i = from; i + 1 < text.size(); ++i)
        if (IsSeparator(text, i) && IsSeparator(text, i + 1)) return true;
    return false;
}

size_t FindSeparator(const std::string& text, size_t from) {
    for (size_t i = from; i < text.size(); ++i)
        if (IsSeparator(text, i)) return i;
    return std::string::npos;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (IsInsideDoubleByte(a, i) || IsInsideDoubleByte(b, i) || AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

namespace {

// Length of the root "X:\" or "\\server\share\" that `path` begins with; 0 when there is none.
size_t RootLength(const std::string& path) {
    if (IsNetworkPath(path)) {
        const size_t serverEnd = FindSeparator(path, 2);
        if (serverEnd == std::string::npos || serverEnd == 2) return 0;
        const size_t shareEnd = FindSeparator(path, serverEnd + 1);
        if (shareEnd == std::string::npos || shareEnd == serverEnd + 1) return 0;
        return shareEnd + 1;
    }
    return path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\' ? 3 : 0;
}

// Removes, deepest first, the folders of `target` below `lastExisting`, stopping at the first that
// cannot be removed. Removes nothing when the two lie on different roots or `lastExisting` is not a
// leading part of `target`.
void RemoveCreatedFolders(const std::string& target, const std::string& lastExisting) {
    std::string folder;
    if (!DriveAndFolderOf(target, folder)) return;
    const size_t rootLength = RootLength(folder);
    if (rootLength == 0) return;
    size_t keep = rootLength;  // bytes of `folder` naming what must stay
    std::string last;
    if (!DriveAndFolderOf(lastExisting, last)) return;
    // A leading part that has a root of its own lies on the same root.
    if (RootLength(last) == 0 || last.size() > folder.size() || !SameIgnoringCase(folder.substr(0, last.size()), last))
        return;
    if (last.size() > keep) keep = last.size();
    std::vector<size_t> levelEnds;
    for (size_t i = keep; i < folder.size(); ++i)
        if (IsSeparator(folder, i)) levelEnds.push_back(i + 1);
    for (auto end = levelEnds.rbegin(); end != levelEnds.rend(); ++end) {
        const std::string level = folder.substr(0, *end);
        if (!Platform().PathExists(level)) continue;
        if (!Platform().RemoveFolder(level)) return;
    }
}

}  // namespace

bool CreateFolderChain(const std::string& folder) {
    std::string target;
    if (folder.empty() || !DriveAndFolderOf(folder, target)) return false;
    if (!EnsureTrailingBackslash(target, kMaxPathBytes + 1)) return false;
    const size_t rootLength = RootLength(target);
    if (rootLength == 0 || target.size() > kMaxPathBytes) return false;
    std::string lastExisting = target.substr(0, rootLength);
    for (size_t i = rootLength; i < target.size(); ++i) {
        if (!IsSeparator(target, i)) continue;
        const std::string prefix = target.substr(0, i + 1);
        if (Platform().IsDirectory(prefix)) {
            lastExisting = prefix;
        } else if (!Platform().MakeFolder(prefix)) {
            RemoveCreatedFolders(prefix, lastExisting);
            return false;
        }
    }
    return true;
}
