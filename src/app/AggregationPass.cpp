#include "app/AggregationPass.h"

#include <memory>
#include <optional>

#include "aggregation/AssetExtractor.h"
#include "aggregation/OutputRecordBuilder.h"
#include "editions/Edition.h"
#include "platform/Platform.h"
#include "report/ReportWriter.h"
#include "settings/SavedSettings.h"
#include "ui/DestinationValidation.h"
#include "ui/ProgressPresenter.h"

namespace {

constexpr char kFailureMessage[] = "XMLファイルの出力に失敗しました。\n\nアプリケーションを終了します。";
constexpr char kSuccessMessage[] = "減価償却の集計結果を正常に出力しました。";

}  // namespace

RunResult RunAggregationPass(const AggregationInput& input) {
    const std::optional<WindowHandle>& hostWindow = input.handover.hostWindow;
    CSavedSettings settings(input.edition);
    ConditionsSetup setup;
    setup.fixedPath = input.handover.fixedOutputPath;
    setup.readSaved = [&settings] {
        OutputCategory category = static_cast<OutputCategory>(0);
        SavedChoice saved;
        settings.Read(category, saved.path);
        saved.category = category;
        return saved;
    };
    setup.validate = ValidateDestination;
    const ConditionsOutcome conditions = input.ui.RunConditionsDialog(hostWindow.value_or(0), input.data, setup);
    if (conditions.end == ConditionsEnd::Cancelled) return Cancelled;
    // Any other ending goes on: with no confirmed path the report cannot be written, so the run ends
    // with the failure message instead of passing for a cancel the user never chose.
    const auto category = static_cast<OutputCategory>(conditions.category);

    auto progress = std::make_unique<CProgressPresenter>(input.ui.CreateProgressView());
    progress->Create();
    if (hostWindow) progress->SetParent(*hostWindow);
    progress->Show();
    input.ui.ShowWaitCursor(true);
    progress->Initialise();

    RunResult result = Success;
    CAssetList assets;
    COutputRecordList records;
    auto extractor = std::make_unique<CAssetExtractor>();
    if (!extractor->Extract(assets, input.data, category)) result = Failed;
    if (result == Success) progress->Advance(kProgressBands.extraction);
    if (result == Success && !COutputRecordBuilder().Build(assets, records, input.data)) result = Failed;
    if (result == Success) progress->Advance(kProgressBands.records);

    auto writer = std::make_unique<CReportWriter>(*progress, records, input.edition);
    if (result == Success && !writer->WriteReport(conditions.outputPath, input.handover.functionId, input.data)) {
        result = Failed;
    }

    if (result != Success) {
        Platform().ShowMessageBox(progress->Handle(), kFailureMessage, kAppTitle, kMbOk | kMbIconWarning);
    } else {
        progress->Advance(kProgressBands.closing);
        Platform().ShowMessageBox(progress->Handle(), kSuccessMessage, kAppTitle, kMbOk | kMbIconInformation);
        // In host-window mode the host fixed the path, so only the category is remembered.
        const std::optional<std::string> path =
            hostWindow ? std::nullopt : std::optional<std::string>(conditions.outputPath);
        settings.Save(category, path);
    }

    progress->End();
    input.ui.ShowWaitCursor(true);
    writer.reset();
    extractor.reset();  // releases the host's rule object
    input.ui.ShowWaitCursor(false);
    progress.reset();
    return result;
}
