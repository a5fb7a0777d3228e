#include "ProgramProcess.h"

#include <vector>

ProgramProcess::~ProgramProcess() {
    if (m_process) ::CloseHandle(m_process);
}

bool ProgramProcess::Start(const std::wstring& program, const std::wstring* arguments,
                           const std::wstring& currentFolder, std::string& error) {
    std::wstring line = L"\"" + program + L"\"";
    if (arguments) line += L" " + *arguments;
    std::vector<wchar_t> writable(line.begin(), line.end());
    writable.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info)) {
        error = "CreateProcess failed with error " + std::to_string(::GetLastError());
        return false;
    }
    ::CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
    return true;
}

void ProgramProcess::Kill() {
    if (m_process && ::WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process, 99);
        ::WaitForSingleObject(m_process, 5000);
    }
}
