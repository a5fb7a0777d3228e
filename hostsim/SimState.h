#pragma once
// The stand-in host's session, shared by its classes. Internal to hostsim.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/HostClasses.h"
#include "hostsim/HostSim.h"

namespace hostsim::detail {

constexpr HostStatus kUnavailable = -1;  // no installation, or nothing to serve
constexpr HostStatus kMisuse = -2;       // a call out of order or with unusable arguments

struct CursorState {
    enum class Kind { DataFiles, Eras } kind = Kind::DataFiles;
    bool ready = false;
    size_t position = 0;
};

struct State {
    std::optional<Installation> installation;
    bool loadRefused = false;
    std::vector<std::string> callLog;
    std::map<HostCursor, CursorState> cursors;
    HostCursor nextCursor = 1;
    int openRuleCursors = 0;
    int liveRules = 0;
    std::set<const ClAccPeriod*> periods;
    LastErrorRecord lastError;
};

State& Sim();

// The current installation, or null.
const Installation* Installed();

// Loads the installation of `path` into the running session, keeping its call log.
bool LoadIntoSession(const std::string& path, std::string& error);

void Log(const std::string& line);
std::string N(long long number);
// A text for a log line: line breaks are written as \n and \r.
std::string Shown(const char* text, size_t maxBytes);

HostCursor OpenCursor(CursorState::Kind kind);
// The open cursor of that kind, or null.
CursorState* FindCursor(HostCursor cursor, CursorState::Kind kind);
// False when the cursor was not open.
bool CloseCursor(HostCursor cursor, CursorState::Kind kind);

// The data file of the opaque 16-byte key that the records carry, or null.
const DataFile* DataFileOfKey(const char* key);

// The data file whose number the user selected, or null.
const DataFile* SelectedDataFile();

// The host's record of a data file.
void FillDataInfo(const DataFile& dataFile, StDATAINFO& record);

}  // namespace hostsim::detail
