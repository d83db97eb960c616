// A process that a test or the bench starts and waits for. While it waits, the calling thread
// keeps dispatching its own messages: a child that sends to one of its windows (the bench's
// tray records, a broadcast) waits until it is answered.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // ends the process if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts exe with the arguments (already quoted as needed), ending and letting go of a
    // process started before; false when it could not start (GetLastError says why).
    bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
    HANDLE Handle() const { return m_pi.hProcess; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const;

    // Dispatches messages until done() answers true, the process ends or timeoutMs passes;
    // returns done().
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
    // Dispatches messages until the process has ended; its exit code, or STILL_ACTIVE when it
    // still runs after timeoutMs (or never started).
    DWORD WaitForExit(DWORD timeoutMs);
    // Ends the process at once with this exit code and waits until it is gone.
    void Terminate(UINT exitCode = 99);

private:
    void Close();
    PROCESS_INFORMATION m_pi{};
};
