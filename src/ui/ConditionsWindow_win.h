#pragma once
#include <windows.h>

#include "host/HostRecords.h"
#include "ui/RunUi.h"

// The conditions dialog of resource 130 of `instance`, run modally over `owner` (null for none).
ConditionsOutcome RunWin32ConditionsDialog(HINSTANCE instance, HWND owner, const StDATAINFO& data,
                                           const ConditionsSetup& setup);
