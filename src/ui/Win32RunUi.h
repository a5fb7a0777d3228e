#pragma once
#include <windows.h>

#include "ui/RunUi.h"

// The run's windows: real dialogs made from the program's resources.
class CWin32RunUi : public IRunUi {
public:
    explicit CWin32RunUi(HINSTANCE instance) : m_instance(instance) {}

private:
    HINSTANCE m_instance;
};
