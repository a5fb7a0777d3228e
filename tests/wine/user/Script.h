#pragma once
#include <deque>
#include <string>
#include <utility>
#include <vector>

// What the scripted user does, read from the runner's file of the scenario's lines (UTF-8, key=value,
// in the scenario's order; tests/scenarios/README.md): answer=yes|no; the conditions dialog's
// category, output, key, browse, layout and screenshot=dialog:WINPATH.bmp, in order; cancel=1;
// screenshot=progress:WINPATH.bmp; held=WINPATH and held-readable=WINPATH. An answer or action the
// file does not give means No or Cancel, as in link-headless, so that every run ends.
struct DialogAction {
    std::wstring key;  // category, output, key, browse, layout or screenshot (its file)
    std::wstring value;
};

struct Script {
    std::deque<bool> answers;
    std::vector<DialogAction> actions;
    bool cancel = false;
    std::wstring progressPicture;
    // Held open by the user for the whole run: sharing nothing (an editor's lock), or when readable
    // sharing reading and writing but not deleting (a reader): the file can then not be replaced.
    std::vector<std::pair<std::wstring, bool>> held;  // path, readable

    bool NextAnswer();  // No when the script has no answer left
};

// False (with the reason in `error`) when the file cannot be read or holds a line the user cannot do.
bool ReadScript(const wchar_t* file, Script& script, std::string& error);
