#include "aggregation/HostDates.h"

#include <memory>

#include "aggregation/CmnProcHpr.h"
#include "host/HostClasses.h"

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
        if (status != 0) break;  // the end of the set, as for a lookup
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
    m_periodStart = start;  // a status that is not fatal counts as success, with whatever was written
    return Reading::Clean;
}

std::int32_t CHostDates::PeriodStart() {
    if (m_period == Reading::NotYet) m_period = ReadPeriod();
    if (m_period == Reading::Clean) return m_periodStart;
    std::int32_t start = 0;
    std::int32_t end = 0;
    return CCmnProcHpr().GetAccountingPeriod(start, end) ? start : 0;
}
