#pragma once
#include "platform/Platform.h"

// The real system, for the Windows programs.
class CWin32Platform : public CPlatform {
public:
    std::string ModuleFileName() override;
    std::string CurrentFolder() override;
    std::string TempFolder() override;
    std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                                  const std::string& file, size_t capacity) override;
    bool PathExists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    DriveKind DriveType(const std::string& root) override;
    bool CanReadWrite(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) override;
    bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) override;
    bool MoveReplacing(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;
    std::string ToFullWidth(const std::string& text) override;
    int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                       unsigned style) override;
    void EnableWindow(WindowHandle window, bool enable) override;
    void SetForegroundWindow(WindowHandle window) override;
    void PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam) override;
};
