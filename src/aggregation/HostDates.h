#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/HostRecords.h"

// The era and period lookups of one run of the record builder. The host's era set and accounting
// period do not change while the records are built, so each is read once, quietly (a status is
// checked for being fatal without the host showing its message); when that reading is clean, later
// lookups are answered from it with the results CCmnProcHpr would give. When it is not (a host error,
// a status the host calls fatal, a missing object), every lookup asks the host through CCmnProcHpr,
// so the host's messages and the recorded errors stay those of a lookup per asset.
class CHostDates {
public:
    // As CCmnProcHpr::GetEraName.
    bool GetEraName(std::int32_t date, char* name, std::size_t width, std::int32_t* year);
    // The start of the accounting period as CCmnProcHpr::GetAccountingPeriod gives it; 0 when that fails.
    std::int32_t PeriodStart();

private:
    enum class Reading { NotYet, Clean, Unusable };
    bool QuietlyFatal(HostStatus status) const;
    Reading ReadEras();
    Reading ReadPeriod();

    Reading m_eras = Reading::NotYet;
    Reading m_period = Reading::NotYet;
    std::vector<StGENGOINFO> m_eraSet;  // in the host's walking order
    std::int32_t m_periodStart = 0;
};
