#pragma once
#include <memory>
#include <vector>

#include "host/HostRecords.h"

// A private copy of one asset as the cursor delivered it (the per-month record is not kept).
struct AssetSnapshot {
    StKOTEISHISANINFO asset;
    StKOTEINENINFO year;
};

using CAssetList = std::vector<std::unique_ptr<AssetSnapshot>>;
