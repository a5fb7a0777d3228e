#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/PosixPlatform.h"

// Windows paths here are plain literals, so code page 932 bytes; host paths are u8 literals.
namespace {

class CTestPlatform : public CPosixPlatform {
public:
    using CPosixPlatform::CPosixPlatform;
    int ShowMessageBox(WindowHandle, const std::string&, const std::string&, unsigned) override { return kIdOk; }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    std::string ToFullWidth(const std::string& text) override {
        ADD_FAILURE() << "not under test here";
        return text;
    }
};

class PosixPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/posix-platform-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_root = folder;
        ASSERT_EQ(mkdir((m_root + "/c").c_str(), 0777), 0);
        ASSERT_EQ(mkdir((m_root + "/q").c_str(), 0777), 0);
        CPosixMachine machine;
        machine.drives['C'] = {DriveKind::Fixed, m_root + "/c/"};
        machine.drives['Q'] = {DriveKind::CdRom, m_root + "/q"};
        machine.drives['R'] = {DriveKind::Remote, m_root + "/r-missing"};
        machine.programFolder = "C:\\Program Files\\Link";
        machine.currentFolder = "C:\\Work\\";
        machine.tempFolder = "C:\\Temp\\";
        machine.lockedFiles = {"C:\\busy.xml"};
        m_platform = std::make_unique<CTestPlatform>(machine, "LinkAlpha");
    }
    void TearDown() override { std::system(("rm -rf '" + m_root + "'").c_str()); }

    void WriteHostFile(const std::string& relative, const std::string& content) {
        std::FILE* file = std::fopen((m_root + "/" + relative).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }
    bool Write(const std::string& path, const std::string& content) {
        auto writer = m_platform->CreateExclusive(path);
        return writer && writer->Write(content.data(), content.size());
    }
    std::string Read(const std::string& path, size_t maxBytes = 1024) {
        std::vector<char> content;
        if (!m_platform->ReadFileBytes(path, maxBytes, content)) return "(unreadable)";
        return std::string(content.begin(), content.end());
    }

    std::string m_root;
    std::unique_ptr<CTestPlatform> m_platform;
};

TEST_F(PosixPlatformTest, FilesHeldOpenCannotBeOpenedAgain) {
    WriteHostFile("c/busy.xml", "held");
    EXPECT_TRUE(m_platform->PathExists("C:\\busy.xml"));
    EXPECT_EQ(m_platform->CreateExclusive("C:\\busy.xml"), nullptr);
    EXPECT_EQ(Read("C:\\busy.xml"), "(unreadable)");
    EXPECT_FALSE(m_platform->RemoveFile("C:\\busy.xml"));

    auto writer = m_platform->CreateExclusive("C:\\mine.xml");
    ASSERT_NE(writer, nullptr);
    EXPECT_EQ(m_platform->CreateExclusive("C:\\mine.xml"), nullptr);
    EXPECT_EQ(Read("C:\\mine.xml"), "(unreadable)");
    writer->Close();
    EXPECT_FALSE(writer->Write("x", 1));
    EXPECT_EQ(Read("C:\\mine.xml"), "");
    EXPECT_EQ(m_platform->CreateExclusive("C:\\"), nullptr);   // a folder
}

TEST_F(PosixPlatformTest, ReadOnlyFilesFullDisksAndMissingDrivesFail) {
    WriteHostFile("c/readonly.txt", "r");
    ASSERT_EQ(chmod((m_root + "/c/readonly.txt").c_str(), 0444), 0);
    EXPECT_FALSE(m_platform->CanReadWrite("C:\\readonly.txt"));   // even for root

    ASSERT_EQ(symlink("/dev/full", (m_root + "/c/full.xml").c_str()), 0);
    auto writer = m_platform->CreateExclusive("C:\\full.xml");
    ASSERT_NE(writer, nullptr);
    EXPECT_FALSE(writer->Write("data", 4));

    for (const char* path : {"D:\\x.txt", "R:\\x.txt"}) {
        EXPECT_FALSE(m_platform->PathExists(path)) << path;
        EXPECT_FALSE(m_platform->MakeFolder(path)) << path;
        EXPECT_EQ(m_platform->CreateExclusive(path), nullptr) << path;
        EXPECT_FALSE(m_platform->CanReadWrite(path)) << path;
        EXPECT_EQ(Read(path), "(unreadable)") << path;
    }
}

}  // namespace
