// The command-line hand-over: "window,message,function,path" of any bytes.
#include <cstring>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "app/HostHandover.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string commandLine = text.substr(0, text.find('\0'));
    CHostHandover handover;
    const bool parsed = ParseHostHandover(commandLine.c_str(), handover);
    size_t commas = 0;
    size_t third = std::string::npos;
    for (size_t i = 0; i < commandLine.size() && commas < 3; ++i)
        if (commandLine[i] == ',' && ++commas == 3) third = i;
    FUZZ_CHECK(parsed == (commas == 3));
    if (parsed) FUZZ_CHECK(handover.fixedOutputPath == commandLine.substr(third + 1));
    // The number reader on the raw bytes, embedded zeros included, never reads past `size`.
    ReadDecimal(reinterpret_cast<const char*>(data), size);
    return 0;
}
