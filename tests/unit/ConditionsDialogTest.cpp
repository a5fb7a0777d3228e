#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "hostsim/HostSim.h"
#include "support/MemoryPlatform.h"
#include "ui/ConditionsDialog.h"

namespace {

// Client rectangles as Wine lays out the template with IPA P Gothic (group box 221 high: h = 110).
std::map<int, PixelRect> TemplateRects() {
    return {{IDG_CATEGORY, {12, 101, 448, 322}},         {IDO_GENERAL_REAL_ESTATE, {21, 205, 275, 225}},
            {IDG_OUTPUT, {12, 330, 448, 395}},           {IDE_OUTPUT_PATH, {21, 358, 340, 381}},
            {IDB_BROWSE, {343, 358, 438, 382}},          {kIdOk, {250, 411, 345, 435}},
            {kIdCancel, {354, 411, 449, 435}},           {IDO_AGRICULTURE, {21, 177, 275, 197}},
            {IDO_GENERAL_AGRICULTURE, {21, 232, 275, 252}}, {IDO_REAL_ESTATE_AGRICULTURE, {21, 260, 275, 280}},
            {IDO_ALL, {21, 288, 275, 308}}};
}

TEST(ConditionsDecisions, CompactLayoutClosesTheGapOfTheAgricultureOptions) {
    const std::map<int, PixelRect> rects = TemplateRects();
    const CompactLayout layout = PlanCompactLayout([&](int id) { return rects.at(id); });
    const PixelRect gone = {0, 0, 0, 0};
    const std::vector<LayoutChange> expected = {
        {IDO_AGRICULTURE, gone, true},
        {IDO_GENERAL_AGRICULTURE, gone, true},
        {IDO_REAL_ESTATE_AGRICULTURE, gone, true},
        {IDO_ALL, gone, true},
        {IDG_CATEGORY, {12, 101, 448, 212}, false},          // only the bottom edge moves
        {IDO_GENERAL_REAL_ESTATE, {21, 178, 275, 198}, false},  // h / 4 = 27
        {IDG_OUTPUT, {12, 220, 448, 285}, false},
        {IDE_OUTPUT_PATH, {21, 248, 340, 271}, false},
        {IDB_BROWSE, {343, 248, 438, 272}, false},
        {kIdOk, {250, 301, 345, 325}, false},
        {kIdCancel, {354, 301, 449, 325}, false},
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
    const KeyPress key3 = {kVkKey3, false, false, false};
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
        {"enter on cancel", enter, kIdCancel, 3, true, KeyAction::Standard},
        {"shift enter on the edit", {kVkReturn, true, false, false}, IDE_OUTPUT_PATH, 3, true, KeyAction::Standard},
        {"f12", f12, IDB_BROWSE, 1, true, KeyAction::Execute},
        {"f12 without focus", f12, 0, 6, true, KeyAction::Execute},
        {"ctrl f12", {kVkF12, false, true, false}, 0, 6, true, KeyAction::Standard},
        {"3 in kind 3", key3, IDE_OUTPUT_PATH, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"numpad 3", {kVkNumpad3, false, false, false}, IDO_GENERAL, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"shift 3", {kVkKey3, true, false, false}, IDO_GENERAL, 3, true, KeyAction::SelectGeneralAndRealEstate},
        {"alt 3", {kVkKey3, false, false, true}, IDO_GENERAL, 2, true, KeyAction::SelectGeneralAndRealEstate},
        {"ctrl 3", {kVkKey3, false, true, false}, IDO_GENERAL, 3, true, KeyAction::Standard},
        {"shift alt 3", {kVkKey3, true, false, true}, IDO_GENERAL, 3, true, KeyAction::Standard},
        {"3 with 1012 disabled", key3, IDO_GENERAL, 1, false, KeyAction::Standard},
        {"3 where agriculture shows", key3, IDO_GENERAL, 4, true, KeyAction::Standard},
        {"3 in an unknown kind", key3, IDO_GENERAL, 0, true, KeyAction::Standard},
        {"numpad 4", {0x64, false, false, false}, IDO_GENERAL, 3, true, KeyAction::Standard},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideKey(c.key, c.focus, static_cast<std::uint8_t>(c.kind), c.combinedEnabled), c.action)
            << c.name;
}

// The dialog's controls as plain state.
class CFakeConditionsView : public IConditionsView {
public:
    struct Control {
        std::string text;
        bool enabled = true, visible = true, checked = false;
        PixelRect rect{};
    };
    std::map<int, Control> controls;
    int focus = 0, shrunk = 0, ended = 0, limit = 0;
    bool textSelected = false, saveAnswer = false;
    std::string saveFolder, saveName;

