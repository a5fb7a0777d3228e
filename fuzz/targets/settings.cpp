// The saved settings file: read and saved against any existing content. Afterwards the file is the
// old one (save refused) or exactly the old one without this user's first line plus the new line at
// the end; no other line is lost and no temporary file stays.
#include <cstring>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "tests/unit/support/FuzzInstallation.h"
#include "editions/Edition.h"
#include "settings/SavedSettings.h"
#include "tests/unit/support/MemoryPlatform.h"

namespace {
const char kInstallation[] = u8R"({ "user": { "id": "U01", "setNo": 1, "dataNo": 3 },
  "appFolders": { "1": "C:\\ENV\\" },
  "dataFiles": [ { "dataId": "D-3", "dataNo": 3, "businessName": "三" } ] })";
const char kFile[] = "C:\\ENV\\LinkBeta.env";
const char kKey[] = "U01/D-3:";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    UseInstallationOnce(kInstallation);
    // Category byte, then the chosen path up to a zero byte, then the old content.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const int category = size > 0 ? static_cast<signed char>(data[0]) : 0;
    const size_t zero = input.find('\0', 1);
    const std::string chosen = size > 1 ? input.substr(1, zero == std::string::npos ? std::string::npos : zero - 1) : "";
    const bool hasOld = zero != std::string::npos;
    const std::string old = hasOld ? input.substr(zero + 1) : std::string();

    testsupport::CMemoryPlatform platform;
    if (hasOld) platform.AddFile(kFile, old);
    CSavedSettings settings(kEditionBeta);
    OutputCategory readCategory;
    std::string readPath;
    if (settings.Read(readCategory, readPath)) {
        FUZZ_CHECK(readPath.size() <= 260);
        FUZZ_CHECK(old.find(kKey + std::string("")) != std::string::npos);
    }
    const bool saved = settings.Save(static_cast<OutputCategory>(category), chosen, 0, 0);
    FUZZ_CHECK(!platform.FileContent(std::string(kFile) + ".tmp"));
    if (!saved) {
        if (hasOld) FUZZ_CHECK(platform.FileContent(kFile).value_or("") == old);
        else FUZZ_CHECK(!platform.FileContent(kFile));
        return 0;
    }
    std::string expected = old;
    // This user's first line goes.
    for (size_t line = 0; line < expected.size();) {
        if (expected.compare(line, std::strlen(kKey), kKey) == 0) {
            const size_t feed = expected.find('\n', line);
            expected.erase(line, feed == std::string::npos ? std::string::npos : feed - line + 1);
            break;
        }
        const size_t feed = expected.find('\n', line);
        if (feed == std::string::npos) break;
        line = feed + 1;
    }
    if (!expected.empty() && expected.back() != '\n') expected += '\n';
    expected += std::string(kKey) + "0/0/" + std::to_string(static_cast<int>(static_cast<OutputCategory>(category))) +
                "/" + chosen + "\n";
    FUZZ_CHECK(platform.FileContent(kFile).value_or("") == expected);
    FUZZ_CHECK(platform.FileContent(kFile).value_or("").size() >= old.size() || old.find(kKey) != std::string::npos);
    return 0;
}
