#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <limits>
#include <string>
#include <vector>

#include "aggregation/AssetExtractor.h"
#include "support/EngineHost.h"

namespace {
constexpr std::int64_t Yen(std::int64_t yen) { return yen * 10000; }

using AllFields = std::array<std::string, kOutputFieldCount>;

class CFailingBuilder : public CAssetExtractor {
public:
    int recordsLeft = 1 << 30;
protected:
    CAssetOutputRecord* NewOutputRecord() override {
        return recordsLeft-- > 0 ? CAssetExtractor::NewOutputRecord() : nullptr;
    }
};

class OutputRecordBuilder : public enginetest::HostTest {
protected:
    // Extracts the assets from the stand-in, then builds their records.
    COutputRecordList Build(const std::vector<hostsim::Asset>& assets, int records = 1 << 30, int result = 1) {
        hostsim::UseInstallation(enginetest::MakeInstallation(assets));
        const StDATAINFO data = enginetest::SelectedData();
        CAssetList list;
        EXPECT_EQ(builder.Extract(list, data, AllCategories), 1);
        EXPECT_EQ(list.size(), assets.size());
        COutputRecordList built;
        built.push_back(std::make_unique<CAssetOutputRecord>());   // a previous run's record
        builder.recordsLeft = records;
        EXPECT_EQ(builder.BuildOutputRecords(list, built, data), result);
        return built;
    }
    CFailingBuilder builder;
};

AllFields FieldsOf(const CAssetOutputRecord& record) {
    AllFields fields;
    for (size_t i = 0; i < kOutputFieldCount; ++i) fields[i] = FieldText(record, kOutputFields[i]);
    return fields;
}

// The named fields joined by "|".
std::string Fields(const CAssetOutputRecord& record, std::initializer_list<const char*> names) {
    std::string joined;
    bool first = true;
    for (const char* name : names) {
        if (!first) joined += "|";
        first = false;
        for (const COutputFieldInfo& f : kOutputFields)
            if (std::string(f.name) == name) joined += FieldText(record, f);
    }
    return joined;
}

hostsim::Asset Method8(std::int64_t openingBook) {
    hostsim::Asset a;
    a.kind = 1;
    a.name = "営業用車両";
    a.quantity = "1台";
    a.acquisitionDate = 20220415;
    a.acquisitionCost = Yen(1000000);
    a.openingBookValue = Yen(openingBook);
    a.method = 8;
    a.usefulLife = 10;
    a.rate = 200;
    a.businessUseRatio = 10000;
    a.monthsDepreciated = 12;
    a.depreciationBase = Yen(1000000);
    a.yearEndBalance = Yen(240000);
    a.category = 1;
    a.revisedAcquisitionCost = Yen(280000);
    a.year = {Yen(60000), Yen(100), 235000, Yen(54000)};
    return a;
}

hostsim::Asset Small(std::int64_t cost, std::int16_t ratio, std::int32_t acquired) {
    hostsim::Asset a = Method8(0);
    a.method = 7;
    a.acquisitionCost = Yen(cost);
    a.businessUseRatio = ratio;
    a.acquisitionDate = acquired;
    a.remarks = "host remark";
    return a;
}

TEST_F(OutputRecordBuilder, SmallAmountAssetsFoldIntoOneCollectiveRecordLast) {
    hostsim::Asset ordinary = Method8(300000);
    ordinary.name = "x";
    const COutputRecordList records = Build({Small(100001, 5000, 20240201), ordinary, Small(3, 10000, 20240301)});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Fields(*records[0], {"SISANMEI"}), "x");
    const AllFields collective = {"少額減価償却資産", "", "", "令和", "06", "", "50004", "", "", "", "6", "少額", "", "",
                                  "", "", "", "", "", "", "", "", "50004", "", "措法28の2", "(明細は別途保管)"};
    EXPECT_EQ(FieldsOf(*records[1]), collective);
}

