#include "ui/ProgressPresenter.h"

#include <cstdio>
#include <utility>

namespace {
constexpr int kMainUpper = 1000;
constexpr int kActivityUpper = 5;
// One more than the range holds: the bar runs past its end and starts over.
constexpr int kActivitySteps = 6;
}  // namespace

CProgressPresenter::CProgressPresenter(std::unique_ptr<IProgressView> view) : m_view(std::move(view)) {}

bool CProgressPresenter::Create() { return m_view->Create(); }

void CProgressPresenter::SetParent(WindowHandle parent) { m_view->SetParent(parent); }

void CProgressPresenter::Show() { m_view->Show(); }

void CProgressPresenter::Initialise() {
    m_view->SetMainRange(0, kMainUpper);
    m_view->SetMainStep(1);
    m_view->SetMainPosition(0);
}

void CProgressPresenter::AdvanceBand(std::int16_t from, std::int16_t to) {
    for (int i = from; i <= to; ++i) {
        if (i % 10 == 0) {
            char caption[32];
            std::snprintf(caption, sizeof caption, "集計中 %d％", i / 10);
            m_view->SetCaption(caption);
        }
        m_view->SetMainPosition(i);
        Pulse();
        m_view->Repaint();
    }
}

void CProgressPresenter::Pulse() {
    m_view->SetActivityRange(0, kActivityUpper);
    m_view->SetActivityStep(1);
    m_view->SetActivityPosition(0);
    m_view->Raise();
    m_view->Repaint();
    for (int step = 0; step < kActivitySteps; ++step) m_view->StepActivity();
}

void CProgressPresenter::End() { m_view->End(); }

WindowHandle CProgressPresenter::Handle() const { return m_view->Handle(); }
