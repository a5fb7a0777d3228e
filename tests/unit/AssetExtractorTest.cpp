#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "aggregation/AssetExtractor.h"
#include "aggregation/OutputRecordBuilder.h"
#include "host/HostClasses.h"
#include "hostsim/HostSim.h"
#include "support/MemoryPlatform.h"

namespace {
hostsim::Installation MakeInstallation(std::vector<hostsim::Asset> assets = {}) {
    hostsim::Installation inst;
    inst.user = {"U01", 1, 3};
    inst.eras = {{19890108, "平成"}, {20190501, "令和"}};
    hostsim::DataFile data;
    data.dataId = "D-0003";
    data.dataNo = 3;
    data.periodFrom = 20240101;
    data.periodTo = 20241231;
    data.businessKind = 6;
    data.roundingMode = 2;
    data.assets = std::move(assets);
    inst.dataFiles.push_back(std::move(data));
    return inst;
}

// The selected data file's record as the host delivers it.
StDATAINFO SelectedData() {
    auto* set = static_cast<ClSetData*>(ClDataMgr::Inst()->GetSetObject(kSetKindData, kSetNumberData));
    return *set->GetSelectedInfo();
}

// Installs the in-memory platform (the host shows fatal errors through it) and resets the stand-in.
class AssetExtractor : public ::testing::Test {
protected:
    void TearDown() override { hostsim::Reset(); }
    testsupport::CMemoryPlatform platform;
};

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

std::string KeptNames(const CAssetList& assets) {
    std::string names;
    for (const auto& s : assets) names += "[" + std::string(s->asset.name) + "]";
    return names;
}

void ExpectRuleGone() {
    EXPECT_EQ(hostsim::LiveRuleObjects(), 0);
    EXPECT_EQ(hostsim::OpenCursorCount(), 0);
    for (const std::string& line : hostsim::CallLog())
        EXPECT_NE(line.rfind("ClRuleGenkashokyaku::~ClRuleGenkashokyaku (cursor open)", 0), 0u) << line;
}

class CFailingExtractor : public CAssetExtractor {
public:
    int snapshotsLeft = 1 << 30;

protected:
    AssetSnapshot* NewSnapshot() override { return snapshotsLeft-- > 0 ? CAssetExtractor::NewSnapshot() : nullptr; }
};

// The first record is made; there is no memory for any after it.
class CFailingBuilder : public COutputRecordBuilder {
    int m_recordsLeft = 1;

protected:
    AssetOutputRecord* NewOutputRecord() override {
        return m_recordsLeft-- > 0 ? COutputRecordBuilder::NewOutputRecord() : nullptr;
    }
};

// A host failure or no memory for a snapshot: the list is emptied and the rule object destroyed at
// once, while the extractor still lives.
TEST_F(AssetExtractor, FailuresEmptyTheListAndDestroyTheRuleAtOnce) {
    const struct {
        const char* what;
        HostStatus moveReady;
        int moveFailsAt;  // the record whose Move fails, -1 none
        int snapshots;
        const char* kept;
    } cases[] = {{"all read", 0, -1, 9, "[a][b][c]"},
                 {"MoveReady fails", 7, -1, 9, ""},
                 {"Move fails on the last", 0, 2, 9, ""},
                 {"no memory for a snapshot", 0, -1, 1, ""}};
    for (const auto& c : cases) {
        hostsim::Installation inst = MakeInstallation({MakeAsset("a"), MakeAsset("b"), MakeAsset("c")});
        inst.faults.moveReady = c.moveReady;
        if (c.moveFailsAt >= 0) inst.faults.move = hostsim::MoveFault{c.moveFailsAt, 7};
        hostsim::UseInstallation(inst);
        CAssetList list;
        list.push_back(std::make_unique<AssetSnapshot>());  // a previous run's asset
        CFailingExtractor extractor;
        extractor.snapshotsLeft = c.snapshots;
        EXPECT_EQ(extractor.Extract(list, SelectedData(), AllCategories), *c.kept != '\0') << c.what;
        EXPECT_EQ(KeptNames(list), c.kept) << c.what;
        ExpectRuleGone();
    }
}

// No memory for the second record, an asset's or the small-amount assets' collective one: no list at all.
TEST_F(AssetExtractor, NoMemoryForARecordEmptiesTheList) {
    hostsim::Asset small = MakeAsset("small");
    small.method = 7;
    small.acquisitionDate = 20240201;
    small.acquisitionCost = 3 * 10000;
    for (const hostsim::Asset& second : {MakeAsset("b"), small}) {
        hostsim::UseInstallation(MakeInstallation({MakeAsset("a"), second}));
        const StDATAINFO data = SelectedData();
        CFailingExtractor extractor;
        CAssetList list;
        ASSERT_TRUE(extractor.Extract(list, data, AllCategories));
        ASSERT_EQ(list.size(), 2u);
        COutputRecordList built;
        built.push_back(std::make_unique<AssetOutputRecord>());  // a previous run's record
        CFailingBuilder builder;
        EXPECT_FALSE(builder.Build(list, built, data)) << second.name;
        EXPECT_TRUE(built.empty()) << second.name;
    }
}

}  // namespace
