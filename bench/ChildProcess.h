// A measured program started by the harness. While the harness waits for it, it keeps
// dispatching its own messages: the child's tray records arrive as sent messages, and the child
// waits for each until the fake tray has answered.
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

    // Starts exe with the arguments (already quoted as needed); false when it could not start.
    bool Start(const std::wstring& exe, const std::wstring& arguments);
    DWORD Pid() const { return m_pi.dwProcessId; }
    bool Running() const;

    // Dispatches messages until done() answers true, the process ends or timeoutMs passes;
    // returns done().
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
    // Dispatches messages until the process has ended; its exit code, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD timeoutMs);
    // Ends the process at once and waits until it is gone.
    void Terminate();

    // The private memory the system reports for the process, in bytes (see MemoryProbe.h).
    SIZE_T PrivateBytes() const;

private:
    PROCESS_INFORMATION m_pi{};
};

// Dispatches the calling thread's messages for ms milliseconds.
void PumpFor(DWORD ms);
