#pragma once
#include <cstdint>
#include <string>

#include "host/HostRecords.h"
#include "ui/ConditionsView.h"
#include "ui/RunUi.h"

// The conditions dialog's behaviour over its view: opening, keys, Execute, Cancel and Browse.
// The view calls these from its own events; the results are the public fields.
class CConditionsPresenter {
public:
    CConditionsPresenter(const StDATAINFO& data, const ConditionsSetup& setup);

    // False when the dialog ended at once (past-results data).
    bool OnInit(IConditionsView& view);
    // A key going down, before the dialog manager sees it; true when it is consumed.
    bool OnKey(IConditionsView& view, const KeyPress& key);
    void OnExecute(IConditionsView& view);
    void OnCancel(IConditionsView& view);
    void OnBrowse(IConditionsView& view);

    std::int16_t outputCategory = 0;  // set by Execute
    std::string outputPath;

private:
    const StDATAINFO& m_data;
    const ConditionsSetup m_setup;
};
