#include "app/AggregationPass.h"

#include <memory>
#include <optional>

#include "aggregation/AssetExtractor.h"
#include "app/LinkApp.h"
#include "editions/Edition.h"
#include "platform/Platform.h"
#include "report/ReportWriter.h"
#include "settings/SavedSettings.h"
#include "ui/DestinationValidation.h"
#include "ui/ProgressDialog.h"

namespace {

constexpr char kFailureMessage[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
constexpr char kSuccessMessage[] = "減価償却の集計結果を正常に出力しました。";

}  // namespace

void RunAggregationPass(CLinkApp& app) {
    CSavedSettings settings(app.edition);
    ConditionsSetup setup;
    setup.fixedPath = app.handover.fixedOutputPath;
    setup.readSaved = [&settings] {
        OutputCategory category = static_cast<OutputCategory>(0);
        SavedChoice saved;
        settings.Read(category, saved.path);
        saved.category = category;
        return saved;
    };
    setup.validate = ValidateDestination;
    const ConditionsOutcome conditions = app.ui.RunConditionsDialog(app.hostWindowObject, app.selectedData, setup);
    if (conditions.end == ConditionsEnd::Cancelled) {
        app.result = Cancelled;
        return;
    }
    // Any other ending goes on: with no confirmed path the report cannot be written, so the run ends
    // with the failure message instead of passing for a cancel the user never chose.
    const auto category = static_cast<OutputCategory>(conditions.category);

    auto progress = std::make_unique<CProgressDialog>(app.ui.CreateProgressView());
    progress->Create();
    if (app.hostWindowMode) progress->SetParent(app.hostWindowObject);
    progress->Show();
    app.ui.ShowWaitCursor(true);
    progress->Initialise();

    auto extractor = std::make_unique<CAssetExtractor>();
    if (app.result == Success && !extractor->Extract(app.assets, app.selectedData, category)) app.result = Failed;
    if (app.result == Success) progress->Advance(kProgressBands.extraction);
    if (app.result == Success && !extractor->BuildOutputRecords(app.assets, app.records, app.selectedData)) {
        app.result = Failed;
    }
    if (app.result == Success) progress->Advance(kProgressBands.records);

    auto writer = std::make_unique<CReportWriter>(*progress, app.records, app.edition);
    if (app.result == Success &&
        !writer->WriteReport(conditions.outputPath, app.handover.functionId, app.selectedData)) {
        app.result = Failed;
    }

    if (app.result != Success) {
        Platform().ShowMessageBox(progress->Handle(), kFailureMessage, kAppTitle, kMbOk | kMbIconWarning);
    } else {
        progress->Advance(kProgressBands.closing);
        Platform().ShowMessageBox(progress->Handle(), kSuccessMessage, kAppTitle, kMbOk | kMbIconInformation);
        // In host-window mode the host fixed the path, so only the category is remembered.
        const std::optional<std::string> path =
            app.hostWindowMode ? std::nullopt : std::optional<std::string>(conditions.outputPath);
        settings.Save(category, path);
    }

    progress->End();
    app.ui.ShowWaitCursor(true);
    writer.reset();
    extractor.reset();  // releases the host's rule object
    app.ui.ShowWaitCursor(false);
    progress.reset();
}
