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
