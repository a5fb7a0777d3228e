#pragma once
#include <windows.h>

#include <memory>

#include "ui/ProgressView.h"

// The progress window made from resource 131 of `instance`.
std::unique_ptr<IProgressView> CreateWin32ProgressView(HINSTANCE instance);
