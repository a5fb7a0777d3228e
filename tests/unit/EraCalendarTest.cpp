#include <gtest/gtest.h>

#include <functional>

#include "aggregation/EraCalendar.h"
#include "support/EngineHost.h"

namespace {
using Change = std::function<void(hostsim::Installation&)>;

class EraCalendar : public enginetest::HostTest {};

// A failed period lookup gives the report the same figures whatever step failed; what tells the
// steps apart is the error the host records, which no report shows.
TEST_F(EraCalendar, AccountingPeriodFailuresAreRecorded) {
    const struct { const char* what; Change change; std::int32_t end; const char* errors; } cases[] = {
        {"no period", [](auto& i) { i.faults.noAccPeriod = true; }, 0,
         "-1004 CmnProcHpr 2180; -1004 CmnProcHpr 607"},
        {"fatal", [](auto& i) { i.faults.getPeriod = hostsim::PeriodFault{5, 20230401, 20240331}; i.faults.fatal = {5}; },
         20240331, "5 CmnProcHpr 615"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hostsim::Installation inst = enginetest::MakeInstallation();
        c.change(inst);
        hostsim::UseInstallation(inst);
        std::int32_t start = 1, end = 1;
        EXPECT_EQ(CCmnProcHpr().GetAccountingPeriod(start, end), -1);
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(enginetest::RecordedErrors(), c.errors);
    }
}

}  // namespace
