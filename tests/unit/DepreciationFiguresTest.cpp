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

}  // namespace
