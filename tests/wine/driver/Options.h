#pragma once
#include <string>
#include <vector>

#include "HeldFiles.h"
#include "Script.h"

// The driver's own command line.
struct DriverOptions {
    std::wstring program;            // Windows path of the Link*.exe to start
    bool hasCommandLine = false;     // absent: the program is started with no arguments at all
    std::wstring commandLine;        // the hand-over text as the scenario gives it
    std::wstring currentFolder;      // empty: the driver's own
    std::wstring tempFolder;         // not empty: the program's TEMP and TMP
    unsigned timeoutSeconds = 60;    // for the whole run
    std::wstring driveTypeLetters;   // not empty: only report these drives' types
    std::vector<HeldFile> held;      // held open from before the program starts until it has ended
    ScriptedUser user;
};

// False (with the reason in `error`) when the arguments are not usable.
bool ParseDriverOptions(int argc, wchar_t** argv, DriverOptions& options, std::string& error);

extern const char kDriverUsage[];
