#pragma once
#include <map>
#include <string>

#include "ui/ConditionsView.h"

// The conditions dialog without a window: controls kept in memory at the template's positions
// (dialog units scaled as the programs' font does), so the dialog's decisions run unchanged.
class CHeadlessConditionsView : public IConditionsView {
public:
    CHeadlessConditionsView();

    WindowHandle Handle() override;
    void SetText(int id, const std::string& text) override;
    std::string Text(int id) override;
    void LimitText(int id, int bytes) override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) override;
    void Hide(int id) override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) override;
    PixelRect ControlRect(int id) override;
    void MoveControl(int id, const PixelRect& rect) override;
    void ShrinkWindow(int pixels) override;
    int FocusedId() override;
    void FocusNext() override;
    void Focus(int id) override;
    void FocusAndSelectAll(int id) override;
    bool AskSaveFileName(const std::string& initialFolder, const std::string& proposedName,
                         std::string& chosen) override;
    void End(int result) override;

    bool IsVisible(int id) const;
    bool Ended() const { return m_ended; }
    int EndResult() const { return m_endResult; }

    // The window handle link-headless gives the dialog.
    static constexpr WindowHandle kHandle = 130;

private:
    struct Control {
        std::string text;
        bool enabled = true;
        bool visible = true;
        bool checked = false;
        bool tabStop = false;
        PixelRect rect{0, 0, 0, 0};
        int limit = 0;
    };
    std::map<int, Control> m_controls;
    int m_tabOrder[16] = {};
    int m_tabCount = 0;
    int m_focused = 0;
    bool m_ended = false;
    int m_endResult = 0;
};
