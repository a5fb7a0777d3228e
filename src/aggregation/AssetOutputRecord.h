#pragma once
#include <cstddef>
#include <memory>
#include <vector>

// One line of the depreciation schedule, already in the texts the filing application imports.
// Every field is a NUL-terminated code page 932 text; its width counts the terminator.
struct CAssetOutputRecord {
    char SISANMEI[33];
    char SUURYO[12];
    char SUURYOTANI[5];
    char SYUTOKUNENGETU_GENGO[7];
    char SYUTOKUNENGETU_NEN[3];
    char SYUTOKUNENGETU_TUKI[3];
    char SYUTOKUKINGAKU[13];
    char SYOUKYAKUHOSYOUGAKU[13];
    char KISYUTYOUBOKAKAKU[13];
    char SYOUKYAKUKISOKINGAKU[13];
    char SYOUKYAKUHOUHOU[2];
    char SYOUKYAKUMEI[7];
    char KEIKASOTI[2];
    char TAIYOUNENSU[4];
    char SYOUKYAKURITU[6];
    char KAITEISYOUKYAKURITU[6];
    char KAITEISYUTOKUKAGAKU[13];
    char SYOUKYAKUKIKAN[3];
    char CHOUSEIMAESYOUKYAKUGAKU[13];
    char FUTUUSYOUKYAKUHI[13];
    char WARIMASISYOUKYAKUHI[13];
    char JIGYOUSENYUWARIAI[6];
    char HITUYOUKEIHISANNYUUGAKU[13];
    char MISYOUKYAKUZANDAKA[13];
    char TEKIYOU_JYOUDAN[21];
    char TEKIYOU_GEDAN[21];
    char terminator;
};

using COutputRecordList = std::vector<std::unique_ptr<CAssetOutputRecord>>;

// Name, position and width of every field, in record order (the order the report writes them).
struct COutputFieldInfo {
    const char* name;
    std::size_t offset;
    std::size_t width;
};
constexpr std::size_t kOutputFieldCount = 26;
extern const COutputFieldInfo kOutputFields[kOutputFieldCount];

inline const char* FieldText(const CAssetOutputRecord& record, const COutputFieldInfo& field) {
    return reinterpret_cast<const char*>(&record) + field.offset;
}
