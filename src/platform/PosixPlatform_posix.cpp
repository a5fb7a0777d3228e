#include "platform/PosixPlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "platform/ShiftJis.h"
#include "platform/TextConversion.h"
#include "platform/WindowsPath.h"

namespace {

constexpr size_t kMaxProfileBytes = 16 * 1024 * 1024;

// A Windows path taken apart: drive letter and names below the drive's root.
struct WindowsPath {
    char drive = 0;
    std::vector<std::string> names;
    bool trailingSeparator = false;
};

// Resolves `path` against `current` (an absolute path); without `current` only absolute paths resolve.
bool Parse(const std::string& path, const WindowsPath* current, WindowsPath& out) {
    if (path.empty() || (IsSeparatorOrSlash(path, 0) && IsSeparatorOrSlash(path, 1))) return false;  // nothing, or UNC
    size_t pos = 0;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') {
        out.drive = AsciiUpper(path[0]);
        pos = 2;
        if (!IsSeparatorOrSlash(path, 2)) {
            if (!current) return false;
            if (current->drive == out.drive) out.names = current->names;
        }
    } else {
        if (!current) return false;
        out.drive = current->drive;
        if (!IsSeparatorOrSlash(path, 0)) out.names = current->names;
    }
    std::string name;
    for (size_t i = pos; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparatorOrSlash(path, i)) {
            name += path[i];
            continue;
        }
        if (name == "..") {
            if (!out.names.empty()) out.names.pop_back();
        } else if (!name.empty() && name != ".") {
            out.names.push_back(name);
        }
        name.clear();
    }
    out.trailingSeparator = IsSeparatorOrSlash(path, path.size() - 1);
    return true;
}

bool Cp932ToUtf8(const std::string& input, std::string& output) { return ConvertText("UTF-8", "CP932", input, output); }

// Characters Windows refuses in a name.
bool IsValidName(const std::string& utf8) {
    for (const char c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20) return false;
        for (const char bad : std::string("<>:\"|?*"))
            if (c == bad) return false;
    }
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Blanks are single bytes below every trail byte, so trimming byte by byte keeps characters whole.
std::string Trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool FindProfileValue(const std::string& text, const std::string& section, const std::string& key, std::string& value) {
    bool inSection = false;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const size_t close = FindLastSingle(line, ']');
            if (close != std::string::npos) inSection = SameIgnoringCase(Trim(line.substr(1, close - 1)), section);
            continue;  // a header without its bracket is skipped, as Windows does
        }
        if (!inSection) continue;
        const size_t equals = line.find('=');  // below every trail byte
        if (!SameIgnoringCase(Trim(line.substr(0, equals)), key)) continue;
        value = equals == std::string::npos ? std::string() : Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
        return true;
    }
    return false;
}

class CPosixFileWriter : public IFileWriter {
public:
    CPosixFileWriter(int fd, std::string path, std::shared_ptr<std::set<std::string>> openFiles)
        : m_fd(fd), m_path(std::move(path)), m_openFiles(std::move(openFiles)) {
        m_openFiles->insert(m_path);
    }
    ~CPosixFileWriter() override { Close(); }

    bool Write(const void* data, size_t size) override {
        const char* bytes = static_cast<const char*>(data);
        while (m_fd >= 0 && size > 0) {
            const ssize_t written = ::write(m_fd, bytes, size);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                Close();
                return false;
            }
            bytes += written;
            size -= static_cast<size_t>(written);
        }
        return m_fd >= 0;
    }

    bool FlushToDisk() override { return m_fd >= 0 && ::fsync(m_fd) == 0; }

    void Close() override {
        if (m_fd < 0) return;
        ::close(m_fd);
        m_fd = -1;
        m_openFiles->erase(m_path);
    }

private:
    int m_fd;
    std::string m_path;
    std::shared_ptr<std::set<std::string>> m_openFiles;
};

}  // namespace

CPosixPlatform::CPosixPlatform(PosixMachine machine, std::string programName)
    : m_machine(std::move(machine)),
      m_programName(std::move(programName)),
      m_openFiles(std::make_shared<std::set<std::string>>()) {
    for (const std::string& locked : m_machine.lockedFiles) {
        std::string host;
        if (HostPath(locked, host)) m_locked.insert(host);
    }
}

