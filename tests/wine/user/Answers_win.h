#pragma once
#include "Run_win.h"

// The windows the program shows, each recognized by its class and controls and answered as the
// scenario's user would; false when the user could not do its part.

// The conditions dialog (resource 130). Once it first waits, the user prints what it shows
// (CONDITIONS, OPTIONS, OPTION 1012, OUTPUT, as link-headless does), does the script's actions in
// order (after a key or Browse printing FOCUS, OPTIONS and OUTPUT once the dialog waits again) and
// presses Execute, or Cancel when the script cancels. While a window of the dialog's own is up it
// only watches; when the dialog waits again and the user has nothing left, it presses Cancel.
bool IsConditionsDialog(HWND window);
bool WorkConditionsDialog(HWND dialog, Run& run);

// A message box (caption, the text of static 0xFFFF, its visible buttons): an OK box is printed with
// its icon (MESSAGE) and confirmed, a Yes/No box takes the script's next answer (QUESTION), any other
// is printed as UNEXPECTED-BOX, so that the run fails, and closed. A box of the progress window comes
// after the PROGRESS line of that window as it stands (and its picture when the script asks for one).
bool IsMessageBox(HWND window);
bool AnswerMessageBox(HWND box, Run& run);

// The save-file dialog that Browse opens. Once it waits, the user prints "BROWSE title=<title>
// name=<proposed name> type=<file type shown>", types the name Browse was clicked for and confirms;
// a box it then shows is answered like any other; if it waits again, the user cancels it.
bool IsSaveFileDialog(HWND window);
bool AnswerSaveFileDialog(HWND dialog, Run& run);
