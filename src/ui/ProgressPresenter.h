#pragma once
#include <cstdint>
#include <memory>

#include "report/ProgressDisplay.h"
#include "ui/ProgressView.h"

// The progress window of the run: the main bar over 0..1000 per mille with the percentage in the
// caption, and an activity bar that sweeps on every unit so that the window visibly lives.
class CProgressPresenter : public IProgressDisplay {
public:
    explicit CProgressPresenter(std::unique_ptr<IProgressView> view);

    bool Create();
    void SetParent(WindowHandle parent);
    void Show();
    // Main bar range 0..1000, step 1, position 0.
    void Initialise();
    void AdvanceBand(std::int16_t from, std::int16_t to) override;
    void Pulse() override;
    void End();
    // Owner of the run's closing messages.
    WindowHandle Handle() const;

private:
    std::unique_ptr<IProgressView> m_view;
};
