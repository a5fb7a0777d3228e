#pragma once
#include <deque>
#include <string>
#include <vector>

// One thing the scripted user does in the conditions dialog, in the order the scenario gives them.
struct DialogAction {
    enum class Kind {
        Category,    // click the option of value `number` when it is enabled and visible
        Output,      // put `text` into the path edit when it is enabled
        Key,         // press the key chord named `text` as real keyboard input
        Browse,      // click the browse button, type `text` as the file name and confirm
        Layout,      // print the rectangles of the compact layout
        Screenshot,  // save the dialog as a bitmap to the Windows path `text`
    };
    Kind kind;
    int number = 0;
    std::wstring text;
};

// What the scripted user does, in the order the scenario gives it. Dialog handlers take their
// actions from here; an action that is not there means the user presses No or Cancel, as in
// link-headless, so that every run ends.
struct ScriptedUser {
    std::deque<bool> answers;            // Yes/No questions, in order
    std::vector<DialogAction> actions;   // conditions dialog, in order
    bool cancel = false;                 // press Cancel instead of Execute
    std::wstring progressScreenshot;     // not empty: bitmap of the progress window at its closing message

    bool NextAnswer() {
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};
