// Entry point of LinkAlpha.exe, LinkBeta.exe and LinkGamma.exe; each program is built with its own
// LINK_PROGRAM_EDITION. It plays the framework's part: start-up routine, then exit routine, no loop.
#include <windows.h>
#include <commctrl.h>

#include "app/LinkApp.h"
#include "platform/Win32Platform_win.h"
#include "ui/Win32RunUi_win.h"

#ifndef LINK_PROGRAM_EDITION
#error "each program is built with its edition"
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    CWin32Platform platform;
    SetPlatform(&platform);
    CWin32RunUi ui(instance);
    CLinkApp app(LINK_PROGRAM_EDITION, ui);
    app.InitInstance(commandLine);
    return app.ExitInstance();
}
