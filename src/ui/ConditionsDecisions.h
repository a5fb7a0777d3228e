#pragma once
// What the conditions dialog shows and does, decided without windows: the Win32 view and the
// scripted front end apply these.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/DialogIds.h"

// The category options in the order Execute reads them; option i carries OutputCategory i + 1.
inline constexpr int kCategoryOptionCount = 7;
inline constexpr int kCategoryOptionIds[kCategoryOptionCount] = {
    IDO_GENERAL,     IDO_REAL_ESTATE,         IDO_GENERAL_REAL_ESTATE,
    IDO_AGRICULTURE, IDO_GENERAL_AGRICULTURE, IDO_REAL_ESTATE_AGRICULTURE,
    IDO_ALL};
inline constexpr int kAgricultureOptionIds[] = {IDO_AGRICULTURE, IDO_GENERAL_AGRICULTURE, IDO_REAL_ESTATE_AGRICULTURE,
                                                IDO_ALL};
inline constexpr std::int16_t kFirstAgricultureCategory = 4;  // the categories of those options: 4..7

inline constexpr std::int16_t kPastResultsDataKind = 99;
inline constexpr int kOutputPathLimit = 255;

inline constexpr const char kPastResultsRefusal[] =
    "過去実績データは、連携の対象として使用できません。\n\nアプリケーションを終了します。";
inline constexpr const char kFixedOutputGroupText[] = "出力先";
inline constexpr const char kCompactOptionText[] = "一般用／不動産用ともに出力(&3)";

struct CategoryOptions {
    bool enabled[kCategoryOptionCount];
    bool selected[kCategoryOptionCount];
    std::int16_t defaultValue;
    bool agricultureRemoved;
};
// The options of the data file's business kind, with the saved choice applied when its option is
// enabled.
CategoryOptions ChooseCategoryOptions(std::uint8_t businessKind, std::int16_t savedCategory);

// Value of the last selected option in Execute's order; 0 when none is selected.
std::int16_t CategoryFromSelection(const bool selected[kCategoryOptionCount]);

// "yyyy/mm/dd～yyyy/mm/dd" from two yyyymmdd numbers.
std::string PeriodText(std::int32_t from, std::int32_t to);
const char* ManufacturingText(std::int32_t hasManufacturingCost);
std::string CancelMessage();

struct OutputPathChoice {
    std::string path;
    bool fixed;  // from the host: not to be edited or browsed
};
// The path the dialog opens with. The two folders are asked for only when neither a fixed nor a
// saved path is given, the temporary folder only when the host folder is empty.
OutputPathChoice ChooseOutputPath(const std::string& fixedPath, const std::string& savedPath,
                                  const std::function<std::string()>& hostDataFolder,
                                  const std::function<std::string()>& tempFolder);

// Pixels relative to the dialog's client area.
struct PixelRect {
    int left, top, right, bottom;
    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};
struct LayoutChange {
    int id;
    PixelRect rect;
    bool remove;  // also hidden and disabled
};
struct CompactLayout {
    std::vector<LayoutChange> changes;
    int windowShrink;  // the window becomes this much shorter
};
// Without agriculture options the dialog closes the gap they leave.
bool UsesCompactLayout(std::uint8_t businessKind);
CompactLayout PlanCompactLayout(const std::function<PixelRect(int id)>& rectOf);

// Virtual-key codes, numerically those of Windows.
inline constexpr unsigned kVkReturn = 0x0D;
inline constexpr unsigned kVkF12 = 0x7B;
inline constexpr unsigned kVkKey3 = 0x33;
inline constexpr unsigned kVkNumpad3 = 0x63;

// A key going down (WM_KEYDOWN or WM_SYSKEYDOWN) with the modifiers held at that moment.
struct KeyPress {
    unsigned virtualKey;
    bool shift, ctrl, alt;
};
enum class KeyAction {
    Standard,                    // the dialog manager handles it
    FocusNext,                   // consumed
    Execute,                     // consumed
    SelectGeneralAndRealEstate,  // then the dialog manager still handles the key
};
KeyAction DecideKey(const KeyPress& key, int focusedId, std::uint8_t businessKind, bool generalAndRealEstateEnabled);
