#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

// What the scripted user does, from the scenario's lines (key=value, in order; tests/scenarios/README.md):
// answer=yes|no, cancel=1, progress-screenshot=FILE.bmp, held=PATH and held-readable=PATH; every
// other line is an action in the conditions dialog (category, output, key, browse, layout,
// screenshot=FILE.bmp), done in order. An answer or action the scenario does not give means No or
// Cancel, as in link-headless, so that every run ends.
struct Script {
    std::deque<bool> answers;
    std::vector<std::pair<std::wstring, std::wstring>> actions;  // key, value
    bool cancel = false;
    std::wstring progressPicture;
    // Held open for the whole run, sharing nothing (an editor's lock) or, when readable, reading and
    // writing but not deleting (a reader): the file can then be read and written, not replaced.
    std::vector<std::pair<std::wstring, bool>> held;  // path, readable

    void Add(const std::wstring& line);
    bool NextAnswer();  // No when the script has no answer left
};
