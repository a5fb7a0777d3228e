#include "aggregation/AssetExtractor.h"

#include <new>
#include <utility>

#include "aggregation/DepreciationFigures.h"
#include "aggregation/FixedDecimal.h"
#include "host/HostClasses.h"

namespace {
constexpr std::int64_t kMaxIncludedInExpenses = 999999999990000;  // 99,999,999,999 yen

bool InChosenCategories(std::int16_t assetCategory, OutputCategory chosen) {
    switch (chosen) {
    case GeneralOnly: return assetCategory == kCategoryGeneral;
    case RealEstateOnly: return assetCategory == kCategoryRealEstate;
    case GeneralAndRealEstate: return assetCategory != kCategoryAgriculture;
    case AgricultureOnly: return assetCategory == kCategoryAgriculture;
    case GeneralAndAgriculture: return assetCategory != kCategoryRealEstate;
    case RealEstateAndAgriculture: return assetCategory != kCategoryGeneral;
    default: return true;
    }
}

// The tests run in this order; the first that fails skips the asset.
bool BelongsInSchedule(const StKOTEISHISANINFO& asset, const StKOTEINENINFO& year, const StDATAINFO& data,
                       OutputCategory chosen) {
    const CFixedDecimal included = CFixedDecimal::FromCurrency(year.includedInExpenses);
    if (CFixedDecimal::IsLess(included, CFixedDecimal()) ||
        CFixedDecimal::IsGreater(included, CFixedDecimal::FromCurrency(kMaxIncludedInExpenses)))
        return false;
    // A data file that keeps a single category outputs all its assets.
    if (data.businessKind != 1 && data.businessKind != 2 && !InChosenCategories(asset.category, chosen)) return false;
    if (asset.kind == kAssetKindNeverOutput) return false;
    if (IsDisposedStatus(asset.disposalStatus) && asset.disposalDate < data.periodFrom) return false;
    if (IsSmallAmountAsset(asset) && asset.acquisitionDate < data.periodFrom) return false;
    return true;
}
}  // namespace

CAssetExtractor::~CAssetExtractor() { CloseRule(); }

AssetSnapshot* CAssetExtractor::NewSnapshot() { return new (std::nothrow) AssetSnapshot(); }

bool CAssetExtractor::OpenRule(const char* dataId) {
    if (m_rule == nullptr) {
        m_rule = new (std::nothrow) ClRuleGenkashokyaku;
        if (m_rule == nullptr) return false;
    }
    m_rule->AttachSetMgr(ClDataMgr::Inst()->GetSetMgr());
    m_rule->SetCurDataID(dataId);
    m_rule->AttachOptLink(ClLinkMgr::Inst()->GetOptLink());
    return true;
}

void CAssetExtractor::FinishCursor() {
    if (m_rule) m_rule->MoveFinish();
}

void CAssetExtractor::CloseRule() {
    if (m_rule == nullptr) return;
    FinishCursor();
    delete m_rule;
    m_rule = nullptr;
}

bool CAssetExtractor::PrepareCursor(std::int32_t& count) {
    FinishCursor();
    if (m_rule == nullptr) return false;
    HostStatus status = m_rule->MoveReady(nullptr, 0, 0);
    if (status == 0) {
        status = m_rule->GetCount(&count);
        if (status != 0) FinishCursor();
    }
    if (status == kHostNoData) count = 0;
    return status == 0 || status == kHostNoData;
}

bool CAssetExtractor::Extract(CAssetList& assets, const StDATAINFO& data, OutputCategory category) {
    assets.clear();
    if (!OpenRule(data.dataId)) return false;

    std::int32_t count = 0;
    if (!PrepareCursor(count)) {
        CloseRule();
        return false;
    }

    // The index counts every asset delivered, kept or not.
    for (std::int32_t index = 0; index < count; ++index) {
        StKOTEISHISANINFO asset{};
        StKOTEINENINFO year{};
        StKOTEITSUKIINFO month{};
        const HostStatus status = m_rule->Move(index, &asset, &year, &month);
        if (status != 0) {
            CloseRule();
            if (status == kHostNoData) return true;
            assets.clear();
            return false;
        }
        if (!BelongsInSchedule(asset, year, data, category)) continue;

        std::unique_ptr<AssetSnapshot> snapshot(NewSnapshot());
        bool appended = false;
        if (snapshot) {
            snapshot->asset = asset;
            snapshot->year = year;
            try {
                assets.push_back(std::move(snapshot));
                appended = true;
            } catch (const std::bad_alloc&) {
            }
        }
        if (!appended) {
            CloseRule();
            assets.clear();
            return false;
        }
    }
    CloseRule();
    return true;
}
