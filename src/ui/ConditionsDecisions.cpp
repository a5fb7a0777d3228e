#include "ui/ConditionsDecisions.h"

#include <cstdio>

#include "editions/Edition.h"
#include "platform/Platform.h"
#include "platform/WindowsPath.h"

namespace {

struct BusinessKindRow {
    std::uint8_t kind;
    unsigned enabledValues;  // bit v - 1 for OutputCategory v
    std::int16_t defaultValue;
    bool agricultureShown;
};

constexpr unsigned Bit(int value) { return 1u << (value - 1); }
constexpr unsigned kAllValues = 0x7F;

constexpr BusinessKindRow kKinds[] = {
    {1, Bit(1), 1, false},
    {2, Bit(2), 2, false},
    {3, Bit(1) | Bit(2) | Bit(3), 1, false},
    {4, Bit(1) | Bit(4) | Bit(5), 1, true},
    {5, Bit(2) | Bit(4) | Bit(6), 2, true},
    {6, kAllValues, 1, true},
};
// An unknown kind offers everything the dialog can still show.
constexpr BusinessKindRow kOtherKind = {0, kAllValues, 1, false};

const BusinessKindRow& RowOf(std::uint8_t kind) {
    for (const BusinessKindRow& row : kKinds)
        if (row.kind == kind) return row;
    return kOtherKind;
}

constexpr std::size_t kFolderLimit = kMaxPathBytes + 1;

bool IsCategoryOption(int controlId) {
    for (int id : kCategoryOptionIds)
        if (id == controlId) return true;
    return false;
}

}  // namespace

CategoryOptions ChooseCategoryOptions(std::uint8_t businessKind, std::int16_t savedCategory) {
    const BusinessKindRow& row = RowOf(businessKind);
    CategoryOptions options{};
    options.defaultValue = row.defaultValue;
    options.agricultureRemoved = !row.agricultureShown;
    for (int i = 0; i < kCategoryOptionCount; ++i) {
        options.enabled[i] = (row.enabledValues & Bit(i + 1)) != 0;
        options.selected[i] = i + 1 == row.defaultValue;
    }
    // A saved choice of an option the compact layout removes would stay selected out of sight.
    const bool removed = options.agricultureRemoved && savedCategory >= kFirstAgricultureCategory;
    if (savedCategory != row.defaultValue && savedCategory >= 1 && savedCategory <= kCategoryOptionCount &&
        options.enabled[savedCategory - 1] && !removed) {
        for (int i = 0; i < kCategoryOptionCount; ++i) options.selected[i] = i + 1 == savedCategory;
    }
    return options;
}

std::int16_t CategoryFromSelection(const bool selected[kCategoryOptionCount]) {
    std::int16_t category = 0;
    for (int i = 0; i < kCategoryOptionCount; ++i)
        if (selected[i]) category = static_cast<std::int16_t>(i + 1);
    return category;
}

std::string PeriodText(std::int32_t from, std::int32_t to) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d～%04d/%02d/%02d", static_cast<int>(from / 10000),
                  static_cast<int>(from / 100 % 100), static_cast<int>(from % 100), static_cast<int>(to / 10000),
                  static_cast<int>(to / 100 % 100), static_cast<int>(to % 100));
    return text;
}

const char* ManufacturingText(std::int32_t hasManufacturingCost) { return hasManufacturingCost != 0 ? "あり" : "なし"; }

std::string CancelMessage() {
    char text[128];
    std::snprintf(text, sizeof text, "｢%s｣の集計を中止します。", kAppTitle);
    return text;
}

OutputPathChoice ChooseOutputPath(const std::string& fixedPath, const std::string& savedPath,
                                  const std::function<std::string()>& hostDataFolder,
                                  const std::function<std::string()>& tempFolder) {
    if (!fixedPath.empty()) return {fixedPath, true};
    if (!savedPath.empty()) return {savedPath, false};
    std::string folder = hostDataFolder();
    if (folder.empty()) folder = tempFolder();
    if (folder.empty()) return {"*.xml", false};
    // A folder too long for the separator stays as it is; the path is refused later at Execute.
    EnsureTrailingBackslash(folder, kFolderLimit);
    return {folder + "*.xml", false};
}

bool UsesCompactLayout(std::uint8_t businessKind) { return !RowOf(businessKind).agricultureShown; }

CompactLayout PlanCompactLayout(const std::function<PixelRect(int id)>& rectOf) {
    CompactLayout layout;
    for (int id : kAgricultureOptionIds) layout.changes.push_back({id, {0, 0, 0, 0}, true});

    const PixelRect group = rectOf(IDG_CATEGORY);
    const int h = (group.bottom - group.top) / 2;
    layout.changes.push_back({IDG_CATEGORY, {group.left, group.top, group.right, group.bottom - h}, false});

    const PixelRect option = rectOf(IDO_GENERAL_REAL_ESTATE);
    layout.changes.push_back(
        {IDO_GENERAL_REAL_ESTATE, {option.left, option.top - h / 4, option.right, option.bottom - h / 4}, false});

    for (int id : {IDG_OUTPUT, IDE_OUTPUT_PATH, IDB_BROWSE, int{kIdOk}, int{kIdCancel}}) {
        const PixelRect r = rectOf(id);
        layout.changes.push_back({id, {r.left, r.top - h, r.right, r.bottom - h}, false});
    }
    layout.windowShrink = h;
    return layout;
}

KeyAction DecideKey(const KeyPress& key, int focusedId, std::uint8_t businessKind, bool generalAndRealEstateEnabled) {
    const bool noModifier = !key.shift && !key.ctrl && !key.alt;
    if (noModifier && key.virtualKey == kVkReturn && (IsCategoryOption(focusedId) || focusedId == IDE_OUTPUT_PATH))
        return KeyAction::FocusNext;
    if (noModifier && key.virtualKey == kVkF12) return KeyAction::Execute;

    const bool withoutAgriculture = businessKind >= 1 && businessKind <= 3;
    const bool isKey3 = key.virtualKey == kVkKey3 || key.virtualKey == kVkNumpad3;
    const bool allowedModifiers = !key.ctrl && !(key.shift && key.alt);
    // In the path edit a 3 (or #) is part of a folder name; only Alt+3 still chooses the option there.
    const bool typedIntoPath = focusedId == IDE_OUTPUT_PATH && !key.alt;
    if (withoutAgriculture && isKey3 && allowedModifiers && !typedIntoPath && generalAndRealEstateEnabled)
        return KeyAction::SelectGeneralAndRealEstate;
    return KeyAction::Standard;
}
