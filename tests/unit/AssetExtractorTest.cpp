#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

#include "aggregation/AssetExtractor.h"
#include "support/EngineHost.h"

namespace {
using enginetest::CountLogLines;
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

// Every index from 0 to count - 1 was requested exactly once, and nothing else.
void ExpectEveryIndexOnce(int count) {
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(CountLogLines("ClRuleGenkashokyaku::Move index=" + std::to_string(i) + " -> 0"), 1) << i;
    int moves = 0;
    for (const std::string& line : hostsim::CallLog()) moves += line.rfind("ClRuleGenkashokyaku::Move ", 0) == 0;
    EXPECT_EQ(moves, count);
}

void ExpectRuleGone() {
    EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
    EXPECT_FALSE(LogHas("ClRuleGenkashokyaku::~ClRuleGenkashokyaku (cursor open)"));
}

TEST_F(AssetExtractor, FiltersInOrderAndReadsEveryIndexOnce) {
    const struct { const char* name; std::function<void(hostsim::Asset&)> change; bool kept; } cases[] = {
        {"plain", [](auto&) {}, true},
        {"expenses at limit", [](auto& a) { a.year.includedInExpenses = 999999999990000; }, true},
        {"expenses over limit", [](auto& a) { a.year.includedInExpenses = 999999999990001; }, false},
        {"expenses zero", [](auto& a) { a.year.includedInExpenses = 0; }, true},
        {"expenses negative", [](auto& a) { a.year.includedInExpenses = -1; }, false},
        {"kind 11", [](auto& a) { a.kind = 11; }, false},
        {"kind 10", [](auto& a) { a.kind = 10; }, true},
        {"status 4 on start", [](auto& a) { a.disposalStatus = 4; a.disposalDate = 20240101; }, true},
        {"status 4 day before", [](auto& a) { a.disposalStatus = 4; a.disposalDate = 20231231; }, false},
        {"status 5 day before", [](auto& a) { a.disposalStatus = 5; a.disposalDate = 20231231; }, false},
        {"status 3 day before", [](auto& a) { a.disposalStatus = 3; a.disposalDate = 20231231; }, true},
        {"small on start", [](auto& a) { a.method = 7; a.acquisitionDate = 20240101; }, true},
        {"small day before", [](auto& a) { a.method = 7; a.acquisitionDate = 20231231; }, false},
        {"method 8 day before", [](auto& a) { a.method = 8; a.acquisitionDate = 20231231; }, true},
        {"category 3 excluded", [](auto& a) { a.category = 3; }, false},
    };
    std::vector<hostsim::Asset> assets;
    std::string expected;
    for (const auto& c : cases) {
        assets.push_back(MakeAsset(c.name));
        c.change(assets.back());
        if (c.kept) expected += (expected.empty() ? "" : ",") + std::string(c.name);
    }
    hostsim::UseInstallation(enginetest::MakeInstallation(assets));
    CAssetList list;
    EXPECT_EQ(CAssetExtractor().Extract(list, enginetest::SelectedData(), GeneralAndRealEstate), 1);
    EXPECT_EQ(KeptNames(list), expected);
    EXPECT_EQ(list[1]->year.includedInExpenses, 999999999990000);   // the per-year record is kept too
    ExpectEveryIndexOnce(static_cast<int>(std::size(cases)));
    ExpectRuleGone();
}

TEST_F(AssetExtractor, CategoriesFollowTheChoiceUnlessTheDataKeepsOne) {
    // Kept asset categories for each OutputCategory value 0..8 (0 and 8: anything).
    const char* kKept[] = {"123", "1", "2", "12", "3", "13", "23", "123", "123"};
    for (std::uint8_t businessKind : {1, 2, 3, 4, 5, 6}) {
        hostsim::Installation inst = enginetest::MakeInstallation({MakeAsset("1", 1), MakeAsset("2", 2), MakeAsset("3", 3)});
        inst.dataFiles[0].businessKind = businessKind;
        hostsim::UseInstallation(inst);
        const StDATAINFO data = enginetest::SelectedData();
        for (std::int16_t choice = 0; choice <= 8; ++choice) {
            CAssetList list;
            ASSERT_EQ(CAssetExtractor().Extract(list, data, static_cast<OutputCategory>(choice)), 1);
            EXPECT_EQ(KeptNames(list, ""), businessKind <= 2 ? "123" : kKept[choice])
                << "business kind " << int(businessKind) << " choice " << choice;
        }
    }
}

class CFailingExtractor : public CAssetExtractor {
public:
    int snapshotsLeft = 1 << 30;
protected:
    CAssetSnapshot* NewSnapshot() override { return snapshotsLeft-- > 0 ? CAssetExtractor::NewSnapshot() : nullptr; }
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

}  // namespace
