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

// Status of the installed filing application against this build: 0 matches, -1 definition file
// missing or level empty, 1 level too low, 2 level too high.
int EnvironmentStatus() {
    std::string definition = ProgramFolder();
    EnsureTrailingBackslash(definition, kDefinitionPathBytes);  // no room or nothing: as it is
    definition += kDefinitionFileName;
    if (definition.size() >= kDefinitionPathBytes || !Platform().PathExists(definition)) return -1;

    const std::string level = Platform().ReadProfileString("ProgramLevel", "QF14_G", "1", definition, 16);
    if (level.empty()) return -1;
    const int value = ReadDecimal(level.data(), level.size());
    if (value == kRequiredLevel) return 0;
    return value < kRequiredLevel ? 1 : 2;
}

// Message for a non-zero status, with the host's package-name token still in it.
const char* EnvironmentMessage(int status) {
    switch (status) {
    case -1: return "動作環境が不正です。\nES_APRPACKAGENAMEが正しくインストールされているか確認してください。";
    case 1:
        return "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
               "ES_APRPACKAGENAMEの最新版を入手してインストールしてからご利用ください。";
    case 2:
        return "ご利用の連動コンポーネントは、インストールされているES_APRPACKAGENAMEでは使用できません。\n"
               "連動コンポーネントの最新版を入手してインストールしてからご利用ください。";
    default: return "";
    }
}

}  // namespace

bool CheckEnvironment() {
    const int status = EnvironmentStatus();
    if (status == 0) return true;
    ClAccConnect::Inst()->DispMsg(0, EnvironmentMessage(status), kAppTitle, kMbOk | kMbIconWarning);
    return false;
}
