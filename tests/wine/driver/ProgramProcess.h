#pragma once
#include <windows.h>

#include <string>

// The program under test, started as the accounting product starts it.
class ProgramProcess {
public:
    ~ProgramProcess();
    // `arguments` follows the program's quoted path after one blank; absent: no arguments at all.
    bool Start(const std::wstring& program, const std::wstring* arguments, const std::wstring& currentFolder,
               std::string& error);
    HANDLE Handle() const { return m_process; }
    DWORD Id() const { return m_id; }
    void Kill();

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};
