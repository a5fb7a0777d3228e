#pragma once
// Era dates and the accounting period, read from the host. Host errors are recorded with the host's
// message manager under the module name "CmnProcHpr"; none of these failures stops the run.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/HostRecords.h"
#include "platform/Platform.h"

class CCmnProcHpr {
public:
    explicit CCmnProcHpr(WindowHandle owner = 0) : m_owner(owner) {}
    virtual ~CCmnProcHpr() = default;

    // True: the era of `date` (yyyymmdd) is in `era` and, when `year` is not null, the year within it
    // (the era's first calendar year is 1). False: before the first era, after 99991231, no eras, or a
    // host error (recorded).
    bool GetEraOfDate(std::int32_t date, StGENGOINFO& era, std::int32_t* year);

    // As GetEraOfDate; when true writes the era name, cut at a character boundary, into a field of
    // `width` bytes. When false the field is left as it was.
    bool GetEraName(std::int32_t date, char* name, std::size_t width, std::int32_t* year);

    // True: the period of the selected data file (a non-fatal status of the host counts as success,
    // with whatever it wrote). False: no data-file set, no period object or a fatal status (recorded).
    // Both outputs start at 0.
    bool GetAccountingPeriod(std::int32_t& start, std::int32_t& end);

private:
    bool IsFatal(HostStatus status) const;
    static void Record(HostStatus status, int line);

    WindowHandle m_owner;
};

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
    std::vector<StGENGOINFO> m_eraSet;   // in the host's walking order
    std::int32_t m_periodStart = 0;
};
