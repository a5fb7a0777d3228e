#pragma once
#include "platform/AppTitle.h"

inline constexpr const char kDefinitionFileName[] = "FilvaneDef.ini";
