#pragma once
// Records of the accounting product's libraries, as the system reads them. Texts are NUL-terminated
// code page 932 bytes unless a field says otherwise; money is a signed count of ten-thousandths of a yen;
// dates are yyyymmdd.
#include <cstdint>

using HostStatus = std::int32_t;   // 0 success; the fixed-asset cursor's 5000 is "no further data"
using HostCursor = std::int32_t;   // cursor handle of a set object
using HostMoney = std::int64_t;

constexpr HostStatus kHostNoData = 5000;

#pragma pack(push, 1)
// One accounting data file. Copied whole; the system zero-fills it before every read.
struct StDATAINFO {
    char dataId[16];              // opaque, not a text
    std::int32_t dataNo;
    char businessName[256];
    std::int32_t periodFrom;
    std::int32_t periodTo;
    std::int32_t hasManufacturingCost;
    std::int16_t dataKind;        // 99: past-results data
    std::uint8_t businessKind;    // 1..6
    std::uint8_t roundingMode;    // 0 half up, 1 up, 2 down
    char hostReserved[1214];
};
#pragma pack(pop)
static_assert(sizeof(StDATAINFO) == 1506, "the host's data-file record is 1506 bytes");

// One Japanese era.
struct StGENGOINFO {
    std::int32_t hostWord;        // carried, never read
    std::int32_t startDate;
    char name[16];
};
static_assert(sizeof(StGENGOINFO) == 24, "the host's era record is 24 bytes");

// One fixed asset.
struct StKOTEISHISANINFO {
    std::int32_t kind;                 // 10 and 11 have special handling
    char name[193];
    char quantity[9];                  // number and unit, e.g. "1台"
    char remarks[81];
    std::int16_t disposalStatus;       // 4 and 5: disposed
    std::int32_t acquisitionDate;
    HostMoney acquisitionCost;
    HostMoney costReduction;
    HostMoney openingBookValue;
    std::int16_t method;               // depreciation method code 1..8
    std::int16_t usefulLife;           // years
    std::int32_t rate;                 // thousandths
    std::uint8_t residualIsAmount;     // clear: residualValue is a percentage
    HostMoney residualValue;
    std::int16_t businessUseRatio;     // hundredths of a percent
    std::int16_t monthsDepreciated;
    HostMoney depreciationBase;
    HostMoney yearEndBalance;
    std::int32_t disposalDate;
    std::int16_t category;             // 1 general, 2 real estate, 3 agriculture
    std::uint8_t equalDepreciation;
    HostMoney revisedAcquisitionCost;
};

// Depreciation of one asset for the year.
struct StKOTEINENINFO {
    HostMoney ordinaryDepreciation;
    HostMoney additionalDepreciation1;
    HostMoney additionalDepreciation2;
    HostMoney includedInExpenses;
};

// Filled by the cursor, never read.
struct StKOTEITSUKIINFO {
    HostMoney monthly[12];
};

// Search conditions of the cursor; the system always passes none.
struct StFINDINFO {
    std::int32_t reserved[8];
};
