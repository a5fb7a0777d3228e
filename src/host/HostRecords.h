#pragma once
// Records of the accounting product's libraries, as the system reads them. Texts are NUL-terminated
// code page 932 bytes unless a field says otherwise; money is a signed count of ten-thousandths of a yen;
// dates are yyyymmdd.
#include <cstdint>

using HostStatus = std::int32_t;  // 0 success; the fixed-asset cursor's 5000 is "no further data"
using HostCursor = std::int32_t;  // cursor handle of a set object
using HostMoney = std::int64_t;

constexpr HostStatus kHostNoData = 5000;

// The function identifier when the host hands none over; written to the report and posted back.
constexpr std::int16_t kDefaultFunctionId = 2;

#pragma pack(push, 1)
// One accounting data file. Copied whole; the system zero-fills it before every read.
struct StDATAINFO {
    char dataId[16];  // opaque, not a text
    std::int32_t dataNo;
    char businessName[256];
    std::int32_t periodFrom;
    std::int32_t periodTo;
    std::int32_t hasManufacturingCost;
    std::int16_t dataKind;      // 99: past-results data
    std::uint8_t businessKind;  // 1..6
    std::uint8_t roundingMode;  // 0 half up, 1 up, 2 down
    char hostReserved[1214];
};
#pragma pack(pop)
static_assert(sizeof(StDATAINFO) == 1506, "the host's data-file record is 1506 bytes");

// GENGO: one Japanese era.
struct StGENGOINFO {
    std::int32_t hostWord;  // carried, never read
    std::int32_t startDate;
    char name[16];
};
static_assert(sizeof(StGENGOINFO) == 24, "the host's era record is 24 bytes");

// StKOTEISHISANINFO::kind, the asset kind: the two kinds the system treats apart.
constexpr std::int32_t kAssetKindOwnResidual = 10;  // method 2 or 6: equal depreciation of its own residual value
constexpr std::int32_t kAssetKindNeverOutput = 11;  // never in the depreciation schedule

// StKOTEISHISANINFO::disposalStatus: the host marks a disposed asset with either of two codes, which the
// system treats alike; any other value is an asset still held.
constexpr std::int16_t kDisposalStatusDisposed = 4;
constexpr std::int16_t kDisposalStatusDisposedToo = 5;
constexpr bool IsDisposedStatus(std::int16_t status) {
    return status == kDisposalStatusDisposed || status == kDisposalStatusDisposedToo;
}

// StKOTEISHISANINFO::method, the depreciation method code 1..8. The filing application files 1 with the
// declining-balance methods 5 and 8 and 2 with 6 (straight line); 3 has no rule of its own here.
enum : std::int16_t {
    kMethodDecliningBalance = 1,  // without a guarantee amount
    kMethodStraightLine2 = 2,
    kMethodCode3 = 3,
    kMethodOneThirdAYear = 4,        // rate printed as 1/3
    kMethodDecliningBalance250 = 5,  // 250 %, with a guarantee amount
    kMethodStraightLine6 = 6,
    kMethodSmallAmount = 7,          // small-amount asset: one collective record a year
    kMethodDecliningBalance200 = 8,  // 200 %, with a guarantee amount
};

// StKOTEISHISANINFO::category, the asset category.
enum : std::int16_t { kCategoryGeneral = 1, kCategoryRealEstate = 2, kCategoryAgriculture = 3 };

// KOTEISHISAN: fixed asset. One asset as the host's cursor delivers it.
struct StKOTEISHISANINFO {
    std::int32_t kind;                 // asset kind (kAssetKind...)
    char name[193];                    // asset name
    char quantity[9];                  // number and unit, e.g. "1台"
    char remarks[81];                  // the user's remarks
    std::int16_t disposalStatus;       // disposed or held (IsDisposedStatus)
    std::int32_t acquisitionDate;      // date acquired, yyyymmdd
    HostMoney acquisitionCost;         // cost of acquisition
    HostMoney costReduction;           // reduction entry that lowers the cost
    HostMoney openingBookValue;        // book value at the start of the year
    std::int16_t method;               // depreciation method code (kMethod...)
    std::int16_t usefulLife;           // useful life, years
    std::int32_t rate;                 // depreciation rate, thousandths
    std::uint8_t residualIsAmount;     // set: residualValue is an amount; clear: a percentage
    HostMoney residualValue;           // residual value, an amount or a percentage
    std::int16_t businessUseRatio;     // share used for the business, hundredths of a percent
    std::int16_t monthsDepreciated;    // months depreciated in the year
    HostMoney depreciationBase;        // base the year's depreciation is computed on
    HostMoney yearEndBalance;          // undepreciated balance at the end of the year
    std::int32_t disposalDate;         // date disposed, yyyymmdd
    std::int16_t category;             // asset category (kCategory...)
    std::uint8_t equalDepreciation;    // set: the residual amount is depreciated in equal parts
    HostMoney revisedAcquisitionCost;  // cost the declining balance goes on from below the guarantee amount
};

// KOTEINEN: fixed asset, year. Depreciation of one asset for the year.
struct StKOTEINENINFO {
    HostMoney ordinaryDepreciation;
    HostMoney additionalDepreciation1;
    HostMoney additionalDepreciation2;
    HostMoney includedInExpenses;
};

// KOTEITSUKI: fixed asset, month. Filled by the cursor, never read.
struct StKOTEITSUKIINFO {
    HostMoney monthly[12];
};

// Search conditions of the cursor; the system always passes none.
struct StFINDINFO {
    std::int32_t reserved[8];
};
