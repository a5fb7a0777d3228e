#pragma once
// The operating-system services the system uses. The Win32 programs install the Win32 implementation;
// link-headless and the native tests install the POSIX one (drive letters mapped to folders) or a
// test double that injects failures. Every path is a Windows path in code page 932 bytes.
// Method names avoid those that <windows.h> turns into macros (MessageBox, DeleteFile, ...).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using WindowHandle = std::uintptr_t;  // a window of this process or another; 0 is none

enum class DriveKind { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

// Message box styles and answers, numerically those of the Win32 API.
enum : unsigned {
    kMbOk = 0x0,
    kMbYesNo = 0x4,
    kMbIconQuestion = 0x20,
    kMbIconWarning = 0x30,
    kMbIconInformation = 0x40,
};
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

class IFileWriter {
public:
    virtual ~IFileWriter() = default;
    virtual bool Write(const void* data, size_t size) = 0;  // false: nothing more can be written
    // Puts what was written on the disk itself, so that a power loss cannot keep a later rename
    // without the data. False when the system reports a failure.
    virtual bool FlushToDisk() = 0;
    virtual void Close() = 0;
};

class CPlatform {
public:
    virtual ~CPlatform() = default;

    // Program, folders and private profiles.
    virtual std::string ModuleFileName() = 0;  // full path of the running program
    virtual std::string CurrentFolder() = 0;   // ends with a backslash
    virtual std::string TempFolder() = 0;      // ends with a backslash; may be empty
    virtual std::string ReadProfileString(const std::string& section, const std::string& key,
                                          const std::string& defaultValue, const std::string& file,
                                          size_t capacity) = 0;  // at most capacity - 1 bytes

    // File system.
    virtual bool PathExists(const std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    virtual DriveKind DriveType(const std::string& root) = 0;
    virtual bool CanReadWrite(const std::string& path) = 0;
    virtual bool MakeFolder(const std::string& path) = 0;
    virtual bool RemoveFolder(const std::string& path) = 0;
    // Creates (replacing) a file opened for exclusive access, binary; null when it cannot be created.
    virtual std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) = 0;
    // Reads at most maxBytes of a file opened for shared reading, binary. False when it cannot be opened.
    virtual bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) = 0;
    // Replaces `target` by `source` in one step; false leaves both as they were.
    virtual bool MoveReplacing(const std::string& source, const std::string& target) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;

    // Text.
    virtual std::string ToFullWidth(const std::string& text) = 0;

    // Windows and the user.
    virtual int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                               unsigned style) = 0;
    virtual void EnableWindow(WindowHandle window, bool enable) = 0;
    virtual void SetForegroundWindow(WindowHandle window) = 0;
    virtual void PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                              std::intptr_t lparam) = 0;
};

// The installed implementation; set once at start-up (tests swap it).
CPlatform& Platform();
void SetPlatform(CPlatform* platform);
