#pragma once
#include <cstddef>
#include <memory>
#include <vector>

// One line of the depreciation schedule, already in the texts the filing application imports, under
// its names for them. Every field is a NUL-terminated code page 932 text; its width counts the terminator.
struct AssetOutputRecord {
    char SISANMEI[33];                 // asset name
    char SUURYO[12];                   // quantity, two decimals
    char SUURYOTANI[5];                // unit of the quantity
    char SYUTOKUNENGETU_GENGO[7];      // acquired: era name
    char SYUTOKUNENGETU_NEN[3];        // acquired: year of the era, two digits
    char SYUTOKUNENGETU_TUKI[3];       // acquired: month, two digits
    char SYUTOKUKINGAKU[13];           // acquisition cost, yen
    char SYOUKYAKUHOSYOUGAKU[13];      // guarantee amount, yen
    char KISYUTYOUBOKAKAKU[13];        // opening book value, yen
    char SYOUKYAKUKISOKINGAKU[13];     // depreciation base, yen
    char SYOUKYAKUHOUHOU[2];           // method, the filing application's code
    char SYOUKYAKUMEI[7];              // method name (the collective record)
    char KEIKASOTI[2];                 // transitional-measure mark
    char TAIYOUNENSU[4];               // useful life, years
    char SYOUKYAKURITU[6];             // depreciation rate
    char KAITEISYOUKYAKURITU[6];       // revised depreciation rate, always empty
    char KAITEISYUTOKUKAGAKU[13];      // revised acquisition cost, yen
    char SYOUKYAKUKIKAN[3];            // months depreciated in the year
    char CHOUSEIMAESYOUKYAKUGAKU[13];  // depreciation before adjustment, yen
    char FUTUUSYOUKYAKUHI[13];         // ordinary depreciation, yen
    char WARIMASISYOUKYAKUHI[13];      // additional depreciation, yen
    char JIGYOUSENYUWARIAI[6];         // business-use ratio, percent
    char HITUYOUKEIHISANNYUUGAKU[13];  // included in necessary expenses, yen
    char MISYOUKYAKUZANDAKA[13];       // undepreciated balance at year end, yen
    char TEKIYOU_JYOUDAN[21];          // remarks, upper line
    char TEKIYOU_GEDAN[21];            // remarks, lower line
    char terminator;
};

using COutputRecordList = std::vector<std::unique_ptr<AssetOutputRecord>>;

// Name, position and width of every field, in record order (the order the report writes them).
struct OutputFieldInfo {
    const char* name;
    std::size_t offset;
    std::size_t width;
};
constexpr std::size_t kOutputFieldCount = 26;
extern const OutputFieldInfo kOutputFields[kOutputFieldCount];

inline const char* FieldText(const AssetOutputRecord& record, const OutputFieldInfo& field) {
    return reinterpret_cast<const char*>(&record) + field.offset;
}
