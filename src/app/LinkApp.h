#pragma once
#include "app/AggregationPass.h"
#include "app/HostHandover.h"
#include "editions/Edition.h"
#include "ui/RunUi.h"

// The one run of the program: attach to the host, check the installation, find the selected data
// file, run the aggregation pass, then sign off and tell the host how it went.
class CLinkApp {
public:
    CLinkApp(const Edition& edition, IRunUi& ui);
    CLinkApp(const CLinkApp&) = delete;
    CLinkApp& operator=(const CLinkApp&) = delete;

    // The whole pass. Always false: the program never runs a message loop of its own.
    bool InitInstance(const char* commandLine);
    // Signs off from the host and posts the result to the host window; returns the exit code.
    int ExitInstance();

    RunResult result = Success;  // posted to the host window

private:
    const Edition& m_edition;
    IRunUi& m_ui;
    HostHandover m_handover;
};
