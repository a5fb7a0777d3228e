#pragma once
#include "Run.h"

// The system's save-file dialog that Browse opens. Once it waits for the user, the user prints
// "BROWSE title=<title> name=<proposed name> type=<file type shown>", types the name Browse was
// clicked for and confirms. A box the dialog shows then is answered like every other box; if the
// dialog waits again afterwards, the user has no other name to offer and cancels it.
bool IsSaveFileDialog(HWND window);
bool AnswerSaveFileDialog(HWND dialog, Run& run);
