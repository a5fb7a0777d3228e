#include "headless/HeadlessConditionsView.h"

#include "ui/DialogIds.h"

namespace {

struct TemplateControl {
    int id;
    const char* text;
    int x, y, width, height;
    bool tabStop;
};

// The controls of dialog 130 in tab order, in dialog units.
const TemplateControl kTemplate[] = {
    {IDT_BUSINESS_LABEL, "事業所名", 7, 7, 37, 13, false},
    {IDT_BUSINESS_COLON, "：", 49, 7, 8, 13, false},
    {IDT_BUSINESS_NAME, "XXXXXXXXXXXXXXXX", 59, 7, 179, 13, false},
    {IDT_PERIOD_LABEL, "会計期間", 7, 23, 37, 13, false},
    {IDT_PERIOD_COLON, "：", 49, 23, 8, 13, false},
    {IDT_PERIOD, "YYYY/MM/DD ～ YYYY/MM/DD", 59, 23, 179, 13, false},
    {IDT_MANUFACTURING_LABEL, "製造原価", 7, 39, 37, 13, false},
    {IDT_MANUFACTURING_COLON, "：", 49, 39, 8, 13, false},
    {IDT_MANUFACTURING, "あり", 59, 39, 179, 13, false},
    {IDG_CATEGORY, "事業区分", 7, 62, 249, 136, false},
    {IDO_GENERAL, "一般用のみ出力(&1)", 12, 75, 145, 12, true},
    {IDO_REAL_ESTATE, "不動産用のみ出力(&2)", 12, 92, 145, 12, false},
    {IDO_AGRICULTURE, "農業用のみ出力(&3)", 12, 109, 145, 12, false},
    {IDO_GENERAL_REAL_ESTATE, "一般用／不動産用を出力(&4)", 12, 126, 145, 12, false},
    {IDO_GENERAL_AGRICULTURE, "一般用／農業用を出力(&5)", 12, 143, 145, 12, false},
    {IDO_REAL_ESTATE_AGRICULTURE, "不動産用／農業用を出力(&6)", 12, 160, 145, 12, false},
    {IDO_ALL, "一般用／不動産用／農業用をすべて出力(&7)", 12, 177, 145, 12, false},
    {IDG_OUTPUT, "出力先(&F)", 7, 203, 249, 40, false},
    {IDE_OUTPUT_PATH, "", 12, 220, 182, 14, true},
    {IDB_BROWSE, "参照(&D)...", 196, 220, 54, 15, true},
    {kIdOk, "実行(F12)", 143, 253, 54, 15, true},
    {kIdCancel, "キャンセル(Esc)", 202, 253, 54, 15, true},
};

// Dialog units to pixels for a 9-point font at 96 dpi (6 × 13 pixel base units).
PixelRect ToPixels(const TemplateControl& c) {
    return {c.x * 6 / 4, c.y * 13 / 8, (c.x + c.width) * 6 / 4, (c.y + c.height) * 13 / 8};
}

}  // namespace

CHeadlessConditionsView::CHeadlessConditionsView() {
    for (const TemplateControl& c : kTemplate) {
        Control& control = m_controls[c.id];
        control.text = c.text;
        control.rect = ToPixels(c);
        control.tabStop = c.tabStop || (c.id >= IDO_GENERAL && c.id <= IDO_GENERAL_REAL_ESTATE) ||
                          (c.id >= IDO_AGRICULTURE && c.id <= IDO_ALL);
        if (control.tabStop && m_tabCount < 16) m_tabOrder[m_tabCount++] = c.id;
    }
    m_focused = IDO_GENERAL;
}

WindowHandle CHeadlessConditionsView::Handle() { return kHandle; }
void CHeadlessConditionsView::SetText(int id, const std::string& text) { m_controls[id].text = text; }
std::string CHeadlessConditionsView::Text(int id) { return m_controls[id].text; }
void CHeadlessConditionsView::LimitText(int id, int bytes) { m_controls[id].limit = bytes; }
void CHeadlessConditionsView::Enable(int id, bool enable) { m_controls[id].enabled = enable; }
bool CHeadlessConditionsView::IsEnabled(int id) { return m_controls[id].enabled; }
void CHeadlessConditionsView::Hide(int id) { m_controls[id].visible = false; }
void CHeadlessConditionsView::SetChecked(int id, bool checked) { m_controls[id].checked = checked; }
bool CHeadlessConditionsView::IsChecked(int id) { return m_controls[id].checked; }
PixelRect CHeadlessConditionsView::ControlRect(int id) { return m_controls[id].rect; }
void CHeadlessConditionsView::MoveControl(int id, const PixelRect& rect) { m_controls[id].rect = rect; }
void CHeadlessConditionsView::ShrinkWindow(int) {}
int CHeadlessConditionsView::FocusedId() { return m_focused; }

void CHeadlessConditionsView::FocusNext() {
    // Options after the first share one tab stop with it in a real dialog; the scripted user never
    // needs that distinction, so the next enabled, visible control in template order will do.
    int current = 0;
    for (int i = 0; i < m_tabCount; ++i) {
        if (m_tabOrder[i] == m_focused) current = i;
    }
    for (int step = 1; step <= m_tabCount; ++step) {
        const int id = m_tabOrder[(current + step) % m_tabCount];
        if (m_controls[id].enabled && m_controls[id].visible) {
            m_focused = id;
            return;
        }
    }
}

void CHeadlessConditionsView::Focus(int id) { m_focused = id; }
void CHeadlessConditionsView::FocusAndSelectAll(int id) { m_focused = id; }

bool CHeadlessConditionsView::AskSaveFileName(const std::string&, const std::string&, std::string&) {
    return false;  // the scripted user types paths instead of browsing
}

void CHeadlessConditionsView::End(int result) {
    m_ended = true;
    m_endResult = result;
}

bool CHeadlessConditionsView::IsVisible(int id) const {
    const auto found = m_controls.find(id);
    return found != m_controls.end() && found->second.visible;
}
