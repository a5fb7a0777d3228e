#pragma once
// Reads the fixed assets of the selected data file through the host's cursor, keeps those that belong
// in the period's schedule and the chosen categories, and turns them into output records.
#include <cstdint>

#include "aggregation/AssetOutputRecord.h"
#include "aggregation/AssetSnapshot.h"
#include "aggregation/OutputCategory.h"
#include "host/HostRecords.h"

class ClRuleGenkashokyaku;

class CAssetExtractor {
public:
    CAssetExtractor() = default;
    CAssetExtractor(const CAssetExtractor&) = delete;
    CAssetExtractor& operator=(const CAssetExtractor&) = delete;
    virtual ~CAssetExtractor();

    // Empties `assets`, then appends a snapshot of every kept asset in the host's order.
    // 1: success (also with no asset kept); 0: host failure or no memory, `assets` left empty.
    int Extract(CAssetList& assets, const StDATAINFO& data, OutputCategory category);

    // Empties `records`, then appends one record per asset that is not a small-amount asset, in list
    // order, and one collective record of all small-amount assets last. 0: no memory.
    int BuildOutputRecords(const CAssetList& assets, COutputRecordList& records, const StDATAINFO& data);

protected:
    // Zero-filled allocations; null when there is no memory.
    virtual CAssetSnapshot* NewSnapshot();
    virtual CAssetOutputRecord* NewOutputRecord();

private:
    // Creates the rule object when none exists and attaches it to the data file.
    // 0 when the rule object cannot be created.
    int OpenRule(const char* dataId);
    // Opens the cursor and reads the number of assets. Returns the host status (0 ready); on a
    // failing MoveReady `count` is left as it was, on a failing GetCount the cursor is finished.
    HostStatus PrepareCursor(std::int32_t& count);
    // Status of MoveFinish; 0 when no rule object exists.
    HostStatus FinishCursor();
    // Finishes the cursor and destroys the rule object; nothing when there is none.
    void CloseRule();

    ClRuleGenkashokyaku* m_rule = nullptr;
};
