#pragma once
#include <deque>
#include <string>

// What the scripted user does, in the order the scenario gives it. Dialog handlers take their
// actions from here; an action that is not there means the user presses No or Cancel, as in
// link-headless, so that every run ends.
struct ScriptedUser {
    std::deque<bool> answers;       // Yes/No questions, in order
    int category = 0;               // conditions dialog option to choose; 0: leave as shown
    bool hasOutput = false;
    std::wstring output;            // path to type into the conditions dialog
    bool cancel = false;            // press Cancel instead of Execute

    bool NextAnswer() {
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};
