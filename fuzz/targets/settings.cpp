// The saved settings file: read and saved against any existing content. Afterwards the file is the
// old one (save refused) or exactly the old one without this user's first line plus the new line at
// the end; no temporary file stays.
#include <optional>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "tests/unit/support/FuzzInstallation.h"
#include "editions/Edition.h"
#include "settings/SavedSettings.h"
#include "tests/unit/support/MemoryPlatform.h"

namespace {
const char kFile[] = "C:\\ENV\\LinkBeta.env";
const std::string kKey = "U01/D-3:";
}  // namespace

// A category byte, then the chosen path up to a zero byte, then the old content (no file without
// that zero byte).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseFuzzInstallation();
    const int category = size > 0 ? static_cast<signed char>(data[0]) : 0;
    const std::string rest = size > 0 ? InputText(data + 1, size - 1) : "";
    const size_t zero = rest.find('\0');
    const std::string chosen = rest.substr(0, zero);
    const std::optional<std::string> old =
        zero == std::string::npos ? std::nullopt : std::optional<std::string>(rest.substr(zero + 1));

    testsupport::CMemoryPlatform platform;
    if (old) platform.AddFile(kFile, *old);
    CSavedSettings settings(kEditionBeta);
    OutputCategory readCategory;
    std::string readPath;
    if (settings.Read(readCategory, readPath))
        FUZZ_CHECK(readPath.size() <= 260 && old.value_or("").find(kKey) != std::string::npos);
    const bool saved = settings.Save(static_cast<OutputCategory>(category), chosen);
    FUZZ_CHECK(!platform.FileContent(std::string(kFile) + ".tmp"));

    // The old lines without this user's first one, then the new line. A line feed in front makes every
    // line, the first too, one that follows a line feed.
    std::string expected = '\n' + old.value_or("");
    const size_t line = expected.find('\n' + kKey);
    if (line != std::string::npos) expected.erase(line + 1, expected.find('\n', line + 1) - line);
    expected.erase(0, 1);
    if (!expected.empty() && expected.back() != '\n') expected += '\n';
    expected +=
        kKey + "0/0/" + std::to_string(static_cast<int>(static_cast<OutputCategory>(category))) + "/" + chosen + "\n";
    FUZZ_CHECK(platform.FileContent(kFile) == (saved ? expected : old));
    return 0;
}
