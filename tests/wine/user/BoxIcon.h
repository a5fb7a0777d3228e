#pragma once
#include "Run.h"

// Which standard icon a message box shows. Another process's icon handle means nothing here, so the
// icon control's pixels are read back from the screen and compared with this process's own drawing
// of each standard icon on the same background.
enum class BoxIcon { None, Warning, Information, Question, Error, Unknown };

const char* BoxIconName(BoxIcon icon);  // warning, information, question, error, none; ? when unknown

// Waits until the box's icon has been painted and matches exactly one standard icon; Unknown when
// it never does.
BoxIcon IdentifyBoxIcon(HWND box, const Run& run);
