#include "ui/DestinationValidation.h"

#include <string_view>
#include <vector>

#include "platform/AppTitle.h"
#include "ui/PathFunctions.h"

namespace {

constexpr const char kNoPath[] = "データ出力先が指定されていません。\n\n出力先を指定してください。";
constexpr const char kInvalidCharacter[] = "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
constexpr const char kInvalidDrive[] = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
constexpr const char kNoFileName[] = "ファイル名が指定されていません。";
constexpr const char kAskCreateFolder[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
constexpr const char kFolderCreationFailed[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
constexpr const char kAskOverwrite[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

constexpr std::string_view kForbidden = "/:,;*?\"><|";

bool IsSeparator(const std::string& text, size_t pos) { return IsSingleByteAt(text, pos, '\\'); }

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

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Case folds only single-byte letters: a trail byte 'a' and a trail byte 'A' are different characters.
bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (IsInsideDoubleByte(a, i) || IsInsideDoubleByte(b, i) || AsciiUpper(a[i]) != AsciiUpper(b[i]))
            return false;
    }
    return true;
}

void Refuse(WindowHandle owner, const char* text) {
    Platform().ShowMessageBox(owner, text, kAppTitle, kMbOk | kMbIconWarning);
}

bool AskYes(WindowHandle owner, const char* text) {
    return Platform().ShowMessageBox(owner, text, kAppTitle, kMbYesNo | kMbIconQuestion) == kIdYes;
}

}  // namespace

bool HasOnlyValidCharacters(const std::string& path) {
    if (path.size() > kMaxPathBytes) return false;
    size_t from = 0;
    if (IsNetworkPath(path)) {
        if (HasDoubledSeparator(path, 2)) return false;
        from = 2;
    } else {
        if (HasDoubledSeparator(path, 0)) return false;
        for (size_t i = 0; i < path.size(); ++i)
            if (IsSingleByteAt(path, i, ':')) {
                from = i + 1;
                break;
            }
    }
    for (size_t i = from; i < path.size(); ++i)
        if (kForbidden.find(path[i]) != std::string_view::npos && !IsInsideDoubleByte(path, i)) return false;
    return true;
}

bool HasValidDrive(const std::string& path) {
    if (IsNetworkPath(path)) {
        const size_t serverEnd = FindSeparator(path, 2);
        if (serverEnd == std::string::npos) return false;
        const size_t shareEnd = FindSeparator(path, serverEnd + 1);
        if (shareEnd == std::string::npos) return false;
        return Platform().CanReadWrite(path.substr(0, shareEnd));
    }
    if (HasDoubledSeparator(path, 0)) return false;
    if (path.empty() || !IsAsciiLetter(path[0])) return false;
    const std::string root = std::string(1, AsciiUpper(path[0])) + ":\\";
    switch (Platform().DriveType(root)) {
    case DriveKind::Unknown:
    case DriveKind::NoRootDir:
    case DriveKind::CdRom:
    case DriveKind::RamDisk:
        return false;
    case DriveKind::Removable:
    case DriveKind::Fixed:
    case DriveKind::Remote:
        return Platform().CanReadWrite(root);
    }
    return true;   // a type the system may add later
}

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
            RemoveCreatedFolders(prefix, &lastExisting);
            return false;
        }
    }
    return true;
}

void RemoveCreatedFolders(const std::string& target, const std::string* lastExisting) {
    std::string folder;
    if (!DriveAndFolderOf(target, folder)) return;
    const size_t rootLength = RootLength(folder);
    if (rootLength == 0) return;
    size_t keep = rootLength;   // bytes of `folder` naming what must stay
    if (lastExisting) {
        std::string last;
        if (!DriveAndFolderOf(*lastExisting, last)) return;
        // A leading part that has a root of its own lies on the same root.
        if (RootLength(last) == 0 || last.size() > folder.size() ||
            !SameIgnoringCase(folder.substr(0, last.size()), last))
            return;
        if (last.size() > keep) keep = last.size();
    }
    std::vector<size_t> levelEnds;
    for (size_t i = keep; i < folder.size(); ++i)
        if (IsSeparator(folder, i)) levelEnds.push_back(i + 1);
    for (auto end = levelEnds.rbegin(); end != levelEnds.rend(); ++end) {
        const std::string level = folder.substr(0, *end);
        if (!Platform().PathExists(level)) continue;
        if (!Platform().RemoveFolder(level)) return;
    }
}

DestinationVerdict ValidateDestination(WindowHandle owner, const std::string& outputPath,
                                       const std::string& fixedPath) {
    const char* refusal = nullptr;
    if (outputPath.empty()) refusal = kNoPath;
    else if (!HasOnlyValidCharacters(outputPath)) refusal = kInvalidCharacter;
    else if (!HasValidDrive(outputPath)) refusal = kInvalidDrive;
    else if (FileNameOf(outputPath).empty()) refusal = kNoFileName;
    if (refusal) {
        Refuse(owner, refusal);
        return DestinationVerdict::Refused;
    }

    const std::string folder = FolderOf(outputPath);
    if (!folder.empty() && !FolderExists(folder)) {
        if (!AskYes(owner, kAskCreateFolder)) return DestinationVerdict::Refused;
        if (!CreateFolderChain(folder)) {
            Refuse(owner, kFolderCreationFailed);
            return DestinationVerdict::Refused;
        }
    }

    if (fixedPath.empty() && Platform().PathExists(outputPath)) {
        if (Platform().IsDirectory(outputPath)) {
            Refuse(owner, kNoFileName);
            return DestinationVerdict::Refused;
        }
        if (!AskYes(owner, kAskOverwrite)) return DestinationVerdict::Refused;
    }
    return DestinationVerdict::Accepted;
}

SaveDialogStart SaveDialogStartOf(const std::string& editText) {
    const std::string folder = FolderOf(editText);
    if (folder.empty()) return {DriveOf(editText), AfterDrive(editText)};
    return {folder, FileNameOf(editText)};
}
