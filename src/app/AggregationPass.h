#pragma once
#include <cstdint>

#include "app/HostHandover.h"
#include "editions/Edition.h"
#include "host/HostRecords.h"
#include "ui/RunUi.h"

enum RunResult : std::int32_t { Success = 0, Cancelled = 1, Failed = 2 };

// What the pass works from: the program's edition, its windows, the host's hand-over and the data
// file the user has selected.
struct AggregationInput {
    const Edition& edition;
    IRunUi& ui;
    const HostHandover& handover;
    const StDATAINFO& data;
};

// The working half of the run: conditions, extraction, records, report, closing message and saved
// settings. Returns the result the run posts to the host.
RunResult RunAggregationPass(const AggregationInput& input);
