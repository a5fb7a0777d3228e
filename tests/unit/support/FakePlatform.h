#pragma once
// In-memory platform for unit tests: files live in a map, writes can be made to fail after a number
// of bytes, files can be locked or unreadable, and message boxes are recorded.
#include <algorithm>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FullWidth.h"
#include "platform/Platform.h"

namespace testsupport {

struct CShownMessage {
    std::string text;
    std::string caption;
    unsigned style;
};

class CFakePlatform : public CPlatform {
public:
    std::map<std::string, std::string> files;   // path -> content
    std::set<std::string> locked;               // held open by another program: cannot be created
    std::set<std::string> unreadable;           // exists but cannot be opened for reading
    std::optional<size_t> writeLimit;           // bytes each new file accepts before a write fails
    std::string currentFolder = "C:\\WORK\\";
    std::vector<CShownMessage> messages;
    size_t writesAfterFailure = 0;              // writes attempted on a file after one of its writes failed

    CFakePlatform() { SetPlatform(this); }
    ~CFakePlatform() override { SetPlatform(nullptr); }
    CFakePlatform(const CFakePlatform&) = delete;
    CFakePlatform& operator=(const CFakePlatform&) = delete;

    std::string ModuleFileName() override { return "C:\\PROGRAM\\LinkBeta.exe"; }
    std::string CurrentFolder() override { return currentFolder; }
    std::string TempFolder() override { return "C:\\TEMP\\"; }
    std::string ReadProfileString(const std::string&, const std::string&, const std::string& defaultValue,
                                  const std::string&, size_t) override {
        return defaultValue;
    }
    bool PathExists(const std::string& path) override { return files.count(path) != 0; }
    bool IsDirectory(const std::string&) override { return false; }
    DriveKind DriveType(const std::string&) override { return DriveKind::Fixed; }
    bool CanReadWrite(const std::string& path) override { return files.count(path) != 0; }
    bool MakeFolder(const std::string&) override { return true; }
    bool RemoveFolder(const std::string&) override { return true; }

    std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) override {
        if (locked.count(path)) return nullptr;
        files[path].clear();
        return std::make_unique<CWriter>(*this, path, writeLimit);
    }
    bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) override {
        content.clear();
        const auto file = files.find(path);
        if (file == files.end() || unreadable.count(path)) return false;
        content.assign(file->second.begin(), file->second.begin() + std::min(maxBytes, file->second.size()));
        return true;
    }
    bool MoveReplacing(const std::string& source, const std::string& target) override {
        const auto file = files.find(source);
        if (file == files.end()) return false;
        files[target] = file->second;
        files.erase(source);
        return true;
    }
    bool RemoveFile(const std::string& path) override { return files.erase(path) != 0; }
    std::string ToFullWidth(const std::string& text) override { return MapToFullWidth(text); }
    int ShowMessageBox(WindowHandle, const std::string& text, const std::string& caption, unsigned style) override {
        messages.push_back({text, caption, style});
        return kIdOk;
    }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {}

private:
    // Like a disk that fills up: the bytes up to the limit reach the file, the write that crosses it
    // fails. Writes after that (which the code must not attempt) are counted and still appended, so a
    // writer that goes on writing shows in the file.
    class CWriter : public IFileWriter {
    public:
        CWriter(CFakePlatform& owner, std::string path, std::optional<size_t> limit)
            : m_owner(owner), m_path(std::move(path)), m_limit(limit) {}
        bool Write(const void* data, size_t size) override {
            if (m_closed) return false;
            std::string& content = m_owner.files[m_path];
            const char* bytes = static_cast<const char*>(data);
            if (m_failed) {
                ++m_owner.writesAfterFailure;
                content.append(bytes, size);
                return true;
            }
            if (m_limit && content.size() + size > *m_limit) {
                content.append(bytes, *m_limit - content.size());
                m_failed = true;
                return false;
            }
            content.append(bytes, size);
            return true;
        }
        bool FlushToDisk() override { return !m_closed && !m_failed; }
        void Close() override { m_closed = true; }

    private:
        CFakePlatform& m_owner;
        std::string m_path;
        std::optional<size_t> m_limit;
        bool m_failed = false;
        bool m_closed = false;
    };
};

}  // namespace testsupport
