#include "HeldFiles.h"

#include "Text.h"

HeldFiles::~HeldFiles() {
    for (HANDLE handle : m_handles) ::CloseHandle(handle);
}

bool HeldFiles::Open(const std::vector<HeldFile>& files, std::string& error) {
    for (const HeldFile& file : files) {
        const DWORD sharing = file.readable ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
        // Not inheritable, so only this process holds it: the program is started without our handles.
        HANDLE handle = ::CreateFileW(file.path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = "cannot hold " + ToUtf8(file.path) + " open: error " + std::to_string(::GetLastError());
            return false;
        }
        m_handles.push_back(handle);
    }
    return true;
}
