#pragma once
#include <string>

#include "ui/ProgressView.h"

// The progress window without a window: it keeps the caption and the bars' positions so that the
// transcript can show where the run stood when a closing message appeared.
class CHeadlessProgressView : public IProgressView {
public:
    static constexpr WindowHandle kHandle = 131;

    // `registry` points at this view while it lives.
    explicit CHeadlessProgressView(const CHeadlessProgressView** registry);
    ~CHeadlessProgressView() override;

    bool Create() override;
    void SetParent(WindowHandle parent) override;
    void Show() override;
    void End() override;
    WindowHandle Handle() const override;
    void SetCaption(const std::string& caption) override;
    void SetMainRange(int lower, int upper) override;
    void SetMainStep(int step) override;
    void SetMainPosition(int position) override;
    void SetActivityRange(int lower, int upper) override;
    void SetActivityStep(int step) override;
    void SetActivityPosition(int position) override;
    void StepActivity() override;
    void Raise() override;
    void Repaint() override;

    // "PROGRESS <caption> main=<position>/<upper>" as the user would see the window now.
    std::string Describe() const;

private:
    std::string m_caption;
    int m_mainUpper = 100;
    int m_mainPosition = 0;
    WindowHandle m_parent = 0;
    const CHeadlessProgressView** m_registry;
};
