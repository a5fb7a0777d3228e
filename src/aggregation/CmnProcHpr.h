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

// The last date an era lookup answers.
constexpr std::int32_t kLastEraDate = 99991231;

// What the era walk is given next: an era, the end of the set, or a failure that ends the lookup.
enum class EraStep { Era, End, Failed };

// The era walk of both lookups (over the host's cursor here, over the eras read in CHostDates), over
// the eras `next` gives in the host's order: it stops at the era after the one holding `date`. True
// when the era is found; false writes nothing.
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
    if (count == 0 || date > kLastEraDate) return false;
    era = previous;
    if (year) *year = date / 10000 - previous.startDate / 10000 + 1;
    return true;
}

// Copies the era's name, cut at a character boundary, into a field of `width` bytes.
void CopyEraName(const StGENGOINFO& era, char* name, std::size_t width);