TEST_F(OutputRecordBuilder, AnOverflowEmptiesOnlyItsField) {
    hostsim::Asset wide = Method8(300000);
    wide.year.additionalDepreciation1 = wide.year.additionalDepreciation2 = 600000000000000000;
    hostsim::Asset huge = Small(0, 10000, 20240301);
    huge.acquisitionCost = std::numeric_limits<std::int64_t>::max();
    const COutputRecordList records =
        Build({wide, Method8(300000), Small(3, 10000, 20240201), Small(1, 3000, 20240201), huge});
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(Fields(*records[0], {"FUTUUSYOUKYAKUHI", "WARIMASISYOUKYAKUHI"}), "60000|");
    EXPECT_EQ(Fields(*records[1], {"FUTUUSYOUKYAKUHI", "WARIMASISYOUKYAKUHI"}), "60000|124");
    // 3 + 0.3 rounded up; the overflowing share leaves the running totals as they were.
    EXPECT_EQ(Fields(*records[2], {"SYUTOKUKINGAKU", "HITUYOUKEIHISANNYUUGAKU"}), "4|4");
}

TEST_F(OutputRecordBuilder, BusinessUseRatioPrintsAsOneDecimalOfItsDouble) {
    // Doubles just below a half round down, exact halves go to the even digit, as "%.1f" prints them.
    const struct { std::int16_t ratio; const char* text; } cases[] = {
        {10000, "100.0"}, {5000, "50.0"}, {1235, "12.3"}, {1245, "12.4"}, {15, "0.1"}, {25, "0.2"},
        {75, "0.8"}, {3325, "33.2"}, {3375, "33.8"}, {0, "0.0"}, {-4, "-0.0"}, {-1250, "-12.5"}};
    for (const auto& c : cases) {
        hostsim::Asset asset = Method8(300000);
        asset.businessUseRatio = c.ratio;
        const COutputRecordList records = Build({asset});
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(Fields(*records[0], {"JIGYOUSENYUWARIAI"}), c.text) << c.ratio;
    }
}

TEST_F(OutputRecordBuilder, ACollectiveTotalThatOutgrowsItsFieldNeverRestartsFromZero) {
    // 600,000,000,000 twice needs 13 characters: the total no longer fits, and the small asset after
    // it must not be taken for the whole sum.
    const COutputRecordList records = Build({Small(600000000000, 10000, 20240201),
                                             Small(600000000000, 10000, 20240201), Small(5, 10000, 20240201)});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(Fields(*records[0], {"SYUTOKUKINGAKU", "HITUYOUKEIHISANNYUUGAKU"}), "|");
}

TEST_F(OutputRecordBuilder, FailedPeriodCountsAsPeriodZero) {
    // Disposed before the period start with no opening book value: no base, unless the period is unknown.
    CAssetList list;
    list.push_back(std::make_unique<CAssetSnapshot>());
    StKOTEISHISANINFO& a = list[0]->asset;
    a.method = 8;
    a.acquisitionCost = Yen(1000000);
    a.rate = 200;
    a.disposalStatus = 4;
    a.disposalDate = 20231231;
    for (const bool periodFails : {false, true}) {
        hostsim::Installation inst = enginetest::MakeInstallation();
        inst.faults.noAccPeriod = periodFails;
        hostsim::UseInstallation(inst);
        COutputRecordList records;
        ASSERT_EQ(builder.BuildOutputRecords(list, records, enginetest::SelectedData()), 1);
        EXPECT_EQ(Fields(*records[0], {"CHOUSEIMAESYOUKYAKUGAKU"}), periodFails ? "200000" : "0");
        EXPECT_EQ(hostsim::LastError().status, periodFails ? -1004 : 0);
        EXPECT_EQ(hostsim::LivePeriodObjects(), 0);
    }
}

TEST_F(OutputRecordBuilder, NoMemoryForARecordEmptiesTheList) {
    EXPECT_TRUE(Build({Method8(300000), Method8(400000)}, 1, 0).empty());
    EXPECT_TRUE(Build({Method8(300000), Small(3, 10000, 20240201)}, 1, 0).empty());   // the collective one
    EXPECT_TRUE(Build({}).empty());
}

}  // namespace
