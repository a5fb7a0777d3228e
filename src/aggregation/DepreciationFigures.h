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
// Equal-depreciation flag set and opening book value above 1 yen.
bool InEqualDepreciationPhase(const StKOTEISHISANINFO& asset);

// Field steps of the record builder. When P is needed the period comes from `dates` (the builder's
// lookups for the whole run), or, without it, from the host for this step alone.
// A field whose value cannot be computed (overflow) is left empty.
void WriteGuaranteeAmount(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data);
void WriteDepreciationBase(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                           CHostDates* dates = nullptr);
void WriteRevisedAcquisitionCost(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                                 CHostDates* dates = nullptr);
void WriteDepreciationBeforeAdjustment(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                                       CHostDates* dates = nullptr);
void WriteRemarks(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data,
                  CHostDates* dates = nullptr);
