#include "DriveTypes.h"

#include <windows.h>

#include "Text.h"

namespace {
const char* TypeName(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return "removable";
    case DRIVE_FIXED: return "fixed";
    case DRIVE_REMOTE: return "remote";
    case DRIVE_CDROM: return "cdrom";
    case DRIVE_RAMDISK: return "ramdisk";
    case DRIVE_NO_ROOT_DIR: return "missing";
    default: return "unknown";
    }
}
}  // namespace

int PrintDriveTypes(const std::wstring& letters) {
    Transcript out;
    for (wchar_t letter : letters) {
        if (!((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z'))) continue;
        const wchar_t root[] = {letter, L':', L'\\', L'\0'};
        out.Line(ToUtf8(std::wstring(root, 2)) + " " + TypeName(::GetDriveTypeW(root)));
    }
    return 0;
}
