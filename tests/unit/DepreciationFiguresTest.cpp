#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "aggregation/DepreciationFigures.h"

namespace {
constexpr std::int64_t Yen(std::int64_t yen) { return yen * 10000; }

StKOTEISHISANINFO Asset(std::int16_t method, std::int64_t cost) {
    StKOTEISHISANINFO a{};
    a.method = method;
    a.acquisitionCost = Yen(cost);
    return a;
}

TEST(DepreciationFigures, GuaranteeAmount) {
    const struct { std::int16_t method, life; std::int64_t cost, reduction; int mode; std::int64_t scaled; } cases[] = {
        {8, 10, 1000000, 0, RoundDown, Yen(65520)},     {5, 10, 1000000, 0, RoundDown, Yen(44480)},
        {8, 10, 1000001, 0, RoundDown, Yen(65520)},     {8, 10, 1000001, 0, RoundUp, Yen(65521)},
        {8, 10, 1000001, 0, HalfUp, Yen(65520)},        {8, 10, 1000008, 0, HalfUp, Yen(65521)},
        {8, 10, 1100000, 100000, RoundDown, Yen(65520)}, {8, 10, 1000001, 0, 7, 655200655},   // mode refused
        {5, 101, 1000000, 0, HalfUp, Yen(5460)},        {5, 3, 1000000, 0, HalfUp, Yen(27890)},
        {5, 0, 1000000, 0, HalfUp, 0},  {8, 1, 1000000, 0, HalfUp, 0},  {8, 102, 1000000, 0, HalfUp, 0},
        {5, -3, 1000000, 0, HalfUp, 0},
    };
    for (const auto& c : cases) {
        StKOTEISHISANINFO a = Asset(c.method, c.cost);
        a.usefulLife = c.life;
        a.costReduction = Yen(c.reduction);
        EXPECT_EQ(GuaranteeAmount(a, c.mode).Scaled(), c.scaled) << c.method << " life " << c.life << " " << c.cost;
    }
}

TEST(DepreciationFigures, DepreciationBeforeAdjustment) {
    const struct { std::int64_t openingBook; std::int16_t status; std::int32_t disposed, rate, periodStart; int mode;
                   std::int64_t yen; } cases[] = {
        {300000, 0, 0, 200, 20240101, RoundDown, 60000},
        {0, 0, 0, 200, 20240101, RoundDown, 200000},         // acquired this period: the cost basis
        {0, 4, 20231231, 200, 20240101, RoundDown, 0},
        {0, 5, 20231231, 200, 20240101, RoundDown, 0},
        {0, 4, 20240101, 200, 20240101, RoundDown, 200000},
        {0, 3, 20231231, 200, 20240101, RoundDown, 200000},
        {0, 4, 20231231, 200, 0, RoundDown, 200000},         // period unknown
        {300000, 0, 0, 0, 20240101, HalfUp, 0},
        {333333, 0, 0, 167, 20240101, RoundDown, 55666},     // 55,666.611
        {333333, 0, 0, 167, 20240101, RoundUp, 55667},
        {333333, 0, 0, 167, 20240101, HalfUp, 55667},
    };
    for (const auto& c : cases) {
        StKOTEISHISANINFO a = Asset(8, 1000000);
        a.openingBookValue = Yen(c.openingBook);
        a.disposalStatus = c.status;
        a.disposalDate = c.disposed;
        a.rate = c.rate;
        EXPECT_EQ(DepreciationBeforeAdjustment(a, c.mode, c.periodStart).Scaled(), Yen(c.yen))
            << c.openingBook << " " << c.status << " " << c.rate << " mode " << c.mode;
    }
}

TEST(DepreciationFigures, EqualDepreciationAmount) {
    const struct { std::int16_t method; std::int32_t kind; std::int64_t cost, reduction; std::uint8_t isAmount;
                   std::int64_t residual, scaled; } cases[] = {
        {1, 1, 1000001, 0, 0, 0, Yen(50000)},            {1, 1, 600000, 100000, 0, 0, Yen(25000)},
        {2, 1, 600000, 0, 0, Yen(20), Yen(30000)},       {2, 10, 600000, 0, 0, Yen(20), Yen(100000)},
        {6, 10, 600000, 0, 0, Yen(10), Yen(60000)},      {2, 10, 600000, 0, 0, 123450, Yen(72000)},
        {2, 10, 600000, 0, 1, 800005000, 800005000},     {6, 10, 600000, 0, 1, Yen(150000), Yen(100000)},
    };
    for (const auto& c : cases) {
        StKOTEISHISANINFO a = Asset(c.method, c.cost);
        a.kind = c.kind;
        a.costReduction = Yen(c.reduction);
        a.residualIsAmount = c.isAmount;
        a.residualValue = c.residual;
        EXPECT_EQ(EqualDepreciationAmount(a).Scaled(), c.scaled) << c.method << " kind " << c.kind << " " << c.residual;
    }
}

TEST(DepreciationFigures, OverflowLeavesOnlyItsFieldEmpty) {
    CAssetSnapshot s{};
    s.asset = Asset(8, 0);
    s.asset.acquisitionCost = std::numeric_limits<std::int64_t>::max();
    s.asset.usefulLife = 10;
    const StDATAINFO data{};
    CAssetOutputRecord record{};
    std::strcpy(record.SYOUKYAKUHOSYOUGAKU, "X");
    EXPECT_THROW(GuaranteeAmount(s.asset, HalfUp), CDecimalOverflow);
    WriteGuaranteeAmount(s, record, data);
    EXPECT_STREQ(record.SYOUKYAKUHOSYOUGAKU, "");
    for (const std::int16_t life : {0, 102}) {   // no statutory ratio: 0 without touching the cost
        s.asset.usefulLife = life;
        WriteGuaranteeAmount(s, record, data);
        EXPECT_STREQ(record.SYOUKYAKUHOSYOUGAKU, "0") << life;
    }
}

TEST(DepreciationFigures, RemarksSplitIntoTwoLinesOfTwentyBytes) {
    const std::string a19(19, 'a'), a20(20, 'a');
    const struct { std::string remarks; std::int16_t method; const char* upper; const char* lower; } cases[] = {
        {"short", 1, "short", ""},
        {a20, 1, a20.c_str(), ""},
        {a19 + "漢", 1, a19.c_str(), "漢"},
        {a19 + "\x8a", 1, a19.c_str(), ""},                       // ends in a lone lead byte
        {"aaaaaaaaaaaaaaaaaa漢x", 1, "aaaaaaaaaaaaaaaaaa漢", "x"},
        {a20 + "a漢漢漢漢漢漢漢漢漢漢", 1, a20.c_str(), "a漢漢漢漢漢漢漢漢漢"},   // lower line cut whole
        {std::string(81, 'b'), 1, "bbbbbbbbbbbbbbbbbbbb", "bbbbbbbbbbbbbbbbbbbb"},   // no terminator
        {"anything", 7, "措法28の2", "(明細は別途保管)"},
    };
    for (const auto& c : cases) {
        CAssetSnapshot s{};
        s.asset = Asset(c.method, 1000);
        std::memcpy(s.asset.remarks, c.remarks.data(), c.remarks.size());
        CAssetOutputRecord record{};
        WriteRemarks(s, record, StDATAINFO{});
        EXPECT_STREQ(record.TEKIYOU_JYOUDAN, c.upper) << c.remarks;
        EXPECT_STREQ(record.TEKIYOU_GEDAN, c.lower) << c.remarks;
    }
}

}  // namespace