bool CPosixPlatform::HostPath(const std::string& windowsPath, std::string& hostPath) const {
    WindowsPath current;
    const bool haveCurrent = Parse(m_machine.currentFolder, nullptr, current);
    WindowsPath path;
    if (!Parse(windowsPath, haveCurrent ? &current : nullptr, path)) return false;
    const auto drive = m_machine.drives.find(path.drive);
    if (drive == m_machine.drives.end() || drive->second.root.empty()) return false;
    std::string host = drive->second.root;
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    for (const std::string& name : path.names) {
        std::string utf8;
        if (!Cp932ToUtf8(name, utf8) || !IsValidName(utf8)) return false;
        if (host.back() != '/') host += '/';
        host += utf8;
    }
    if (path.trailingSeparator && !path.names.empty()) host += '/';
    hostPath = host;
    return true;
}

bool CPosixPlatform::OpenablePath(const std::string& windowsPath, std::string& hostPath) const {
    return HostPath(windowsPath, hostPath) && !m_locked.count(hostPath) && !m_openFiles->count(hostPath);
}

std::string CPosixPlatform::ModuleFileName() {
    return WithTrailingSeparator(m_machine.programFolder) + m_programName + ".exe";
}

std::string CPosixPlatform::CurrentFolder() { return WithTrailingSeparator(m_machine.currentFolder); }

std::string CPosixPlatform::TempFolder() { return WithTrailingSeparator(m_machine.tempFolder); }

std::string CPosixPlatform::ReadProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, const std::string& file,
                                              size_t capacity) {
    std::string value = defaultValue;
    while (!value.empty() && value.back() == ' ') value.pop_back();
    const bool hasFolder = FindLastSingle(file, '\\') != std::string::npos || file.find('/') != std::string::npos ||
                           (file.size() >= 2 && file[1] == ':');
    std::vector<char> content;
    if (hasFolder && ReadFileBytes(file, kMaxProfileBytes, content))
        FindProfileValue(std::string(content.begin(), content.end()), section, key, value);
    if (capacity == 0) return std::string();
    return value.substr(0, sjis::CutLength(value.data(), value.size(), capacity - 1));
}

bool CPosixPlatform::PathExists(const std::string& path) {
    std::string host;
    struct stat info;
    return HostPath(path, host) && ::stat(host.c_str(), &info) == 0;
}

bool CPosixPlatform::IsDirectory(const std::string& path) {
    std::string host;
    struct stat info;
    return HostPath(path, host) && ::stat(host.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

DriveKind CPosixPlatform::DriveType(const std::string& root) {
    char letter = 0;
    if (root.empty()) {
        WindowsPath current;
        if (Parse(m_machine.currentFolder, nullptr, current)) letter = current.drive;
    } else if ((root.size() == 2 || (root.size() == 3 && IsSeparatorOrSlash(root, 2))) && IsAsciiLetter(root[0]) &&
               root[1] == ':') {
        letter = AsciiUpper(root[0]);
    }
    const auto drive = m_machine.drives.find(letter);
    return drive == m_machine.drives.end() ? DriveKind::NoRootDir : drive->second.kind;
}

bool CPosixPlatform::CanReadWrite(const std::string& path) {
    std::string host;
    struct stat info;
    return HostPath(path, host) && ::stat(host.c_str(), &info) == 0 && (info.st_mode & 0222) != 0 &&
           ::access(host.c_str(), R_OK | W_OK) == 0;
}

bool CPosixPlatform::MakeFolder(const std::string& path) {
    std::string host;
    return HostPath(path, host) && ::mkdir(host.c_str(), 0777) == 0;
}

bool CPosixPlatform::RemoveFolder(const std::string& path) {
    std::string host;
    return HostPath(path, host) && ::rmdir(host.c_str()) == 0;
}

std::unique_ptr<IFileWriter> CPosixPlatform::CreateExclusive(const std::string& path) {
    std::string host;
    if (!OpenablePath(path, host)) return nullptr;
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<CPosixFileWriter>(fd, host, m_openFiles);
}

bool CPosixPlatform::ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) {
    content.clear();
    std::string host;
    if (!OpenablePath(path, host)) return false;
    const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    char chunk[65536];
    while (ok && content.size() < maxBytes) {
        const size_t wanted = std::min(maxBytes - content.size(), sizeof chunk);
        const ssize_t got = ::read(fd, chunk, wanted);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ok = false;
        if (got <= 0) break;
        content.insert(content.end(), chunk, chunk + got);
    }
    ::close(fd);
    return ok;
}

bool CPosixPlatform::MoveReplacing(const std::string& source, const std::string& target) {
    std::string from;
    std::string to;
    return OpenablePath(source, from) && OpenablePath(target, to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool CPosixPlatform::RemoveFile(const std::string& path) {
    std::string host;
    return OpenablePath(path, host) && ::unlink(host.c_str()) == 0;
}
