#include "settings/SavedSettings.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "editions/Edition.h"
#include "host/HostClasses.h"
#include "platform/Platform.h"
#include "platform/ShiftJis.h"
#include "platform/WindowsPath.h"

namespace {

// Longer keys are refused rather than cut: two users whose IDs share the first 51 bytes would
// otherwise read and overwrite each other's line.
constexpr size_t kMaxKeyBytes = 51;
// The file is read and rewritten whole; one far beyond any real installation is left alone.
constexpr size_t kMaxFileBytes = 16u * 1024 * 1024;
constexpr char kTemporarySuffix[] = ".tmp";

bool SettingsFolder(std::string& folder) {
    char buffer[kMaxPathBytes + 1] = {};
    if (ClFileMgr::Inst()->GetAppFolderPath(kFolderTypeSettings, buffer, static_cast<int>(sizeof buffer)) != 0)
        return false;
    folder.assign(buffer, sjis::BoundedLength(buffer, sizeof buffer));
    return !folder.empty();
}

// "%s/%d/%s:" (with the set number) or "%s/%s:": user ID, set number, data ID text.
bool MakeKey(const Edition& edition, std::string& key) {
    ClSysUser* user = ClDataMgr::Inst()->GetSysUserObject();
    char userId[kUserIdBytes] = {};
    if (!user || user->GetCurUserID(userId) != 0) return false;
    key.assign(userId, sjis::BoundedLength(userId, sizeof userId));
    key += '/';
    // Every edition asks for the selection; only Alpha's key carries the set number.
    long setNo = 0;
    long dataNo = 0;
    if (user->GetSelectedNo(userId, &setNo, &dataNo) != 0) return false;
    if (edition.keyHasSetNumber) key += std::to_string(setNo) + '/';
    auto* dataFiles = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    const StDATAINFO* selected = dataFiles ? dataFiles->GetSelectedInfo() : nullptr;
    if (!selected) return false;
    char dataIdText[kDataIdTextBytes] = {};
    ClUtyDBHpr::Inst()->MakeIDStr(selected->dataId, dataIdText);
    key.append(dataIdText, sjis::BoundedLength(dataIdText, sizeof dataIdText));
    key += ':';
    return key.size() <= kMaxKeyBytes && key.find('\n') == std::string::npos;
}

bool ReadWhole(const std::string& file, std::vector<char>& content) {
    return Platform().ReadFileBytes(file, kMaxFileBytes + 1, content) && content.size() <= kMaxFileBytes;
}

// Offset of the line that begins with `key`, or npos.
size_t FindKeyLine(const std::vector<char>& content, const std::string& key) {
    size_t line = 0;
    while (line < content.size()) {
        if (content.size() - line >= key.size() && std::memcmp(&content[line], key.data(), key.size()) == 0)
            return line;
        const void* feed = std::memchr(&content[line], '\n', content.size() - line);
        if (!feed) break;
        line = static_cast<size_t>(static_cast<const char*>(feed) - content.data()) + 1;
    }
    return std::string::npos;
}

size_t EndOfLine(const std::vector<char>& content, size_t from) {
    const void* feed = from < content.size() ? std::memchr(&content[from], '\n', content.size() - from) : nullptr;
    return feed ? static_cast<size_t>(static_cast<const char*>(feed) - content.data()) : content.size();
}

// atoi's reading of a number field, kept in 16 bits as the category is.
std::int16_t CategoryNumber(const std::string& field) {
    long value = std::strtol(field.c_str(), nullptr, 10);
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<std::int16_t>(static_cast<int>(value));
}

// The new content goes to a temporary file beside the old one, which is replaced in one step only once
// the new one is complete: the file is shared by every user, and a failed rewrite must not lose lines.
bool WriteReplacing(const std::string& file, const std::vector<char>& content) {
    const std::string temporary = file + kTemporarySuffix;
    if (temporary.size() > kMaxPathBytes) return false;
    std::unique_ptr<IFileWriter> writer = Platform().CreateExclusive(temporary);
    if (!writer) return false;
    const bool written = writer->Write(content.data(), content.size()) && writer->FlushToDisk();
    writer->Close();
    if (written && Platform().MoveReplacing(temporary, file)) return true;
    Platform().RemoveFile(temporary);
    return false;
}

}  // namespace

CSavedSettings::CSavedSettings(const Edition& edition) : m_edition(edition) {}

bool CSavedSettings::Read(OutputCategory& category, std::string& path) {
    category = static_cast<OutputCategory>(0);
    path.clear();
    m_readPath.clear();
    std::string folder;
    std::string key;
    if (!SettingsFolder(folder) || !MakeKey(m_edition, key)) return false;
    const std::string file = folder + m_edition.settingsFileName;
    std::vector<char> content;
    if (file.size() > kMaxPathBytes || !ReadWhole(file, content)) return false;
    const size_t line = FindKeyLine(content, key);
    if (line == std::string::npos) return false;
    const size_t valueStart = line + key.size();
    const std::string value(content.begin() + static_cast<std::ptrdiff_t>(valueStart),
                            content.begin() + static_cast<std::ptrdiff_t>(EndOfLine(content, valueStart)));
    size_t slashes[3];
    size_t from = 0;
    for (size_t& slash : slashes) {
        slash = value.find('/', from);
        if (slash == std::string::npos) return false;
        from = slash + 1;
    }
    std::string storedPath = value.substr(slashes[2] + 1);
    // A hand-edited path beyond the working limit is ignored rather than cut into another path.
    if (storedPath.size() > kMaxPathBytes) return false;
    category = static_cast<OutputCategory>(CategoryNumber(value.substr(slashes[1] + 1, slashes[2] - slashes[1] - 1)));
    path = storedPath;
    m_readPath = std::move(storedPath);
    return true;
}

bool CSavedSettings::Save(OutputCategory category, const std::optional<std::string>& path) {
    std::string folder;
    if (!SettingsFolder(folder)) return false;
    if (!FolderExists(folder) && !CreateFolderChain(folder)) return false;
    std::string key;
    if (!MakeKey(m_edition, key)) return false;
    const std::string file = folder + m_edition.settingsFileName;
    const std::string& storedPath = path ? *path : m_readPath;
    // Too long a path is refused rather than cut; a line feed would split the entry in two.
    if (file.size() > kMaxPathBytes || storedPath.size() > kMaxPathBytes || storedPath.find('\n') != std::string::npos)
        return false;
    // "%s%d/%d/%d/%s\n": key, two reserved numbers that are always 0, category, path.
    const std::string line = key + "0/0/" + std::to_string(static_cast<int>(category)) + '/' + storedPath + '\n';

    std::vector<char> content;
    if (Platform().PathExists(file)) {
        if (!ReadWhole(file, content)) return false;
        const size_t old = FindKeyLine(content, key);
        if (old != std::string::npos) {
            const size_t end = EndOfLine(content, old);
            content.erase(content.begin() + static_cast<std::ptrdiff_t>(old),
                          content.begin() + static_cast<std::ptrdiff_t>(end < content.size() ? end + 1 : end));
        }
        // A hand-edited last line without its line feed keeps its text; the entry must start a line.
        if (!content.empty() && content.back() != '\n') content.push_back('\n');
    }
    content.insert(content.end(), line.begin(), line.end());
    return WriteReplacing(file, content);
}
