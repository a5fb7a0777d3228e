#include "aggregation/OutputRecordBuilder.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "aggregation/DepreciationFigures.h"
#include "aggregation/GuaranteeRatioTables.h"
#include "aggregation/HostDates.h"
#include "aggregation/RecordFieldText.h"
#include "platform/ShiftJis.h"

namespace {
using D = CFixedDecimal;

constexpr std::size_t kUnitBytes = 4;
constexpr std::int32_t kTransitionalFrom = 20120401;
constexpr std::int32_t kTransitionalTo = 20121231;

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

void WriteName(const StKOTEISHISANINFO& asset, bool small, AssetOutputRecord& record) {
    if (small) {
        SetFieldText(record.SISANMEI, "少額減価償却資産");
        return;
    }
    // The host's text may fill its field without a terminator or end in a lone lead byte.
    sjis::CopyCut(record.SISANMEI, sizeof record.SISANMEI, asset.name,
                  sjis::BoundedLength(asset.name, sizeof asset.name));
}

// "1,000個": number 1000.00, unit 個. The unit is the trailing non-digits, at most 4 bytes, never
// starting in the middle of a double-byte character.
void WriteQuantity(const StKOTEISHISANINFO& asset, AssetOutputRecord& record) {
    const char* text = asset.quantity;
    const std::size_t length = sjis::BoundedLength(text, sizeof asset.quantity);
    std::size_t split = length;
    while (split > 0 && length - split < kUnitBytes && !IsAsciiDigit(text[split - 1])) --split;
    if (split < length && sjis::IsInsideDoubleByte(text, length, split) && !sjis::StartsDoubleByte(text, length, split))
        ++split;
    if (split < length) sjis::CopyCut(record.SUURYOTANI, sizeof record.SUURYOTANI, text + split, length - split);

    if (split == 0) {
        SetFieldText(record.SUURYO, "0.00");
        return;
    }
    char number[sizeof asset.quantity + 1];
    std::size_t n = 0;
    for (std::size_t i = 0; i < split; ++i)
        if (text[i] != ',' && text[i] != ' ') number[n++] = text[i];
    number[n] = '\0';
    try {
        D quantity = D::FromDouble(std::strtod(number, nullptr));
        quantity.Round(HalfUp, 3);
        D::FormatFixed(quantity, 2, record.SUURYO, sizeof record.SUURYO);
    } catch (const CDecimalOverflow&) {
        ClearField(record.SUURYO);
    }
}

void WriteAcquisitionMonth(const StKOTEISHISANINFO& asset, bool small, AssetOutputRecord& record, CHostDates& dates) {
    std::int32_t year = 0;
    // A year of three digits or more does not fit and leaves the field empty.
    if (dates.GetEraName(asset.acquisitionDate, record.SYUTOKUNENGETU_GENGO, sizeof record.SYUTOKUNENGETU_GENGO, &year))
        SetFieldInt(record.SYUTOKUNENGETU_NEN, year, true);
    else SetFieldText(record.SYUTOKUNENGETU_NEN, "00");
    if (small) ClearField(record.SYUTOKUNENGETU_TUKI);
    else SetFieldInt(record.SYUTOKUNENGETU_TUKI, asset.acquisitionDate % 10000 / 100, true);
}

// Adds the business share of a small-amount asset, rounded up to whole yen, to the running total
// held in the field. An overflow leaves the field as it was. A total that has already outgrown the
// field (left empty) stays empty: reading it back as 0 would start a wrong sum.
void AddBusinessShare(const StKOTEISHISANINFO& asset, char (&field)[13], bool continuesTotal) {
    if (continuesTotal && field[0] == '\0') return;
    try {
        D share = D::Divide(D::Multiply(D::FromCurrency(asset.acquisitionCost), D::FromInteger(asset.businessUseRatio)),
                            D::FromInteger(10000));
        share.Round(RoundUp, 1);
        SetFieldYen(field, D::Add(D::FromText(field), share));
    } catch (const CDecimalOverflow&) {
    }
}

char FilingMethodCode(std::int16_t method) {
    switch (method) {
    case kMethodDecliningBalance:
    case kMethodDecliningBalance250:
    case kMethodDecliningBalance200: return '1';
    case kMethodStraightLine2:
    case kMethodStraightLine6: return '2';
    case kMethodCode3: return '4';
    case kMethodOneThirdAYear: return '3';
    default: return '6';
    }
}

void WriteRate(const StKOTEISHISANINFO& asset, AssetOutputRecord& record) {
    if (asset.method == kMethodOneThirdAYear) {
        SetFieldText(record.SYOUKYAKURITU, "1/3");
        return;
    }
    if (InEqualDepreciationPhase(asset)) return;
    try {
        const D rate = D::FromDouble(static_cast<double>(asset.rate) * 0.001);
        D::FormatFixed(rate, 3, record.SYOUKYAKURITU, sizeof record.SYOUKYAKURITU);
    } catch (const CDecimalOverflow&) {
        ClearField(record.SYOUKYAKURITU);
    }
}

void WriteAdditionalDepreciation(const StKOTEINENINFO& year, AssetOutputRecord& record) {
    try {
        SetFieldYen(record.WARIMASISYOUKYAKUHI, D::Add(D::FromCurrency(year.additionalDepreciation1),
                                                       D::FromCurrency(year.additionalDepreciation2)));
    } catch (const CDecimalOverflow&) {
        ClearField(record.WARIMASISYOUKYAKUHI);
    }
}

// The ratio is printed as "%.1f" printed the value's double in the C runtime the filing side was
// made with (and every Windows before 10 version 2004): the exact binary value rounded to one
// decimal, a tie away from zero, as an accountant rounds (12.35 is 12.3499... and gives 12.3; 0.25
// gives 0.3). Done here with exact arithmetic so that every C runtime writes the same text: d × 10
// is exact in a long double.
template <std::size_t N>
void FormatDoubleOneDecimal(double value, char (&field)[N]) {
    const bool negative = std::signbit(value);
    const long double tenfold = std::fabs(static_cast<long double>(value)) * 10.0L;
    long double whole = std::floor(tenfold);
    const long double rest = tenfold - whole;
    if (rest >= 0.5L) whole += 1.0L;
    const auto tenths = static_cast<long long>(whole);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%s%lld.%lld", negative ? "-" : "", tenths / 10, tenths % 10);
    if (length > 0 && static_cast<std::size_t>(length) < N)
        std::memcpy(field, text, static_cast<std::size_t>(length) + 1);
    else field[0] = '\0';
}

void WriteBusinessUseRatio(const StKOTEISHISANINFO& asset, AssetOutputRecord& record) {
    const D percent = D::Divide(D::FromInteger(asset.businessUseRatio), D::FromInteger(100));
    FormatDoubleOneDecimal(static_cast<double>(percent.Scaled()) / 10000.0, record.JIGYOUSENYUWARIAI);
}

// The field steps, in the order of the fields.
// `continuesTotal`: the record is the collective one and already holds earlier small-amount assets.
void WriteFields(const AssetSnapshot& snapshot, AssetOutputRecord& record, const StDATAINFO& data, CHostDates& dates,
                 bool continuesTotal = false) {
    const StKOTEISHISANINFO& asset = snapshot.asset;
    const bool small = IsSmallAmountAsset(asset);

    WriteName(asset, small, record);
    if (!small) WriteQuantity(asset, record);
    WriteAcquisitionMonth(asset, small, record, dates);
    if (small) AddBusinessShare(asset, record.SYUTOKUKINGAKU, continuesTotal);
    else SetFieldYen(record.SYUTOKUKINGAKU, asset.acquisitionCost);
    WriteGuaranteeAmount(snapshot, record, data);
    if (!small) SetFieldYen(record.KISYUTYOUBOKAKAKU, asset.openingBookValue);
    WriteDepreciationBase(snapshot, record, data, &dates);
    record.SYOUKYAKUHOUHOU[0] = FilingMethodCode(asset.method);
    record.SYOUKYAKUHOUHOU[1] = '\0';
    if (small) SetFieldText(record.SYOUKYAKUMEI, "少額");
    if (asset.method == kMethodDecliningBalance250 && asset.acquisitionDate >= kTransitionalFrom &&
        asset.acquisitionDate <= kTransitionalTo)
        SetFieldText(record.KEIKASOTI, "1");
    if (!small && !InEqualDepreciationPhase(asset)) SetFieldInt(record.TAIYOUNENSU, asset.usefulLife, false);
    if (!small) WriteRate(asset, record);
    WriteRevisedAcquisitionCost(snapshot, record, data, &dates);
    if (!small) SetFieldInt(record.SYOUKYAKUKIKAN, asset.monthsDepreciated, false);
    WriteDepreciationBeforeAdjustment(snapshot, record, data, &dates);
    if (!small) {
        SetFieldYen(record.FUTUUSYOUKYAKUHI, snapshot.year.ordinaryDepreciation);
        WriteAdditionalDepreciation(snapshot.year, record);
        WriteBusinessUseRatio(asset, record);
        SetFieldYen(record.HITUYOUKEIHISANNYUUGAKU, snapshot.year.includedInExpenses);
        SetFieldYen(record.MISYOUKYAKUZANDAKA, asset.yearEndBalance);
    } else {
        AddBusinessShare(asset, record.HITUYOUKEIHISANNYUUGAKU, continuesTotal);
    }
    WriteRemarks(snapshot, record, data, &dates);
}

bool Append(COutputRecordList& records, std::unique_ptr<AssetOutputRecord>& record) {
    try {
        records.push_back(std::move(record));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
}  // namespace

AssetOutputRecord* COutputRecordBuilder::NewOutputRecord() { return new (std::nothrow) AssetOutputRecord(); }

bool COutputRecordBuilder::Build(const CAssetList& assets, COutputRecordList& records, const StDATAINFO& data) {
    records.clear();
    CHostDates dates;
    std::unique_ptr<AssetOutputRecord> collective;
    for (const std::unique_ptr<AssetSnapshot>& snapshot : assets) {
        if (IsSmallAmountAsset(snapshot->asset)) {
            const bool continuesTotal = collective != nullptr;
            if (!collective) collective.reset(NewOutputRecord());
            if (!collective) {
                records.clear();
                return false;
            }
            WriteFields(*snapshot, *collective, data, dates, continuesTotal);
            continue;
        }
        std::unique_ptr<AssetOutputRecord> record(NewOutputRecord());
        if (!record) {
            records.clear();
            return false;
        }
        WriteFields(*snapshot, *record, data, dates);
        if (!Append(records, record)) {
            records.clear();
            return false;
        }
    }
    if (collective && !Append(records, collective)) {
        records.clear();
        return false;
    }
    return true;
}
