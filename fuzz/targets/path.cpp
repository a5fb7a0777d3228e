// The path functions, HasOnlyValidCharacters, HasValidDrive and CreateFolderChain on any Shift_JIS
// byte string: every part is a cut of the path at a whole character, the parts join back to the
// path, and folder creation never removes a folder that existed before.
#include <set>
#include <string>

#include "platform/WindowsPath.h"
#include "tests/unit/support/FuzzCheck.h"
#include "tests/unit/support/MemoryPlatform.h"
#include "ui/DestinationValidation.h"

namespace {
// C: (fixed) and D: (CD-ROM) hold C:\A\B; making a folder fails where the input's mask says.
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

// The first byte is the mask of failing folder creations, the rest the path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFolderPlatform platform;
    platform.failMask = size > 0 ? data[0] : 0;
    const std::string path = size > 0 ? InputText(data + 1, size - 1, true) : "";

    const std::string folder = FolderOf(path);
    FUZZ_CHECK(WholePrefix(folder, path));
    if (!folder.empty()) FUZZ_CHECK(folder + FileNameOf(path) == path);
    const std::string drive = DriveOf(path);
    FUZZ_CHECK(WholePrefix(drive, path) && drive + AfterDrive(path) == path);

    // A text that already ends in a backslash is accepted as it is, whatever its length; only an
    // appended backslash must stay within the limit.
    std::string withBackslash = path;
    const bool ensured = EnsureTrailingBackslash(withBackslash, kMaxPathBytes + 1);
    FUZZ_CHECK(withBackslash == path ||
               (ensured && withBackslash == path + '\\' && withBackslash.size() <= kMaxPathBytes));

    std::string driveAndFolder;
    if (DriveAndFolderOf(path, driveAndFolder)) FUZZ_CHECK(path.size() <= kMaxPathBytes && !driveAndFolder.empty());
    HasOnlyValidCharacters(path);
    HasValidDrive(path);

    // A folder that was there before is never removed (RemoveFolder above); a chain not made is rolled
    // back as far as removal works, which here is all of it.
    platform.before = platform.Folders();
    if (!CreateFolderChain(path)) FUZZ_CHECK(platform.Folders() == platform.before);
    return 0;
}
