#include "aggregation/DepreciationFigures.h"

#include <cstring>

#include "aggregation/CmnProcHpr.h"
#include "aggregation/GuaranteeRatioTables.h"
#include "aggregation/HostDates.h"
#include "aggregation/RecordFieldText.h"
#include "platform/ShiftJis.h"

namespace {
constexpr std::int64_t kOneYen = 10000;  // ten-thousandths
constexpr std::int32_t kEqualResidualCap = 100000;
constexpr std::size_t kRemarkLineBytes = 20;

using D = CFixedDecimal;

bool DisposedBefore(const StKOTEISHISANINFO& asset, std::int32_t date) {
    return IsDisposedStatus(asset.disposalStatus) && asset.disposalDate < date;
}

// Method code 5 or 8.
bool IsDecliningBalanceWithGuarantee(const StKOTEISHISANINFO& asset) {
    return asset.method == kMethodDecliningBalance250 || asset.method == kMethodDecliningBalance200;
}

// The derivations raise CDecimalOverflow when a value cannot be held. `roundingMode` is the data
// file's rounding byte; a value outside 0..2 leaves the amount unrounded.

// Acquisition cost less cost reduction.
D CostBasis(const StKOTEISHISANINFO& asset) {
    return D::Subtract(D::FromCurrency(asset.acquisitionCost), D::FromCurrency(asset.costReduction));
}

// Guarantee amount G of a method 5 or 8 asset, whole yen. 0 for a useful life outside 1..101.
D GuaranteeAmount(const StKOTEISHISANINFO& asset, int roundingMode) {
    if (asset.usefulLife < 1 || asset.usefulLife > kGuaranteeRatioLives) return D();
    D entry;
    LookupGuaranteeRatio(asset.method, asset.usefulLife, entry);
    D amount = D::Divide(D::Multiply(CostBasis(asset), entry), D::FromInteger(10000));
    amount.Round(roundingMode, 0);
    return amount;
}

// Depreciation before adjustment P of a method 5 or 8 asset, whole yen. `periodStart` is 0 when the
// period is unknown.
D DepreciationBeforeAdjustment(const StKOTEISHISANINFO& asset, int roundingMode, std::int32_t periodStart) {
    D base;
    if (asset.openingBookValue != 0) base = D::FromCurrency(asset.openingBookValue);
    else if (!DisposedBefore(asset, periodStart)) base = CostBasis(asset);
    if (asset.rate == 0) return D();
    D amount = D::DivideByDouble(D::MultiplyByInteger(base, asset.rate), 1000);
    amount.Round(roundingMode, 0);
    return amount;
}

// The residual amount depreciated equally by an asset in the equal-depreciation phase.
D EqualDepreciationAmount(const StKOTEISHISANINFO& asset) {
    const bool residualRule = (asset.method == kMethodStraightLine2 || asset.method == kMethodStraightLine6) &&
                              asset.kind == kAssetKindOwnResidual;
    if (!residualRule) {
        D amount = D::Multiply(CostBasis(asset), D::FromDouble(0.05));
        amount.Round(RoundDown, 1);
        return amount;
    }
    D amount;
    if (asset.residualIsAmount) {
        amount = D::FromCurrency(asset.residualValue);
    } else {
        // The residual value holds a percentage.
        D ratio = D::DivideByDouble(D::FromCurrency(asset.residualValue), 100);
        ratio.Round(RoundDown, 3);
        amount = D::Multiply(CostBasis(asset), ratio);
        amount.Round(RoundDown, 1);
    }
    const D cap = D::FromInteger(kEqualResidualCap);
    return D::IsGreater(amount, cap) ? cap : amount;
}

// A failed lookup has already been recorded with the host; the figures then use the period 0 to 0.
std::int32_t PeriodStart(CHostDates* dates) {
    if (dates) return dates->PeriodStart();
    CCmnProcHpr helper;
    std::int32_t start = 0;
    std::int32_t end = 0;
    if (!helper.GetAccountingPeriod(start, end)) return 0;
    return start;
}

// P < G, with the period asked from the host. Raises CDecimalOverflow.
bool BeforeAdjustmentBelowGuarantee(const StKOTEISHISANINFO& asset, int roundingMode, CHostDates* dates) {
    const D guarantee = GuaranteeAmount(asset, roundingMode);
    const D before = DepreciationBeforeAdjustment(asset, roundingMode, PeriodStart(dates));
    return D::IsLess(before, guarantee);
}

// Upper line up to 20 bytes, ending before a double-byte character that would straddle byte 20; the
// rest into the lower line, cut to its 20 bytes at a character boundary.
void SplitRemarks(const char* text, std::size_t length, AssetOutputRecord& record) {
    const std::size_t cut = sjis::CutLength(text, length, kRemarkLineBytes);
    std::memcpy(record.TEKIYOU_JYOUDAN, text, cut);
    record.TEKIYOU_JYOUDAN[cut] = '\0';
    sjis::CopyCut(record.TEKIYOU_GEDAN, sizeof record.TEKIYOU_GEDAN, text + cut, length - cut);
}
}  // namespace

