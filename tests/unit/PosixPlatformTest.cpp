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

TEST_F(PosixPlatformTest, WindowsPathsMapToFilesOfTheirDrive) {
    const struct {
        const char* windows;
        const char* host;   // below the test folder; null: names no file
    } rows[] = {
        {"C:\\a\\b.txt", u8"/c/a/b.txt"},
        {"c:\\a", u8"/c/a"},
        {"C:/a//b", u8"/c/a/b"},
        {"C:\\", u8"/c"},
        {"C:\\x\\", u8"/c/x/"},
        {"C:\\a\\.\\..\\b", u8"/c/b"},
        {"C:\\..\\..\\b", u8"/c/b"},
        {"C:\\表示\\x", u8"/c/表示/x"},        // 表 is 0x95 0x5C
        {"C:\\\x95\\b", u8"/c/表b"},           // the backslash is the trail byte of 表
        {"C:\\ｶﾞ~", u8"/c/ｶﾞ~"},
        {"\\a", u8"/c/a"},
        {"a\\b", u8"/c/Work/a/b"},
        {"..\\a", u8"/c/a"},
        {"C:rel", u8"/c/Work/rel"},
        {"Q:rel", u8"/q/rel"},
        {"q:\\Data", u8"/q/Data"},
        {"\\\\server\\share\\x", nullptr},
        {"D:\\x", nullptr},
        {"", nullptr},
        {"C:\\a|b", nullptr},
        {"C:\\a?", nullptr},
        {"C:\\a\\\x82", nullptr},   // a lone lead byte is no character
    };
    for (const auto& row : rows) {
        std::string host;
        const bool mapped = m_platform->HostPath(row.windows, host);
        EXPECT_EQ(mapped, row.host != nullptr) << row.windows;
        if (mapped && row.host) {
            EXPECT_EQ(host, m_root + row.host) << row.windows;
        }
    }
}

TEST_F(PosixPlatformTest, FoldersOfTheProgram) {
    EXPECT_EQ(m_platform->ModuleFileName(), "C:\\Program Files\\Link\\LinkAlpha.exe");
    EXPECT_EQ(m_platform->CurrentFolder(), "C:\\Work\\");
    EXPECT_EQ(m_platform->TempFolder(), "C:\\Temp\\");
}

TEST_F(PosixPlatformTest, DriveTypesComeFromTheDescription) {
    const struct {
        const char* root;
        DriveKind kind;
    } rows[] = {
        {"C:\\", DriveKind::Fixed},   {"c:", DriveKind::Fixed},       {"Q:\\", DriveKind::CdRom},
        {"R:/", DriveKind::Remote},   {"D:\\", DriveKind::NoRootDir}, {"", DriveKind::Fixed},
        {"C:\\Work\\", DriveKind::NoRootDir},
    };
    for (const auto& row : rows) EXPECT_EQ(m_platform->DriveType(row.root), row.kind) << row.root;
}

TEST_F(PosixPlatformTest, ProfileStringsReadLikeWindows) {
    WriteHostFile("c/FilvaneDef.ini",
                  "; settings\r\n"
                  "[Other]\r\n"
                  "QF14_G=other\r\n"
                  "  [ programlevel ]  \r\n"
                  "  qf14_g  =  22.02.00  \r\n"
                  "Quoted=\"  spaced  \"\r\n"
                  "Empty=\r\n"
                  "Japanese=あいう\r\n"
                  "\x82\x41=double\r\n"
                  "[ProgramLevel]\r\n"
                  "Later=found\r\n");
    const std::string ini = "C:\\FilvaneDef.ini";
    const struct {
        const char* section;
        const char* key;
        const char* file;
        size_t capacity;
        const char* expected;
    } rows[] = {
        {"ProgramLevel", "QF14_G", ini.c_str(), 64, "22.02.00"},
        {"Other", "qf14_g", ini.c_str(), 64, "other"},
        {"ProgramLevel", "Quoted", ini.c_str(), 64, "  spaced  "},
        {"ProgramLevel", "Empty", ini.c_str(), 64, ""},
        {"ProgramLevel", "Later", ini.c_str(), 64, "found"},
        {"ProgramLevel", "Missing", ini.c_str(), 64, "default"},
        {"NoSection", "QF14_G", ini.c_str(), 64, "default"},
        {"ProgramLevel", "QF14_G", "C:\\none.ini", 64, "default"},
        {"ProgramLevel", "QF14_G", "FilvaneDef.ini", 64, "default"},   // no folder: not looked up
        {"ProgramLevel", "QF14_G", ini.c_str(), 5, "22.0"},
        {"ProgramLevel", "Japanese", ini.c_str(), 4, "あ"},             // never half a character
        {"ProgramLevel", "Japanese", ini.c_str(), 1, ""},
        {"ProgramLevel", "\x82\x61", ini.c_str(), 64, "default"},       // trail bytes keep their case
        {"ProgramLevel", "\x82\x41", ini.c_str(), 64, "double"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(m_platform->ReadProfileString(row.section, row.key, "default  ", row.file, row.capacity),
                  row.expected)
            << row.section << "/" << row.key << "/" << row.capacity;
    }
}

TEST_F(PosixPlatformTest, FilesAreWrittenReadReplacedAndRemoved) {
    ASSERT_TRUE(m_platform->MakeFolder("C:\\出力"));
    EXPECT_FALSE(m_platform->MakeFolder("C:\\出力"));
    EXPECT_TRUE(m_platform->IsDirectory("C:\\出力\\"));
    ASSERT_TRUE(Write("C:\\出力\\new.xml", "<new/>"));
    ASSERT_TRUE(Write("C:\\出力\\old.xml", "<old/>"));
    EXPECT_EQ(Read("C:\\出力\\new.xml", 4), "<new");
    EXPECT_TRUE(m_platform->PathExists("C:\\出力\\new.xml"));
    EXPECT_FALSE(m_platform->IsDirectory("C:\\出力\\new.xml"));
    EXPECT_TRUE(m_platform->CanReadWrite("C:\\出力\\new.xml"));
    struct stat info;
    EXPECT_EQ(stat((m_root + u8"/c/出力/new.xml").c_str(), &info), 0);

    ASSERT_TRUE(m_platform->MoveReplacing("C:\\出力\\new.xml", "C:\\出力\\old.xml"));
    EXPECT_FALSE(m_platform->PathExists("C:\\出力\\new.xml"));
    EXPECT_EQ(Read("C:\\出力\\old.xml"), "<new/>");
    EXPECT_FALSE(m_platform->RemoveFolder("C:\\出力"));   // not empty
    EXPECT_TRUE(m_platform->RemoveFile("C:\\出力\\old.xml"));
    EXPECT_FALSE(m_platform->RemoveFile("C:\\出力\\old.xml"));
    EXPECT_TRUE(m_platform->RemoveFolder("C:\\出力"));
    EXPECT_FALSE(m_platform->PathExists("C:\\出力"));
}

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
