#pragma once
#include "Run_win.h"

// Which standard icon a message box shows: warning, information, question, error or none; ? when
// its picture never matches exactly one of them. Another process's icon handle means nothing here,
// so the icon control's pixels are read back from the screen, once painted, and compared with this
// process's own drawing of each standard icon on the same background.
const char* IdentifyBoxIcon(HWND box, const Run& run);
