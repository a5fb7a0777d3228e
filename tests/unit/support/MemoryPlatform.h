#pragma once
// In-memory Windows machine for unit tests and fuzz targets: drive letters with their types, folders
// and files under case-insensitive names, and new files that fail after a number of bytes. Drive C: is
// fixed and holds the program's, the current and the temporary folder.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FullWidth.h"
#include "platform/Platform.h"
#include "platform/ShiftJis.h"

namespace testsupport {

class CMemoryPlatform : public CPlatform {
public:
    // Set-up.
    std::optional<size_t> writeLimit;  // bytes each new file accepts; the write crossing it fails

    // What happened.
    size_t writesAfterFailure = 0;  // writes attempted on a file after one of its writes failed

    CMemoryPlatform() {
        MapDrive('C', DriveKind::Fixed);
        for (const char* folder : {"C:\\PROGRAM", "C:\\WORK", "C:\\TEMP"}) AddFolder(folder);
        SetPlatform(this);
    }
    ~CMemoryPlatform() override { SetPlatform(nullptr); }
    CMemoryPlatform(const CMemoryPlatform&) = delete;
    CMemoryPlatform& operator=(const CMemoryPlatform&) = delete;

    void MapDrive(char letter, DriveKind kind) {
        m_drives[letter] = kind;
        if (kind == DriveKind::NoRootDir || kind == DriveKind::Unknown) return;
        const std::string root = std::string(1, letter) + ":\\";
        m_folders.insert(Key(root));
    }
    void AddShare(const std::string& root) { m_folders.insert(Key(root)); }
    void AddFolder(const std::string& path) {
        for (std::string key = Key(path); !IsRoot(key) && !key.empty(); key = Parent(key)) m_folders.insert(key);
    }
    void AddFile(const std::string& path, const std::string& content) {
        AddFolder(Parent(Key(path)));
        m_files[Key(path)] = content;
    }
    const std::set<std::string>& Folders() const { return m_folders; }  // under their keys
    std::optional<std::string> FileContent(const std::string& path) const {
        const auto file = m_files.find(Key(path));
        return file == m_files.end() ? std::nullopt : std::optional<std::string>(file->second);
    }

    std::string ModuleFileName() override { return "C:\\PROGRAM\\LinkBeta.exe"; }
    std::string CurrentFolder() override { return "C:\\WORK\\"; }
    std::string TempFolder() override { return "C:\\TEMP\\"; }
    std::string ReadProfileString(const std::string&, const std::string&, const std::string& defaultValue,
                                  const std::string&, size_t) override {
        return defaultValue;
    }
    bool PathExists(const std::string& path) override { return IsDirectory(path) || m_files.count(Key(path)); }
    bool IsDirectory(const std::string& path) override { return m_folders.count(Key(path)) != 0; }
    DriveKind DriveType(const std::string& root) override {
        const auto drive = root.size() == 3 && root.substr(1) == ":\\" ? m_drives.find(root[0]) : m_drives.end();
        return drive == m_drives.end() ? DriveKind::NoRootDir : drive->second;
    }
    bool CanReadWrite(const std::string& path) override { return PathExists(path); }
    bool MakeFolder(const std::string& path) override {
        const std::string key = Key(path);
        if (PathExists(path) || !m_folders.count(Parent(key))) return false;
        m_folders.insert(key);
        return true;
    }
    bool RemoveFolder(const std::string& path) override {
        const std::string key = Key(path);
        if (!m_folders.count(key) || IsRoot(key)) return false;
        for (const std::string& folder : m_folders)
            if (Parent(folder) == key && folder != key) return false;
        for (const auto& file : m_files)
            if (Parent(file.first) == key) return false;
        m_folders.erase(key);
        return true;
    }
    std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) override {
        const std::string key = Key(path);
        if (m_folders.count(key) || !m_folders.count(Parent(key))) return nullptr;
        m_files[key].clear();
        return std::make_unique<CWriter>(*this, key);
    }
    bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) override {
        content.clear();
        const auto file = m_files.find(Key(path));
        if (file == m_files.end()) return false;
        content.assign(file->second.begin(),
                       file->second.begin() + static_cast<std::ptrdiff_t>(std::min(maxBytes, file->second.size())));
        return true;
    }
    bool MoveReplacing(const std::string& source, const std::string& target) override {
        const auto file = m_files.find(Key(source));
        if (file == m_files.end() || m_folders.count(Key(target))) return false;
        std::string content = file->second;
        m_files.erase(file);
        m_files[Key(target)] = std::move(content);
        return true;
    }
    bool RemoveFile(const std::string& path) override { return m_files.erase(Key(path)) != 0; }
    std::string ToFullWidth(const std::string& text) override { return MapToFullWidth(text); }
    // No test answers a question: one asked is the test's own fault and ends its process.
    int ShowMessageBox(WindowHandle, const std::string& text, const std::string&, unsigned style) override {
        if ((style & 0xF) != kMbYesNo) return kIdOk;
        std::fprintf(stderr, "unexpected question: %s\n", text.c_str());
        std::abort();
    }
    void EnableWindow(WindowHandle, bool) override {}
    void SetForegroundWindow(WindowHandle) override {}
    void PostToWindow(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) override {}

protected:
    // Windows names ignore the case of single-byte letters and a trailing separator.
    static std::string Key(const std::string& path) {
        std::string key = path;
        for (size_t i = 0; i < key.size(); ++i)
            if (key[i] >= 'a' && key[i] <= 'z' && !sjis::IsInsideDoubleByte(key.data(), key.size(), i))
                key[i] = static_cast<char>(key[i] - 'a' + 'A');
        if (key.size() > 3 && sjis::IsSeparatorAt(key.data(), key.size(), key.size() - 1)) key.pop_back();
        return key;
    }

private:
    // Appends to the file as it is when written, and fills up like a full disk at writeLimit: the
    // bytes up to the limit arrive, the write crossing it fails and so does the flush. Writes after
    // that (which the code must not attempt) are counted and still arrive, so that they show.
    class CWriter : public IFileWriter {
    public:
        CWriter(CMemoryPlatform& owner, std::string key) : m_owner(owner), m_key(std::move(key)) {}
        bool Write(const void* data, size_t size) override {
            if (m_closed) return false;
            std::string& file = m_owner.m_files[m_key];
            const std::optional<size_t> limit = m_owner.writeLimit;
            if (m_full) {
                ++m_owner.writesAfterFailure;
            } else if (limit && m_written + size > *limit) {
                file.append(static_cast<const char*>(data), *limit - m_written);
                m_full = true;
                return false;
            }
            m_written += size;
            file.append(static_cast<const char*>(data), size);
            return true;
        }
        bool FlushToDisk() override { return !m_closed && !m_full; }
        void Close() override { m_closed = true; }

    private:
        CMemoryPlatform& m_owner;
        std::string m_key;
        size_t m_written = 0;
        bool m_full = false;
        bool m_closed = false;
    };

    static bool IsRoot(const std::string& key) { return key.size() == 3 && key[1] == ':'; }
    static std::string Parent(const std::string& key) {
        for (size_t i = key.size(); i-- > 0;)
            if (sjis::IsSeparatorAt(key.data(), key.size(), i)) return key.substr(0, i == 2 && key[1] == ':' ? 3 : i);
        return std::string();
    }

    std::map<char, DriveKind> m_drives;
    std::set<std::string> m_folders;
    std::map<std::string, std::string> m_files;
};

}  // namespace testsupport
