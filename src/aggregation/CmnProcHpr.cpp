#include "aggregation/CmnProcHpr.h"

#include <cstring>
#include <memory>

#include "host/HostClasses.h"
#include "platform/ShiftJis.h"

namespace {
const char kModule[] = "CmnProcHpr";
constexpr HostStatus kNoSetObject = -1001;
constexpr HostStatus kNoHostObject = -1004;

// The failing step, passed as the line number of the host's error record: the host keeps it in that
// record and its log, where it is read by these numbers, so they never change.
enum : int {
    kLineEraCursor = 312,
    kLineEraReady = 319,
    kLineEraWalk = 339,
    kLinePeriodLookup = 607,  // recorded again after either failure below
    kLinePeriodRead = 615,
    kLineDataFileSet = 2175,
    kLinePeriodObject = 2180,
};

}  // namespace

bool CCmnProcHpr::IsFatal(HostStatus status) const {
    return ClMsgMgr::Inst()->CheckFatalErrorWithMsg(status, 0, 1, m_owner) != 0;
}

// A zero status the host called fatal clears the last error rather than naming a step.
void CCmnProcHpr::Record(HostStatus status, int line) {
    if (status == 0) ClMsgMgr::Inst()->SetLastError(0, nullptr, 0);
    else ClMsgMgr::Inst()->SetLastError(status, kModule, line);
}

bool CCmnProcHpr::GetEraOfDate(std::int32_t date, StGENGOINFO& era, std::int32_t* year) {
    std::memset(&era, 0, sizeof era);
    ClSetMgr* setMgr = ClDataMgr::Inst()->GetSetMgr();
    auto* eras = setMgr ? static_cast<ClSetGengo*>(setMgr->GetSetObject(kSetKindEra, kSetNumberEra)) : nullptr;
    if (eras == nullptr) {
        // No era set means no cursor either: recorded as the cursor step.
        Record(kNoSetObject, kLineEraCursor);
        return false;
    }

    HostCursor cursor = 0;
    HostStatus status = eras->GetCursor(&cursor);
    if (IsFatal(status) || status != 0) {
        // A zero status the host calls fatal still handed out a cursor.
        if (status == 0) eras->ReleaseCursor(cursor);
        Record(status, kLineEraCursor);
        return false;
    }
    status = eras->Ready(cursor);
    if (status != 0) {
        eras->ReleaseCursor(cursor);
        Record(status, kLineEraReady);
        return false;
    }

    bool fatal = false;
    const auto walk = [&](StGENGOINFO& current) {
        status = eras->Walk(&current, cursor);
        fatal = IsFatal(status);
        if (fatal) return EraStep::Failed;
        return status == 0 ? EraStep::Era : EraStep::End;
    };
    const bool found = WalkEras(date, walk, era, year);
    eras->ReleaseCursor(cursor);
    if (fatal) Record(status, kLineEraWalk);
    return found;
}

bool CCmnProcHpr::GetEraName(std::int32_t date, char* name, std::size_t width, std::int32_t* year) {
    StGENGOINFO era;
    if (!GetEraOfDate(date, era, year)) return false;
    CopyEraName(era, name, width);
    return true;
}

bool CCmnProcHpr::GetAccountingPeriod(std::int32_t& start, std::int32_t& end) {
    start = 0;
    end = 0;
    auto* data = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    HostStatus failure = 0;
    std::unique_ptr<ClAccPeriod> period;
    if (data == nullptr) {
        failure = kNoSetObject;
        Record(failure, kLineDataFileSet);
    } else {
        period.reset(data->GetAccPeriod());
        if (!period) {
            failure = kNoHostObject;
            Record(failure, kLinePeriodObject);
        }
    }
    if (!period) {
        Record(failure, kLinePeriodLookup);
        return false;
    }

    const HostStatus status = period->GetPeriod(&start, &end);
    const bool fatal = IsFatal(status);
    period.reset();
    if (!fatal) return true;
    Record(status, kLinePeriodRead);
    return false;
}

// The host's name may fill its 16 bytes without a terminator.
void CopyEraName(const StGENGOINFO& era, char* name, std::size_t width) {
    sjis::CopyCut(name, width, era.name, sjis::BoundedLength(era.name, sizeof era.name));
}
