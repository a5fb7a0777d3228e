#pragma once
#include <cstdint>

#include "aggregation/AssetOutputRecord.h"
#include "aggregation/AssetSnapshot.h"
#include "app/HostHandover.h"
#include "ui/RunUi.h"
#include "editions/Edition.h"
#include "host/HostRecords.h"

enum RunResult : std::int32_t { Success = 0, Cancelled = 1, Failed = 2 };

// The one run of the program: attach to the host, check the installation, find the selected data
// file, run the aggregation pass, then sign off and tell the host how it went.
class CLinkApp {
public:
    CLinkApp(const CEdition& edition, IRunUi& ui);
    CLinkApp(const CLinkApp&) = delete;
    CLinkApp& operator=(const CLinkApp&) = delete;

    // The whole pass. Always false: the program never runs a message loop of its own.
    bool InitInstance(const char* commandLine);
    // Signs off from the host and posts the result to the host window; returns the exit code.
    int ExitInstance();

    const CEdition& edition;
    IRunUi& ui;
    bool hostWindowMode = false;
    CHostHandover handover;           // hostWindow, notifyMessage, function identifier, fixed path
    WindowHandle hostWindowObject = 0;  // owner of the dialog and parent of the progress window
    RunResult result = Success;
    CAssetList assets;
    COutputRecordList records;
    StDATAINFO selectedData;

private:
    bool FindSelectedData();
};
