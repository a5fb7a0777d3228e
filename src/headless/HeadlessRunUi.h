#pragma once
#include "headless/HeadlessOptions.h"
#include "headless/HeadlessProgressView.h"
#include "headless/Transcript.h"
#include "ui/RunUi.h"

// The scripted user in place of the run's windows: it shows the transcript what the dialog offers,
// does what the options say (choose a category, type a path, Cancel), and presses Cancel when it has
// nothing left to do while the dialog still waits.
class CHeadlessRunUi : public IRunUi {
public:
    CHeadlessRunUi(const HeadlessOptions& options, CTranscript& transcript)
        : m_options(options), m_transcript(transcript) {}

    ConditionsOutcome RunConditionsDialog(WindowHandle owner, const StDATAINFO& data,
                                          const ConditionsSetup& setup) override;
    std::unique_ptr<IProgressView> CreateProgressView() override;
    void ShowWaitCursor(bool on) override;

    // The progress window while it exists, else null.
    const CHeadlessProgressView* LiveProgress() const { return m_progress; }

private:
    const HeadlessOptions& m_options;
    CTranscript& m_transcript;
    const CHeadlessProgressView* m_progress = nullptr;
};
