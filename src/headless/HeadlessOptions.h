#pragma once
#include <string>
#include <vector>

#include "editions/Edition.h"

// The command line of link-headless: which program to play, on which installation, and what the
// scripted user does.
struct HeadlessOptions {
    const Edition* edition = nullptr;
    std::string installation;
    bool hasCommandLine = false;
    std::string commandLine;  // code page 932 bytes, as the host would pass them
    int category = 0;         // 0: leave the dialog's choice
    bool hasOutput = false;
    std::string output;         // Windows path, code page 932 bytes
    std::vector<bool> answers;  // Yes/No answers, in order
    bool cancel = false;
};

// False with a message for arguments that do not make a run.
bool ParseHeadlessOptions(int argc, char** argv, HeadlessOptions& options, std::string& error);

extern const char kHeadlessUsage[];
