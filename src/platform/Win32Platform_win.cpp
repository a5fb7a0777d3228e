#include "platform/Win32Platform_win.h"

#include <windows.h>
#include <io.h>
#include <shlwapi.h>

namespace {

HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

std::string WithTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

class CWin32FileWriter : public IFileWriter {
public:
    explicit CWin32FileWriter(HANDLE file) : m_file(file) {}
    ~CWin32FileWriter() override { Close(); }
    bool Write(const void* data, size_t size) override {
        if (m_file == INVALID_HANDLE_VALUE) return false;
        const char* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!::WriteFile(m_file, bytes, chunk, &written, nullptr) || written == 0) {
                Close();
                return false;
            }
            bytes += written;
            size -= written;
        }
        return true;
    }
    bool FlushToDisk() override { return m_file != INVALID_HANDLE_VALUE && ::FlushFileBuffers(m_file) != FALSE; }
    void Close() override {
        if (m_file != INVALID_HANDLE_VALUE) ::CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_file;
};

}  // namespace

std::string CWin32Platform::ModuleFileName() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH + 1);
    return std::string(path, length <= MAX_PATH ? length : 0);
}

std::string CWin32Platform::CurrentFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH + 1, folder);
    return WithTrailingBackslash(std::string(folder, length <= MAX_PATH ? length : 0));
}

std::string CWin32Platform::TempFolder() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(MAX_PATH + 1, folder);
    return std::string(folder, length <= MAX_PATH ? length : 0);
}

std::string CWin32Platform::ReadProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, const std::string& file,
                                              size_t capacity) {
    std::string value(capacity, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), &value[0],
                                                    static_cast<DWORD>(capacity), file.c_str());
    value.resize(length);
    return value;
}

bool CWin32Platform::PathExists(const std::string& path) { return ::PathFileExistsA(path.c_str()) != FALSE; }

bool CWin32Platform::IsDirectory(const std::string& path) { return ::PathIsDirectoryA(path.c_str()) != FALSE; }

DriveKind CWin32Platform::DriveType(const std::string& root) {
    switch (::GetDriveTypeA(root.c_str())) {
    case DRIVE_NO_ROOT_DIR: return DriveKind::NoRootDir;
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_FIXED: return DriveKind::Fixed;
    case DRIVE_REMOTE: return DriveKind::Remote;
    case DRIVE_CDROM: return DriveKind::CdRom;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Unknown;
    }
}

bool CWin32Platform::CanReadWrite(const std::string& path) { return ::_access(path.c_str(), 6) == 0; }

bool CWin32Platform::MakeFolder(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE; }

bool CWin32Platform::RemoveFolder(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != FALSE; }

std::unique_ptr<IFileWriter> CWin32Platform::CreateExclusive(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<CWin32FileWriter>(file);
}

bool CWin32Platform::ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) {
    content.clear();
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    char chunk[65536];
    while (content.size() < maxBytes) {
        const size_t wanted = maxBytes - content.size() < sizeof chunk ? maxBytes - content.size() : sizeof chunk;
        DWORD read = 0;
        if (!::ReadFile(file, chunk, static_cast<DWORD>(wanted), &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0) break;
        content.insert(content.end(), chunk, chunk + read);
    }
    ::CloseHandle(file);
    return ok;
}

bool CWin32Platform::MoveReplacing(const std::string& source, const std::string& target) {
    return ::MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool CWin32Platform::RemoveFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

std::string CWin32Platform::ToFullWidth(const std::string& text) {
    if (text.empty()) return text;
    const int capacity = static_cast<int>(2 * (text.size() + 1));
    std::string mapped(static_cast<size_t>(capacity), '\0');
    const int length = ::LCMapStringA(::GetSystemDefaultLCID(), LCMAP_FULLWIDTH, text.data(),
                                      static_cast<int>(text.size()), &mapped[0], capacity);
    mapped.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return mapped;
}

int CWin32Platform::ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
                                   unsigned style) {
    return ::MessageBoxA(AsWindow(owner), text.c_str(), caption.c_str(), style);
}

void CWin32Platform::EnableWindow(WindowHandle window, bool enable) { ::EnableWindow(AsWindow(window), enable); }

void CWin32Platform::SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(AsWindow(window)); }

void CWin32Platform::PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wparam,
                                  std::intptr_t lparam) {
    ::PostMessageA(AsWindow(window), message, wparam, lparam);
}
