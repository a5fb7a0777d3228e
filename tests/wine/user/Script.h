#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

// What the scripted user does, from the runner's file of the scenario's lines (UTF-8, key=value, in
// order; tests/scenarios/README.md): answer=yes|no, cancel=1, progress-screenshot=FILE.bmp, held=PATH
// and held-readable=PATH; every other line is an action in the conditions dialog (category, output,
// key, browse, layout, screenshot=FILE.bmp), done in order. An answer or action the file does not
// give means No or Cancel, as in link-headless, so that every run ends.
struct Script {
    std::deque<bool> answers;
    std::vector<std::pair<std::wstring, std::wstring>> actions;  // key, value
    bool cancel = false;
    std::wstring progressPicture;
    // Held open for the whole run, sharing nothing (an editor's lock) or, when readable, reading and
    // writing but not deleting (a reader): the file can then be read and written, not replaced.
    std::vector<std::pair<std::wstring, bool>> held;  // path, readable

    bool NextAnswer();               // No when the script has no answer left
    bool Read(const wchar_t* file);  // false when the file cannot be read
};
