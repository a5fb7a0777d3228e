#pragma once
// Turns the kept assets into the records of the report, deriving every field from the host's asset
// record and the era and period lookups.
#include "aggregation/AssetOutputRecord.h"
#include "aggregation/AssetSnapshot.h"
#include "host/HostRecords.h"

class COutputRecordBuilder {
public:
    COutputRecordBuilder() = default;
    COutputRecordBuilder(const COutputRecordBuilder&) = delete;
    COutputRecordBuilder& operator=(const COutputRecordBuilder&) = delete;
    virtual ~COutputRecordBuilder() = default;

    // Empties `records`, then appends one record per asset that is not a small-amount asset, in list
    // order, and one collective record of all small-amount assets last. False: no memory, no records.
    bool Build(const CAssetList& assets, COutputRecordList& records, const StDATAINFO& data);

protected:
    // A zero-filled record; null when there is no memory.
    virtual AssetOutputRecord* NewOutputRecord();
};
