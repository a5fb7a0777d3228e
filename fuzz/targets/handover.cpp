// The command-line hand-over: "window,message,function,path" of any bytes.
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "app/HostHandover.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string commandLine = InputText(data, size, true);
    HostHandover handover;
    const bool parsed = ParseHostHandover(commandLine.c_str(), handover);
    size_t third = commandLine.find(',');
    for (int comma = 1; comma < 3 && third != std::string::npos; ++comma) third = commandLine.find(',', third + 1);
    FUZZ_CHECK(parsed == (third != std::string::npos));
    if (parsed) FUZZ_CHECK(handover.fixedOutputPath == commandLine.substr(third + 1));
    // The number reader on the raw bytes, embedded zeros included, never reads past `size`.
    ReadDecimal(reinterpret_cast<const char*>(data), size);
    return 0;
}
