#pragma once
// Reads the fixed assets of the selected data file through the host's cursor, keeps those that belong
// in the period's schedule and the chosen categories.
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
    // False on a host failure or without memory, `assets` then left empty; no asset kept is a success.
    bool Extract(CAssetList& assets, const StDATAINFO& data, OutputCategory category);

protected:
    // A zero-filled snapshot; null when there is no memory.
    virtual AssetSnapshot* NewSnapshot();

private:
    // Creates the rule object when none exists and attaches it to the data file.
    // False when the rule object cannot be created.
    bool OpenRule(const char* dataId);
    // Opens the cursor and reads the number of assets; when the host has no data, `count` is 0. False
    // on any other host failure. A failing GetCount finishes the cursor.
    bool PrepareCursor(std::int32_t& count);
    // Finishes the cursor, if there is a rule object.
    void FinishCursor();
    // Finishes the cursor and destroys the rule object; nothing when there is none.
    void CloseRule();

    ClRuleGenkashokyaku* m_rule = nullptr;
};
