#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "headless/HeadlessConditionsView.h"
#include "support/MemoryPlatform.h"
#include "ui/ConditionsPresenter.h"

namespace {

// The compact layout from the template's rectangles as link-headless scales them (group box 221
// high: h = 110).
TEST(ConditionsDecisions, CompactLayoutClosesTheGapOfTheAgricultureOptions) {
    CHeadlessConditionsView view;
    const CompactLayout layout = PlanCompactLayout([&](int id) { return view.ControlRect(id); });
    const PixelRect gone = {0, 0, 0, 0};
    const std::vector<LayoutChange> expected = {
        {IDO_AGRICULTURE, gone, true},
        {IDO_GENERAL_AGRICULTURE, gone, true},
        {IDO_REAL_ESTATE_AGRICULTURE, gone, true},
        {IDO_ALL, gone, true},
        {IDG_CATEGORY, {10, 100, 384, 211}, false},             // only the bottom edge moves
        {IDO_GENERAL_REAL_ESTATE, {18, 177, 235, 197}, false},  // h / 4 = 27
        {IDG_OUTPUT, {10, 219, 384, 284}, false},
        {IDE_OUTPUT_PATH, {18, 247, 291, 270}, false},
        {IDB_BROWSE, {294, 247, 375, 271}, false},
        {kIdOk, {214, 301, 295, 325}, false},
        {kIdCancel, {303, 301, 384, 325}, false},
    };
    ASSERT_EQ(layout.changes.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(layout.changes[i].id, expected[i].id) << i;
        EXPECT_TRUE(layout.changes[i].rect == expected[i].rect) << "control " << expected[i].id;
        EXPECT_EQ(layout.changes[i].remove, expected[i].remove) << "control " << expected[i].id;
    }
    EXPECT_EQ(layout.windowShrink, 110);
}

TEST(ConditionsDecisions, Keys) {
    const KeyPress enter = {kVkReturn, false, false, false}, f12 = {kVkF12, false, false, false};
    const KeyPress key3 = {kVkKey3, false, false, false}, alt3 = {kVkKey3, false, false, true};
    struct Case {
        const char* name;
        KeyPress key;
        int focus, kind;
        bool combinedEnabled;
        KeyAction action;
    };
    const Case cases[] = {
        {"enter on an option", enter, IDO_ALL, 6, true, KeyAction::FocusNext},
        {"enter on the edit", enter, IDE_OUTPUT_PATH, 3, true, KeyAction::FocusNext},
        {"enter on browse", enter, IDB_BROWSE, 3, true, KeyAction::Standard},
        {"shift enter on the edit", {kVkReturn, true, false, false}, IDE_OUTPUT_PATH, 3, true, KeyAction::Standard},
        {"f12", f12, IDB_BROWSE, 1, true, KeyAction::Execute},
        {"ctrl f12", {kVkF12, false, true, false}, 0, 6, true, KeyAction::Standard},
        {"3 in kind 3", key3, IDO_GENERAL, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"3 typed into the path", key3, IDE_OUTPUT_PATH, 3, true, KeyAction::Standard},
        {"# typed into the path", {kVkKey3, true, false, false}, IDE_OUTPUT_PATH, 2, true, KeyAction::Standard},
        {"alt 3 in the path", alt3, IDE_OUTPUT_PATH, 1, true, KeyAction::SelectGeneralAndRealEstate},
        {"numpad 3", {kVkNumpad3, false, false, false}, IDO_GENERAL, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"shift 3", {kVkKey3, true, false, false}, IDO_GENERAL, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"alt 3", alt3, IDO_GENERAL, 2, true, KeyAction::SelectGeneralAndRealEstate},
        {"ctrl 3", {kVkKey3, false, true, false}, IDO_GENERAL, 3, true, KeyAction::Standard},
        {"shift alt 3", {kVkKey3, true, false, true}, IDO_GENERAL, 3, true, KeyAction::Standard},
        {"3 with 1012 disabled", key3, IDO_GENERAL, 1, false, KeyAction::Standard},
        {"3 where agriculture shows", key3, IDO_GENERAL, 4, true, KeyAction::Standard},
        {"3 in an unknown kind", key3, IDO_GENERAL, 0, true, KeyAction::Standard},
        {"numpad 4", {0x64, false, false, false}, IDO_GENERAL, 3, true, KeyAction::Standard},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideKey(c.key, c.focus, static_cast<std::uint8_t>(c.kind), c.combinedEnabled), c.action) << c.name;
}

// link-headless's view, which also counts how far the window shrinks.
class CShrinkingView : public CHeadlessConditionsView {
public:
    int shrunk = 0;
    void ShrinkWindow(int pixels) override { shrunk += pixels; }
};

TEST(ConditionsPresenter, KindThreeIsCompactAndItsKeysWork) {
    StDATAINFO data;
    std::memset(&data, 0, sizeof data);
    data.businessKind = 3;
    ConditionsSetup setup;
    setup.readSaved = [] { return SavedChoice{0, "C:\\OUT\\saved.xml"}; };
    testsupport::CMemoryPlatform platform;
    CShrinkingView view;
    CConditionsPresenter dialog(data, setup);
    ASSERT_TRUE(dialog.OnInit(view));
    for (int id : kAgricultureOptionIds) EXPECT_FALSE(view.IsVisible(id) || view.IsEnabled(id)) << id;
    EXPECT_EQ(view.Text(IDO_GENERAL_REAL_ESTATE), "一般用／不動産用ともに出力(&3)");
    EXPECT_EQ(view.ControlRect(kIdOk).top, 301);
    EXPECT_EQ(view.shrunk, 110);

    EXPECT_FALSE(dialog.OnKey(view, {kVkKey3, false, false, false}));  // the option still gets its 3
    for (int id : kCategoryOptionIds) EXPECT_EQ(view.IsChecked(id), id == IDO_GENERAL_REAL_ESTATE) << id;
    view.Focus(IDE_OUTPUT_PATH);
    EXPECT_TRUE(dialog.OnKey(view, {kVkReturn, false, false, false}));
    EXPECT_EQ(view.FocusedId(), IDB_BROWSE);
    EXPECT_FALSE(view.Ended());
}

}  // namespace
