#include "ui/DestinationValidation.h"

#include <string_view>

#include "editions/Edition.h"
#include "platform/WindowsPath.h"

namespace {

constexpr const char kNoPath[] = "データ出力先が指定されていません。\n\n出力先を指定してください。";
constexpr const char kInvalidCharacter[] =
    "データの出力先に不正な文字が含まれています。\n\n出力先を再入力してください。";
constexpr const char kInvalidDrive[] = "ドライブ名が有効でありません。\n\n有効なドライブを指定してください。";
constexpr const char kNoFileName[] = "ファイル名が指定されていません。";
constexpr const char kAskCreateFolder[] = "指定されたフォルダは存在しません。\n\n作成してもよろしいですか？";
constexpr const char kFolderCreationFailed[] = "フォルダの作成に失敗しました。\n\n出力先を再入力してください。";
constexpr const char kAskOverwrite[] = "同名のファイルが存在します。\n\n上書きしてもよろしいですか？";

constexpr std::string_view kForbidden = "/:,;*?\"><|";

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
    case DriveKind::RamDisk: return false;
    case DriveKind::Removable:
    case DriveKind::Fixed:
    case DriveKind::Remote: return Platform().CanReadWrite(root);
    }
    return true;  // a type the system may add later
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
