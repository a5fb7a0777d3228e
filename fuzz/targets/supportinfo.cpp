// The support information file of any content: the values found lie inside what was read, end
// before the line's CR LF, and are the same on every call.
#include <string>
#include <string_view>

#include "tests/unit/support/FuzzCheck.h"
#include "report/SupportInfo.h"
#include "tests/unit/support/MemoryPlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::CMemoryPlatform platform;
    const std::string content = InputText(data, size);
    platform.AddFile("C:\\WORK\\SUPPORT.INF", content);
    CSupportInfo info;
    if (!info.Load()) return 0;
    const std::string_view name = info.GetProductName();
    const std::string_view version = info.GetProductVersion();
    for (const std::string_view value : {name, version})
        FUZZ_CHECK(value.find("\r\n") == std::string_view::npos && content.find(value) != std::string::npos);
    FUZZ_CHECK(info.GetProductName() == name && info.GetProductVersion() == version);
    return 0;
}
