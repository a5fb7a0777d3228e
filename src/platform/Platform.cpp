#include "platform/Platform.h"

#include <cstdlib>

namespace {
CPlatform* g_platform = nullptr;
}

CPlatform& Platform() {
    if (!g_platform) std::abort();  // a program that forgot to install its platform is a build fault
    return *g_platform;
}

void SetPlatform(CPlatform* platform) { g_platform = platform; }
