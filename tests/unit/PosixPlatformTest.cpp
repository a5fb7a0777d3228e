#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/PosixPlatform.h"

// What the scenarios cannot set up: a read-only file on a writable drive (they run every other line
// this test once ran).
namespace {

class CTestPlatform : public CPosixPlatform {
public:
    using CPosixPlatform::CPosixPlatform;
    int ShowMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) override { return kIdOk; }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    std::string ToFullWidth(const std::string& text) override { return text; }
};

TEST(PosixPlatformTest, ReadOnlyFileIsNotWritableEvenForRoot) {
    char folder[] = "/tmp/posix-platform-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string root = folder;
    CPosixMachine machine;
    machine.drives['C'] = {DriveKind::Fixed, root + "/"};
    CTestPlatform platform(machine, "LinkAlpha");
    for (const char* name : {"/readonly.txt", "/writable.txt"}) {
        std::FILE* file = std::fopen((root + name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    ASSERT_EQ(chmod((root + "/readonly.txt").c_str(), 0444), 0);
    EXPECT_FALSE(platform.CanReadWrite("C:\\readonly.txt"));   // access() alone would allow root
    EXPECT_TRUE(platform.CanReadWrite("C:\\writable.txt"));
    std::system(("rm -rf '" + root + "'").c_str());
}

}  // namespace
