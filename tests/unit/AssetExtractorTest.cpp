#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

#include "aggregation/AssetExtractor.h"
#include "support/EngineHost.h"

namespace {
using enginetest::LogHas;

class AssetExtractor : public enginetest::HostTest {};

hostsim::Asset MakeAsset(const std::string& name, std::int16_t category = 1) {
    hostsim::Asset a;
    a.kind = 1;
    a.name = name;
    a.method = 1;
    a.acquisitionDate = 20200401;
    a.category = category;
    a.year.includedInExpenses = 100000 * 10000LL;
    return a;
}

std::string KeptNames(const CAssetList& assets, const char* separator = ",") {
    std::string names;
    for (const auto& s : assets) names += (names.empty() ? "" : separator) + std::string(s->asset.name);
    return names;
}

void ExpectRuleGone() {
    EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
    EXPECT_FALSE(LogHas("ClRuleGenkashokyaku::~ClRuleGenkashokyaku (cursor open)"));
}

class CFailingExtractor : public CAssetExtractor {
public:
    int snapshotsLeft = 1 << 30;
    int recordsLeft = 1 << 30;
protected:
    CAssetSnapshot* NewSnapshot() override { return snapshotsLeft-- > 0 ? CAssetExtractor::NewSnapshot() : nullptr; }
    CAssetOutputRecord* NewOutputRecord() override {
        return recordsLeft-- > 0 ? CAssetExtractor::NewOutputRecord() : nullptr;
    }
};

TEST_F(AssetExtractor, FailuresEmptyTheListAndAlwaysDestroyTheRule) {
    const struct {
        const char* what;
        std::function<void(hostsim::Installation&)> apply;
        int snapshots;
        int result;
        const char* kept;
    } cases[] = {
        {"all read", [](auto&) {}, 9, 1, "a,b,c"},
        {"no assets", [](auto& i) { i.dataFiles[0].assets.clear(); }, 9, 1, ""},
        {"MoveReady no data", [](auto& i) { i.faults.moveReady = kHostNoData; }, 9, 1, ""},
        {"MoveReady fails", [](auto& i) { i.faults.moveReady = 7; }, 9, 0, ""},
        {"GetCount no data", [](auto& i) { i.faults.getCount = kHostNoData; }, 9, 1, ""},
        {"GetCount fails", [](auto& i) { i.faults.getCount = 7; }, 9, 0, ""},
        {"Move fails on the last", [](auto& i) { i.faults.move = hostsim::MoveFault{2, 7}; }, 9, 0, ""},
        {"Move ends early", [](auto& i) { i.faults.move = hostsim::MoveFault{1, kHostNoData}; }, 9, 1, "a"},
        {"rule not created", [](auto& i) { i.faults.ruleAlloc = true; }, 9, 0, ""},
        {"no memory for a snapshot", [](auto&) {}, 1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hostsim::Installation inst = enginetest::MakeInstallation({MakeAsset("a"), MakeAsset("b"), MakeAsset("c")});
        c.apply(inst);
        hostsim::UseInstallation(inst);
        CAssetList list;
        list.push_back(std::make_unique<CAssetSnapshot>());   // a previous run's asset
        CFailingExtractor extractor;
        extractor.snapshotsLeft = c.snapshots;
        EXPECT_EQ(extractor.Extract(list, enginetest::SelectedData(), AllCategories), c.result);
        EXPECT_EQ(KeptNames(list), c.kept);
        ExpectRuleGone();
        EXPECT_EQ(LogHas("ClRuleGenkashokyaku::MoveReady"), !inst.faults.ruleAlloc);
    }
}

TEST_F(AssetExtractor, DestructorFinishesAnOpenCursorAndDestroysTheRule) {
    hostsim::UseInstallation(enginetest::MakeInstallation({MakeAsset("a"), MakeAsset("b")}));
    {
        CAssetExtractor extractor;
        ASSERT_EQ(extractor.OpenRule(enginetest::SelectedData().dataId), 1);
        std::int32_t count = -1;
        ASSERT_EQ(extractor.PrepareCursor(count), 0);
        EXPECT_EQ(count, 2);
        EXPECT_EQ(hostsim::OpenCursorCount(), 1);
    }
    ExpectRuleGone();
}

// No memory for the second record, an asset's or the small-amount assets' collective one: no list at all.
TEST_F(AssetExtractor, NoMemoryForARecordEmptiesTheList) {
    hostsim::Asset small = MakeAsset("small");
    small.method = 7;
    small.acquisitionDate = 20240201;
    small.acquisitionCost = 3 * 10000;
    for (const hostsim::Asset& second : {MakeAsset("b"), small}) {
        hostsim::UseInstallation(enginetest::MakeInstallation({MakeAsset("a"), second}));
        const StDATAINFO data = enginetest::SelectedData();
        CFailingExtractor extractor;
        CAssetList list;
        ASSERT_EQ(extractor.Extract(list, data, AllCategories), 1);
        ASSERT_EQ(list.size(), 2u);
        COutputRecordList built;
        built.push_back(std::make_unique<CAssetOutputRecord>());   // a previous run's record
        extractor.recordsLeft = 1;
        EXPECT_EQ(extractor.BuildOutputRecords(list, built, data), 0) << second.name;
        EXPECT_TRUE(built.empty()) << second.name;
    }
}

}  // namespace
