#pragma once

class CLinkApp;

// The working half of the run: conditions, extraction, records, report, closing message and saved
// settings. Leaves its outcome in the application's result.
void RunAggregationPass(CLinkApp& app);
