#include "aggregation/EraCalendar.h"

#include <cstring>
#include <memory>

#include "host/HostClasses.h"
#include "platform/ShiftJis.h"

namespace {
const char kModule[] = "CmnProcHpr";
constexpr std::int32_t kLastDate = 99991231;
constexpr HostStatus kNoSetObject = -1001;
constexpr HostStatus kNoHostObject = -1004;

// The failing step, passed as the line number of the host's error record: the host keeps it in that
// record and its log, where it is read by these numbers, so they never change.
enum : int {
    kLineEraCursor = 312,
    kLineEraReady = 319,
    kLineEraWalk = 339,
    kLinePeriodLookup = 607,   // recorded again after either failure below
    kLinePeriodRead = 615,
    kLineDataFileSet = 2175,
    kLinePeriodObject = 2180,
};

// What the era walk is given next: an era, the end of the set, or a failure that ends the lookup.
enum class EraStep { Era, End, Failed };

// The era walk of both lookups, over the eras `next` gives in the host's order: it stops at the era
// after the one holding `date`. True when the era is found; false writes nothing.
template <class Next>
bool WalkEras(std::int32_t date, Next next, StGENGOINFO& era, std::int32_t* year) {
    StGENGOINFO previous{};
    int count = 0;
    for (;;) {
        StGENGOINFO current{};
        const EraStep step = next(current);
        if (step == EraStep::Failed) return false;
        if (step == EraStep::End) break;
        if (count == 0 && date < current.startDate) return false;
        // previous.start <= date <= current.start - 1, without forming start - 1.
        if (count > 0 && previous.startDate <= date && date < current.startDate) break;
        previous = current;
        ++count;
    }
    if (count == 0 || date > kLastDate) return false;
    era = previous;
    if (year) *year = date / 10000 - previous.startDate / 10000 + 1;
    return true;
}

// The host's name may fill its 16 bytes without a terminator.
void CopyEraName(const StGENGOINFO& era, char* name, std::size_t width) {
    sjis::CopyCut(name, width, era.name, sjis::BoundedLength(era.name, sizeof era.name));
}
}  // namespace

bool CCmnProcHpr::IsFatal(HostStatus status) const {
    return ClMsgMgr::Inst()->CheckFatalErrorWithMsg(status, 0, 1, m_owner) != 0;
}

// A zero status the host called fatal clears the last error rather than naming a step.
void CCmnProcHpr::Record(HostStatus status, int line) {
    if (status == 0)
        ClMsgMgr::Inst()->SetLastError(0, nullptr, 0);
    else
        ClMsgMgr::Inst()->SetLastError(status, kModule, line);
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

bool CHostDates::QuietlyFatal(HostStatus status) const {
    return ClMsgMgr::Inst()->CheckFatalErrorWithMsg(status, 0, 0, 0) != 0;
}

CHostDates::Reading CHostDates::ReadEras() {
    ClSetMgr* setMgr = ClDataMgr::Inst()->GetSetMgr();
    auto* eras = setMgr ? static_cast<ClSetGengo*>(setMgr->GetSetObject(kSetKindEra, kSetNumberEra)) : nullptr;
    if (eras == nullptr) return Reading::Unusable;
    HostCursor cursor = 0;
    HostStatus status = eras->GetCursor(&cursor);
    const bool fatal = QuietlyFatal(status);
    if (status != 0) return Reading::Unusable;
    bool clean = !fatal && eras->Ready(cursor) == 0;
    while (clean) {
        StGENGOINFO current{};
        status = eras->Walk(&current, cursor);
        if (QuietlyFatal(status)) clean = false;
        if (status != 0) break;   // the end of the set, as for a lookup
        m_eraSet.push_back(current);
    }
    eras->ReleaseCursor(cursor);
    if (!clean) m_eraSet.clear();
    return clean ? Reading::Clean : Reading::Unusable;
}

bool CHostDates::GetEraName(std::int32_t date, char* name, std::size_t width, std::int32_t* year) {
    if (m_eras == Reading::NotYet) m_eras = ReadEras();
    if (m_eras != Reading::Clean) return CCmnProcHpr().GetEraName(date, name, width, year);

    // The walk of CCmnProcHpr::GetEraOfDate over the eras read.
    std::size_t next = 0;
    const auto walk = [&](StGENGOINFO& current) {
        if (next == m_eraSet.size()) return EraStep::End;
        current = m_eraSet[next++];
        return EraStep::Era;
    };
    StGENGOINFO era;
    if (!WalkEras(date, walk, era, year)) return false;
    CopyEraName(era, name, width);
    return true;
}

CHostDates::Reading CHostDates::ReadPeriod() {
    auto* data = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    if (data == nullptr) return Reading::Unusable;
    std::unique_ptr<ClAccPeriod> period(data->GetAccPeriod());
    if (!period) return Reading::Unusable;
    std::int32_t start = 0;
    std::int32_t end = 0;
    const HostStatus status = period->GetPeriod(&start, &end);
    const bool fatal = QuietlyFatal(status);
    period.reset();
    if (fatal) return Reading::Unusable;
    m_periodStart = start;   // a status that is not fatal counts as success, with whatever was written
    return Reading::Clean;
}

std::int32_t CHostDates::PeriodStart() {
    if (m_period == Reading::NotYet) m_period = ReadPeriod();
    if (m_period == Reading::Clean) return m_periodStart;
    std::int32_t start = 0;
    std::int32_t end = 0;
    return CCmnProcHpr().GetAccountingPeriod(start, end) ? start : 0;
}
