#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/HostRecords.h"
#include "platform/Platform.h"
#include "ui/DestinationValidation.h"
#include "ui/ProgressView.h"

// What the saved settings hold for this user and data file: category 0 and an empty path for none.
struct SavedChoice {
    std::int16_t category = 0;
    std::string path;
};

// Accepts or refuses an output path, its messages owned by `dialog` (ValidateDestination fits).
using DestinationValidator =
    std::function<DestinationVerdict(WindowHandle dialog, const std::string& outputPath, const std::string& fixedPath)>;

struct ConditionsSetup {
    std::string fixedPath;                   // handed over by the host; empty for none
    std::function<SavedChoice()> readSaved;  // called once at opening, after the past-results check
    DestinationValidator validate;           // required; called by Execute
};

// How the conditions dialog ended: Execute, Cancel (also closing it, and the refusal of past-results
// data), or neither: it could not be created or ended some other way.
enum class ConditionsEnd { Executed, Cancelled, Abnormal };

struct ConditionsOutcome {
    ConditionsEnd end = ConditionsEnd::Abnormal;
    std::int16_t category = 0;  // OutputCategory 1..7 when executed
    std::string outputPath;     // empty unless executed
};

// What the run needs from its front end (real windows, or a scripted user). The aggregation pass
// reaches the user only through this and the platform's message boxes.
class IRunUi {
public:
    virtual ~IRunUi() = default;

    // The conditions dialog, modal, owned by `owner` (0 for none).
    virtual ConditionsOutcome RunConditionsDialog(WindowHandle owner, const StDATAINFO& data,
                                                  const ConditionsSetup& setup) = 0;
    // A progress window not yet created (CProgressPresenter drives it).
    virtual std::unique_ptr<IProgressView> CreateProgressView() = 0;
    // The wait cursor while the run works; true again restores it after a message box.
    virtual void ShowWaitCursor(bool on) = 0;
};
