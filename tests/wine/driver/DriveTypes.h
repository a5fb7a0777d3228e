#pragma once
#include <string>

// Prints "X: type" for each letter of `letters` (type as the installation file names it: fixed,
// removable, remote, cdrom, ramdisk; missing for no drive). The runner checks its Wine prefix with it.
int PrintDriveTypes(const std::wstring& letters);
