#pragma once
#include <windows.h>

#include <string>

#include "RunContext.h"

// The system's save-file dialog of the program: a visible top-level #32770 titled `title`.
HWND FindSaveFileDialog(RunContext& context, const std::wstring& title);

// Prints "BROWSE title=<title> name=<proposed name> type=<file type shown>", types `name` into the
// file-name field and confirms. A box the save-file dialog shows then is printed and answered like
// every other box; if the dialog is still open afterwards it is cancelled. False (with the reason
// on standard error) when the driver could not do its part.
bool AnswerSaveFileDialog(HWND dialog, const std::wstring& name, RunContext& context);
