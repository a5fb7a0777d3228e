#include "ui/ConditionsPresenter.h"

#include "editions/Edition.h"
#include "host/HostClasses.h"
#include "platform/ShiftJis.h"
#include "platform/WindowsPath.h"

namespace {

std::string HostDataFolder() {
    char folder[kMaxPathBytes + 1] = {};
    if (ClFileMgr::Inst()->GetAppFolderPath(kFolderTypeData, folder, sizeof folder) != 0) return {};
    return std::string(folder, sjis::BoundedLength(folder, sizeof folder));
}

void ShowMessage(IConditionsView& view, const std::string& text, unsigned style) {
    Platform().ShowMessageBox(view.Handle(), text, kAppTitle, style);
}

}  // namespace

CConditionsPresenter::CConditionsPresenter(const StDATAINFO& data, const ConditionsSetup& setup)
    : m_data(data), m_setup(setup) {}

bool CConditionsPresenter::OnInit(IConditionsView& view) {
    if (m_data.dataKind == kPastResultsDataKind) {
        ShowMessage(view, kPastResultsRefusal, kMbOk | kMbIconWarning);
        view.End(kIdCancel);
        return false;
    }
    view.LimitText(IDE_OUTPUT_PATH, kOutputPathLimit);
    const SavedChoice saved = m_setup.readSaved ? m_setup.readSaved() : SavedChoice{};

    view.SetText(IDT_BUSINESS_NAME, std::string(m_data.businessName,
                                                sjis::BoundedLength(m_data.businessName, sizeof m_data.businessName)));
    view.SetText(IDT_PERIOD, PeriodText(m_data.periodFrom, m_data.periodTo));
    view.SetText(IDT_MANUFACTURING, ManufacturingText(m_data.hasManufacturingCost));

    const CategoryOptions options = ChooseCategoryOptions(m_data.businessKind, saved.category);
    for (int i = 0; i < kCategoryOptionCount; ++i) {
        view.Enable(kCategoryOptionIds[i], options.enabled[i]);
        view.SetChecked(kCategoryOptionIds[i], options.selected[i]);
    }

    const OutputPathChoice path =
        ChooseOutputPath(m_setup.fixedPath, saved.path, HostDataFolder, [] { return Platform().TempFolder(); });
    outputPath = path.path;
    if (path.fixed) {
        view.SetText(IDG_OUTPUT, kFixedOutputGroupText);
        view.Enable(IDE_OUTPUT_PATH, false);
        view.Enable(IDB_BROWSE, false);
    }
    view.SetText(IDE_OUTPUT_PATH, outputPath);

    if (UsesCompactLayout(m_data.businessKind)) {
        const CompactLayout layout = PlanCompactLayout([&view](int id) { return view.ControlRect(id); });
        for (const LayoutChange& change : layout.changes) {
            view.MoveControl(change.id, change.rect);
            if (change.remove) {
                view.Hide(change.id);
                view.Enable(change.id, false);
            }
        }
        view.SetText(IDO_GENERAL_REAL_ESTATE, kCompactOptionText);
        view.ShrinkWindow(layout.windowShrink);
    }
    return true;
}

bool CConditionsPresenter::OnKey(IConditionsView& view, const KeyPress& key) {
    switch (DecideKey(key, view.FocusedId(), m_data.businessKind, view.IsEnabled(IDO_GENERAL_REAL_ESTATE))) {
    case KeyAction::FocusNext: view.FocusNext(); return true;
    case KeyAction::Execute: OnExecute(view); return true;
    case KeyAction::SelectGeneralAndRealEstate:
        view.SetChecked(IDO_GENERAL_REAL_ESTATE, true);
        view.SetChecked(IDO_GENERAL, false);
        view.SetChecked(IDO_REAL_ESTATE, false);
        return false;
    case KeyAction::Standard: break;
    }
    return false;
}

void CConditionsPresenter::OnExecute(IConditionsView& view) {
    outputPath = view.Text(IDE_OUTPUT_PATH);
    bool selected[kCategoryOptionCount];
    for (int i = 0; i < kCategoryOptionCount; ++i) selected[i] = view.IsChecked(kCategoryOptionIds[i]);
    outputCategory = CategoryFromSelection(selected);
    if (m_setup.validate(view.Handle(), outputPath, m_setup.fixedPath) == DestinationVerdict::Accepted) {
        view.End(kIdOk);
        return;
    }
    view.FocusAndSelectAll(IDE_OUTPUT_PATH);
}

void CConditionsPresenter::OnCancel(IConditionsView& view) {
    ShowMessage(view, CancelMessage(), kMbOk | kMbIconInformation);
    view.End(kIdCancel);
}

void CConditionsPresenter::OnBrowse(IConditionsView& view) {
    outputPath = view.Text(IDE_OUTPUT_PATH);
    const SaveDialogStart start = SaveDialogStartOf(outputPath);
    std::string chosen;
    if (view.AskSaveFileName(start.initialFolder, start.proposedName, chosen)) {
        outputPath = chosen;
        view.SetText(IDE_OUTPUT_PATH, outputPath);
    }
    view.Focus(kIdOk);
}
