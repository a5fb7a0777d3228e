#pragma once
// The derived columns of the depreciation schedule: guarantee amount, depreciation before adjustment,
// depreciation base, revised acquisition cost and the two remark lines.
#include <cstdint>

#include "aggregation/AssetOutputRecord.h"
#include "aggregation/AssetSnapshot.h"
#include "aggregation/FixedDecimal.h"
#include "host/HostRecords.h"

class CHostDates;

bool IsSmallAmountAsset(const StKOTEISHISANINFO& asset);
bool IsDecliningBalanceWithGuarantee(const StKOTEISHISANINFO& asset);   // method code 5 or 8
// Equal-depreciation flag set and opening book value above 1 yen.
bool InEqualDepreciationPhase(const StKOTEISHISANINFO& asset);

// The derivations raise CDecimalOverflow when a value cannot be held. `roundingMode` is the data
// file's rounding byte; a value outside 0..2 leaves the amount unrounded.

// Acquisition cost less cost reduction.
CFixedDecimal CostBasis(const StKOTEISHISANINFO& asset);
// Guarantee amount G of a method 5 or 8 asset, whole yen. 0 for a useful life outside 1..101.
CFixedDecimal GuaranteeAmount(const StKOTEISHISANINFO& asset, int roundingMode);
// Depreciation before adjustment P of a method 5 or 8 asset, whole yen. `periodStart` is 0 when
// the period is unknown.
CFixedDecimal DepreciationBeforeAdjustment(const StKOTEISHISANINFO& asset, int roundingMode,
                                           std::int32_t periodStart);
// The residual amount depreciated equally by an asset in the equal-depreciation phase.
CFixedDecimal EqualDepreciationAmount(const StKOTEISHISANINFO& asset);

// Field steps of the record builder. When P is needed the period comes from `dates` (the builder's
// lookups for the whole run), or, without it, from the host for this step alone.
// A field whose value cannot be computed (overflow) is left empty.
void WriteGuaranteeAmount(const CAssetSnapshot& snapshot, CAssetOutputRecord& record, const StDATAINFO& data);
void WriteDepreciationBase(const CAssetSnapshot& snapshot, CAssetOutputRecord& record, const StDATAINFO& data,
                           CHostDates* dates = nullptr);
void WriteRevisedAcquisitionCost(const CAssetSnapshot& snapshot, CAssetOutputRecord& record,
                                 const StDATAINFO& data, CHostDates* dates = nullptr);
void WriteDepreciationBeforeAdjustment(const CAssetSnapshot& snapshot, CAssetOutputRecord& record,
                                       const StDATAINFO& data, CHostDates* dates = nullptr);
void WriteRemarks(const CAssetSnapshot& snapshot, CAssetOutputRecord& record, const StDATAINFO& data,
                  CHostDates* dates = nullptr);
