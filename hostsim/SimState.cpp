#include "hostsim/SimState.h"

#include <cstdio>
#include <cstring>
#include <utility>

namespace hostsim {

namespace detail {

namespace {
void AppendToFile(const std::string& path, const std::string& line) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return;
    std::fwrite(line.data(), 1, line.size(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

std::uint32_t Fnv1a(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

constexpr char kKeyMagic[4] = {'H', 'S', 'D', 'F'};
}  // namespace

State& Sim() {
    static State state;
    return state;
}

const Installation* Installed() { return Sim().installation ? &*Sim().installation : nullptr; }

bool LoadIntoSession(const std::string& path, std::string& error) {
    State& s = Sim();
    Installation installation;
    if (!LoadInstallation(path, installation, error)) {
        s.installation.reset();
        s.loadRefused = true;
        return false;
    }
    s.installation = std::move(installation);
    s.loadRefused = false;
    // The calls made before the installation was known belong in its log too.
    if (!s.installation->logPath.empty())
        for (const std::string& line : s.callLog) AppendToFile(s.installation->logPath, line);
    return true;
}

void Log(const std::string& line) {
    State& s = Sim();
    s.callLog.push_back(line);
    if (s.installation && !s.installation->logPath.empty()) AppendToFile(s.installation->logPath, line);
}

std::string N(long long number) { return std::to_string(number); }

std::string Shown(const char* text, size_t maxBytes) {
    if (!text) return "(null)";
    std::string shown;
    for (size_t i = 0; i < maxBytes && text[i]; ++i) {
        if (text[i] == '\n') shown += "\\n";
        else if (text[i] == '\r') shown += "\\r";
        else shown += text[i];
    }
    return shown;
}

HostCursor OpenCursor(CursorState::Kind kind) {
    State& s = Sim();
    const HostCursor cursor = s.nextCursor++;
    s.cursors[cursor].kind = kind;
    return cursor;
}

CursorState* FindCursor(HostCursor cursor, CursorState::Kind kind) {
    const auto it = Sim().cursors.find(cursor);
    return it != Sim().cursors.end() && it->second.kind == kind ? &it->second : nullptr;
}

bool CloseCursor(HostCursor cursor, CursorState::Kind kind) {
    if (!FindCursor(cursor, kind)) return false;
    Sim().cursors.erase(cursor);
    return true;
}

namespace {
// The key of data file `index`.
void MakeDataKey(size_t index, char key[16]) {
    const DataFile& dataFile = Installed()->dataFiles[index];
    const auto position = static_cast<std::uint32_t>(index);
    const std::uint32_t hash = Fnv1a(dataFile.dataId);
    std::memcpy(key, kKeyMagic, 4);
    std::memcpy(key + 4, &position, 4);
    std::memcpy(key + 8, &dataFile.dataNo, 4);
    std::memcpy(key + 12, &hash, 4);
}
}  // namespace

const DataFile* DataFileOfKey(const char* key) {
    const Installation* inst = Installed();
    if (!inst || !key || std::memcmp(key, kKeyMagic, 4) != 0) return nullptr;
    std::uint32_t position = 0;
    std::memcpy(&position, key + 4, 4);
    if (position >= inst->dataFiles.size()) return nullptr;
    char expected[16];
    MakeDataKey(position, expected);
    return std::memcmp(key, expected, sizeof expected) == 0 ? &inst->dataFiles[position] : nullptr;
}

const DataFile* SelectedDataFile() {
    const Installation* inst = Installed();
    if (!inst) return nullptr;
    for (const DataFile& dataFile : inst->dataFiles)
        if (dataFile.dataNo == inst->user.dataNo) return &dataFile;
    return nullptr;
}

void FillDataInfo(const DataFile& dataFile, StDATAINFO& record) {
    std::memset(&record, 0, sizeof record);
    const auto index = static_cast<size_t>(&dataFile - Installed()->dataFiles.data());
    MakeDataKey(index, record.dataId);
    record.dataNo = dataFile.dataNo;
    // Byte for byte, even a lone lead byte: the loader made sure the text fits.
    std::memcpy(record.businessName, dataFile.businessName.data(), dataFile.businessName.size());
    record.periodFrom = dataFile.periodFrom;
    record.periodTo = dataFile.periodTo;
    record.hasManufacturingCost = dataFile.hasManufacturingCost;
    record.dataKind = dataFile.dataKind;
    record.businessKind = dataFile.businessKind;
    record.roundingMode = dataFile.roundingMode;
    // The host keeps data of its own here; a caller that copies only part of the record loses it.
    for (size_t i = 0; i < sizeof record.hostReserved; ++i)
        record.hostReserved[i] = static_cast<char>(0x40 + (i + index) % 0x3F);
}

}  // namespace detail

using namespace detail;

bool LoadInstallationFile(const std::string& path, std::string& error) {
    Reset();
    return LoadIntoSession(path, error);
}

void UseInstallation(Installation installation) {
    Reset();
    Sim().installation = std::move(installation);
}

const Installation* Current() { return Installed(); }

void Reset() {
    Sim() = State();
    ClAccConnect* connection = ClAccConnect::Inst();
    std::memset(connection->m_szAppTitle, 0, sizeof connection->m_szAppTitle);
    connection->m_hOwnerWnd = 0;
}

const std::vector<std::string>& CallLog() { return Sim().callLog; }

int OpenCursorCount() { return static_cast<int>(Sim().cursors.size()) + Sim().openRuleCursors; }

int LiveRuleObjects() { return Sim().liveRules; }

int LivePeriodObjects() { return static_cast<int>(Sim().periods.size()); }

const LastErrorRecord& LastError() { return Sim().lastError; }

}  // namespace hostsim
