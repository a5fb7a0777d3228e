#include "app/EnvironmentCheck.h"

#include <cstring>
#include <string>

#include "app/HostHandover.h"
#include "editions/Edition.h"
#include "host/HostClasses.h"
#include "platform/Platform.h"
#include "platform/ShiftJis.h"
#include "platform/WindowsPath.h"

namespace {

constexpr const char kDefinitionFileName[] = "FilvaneDef.ini";
constexpr std::size_t kModulePathBytes = 261;
constexpr std::size_t kDefinitionPathBytes = 517;
constexpr int kRequiredLevel = 2;

// The installed filing application against this build.
enum class EnvironmentStatus {
    Matches,
    Missing,  // no definition file, or an empty level in it
    TooLow,   // the filing application is older than this build needs
    TooHigh,  // this build is older than the filing application needs
};

// Folder of the running program, ending with a backslash where that still fits.
std::string ProgramFolder() {
    std::string module = Platform().ModuleFileName();
    module.resize(sjis::CutLength(module.data(), module.size(), kModulePathBytes - 1));
    std::size_t folderEnd = 0;
    for (std::size_t i = 0; i < module.size(); ++i) {
        if (module[i] == ':' || sjis::IsSeparatorAt(module.data(), module.size(), i)) folderEnd = i + 1;
    }
    std::string folder = module.substr(0, folderEnd);
    const bool endsWithSeparator =
        !folder.empty() && sjis::IsSeparatorAt(folder.data(), folder.size(), folder.size() - 1);
    if (!endsWithSeparator && folder.size() + 1 < module.size()) folder += '\\';
    return folder;
}

EnvironmentStatus ReadEnvironmentStatus() {
    std::string definition = ProgramFolder();
    EnsureTrailingBackslash(definition, kDefinitionPathBytes);  // no room or nothing: as it is
    definition += kDefinitionFileName;
    if (definition.size() >= kDefinitionPathBytes || !Platform().PathExists(definition))
        return EnvironmentStatus::Missing;

    const std::string level = Platform().ReadProfileString("ProgramLevel", "QF14_G", "1", definition, 16);
    if (level.empty()) return EnvironmentStatus::Missing;
    const int value = ReadDecimal(level.data(), level.size());
    if (value == kRequiredLevel) return EnvironmentStatus::Matches;
    return value < kRequiredLevel ? EnvironmentStatus::TooLow : EnvironmentStatus::TooHigh;
}

// Message for a status other than Matches, with the host's package-name token still in it.
const char* EnvironmentMessage(EnvironmentStatus status) {
    switch (status) {
    case EnvironmentStatus::Missing:
        return "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。";
    case EnvironmentStatus::TooLow:
        return "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
               "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。";
    case EnvironmentStatus::TooHigh:
        return "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
               "連動コンポーネントの最新版を入手してインストールしてからご利用ください。";
    case EnvironmentStatus::Matches: break;
    }
    return "";
}

}  // namespace

bool CheckEnvironment() {
    const EnvironmentStatus status = ReadEnvironmentStatus();
    if (status == EnvironmentStatus::Matches) return true;
    ClAccConnect::Inst()->DispMsg(0, EnvironmentMessage(status), kAppTitle, kMbOk | kMbIconWarning);
    return false;
}
