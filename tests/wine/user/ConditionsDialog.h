#pragma once
#include "Run.h"

// The conditions dialog (resource 130). When it first waits for the user, the user prints what it
// shows (CONDITIONS, OPTIONS, OPTION 1012, OUTPUT: the lines link-headless prints), then does the
// script's actions in order and presses Execute (or Cancel when the script cancels). After a key or
// Browse it prints FOCUS, OPTIONS and OUTPUT once the dialog waits again. While a window of the
// dialog's own is up it only watches; when the dialog waits again and the user has nothing left, it
// presses Cancel, so that every run ends. False when the user could not do its part.
bool IsConditionsDialog(HWND window);
bool WorkConditionsDialog(HWND dialog, Run& run);