bool IsSmallAmountAsset(const StKOTEISHISANINFO& asset) { return asset.method == kMethodSmallAmount; }

bool InEqualDepreciationPhase(const StKOTEISHISANINFO& asset) {
    return asset.equalDepreciation != 0 && asset.openingBookValue > kOneYen;
}

void WriteGuaranteeAmount(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data) {
    if (!IsDecliningBalanceWithGuarantee(snapshot.asset)) return;
    try {
        SetFieldYen(record.SYOUKYAKUHOSYOUGAKU, GuaranteeAmount(snapshot.asset, data.roundingMode));
    } catch (const CDecimalOverflow&) {
        ClearField(record.SYOUKYAKUHOSYOUGAKU);
    }
}

void WriteDepreciationBase(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                           CHostDates* dates) {
    const StKOTEISHISANINFO& asset = snapshot.asset;
    if (IsSmallAmountAsset(asset)) return;
    try {
        if (InEqualDepreciationPhase(asset)) {
            SetFieldYen(record.SYOUKYAKUKISOKINGAKU, EqualDepreciationAmount(asset));
        } else if (IsDecliningBalanceWithGuarantee(asset) &&
                   BeforeAdjustmentBelowGuarantee(asset, data.roundingMode, dates) &&
                   asset.openingBookValue > kOneYen) {
            SetFieldYen(record.SYOUKYAKUKISOKINGAKU, asset.revisedAcquisitionCost);
        } else {
            SetFieldYen(record.SYOUKYAKUKISOKINGAKU, asset.depreciationBase);
        }
    } catch (const CDecimalOverflow&) {
        ClearField(record.SYOUKYAKUKISOKINGAKU);
    }
}

void WriteRevisedAcquisitionCost(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                                 CHostDates* dates) {
    if (!IsDecliningBalanceWithGuarantee(snapshot.asset)) return;
    try {
        if (BeforeAdjustmentBelowGuarantee(snapshot.asset, data.roundingMode, dates))
            SetFieldYen(record.KAITEISYUTOKUKAGAKU, snapshot.asset.revisedAcquisitionCost);
    } catch (const CDecimalOverflow&) {
        ClearField(record.KAITEISYUTOKUKAGAKU);
    }
}

void WriteDepreciationBeforeAdjustment(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                                       CHostDates* dates) {
    if (!IsDecliningBalanceWithGuarantee(snapshot.asset)) return;
    try {
        SetFieldYen(record.CHOUSEIMAESYOUKYAKUGAKU,
                    DepreciationBeforeAdjustment(snapshot.asset, data.roundingMode, PeriodStart(dates)));
    } catch (const CDecimalOverflow&) {
        ClearField(record.CHOUSEIMAESYOUKYAKUGAKU);
    }
}

void WriteRemarks(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data, CHostDates* dates) {
    const StKOTEISHISANINFO& asset = snapshot.asset;
    if (IsSmallAmountAsset(asset)) {
        SetFieldText(record.TEKIYOU_JYOUDAN, "措法28の2");
        SetFieldText(record.TEKIYOU_GEDAN, "(明細は別途保管)");
        return;
    }
    // The host's text may fill its field without a terminator.
    const std::size_t length = sjis::BoundedLength(asset.remarks, sizeof asset.remarks);
    if (length > 0) {
        SplitRemarks(asset.remarks, length, record);
        return;
    }
    if (InEqualDepreciationPhase(asset)) SetFieldText(record.TEKIYOU_JYOUDAN, "均等償却");
    if (IsDecliningBalanceWithGuarantee(asset) && asset.openingBookValue > kOneYen) {
        try {
            if (BeforeAdjustmentBelowGuarantee(asset, data.roundingMode, dates) &&
                snapshot.year.ordinaryDepreciation > 0)
                SetFieldText(record.TEKIYOU_JYOUDAN, "改定償却");
        } catch (const CDecimalOverflow&) {
            ClearField(record.TEKIYOU_JYOUDAN);
        }
    }
}
