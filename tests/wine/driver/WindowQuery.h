#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Reading another process's windows. Texts go through WM_GETTEXT with a timeout: GetWindowText
// does not ask another process's controls, and a hung program must not hang the driver. Not
// SMTO_ABORTIFHUNG: the program takes no messages for seconds while it aggregates, so Wine calls it
// hung for a moment after its closing box appears.

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
std::vector<HWND> ChildWindowsOf(HWND parent);
std::wstring ClassOf(HWND window);
bool ReadText(HWND window, std::wstring& text);
LONG StyleOf(HWND window);
