#pragma once
// The system services on a POSIX machine that pretends to be a Windows one: drive letters map to
// folders. Window operations and the full-width mapping stay abstract; the headless front end and the
// tests supply them.
//
// How a Windows path (code page 932 bytes) becomes a file of this machine:
//   "X:\a\b"  the root folder of drive X (letter in either case) + "/a/b". Only a backslash that is a
//             character of its own separates: the trail byte 0x5C of a double-byte character does not.
//             "/" separates too; "." and ".." are resolved, never above the drive's root.
//   "\a", "a" and "X:a" resolve against the current folder (its drive for "\a", the root of X for
//             "X:a" when X is not the current folder's drive), as Windows does.
//   Names are converted to UTF-8. Names are case-sensitive here, unlike on Windows.
//   A UNC path ("\\server\share"), a drive without a root folder, a name with one of <>:"|?* or a
//   control character, or one that does not convert, names no file: every operation on it fails.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

struct PosixDrive {
    DriveKind kind = DriveKind::Fixed;
    std::string root;  // folder of this machine
};

struct PosixMachine {
    std::map<char, PosixDrive> drives;  // keyed by upper-case letter
    std::string programFolder;          // Windows paths
    std::string currentFolder;
    std::string tempFolder;
    std::vector<std::string> lockedFiles;  // Windows paths another program holds open with no sharing
};

class CPosixPlatform : public CPlatform {
public:
    // `programName` without ".exe", e.g. "LinkAlpha".
    CPosixPlatform(PosixMachine machine, std::string programName);

    std::string ModuleFileName() override;
    std::string CurrentFolder() override;
    std::string TempFolder() override;
    // As GetPrivateProfileStringA: section and key match without regard to case, blanks around names
    // and values are dropped, a value in matching quotes loses them, the default (without trailing
    // blanks) stands for a missing file, section or key. A file name without a folder is not looked
    // up (Windows would look in its own folder).
    std::string ReadProfileString(const std::string& section, const std::string& key, const std::string& defaultValue,
                                  const std::string& file, size_t capacity) override;

    bool PathExists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    // "X:" or "X:\"; an empty root means the current folder's drive. Anything else: NoRootDir.
    DriveKind DriveType(const std::string& root) override;
    // As _access(path, 6): false as well for a file with no write permission bit (the read-only
    // attribute), even for root.
    bool CanReadWrite(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    // Fails for a locked file, a file this platform has open and a folder.
    std::unique_ptr<IFileWriter> CreateExclusive(const std::string& path) override;
    bool ReadFileBytes(const std::string& path, size_t maxBytes, std::vector<char>& content) override;
    bool MoveReplacing(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;

private:
    // The file of this machine that a Windows path names; false when it names none.
    bool HostPath(const std::string& windowsPath, std::string& hostPath) const;
    // The host path of a file that may be opened: false when it names no file or is held open.
    bool OpenablePath(const std::string& windowsPath, std::string& hostPath) const;

    PosixMachine m_machine;
    std::string m_programName;
    std::set<std::string> m_locked;                      // host paths
    std::shared_ptr<std::set<std::string>> m_openFiles;  // host paths of writers not yet closed
};
