#pragma once
#include "Run.h"

// The windows the program shows, each recognized by its class and controls and answered as the
// scenario's user would. Each answer is false when the user could not do its part.

// The conditions dialog (resource 130). When it first waits for the user, the user prints what it
// shows (CONDITIONS, OPTIONS, OPTION 1012, OUTPUT: the lines link-headless prints), then does the
// script's actions in order and presses Execute (or Cancel when the script cancels). After a key or
// Browse it prints FOCUS, OPTIONS and OUTPUT once the dialog waits again. While a window of the
// dialog's own is up it only watches; when the dialog waits again and the user has nothing left, it
// presses Cancel, so that every run ends.
bool IsConditionsDialog(HWND window);
bool WorkConditionsDialog(HWND dialog, Run& run);

// A message box: caption, the text of static 0xFFFF and its visible buttons. An OK box is printed
// with its icon (MESSAGE) and confirmed; a Yes/No box takes the script's next answer (QUESTION); any
// other kind is printed as UNEXPECTED-BOX, so that the run fails, and closed. A box of the progress
// window is preceded by the PROGRESS line of that window as it stands (and its picture when the
// script asks for one).
bool IsMessageBox(HWND window);
bool AnswerMessageBox(HWND box, Run& run);

// The system's save-file dialog that Browse opens. Once it waits for the user, the user prints
// "BROWSE title=<title> name=<proposed name> type=<file type shown>", types the name Browse was
// clicked for and confirms. A box the dialog shows then is answered like every other box; if the
// dialog waits again afterwards, the user has no other name to offer and cancels it.
bool IsSaveFileDialog(HWND window);
bool AnswerSaveFileDialog(HWND dialog, Run& run);
