#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "host/HostRecords.h"
#include "platform/Platform.h"

// What the host hands over on the command line: "window,message,function,path".
struct HostHandover {
    // Set whenever the command line carries a hand-over, a window number of 0 included: the host's
    // window then owns the run's windows and is told the result.
    std::optional<WindowHandle> hostWindow;
    std::uint32_t notifyMessage = 0;
    std::int16_t functionId = kDefaultFunctionId;
    std::string fixedOutputPath;
};

constexpr std::size_t kMaxCommandLineBytes = 259;
constexpr std::size_t kMaxHandoverPathBytes = 260;

// True when the command line carries all three commas. Fields that are not numbers read as 0;
// the function identifier is kept in 16 bits; the path is everything after the third comma.
bool ParseHostHandover(const char* commandLine, HostHandover& handover);

// Reads a decimal number as the C runtime's atoi does: leading blanks, optional sign, digits up to
// the first non-digit, 0 without digits; values beyond 32 bits saturate as the runtime's do.
std::int32_t ReadDecimal(const char* text, std::size_t length);
