#pragma once
// Control of the stand-in host for the front ends and the tests. The host classes themselves are those
// of host/HostClasses.h; they serve the current installation and record every call.
#include <string>
#include <vector>

#include "hostsim/Installation.h"
#include "platform/PosixPlatform.h"

namespace hostsim {

// Starts a fresh session (see Reset) on the installation of `path`. False when the file is refused,
// with a message in ASCII that does not name the file: then no installation is current and
// ClAccConnect::Initiate fails.
bool LoadInstallationFile(const std::string& path, std::string& error);

// Starts a fresh session on `installation`.
void UseInstallation(Installation installation);

// The current installation, or null.
const Installation* Current();

// Forgets the installation and the session: call log, cursors, object counts, last error, and the
// title and owner window given to the connection.
void Reset();

// Every host call of the session, one line each: "Class::Method args -> status".
const std::vector<std::string>& CallLog();

// Data-file, era and fixed-asset cursors opened and not yet released.
int OpenCursorCount();

// Rule objects constructed and not destroyed; period objects handed out and not destroyed.
int LiveRuleObjects();
int LivePeriodObjects();

// What ClMsgMgr::SetLastError recorded last.
struct LastErrorRecord {
    HostStatus status = 0;
    std::string module;  // empty for none
    int line = 0;
};
const LastErrorRecord& LastError();

// The simulated Windows machine of an installation, for the POSIX platform (native builds only).
PosixMachine MachineOf(const Installation& installation);

}  // namespace hostsim
