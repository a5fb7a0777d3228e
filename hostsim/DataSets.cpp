// ClDataMgr and the objects it hands out: the user, the data-file set, the set manager, option links
// and the accounting period.
#include <cstring>

#include "hostsim/SimState.h"

using namespace hostsim;
using namespace hostsim::detail;

namespace {
ClSetData* DataFileSet() {
    static ClSetData set;
    const Installation* inst = Installed();
    return inst && !inst->faults.noSetObject ? &set : nullptr;
}

std::string Object(const void* object) { return object ? "object" : "null"; }
}  // namespace

ClSetObject::~ClSetObject() = default;
ClSysUser::~ClSysUser() = default;
ClSetMgr::~ClSetMgr() = default;
ClOptLink::~ClOptLink() = default;

ClDataMgr* ClDataMgr::Inst() {
    static ClDataMgr manager;
    return &manager;
}

ClDataMgr::ClDataMgr() = default;

ClSysUser* ClDataMgr::GetSysUserObject() {
    static ClSysUser user;
    Log("ClDataMgr::GetSysUserObject -> object");
    return &user;
}

ClSetObject* ClDataMgr::GetSetObject(int kind, int number) {
    ClSetObject* set = kind == kSetKindData && number == kSetNumberData ? DataFileSet() : nullptr;
    Log("ClDataMgr::GetSetObject kind=" + N(kind) + " number=" + N(number) + " -> " + Object(set));
    return set;
}

ClSetMgr* ClDataMgr::GetSetMgr() {
    static ClSetMgr manager;
    Log("ClDataMgr::GetSetMgr -> object");
    return &manager;
}

ClLinkMgr* ClLinkMgr::Inst() {
    static ClLinkMgr manager;
    return &manager;
}

ClLinkMgr::ClLinkMgr() = default;

ClOptLink* ClLinkMgr::GetOptLink() {
    static ClOptLink link;
    Log("ClLinkMgr::GetOptLink -> object");
    return &link;
}

ClSetObject* ClSetMgr::GetSetObject(int kind, int number) {
    static ClSetGengo eras;
    ClSetObject* set = nullptr;
    if (kind == kSetKindEra && number == kSetNumberEra && Installed()) set = &eras;
    if (kind == kSetKindData && number == kSetNumberData) set = DataFileSet();
    Log("ClSetMgr::GetSetObject kind=" + N(kind) + " number=" + N(number) + " -> " + Object(set));
    return set;
}

HostStatus ClSysUser::GetCurUserID(char* userId) {
    const Installation* inst = Installed();
    HostStatus status = inst ? 0 : kUnavailable;
    if (!userId) status = kMisuse;
    if (status == 0) std::memcpy(userId, inst->user.id.c_str(), inst->user.id.size() + 1);
    Log("ClSysUser::GetCurUserID -> " + N(status) + (status == 0 ? " id=" + inst->user.id : std::string()));
    return status;
}

HostStatus ClSysUser::GetSelectedNo(const char* userId, long* setNo, long* dataNo) {
    const Installation* inst = Installed();
    HostStatus status = inst ? 0 : kUnavailable;
    if (!userId || !setNo || !dataNo) status = kMisuse;
    // The host knows only its logged-in user.
    else if (inst && std::string(userId, strnlen(userId, kUserIdBytes)) != inst->user.id) status = kMisuse;
    if (status == 0) {
        *setNo = inst->user.setNo;
        *dataNo = inst->user.dataNo;
    }
    Log("ClSysUser::GetSelectedNo id=" + Shown(userId, kUserIdBytes) + " -> " + N(status) +
        (status == 0 ? " setNo=" + N(*setNo) + " dataNo=" + N(*dataNo) : std::string()));
    return status;
}

HostCursor ClSetData::GetDatCursor() {
    const HostCursor cursor = OpenCursor(CursorState::Kind::DataFiles);
    Log("ClSetData::GetDatCursor -> " + N(cursor));
    return cursor;
}

HostStatus ClSetData::ReadyDat(HostCursor cursor, int mode) {
    const Installation* inst = Installed();
    CursorState* state = FindCursor(cursor, CursorState::Kind::DataFiles);
    HostStatus status = !inst ? kUnavailable : !state ? kMisuse : inst->faults.readyDat.value_or(0);
    if (status == 0) {
        state->ready = true;
        state->position = 0;
    }
    Log("ClSetData::ReadyDat cursor=" + N(cursor) + " mode=" + N(mode) + " -> " + N(status));
    return status;
}

HostStatus ClSetData::WalkDat(HostCursor cursor, StDATAINFO* record) {
    const Installation* inst = Installed();
    CursorState* state = FindCursor(cursor, CursorState::Kind::DataFiles);
    HostStatus status = 0;
    if (!inst) status = kUnavailable;
    else if (!state || !state->ready || !record) status = kMisuse;
    else if (inst->faults.walkDat && state->position == static_cast<size_t>(inst->faults.walkDat->after))
        status = inst->faults.walkDat->status;
    else if (state->position >= inst->dataFiles.size()) status = kHostNoData;
    std::string delivered;
    if (status == 0) {
        const DataFile& dataFile = inst->dataFiles[state->position++];
        FillDataInfo(dataFile, *record);
        delivered = " dataNo=" + N(dataFile.dataNo);
    }
    Log("ClSetData::WalkDat cursor=" + N(cursor) + " -> " + N(status) + delivered);
    return status;
}

void ClSetData::ReleaseDatCursor(HostCursor cursor) {
    const bool wasOpen = CloseCursor(cursor, CursorState::Kind::DataFiles);
    Log("ClSetData::ReleaseDatCursor cursor=" + N(cursor) + (wasOpen ? "" : " (not open)"));
}

StDATAINFO* ClSetData::GetSelectedInfo() {
    static StDATAINFO record;
    const DataFile* selected = SelectedDataFile();
    if (selected) FillDataInfo(*selected, record);
    Log("ClSetData::GetSelectedInfo -> " + (selected ? "dataNo=" + N(selected->dataNo) : std::string("null")));
    return selected ? &record : nullptr;
}

ClAccPeriod* ClSetData::GetAccPeriod() {
    const Installation* inst = Installed();
    ClAccPeriod* period = inst && !inst->faults.noAccPeriod ? new ClAccPeriod : nullptr;
    if (period) Sim().periods.insert(period);
    Log("ClSetData::GetAccPeriod -> " + Object(period));
    return period;
}

ClAccPeriod::~ClAccPeriod() {
    const bool handedOut = Sim().periods.erase(this) > 0;
    Log(std::string("ClAccPeriod::~ClAccPeriod") + (handedOut ? "" : " (not from GetAccPeriod)"));
}

HostStatus ClAccPeriod::GetPeriod(std::int32_t* from, std::int32_t* to) {
    const Installation* inst = Installed();
    const DataFile* selected = SelectedDataFile();
    HostStatus status = 0;
    if (!from || !to) {
        status = kMisuse;
    } else if (inst && inst->faults.getPeriod) {
        const PeriodFault& fault = *inst->faults.getPeriod;
        status = fault.status;
        if (fault.from) *from = *fault.from;
        if (fault.to) *to = *fault.to;
    } else if (selected) {
        *from = selected->periodFrom;
        *to = selected->periodTo;
    } else {
        status = kUnavailable;
    }
    Log("ClAccPeriod::GetPeriod -> " + N(status) +
        (from && to ? " from=" + N(*from) + " to=" + N(*to) : std::string()));
    return status;
}
