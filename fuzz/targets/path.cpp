// The path functions, HasOnlyValidCharacters, HasValidDrive and CreateFolderChain on any Shift_JIS
// byte string: every part is a cut of the path at a whole character, the parts join back to the
// path, and folder creation never removes a folder that existed before.
#include <algorithm>
#include <set>
#include <string>

#include "tests/unit/support/FuzzCheck.h"
#include "platform/ShiftJis.h"
#include "tests/unit/support/MemoryPlatform.h"
#include "ui/DestinationValidation.h"
#include "ui/PathFunctions.h"

namespace {
// C: (fixed) and D: (CD-ROM) hold C:\A\B; making a folder fails where the input's mask says, and a
// folder that was there before is never removed.
class CFolderPlatform : public testsupport::CMemoryPlatform {
public:
    unsigned char failMask = 0;
    int makes = 0;
    std::set<std::string> before;

    CFolderPlatform() {
        MapDrive('D', DriveKind::CdRom);
        AddFolder("C:\\A\\B");
    }
    bool MakeFolder(const std::string& path) override {
        return !((failMask >> (makes++ % 8)) & 1) && CMemoryPlatform::MakeFolder(path);
    }
    bool RemoveFolder(const std::string& path) override {
        FUZZ_CHECK(!before.count(Key(path)));
        return CMemoryPlatform::RemoveFolder(path);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFolderPlatform platform;
    platform.failMask = size > 0 ? data[0] : 0;
    std::string path(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    path = path.substr(0, path.find('\0'));

    const std::string folder = FolderOf(path);
    const std::string name = FileNameOf(path);
    FUZZ_CHECK(path.compare(0, folder.size(), folder) == 0);
    FUZZ_CHECK(CutsWhole(path, folder.size()));
    if (!folder.empty()) FUZZ_CHECK(folder + name == path);
    const std::string drive = DriveOf(path);
    FUZZ_CHECK(drive + AfterDrive(path) == path);
    FUZZ_CHECK(CutsWhole(path, drive.size()));

    // A text that already ends in a backslash is accepted as it is, whatever its length; only an
    // appended backslash must stay within the limit.
    std::string withBackslash = path;
    const bool ensured = EnsureTrailingBackslash(withBackslash, kMaxPathBytes + 1);
    FUZZ_CHECK(withBackslash.compare(0, path.size(), path) == 0);
    if (withBackslash.size() != path.size()) {
        FUZZ_CHECK(ensured && withBackslash.size() == path.size() + 1 && withBackslash.size() <= kMaxPathBytes);
    }

    std::string driveAndFolder;
    if (DriveAndFolderOf(path, driveAndFolder)) {
        FUZZ_CHECK(path.size() <= kMaxPathBytes);
        FUZZ_CHECK(!driveAndFolder.empty());
    }
    HasOnlyValidCharacters(path);
    HasValidDrive(path);

    platform.before = platform.Folders();
    const bool created = CreateFolderChain(path);
    // Whatever happened, every folder that existed before still does.
    const std::set<std::string> after = platform.Folders();
    for (const std::string& old : platform.before) FUZZ_CHECK(after.count(old));
    if (!created) {
        // Rolled back as far as possible: nothing new is left when removal works.
        FUZZ_CHECK(std::includes(platform.before.begin(), platform.before.end(), after.begin(), after.end()));
    }
    return 0;
}
