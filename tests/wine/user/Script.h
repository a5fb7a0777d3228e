#pragma once
#include <deque>
#include <string>
#include <vector>

// What the scripted user does, read from a file of the scenario's lines (UTF-8, key=value, in the
// scenario's order):
//   answer=yes|no                        the next Yes/No question
//   category=N | output=WINPATH | key=CHORD | browse=NAME | layout=1 | screenshot=dialog:WINPATH.bmp
//                                        the conditions dialog, in order
//   cancel=1                             press Cancel instead of Execute
//   screenshot=progress:WINPATH.bmp      the progress window when its closing message shows
//   held=WINPATH | held-readable=WINPATH another program holds the file open for the whole run
// An answer or action the file does not give means No or Cancel, as in link-headless, so that
// every run ends.
struct DialogAction {
    std::wstring key;  // category, output, key, browse, layout or screenshot (of the dialog)
    std::wstring value;
};

struct HeldFile {
    std::wstring path;
    // No sharing at all (an editor's lock), or reading and writing shared but not deleting (a reader
    // such as another user's copy of the program): the file stays readable but cannot be replaced.
    bool readable;
};

struct Script {
    std::deque<bool> answers;
    std::vector<DialogAction> actions;
    bool cancel = false;
    std::wstring progressPicture;
    std::vector<HeldFile> held;

    bool NextAnswer();
};

// False (with the reason in `error`) when the file cannot be read or holds a line the user cannot do.
bool ReadScript(const std::wstring& file, Script& script, std::string& error);
