#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A file another program of the machine has open: the driver opens it before the program under test
// starts and closes it only once that program has ended.
struct HeldFile {
    std::wstring path;
    // No sharing at all (an editor's lock), or reading and writing shared but not deleting (a reader
    // such as another user's copy of the program): the file stays readable but cannot be replaced.
    bool readable = false;
};

class HeldFiles {
public:
    HeldFiles() = default;
    HeldFiles(const HeldFiles&) = delete;
    HeldFiles& operator=(const HeldFiles&) = delete;
    ~HeldFiles();
    // False (with the reason in `error`) when one of them cannot be opened; those opened stay open.
    bool Open(const std::vector<HeldFile>& files, std::string& error);

private:
    std::vector<HANDLE> m_handles;
};
