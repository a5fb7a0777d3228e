// ClSetGengo: the era set, walked in the installation's order.
#include <cstring>

#include "hostsim/SimState.h"

using namespace hostsim;
using namespace hostsim::detail;

HostStatus ClSetGengo::GetCursor(HostCursor* cursor) {
    const Installation* inst = Installed();
    HostStatus status = !inst ? kUnavailable : !cursor ? kMisuse : inst->faults.eraGetCursor.value_or(0);
    if (status == 0) *cursor = OpenCursor(CursorState::Kind::Eras);
    Log("ClSetGengo::GetCursor -> " + N(status) + (status == 0 ? " cursor=" + N(*cursor) : std::string()));
    return status;
}

HostStatus ClSetGengo::Ready(HostCursor cursor) {
    const Installation* inst = Installed();
    CursorState* state = FindCursor(cursor, CursorState::Kind::Eras);
    HostStatus status = !inst ? kUnavailable : !state ? kMisuse : inst->faults.eraReady.value_or(0);
    if (status == 0) {
        state->ready = true;
        state->position = 0;
    }
    Log("ClSetGengo::Ready cursor=" + N(cursor) + " -> " + N(status));
    return status;
}

HostStatus ClSetGengo::Walk(StGENGOINFO* record, HostCursor cursor) {
    const Installation* inst = Installed();
    CursorState* state = FindCursor(cursor, CursorState::Kind::Eras);
    HostStatus status = 0;
    if (!inst) status = kUnavailable;
    else if (!state || !state->ready || !record) status = kMisuse;
    else if (inst->faults.eraWalk && state->position == static_cast<size_t>(inst->faults.eraWalk->after))
        status = inst->faults.eraWalk->status;
    else if (state->position >= inst->eras.size()) status = kHostNoData;
    if (status == 0) {
        const Era& era = inst->eras[state->position++];
        std::memset(record, 0, sizeof *record);
        record->hostWord = static_cast<std::int32_t>(state->position);
        record->startDate = era.start;
        std::memcpy(record->name, era.name.data(), era.name.size());  // the loader made sure it fits
    }
    Log("ClSetGengo::Walk cursor=" + N(cursor) + " -> " + N(status));
    return status;
}

void ClSetGengo::ReleaseCursor(HostCursor cursor) {
    const bool wasOpen = CloseCursor(cursor, CursorState::Kind::Eras);
    Log("ClSetGengo::ReleaseCursor cursor=" + N(cursor) + (wasOpen ? "" : " (not open)"));
}