    CFakeConditionsView() {
        for (const auto& [id, rect] : TemplateRects()) controls[id].rect = rect;
    }
    WindowHandle Handle() override { return 130; }
    void SetText(int id, const std::string& text) override { controls[id].text = text; }
    std::string Text(int id) override { return controls[id].text; }
    void LimitText(int, int bytes) override { limit = bytes; }
    void Enable(int id, bool enable) override { controls[id].enabled = enable; }
    bool IsEnabled(int id) override { return controls[id].enabled; }
    void Hide(int id) override { controls[id].visible = false; }
    void SetChecked(int id, bool checked) override { controls[id].checked = checked; }
    bool IsChecked(int id) override { return controls[id].checked; }
    PixelRect ControlRect(int id) override { return controls[id].rect; }
    void MoveControl(int id, const PixelRect& rect) override { controls[id].rect = rect; }
    void ShrinkWindow(int pixels) override { shrunk += pixels; }
    int FocusedId() override { return focus; }
    void FocusNext() override { focus = -1; }
    void Focus(int id) override { focus = id, textSelected = false; }
    void FocusAndSelectAll(int id) override { focus = id, textSelected = true; }
    bool AskSaveFileName(const std::string& folder, const std::string& name, std::string& chosen) override {
        saveFolder = folder, saveName = name;
        if (saveAnswer) chosen = "D:\\NEW\\b.XML";
        return saveAnswer;
    }
    void End(int result) override { ended = result; }

    std::set<int> Checked() {
        std::set<int> ids;
        for (int id : kCategoryOptionIds)
            if (controls[id].checked) ids.insert(id);
        return ids;
    }
};

struct DialogFixture {
    testsupport::CMemoryPlatform platform;
    CFakeConditionsView view;
    StDATAINFO data;
    int readCount = 0;
    std::vector<std::string> validated;
    DestinationVerdict verdict = DestinationVerdict::Accepted;
    ConditionsSetup setup;

    explicit DialogFixture(int kind, SavedChoice saved = {0, "C:\\OUT\\saved.xml"}) {
        std::memset(&data, 0, sizeof data);
        std::strcpy(data.businessName, "山田&商店");
        data.periodFrom = 20220101;
        data.periodTo = 20221231;
        data.hasManufacturingCost = 1;
        data.businessKind = static_cast<std::uint8_t>(kind);
        setup.readSaved = [this, saved] { return ++readCount, saved; };
        setup.validate = [this](WindowHandle owner, const std::string& path, const std::string& fixed) {
            validated.push_back(std::to_string(owner) + "|" + path + "|" + fixed);
            return verdict;
        };
    }
};

TEST(ConditionsDialog, KindThreeIsCompactAndItsKeysWork) {
    DialogFixture f(3);
    CConditionsDialog dialog(f.data, f.setup);
    ASSERT_TRUE(dialog.OnInit(f.view));
    for (int id : kAgricultureOptionIds)
        EXPECT_FALSE(f.view.controls[id].visible || f.view.controls[id].enabled) << id;
    EXPECT_EQ(f.view.Text(IDO_GENERAL_REAL_ESTATE), "一般用／不動産用ともに出力(&3)");
    EXPECT_EQ(f.view.controls[kIdOk].rect.top, 301);
    EXPECT_EQ(f.view.shrunk, 110);

    f.view.focus = IDE_OUTPUT_PATH;
    EXPECT_FALSE(dialog.OnKey(f.view, {kVkKey3, false, false, false}));  // the edit still gets its 3
    EXPECT_EQ(f.view.Checked(), std::set<int>{IDO_GENERAL_REAL_ESTATE});
    EXPECT_TRUE(dialog.OnKey(f.view, {kVkReturn, false, false, false}));
    EXPECT_EQ(f.view.focus, -1);
    EXPECT_TRUE(f.validated.empty());
}

}  // namespace
