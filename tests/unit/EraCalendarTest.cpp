#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "aggregation/EraCalendar.h"
#include "support/EngineHost.h"

namespace {
using enginetest::RecordedErrors;
using Change = std::function<void(hostsim::Installation&)>;

class EraCalendar : public enginetest::HostTest {
protected:
    void Use(const Change& change) {
        hostsim::Installation inst = enginetest::MakeInstallation();
        change(inst);
        hostsim::UseInstallation(inst);
    }
};

TEST_F(EraCalendar, FindsTheEraAndTheYearWithinIt) {
    // 平成 from 19890108, 令和 from 20190501. "X": the name was left as it was.
    const struct { std::int32_t date; int result; const char* name; std::int32_t year; } cases[] = {
        {19890107, -1, "X", 0},    {19890108, 0, "平成", 1},  {19891231, 0, "平成", 1}, {19900101, 0, "平成", 2},
        {20190430, 0, "平成", 31}, {20190501, 0, "令和", 1},  {20191231, 0, "令和", 1}, {20200101, 0, "令和", 2},
        {99991231, 0, "令和", 7981}, {100000101, -1, "X", 0}, {0, -1, "X", 0},
    };
    hostsim::UseInstallation(enginetest::MakeInstallation());
    for (const auto& c : cases) {
        char name[7] = "X";
        std::int32_t year = 0;
        EXPECT_EQ(CCmnProcHpr().GetEraName(c.date, name, sizeof name, &year), c.result) << c.date;
        EXPECT_STREQ(name, c.name) << c.date;
        EXPECT_EQ(c.result == 0 ? year : 0, c.year) << c.date;
        EXPECT_EQ(hostsim::OpenCursorCount(), 0) << c.date;
    }
    EXPECT_EQ(RecordedErrors(), "");
}

TEST_F(EraCalendar, AccountingPeriodAndItsFailures) {
    const struct { const char* what; Change change; int result; std::int32_t start, end; const char* errors; } cases[] = {
        {"normal", [](auto&) {}, 0, 20240101, 20241231, ""},
        {"no data set", [](auto& i) { i.faults.noSetObject = true; }, -1, 0, 0,
         "-1001 CmnProcHpr 2175; -1001 CmnProcHpr 607"},
        {"no period", [](auto& i) { i.faults.noAccPeriod = true; }, -1, 0, 0,
         "-1004 CmnProcHpr 2180; -1004 CmnProcHpr 607"},
        {"not fatal", [](auto& i) { i.faults.getPeriod = hostsim::PeriodFault{5, 20230401, std::nullopt}; }, 0,
         20230401, 0, ""},
        {"fatal", [](auto& i) { i.faults.getPeriod = hostsim::PeriodFault{5, 20230401, 20240331}; i.faults.fatal = {5}; },
         -1, 20230401, 20240331, "5 CmnProcHpr 615"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Use(c.change);
        std::int32_t start = 1, end = 1;
        EXPECT_EQ(CCmnProcHpr().GetAccountingPeriod(start, end), c.result);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(RecordedErrors(), c.errors);
        EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
    }
}

}  // namespace
