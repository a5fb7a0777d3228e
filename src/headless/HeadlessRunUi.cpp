#include "headless/HeadlessRunUi.h"

#include "headless/HeadlessConditionsView.h"
#include "platform/ShiftJis.h"
#include "ui/ConditionsDecisions.h"
#include "ui/ConditionsPresenter.h"

namespace {

std::string OptionState(CHeadlessConditionsView& view, int id) {
    if (!view.IsVisible(id)) return "hidden";
    std::string state = view.IsEnabled(id) ? "enabled" : "disabled";
    return state + (view.IsChecked(id) ? "+checked" : "");
}

// What the user sees of the dialog once it is open.
void ShowDialog(CTranscript& transcript, CHeadlessConditionsView& view) {
    transcript.Line("CONDITIONS business=" + Cp932ToUtf8(view.Text(IDT_BUSINESS_NAME)) + " period=" +
                    Cp932ToUtf8(view.Text(IDT_PERIOD)) + " manufacturing=" + Cp932ToUtf8(view.Text(IDT_MANUFACTURING)));
    std::string options = "OPTIONS";
    for (int id : kCategoryOptionIds) {
        options += " " + std::to_string(id) + "=" + OptionState(view, id);
    }
    transcript.Line(options);
    if (view.IsVisible(IDO_GENERAL_REAL_ESTATE)) {
        transcript.Line("OPTION 1012 " + Cp932ToUtf8(view.Text(IDO_GENERAL_REAL_ESTATE)));
    }
    transcript.Line("OUTPUT group=" + Cp932ToUtf8(view.Text(IDG_OUTPUT)) +
                    " edit=" + (view.IsEnabled(IDE_OUTPUT_PATH) ? "enabled" : "disabled") +
                    " browse=" + (view.IsEnabled(IDB_BROWSE) ? "enabled" : "disabled") +
                    " path=" + Cp932ToUtf8(view.Text(IDE_OUTPUT_PATH)));
}

}  // namespace

ConditionsOutcome CHeadlessRunUi::RunConditionsDialog(WindowHandle, const StDATAINFO& data,
                                                      const ConditionsSetup& setup) {
    CHeadlessConditionsView view;
    CConditionsPresenter dialog(data, setup);
    if (!dialog.OnInit(view)) {
        return {view.EndResult() == kIdCancel ? ConditionsEnd::Cancelled : ConditionsEnd::Abnormal, 0, {}};
    }
    ShowDialog(m_transcript, view);

    if (m_options.category >= 1 && m_options.category <= kCategoryOptionCount) {
        const int chosen = kCategoryOptionIds[m_options.category - 1];
        if (view.IsEnabled(chosen) && view.IsVisible(chosen)) {
            for (int id : kCategoryOptionIds) view.SetChecked(id, id == chosen);
        }
    }
    if (m_options.hasOutput && view.IsEnabled(IDE_OUTPUT_PATH)) {
        // The edit takes no more than its limit, cut as the control would.
        const std::string& typed = m_options.output;
        view.SetText(IDE_OUTPUT_PATH, typed.substr(0, sjis::CutLength(typed.data(), typed.size(), kOutputPathLimit)));
    }
    if (m_options.cancel) {
        dialog.OnCancel(view);
    } else {
        dialog.OnExecute(view);
        if (!view.Ended()) dialog.OnCancel(view);
    }
    if (view.EndResult() == kIdCancel) return {ConditionsEnd::Cancelled, 0, {}};
    if (view.EndResult() != kIdOk) return {ConditionsEnd::Abnormal, 0, {}};
    return {ConditionsEnd::Executed, dialog.outputCategory, dialog.outputPath};
}

std::unique_ptr<IProgressView> CHeadlessRunUi::CreateProgressView() {
    return std::make_unique<CHeadlessProgressView>(&m_progress);
}

void CHeadlessRunUi::ShowWaitCursor(bool) {}
