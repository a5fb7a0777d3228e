#pragma once
#include "Run.h"

// A message box: caption, the text of static 0xFFFF and its visible buttons. An OK box is printed
// with its icon (MESSAGE) and confirmed; a Yes/No box takes the script's next answer (QUESTION); any
// other kind is printed as UNEXPECTED-BOX, so that the run fails, and closed. A box of the progress
// window is preceded by the PROGRESS line of that window as it stands (and its picture when the
// script asks for one).
bool IsMessageBox(HWND window);
bool AnswerMessageBox(HWND box, Run& run);
