// One velmora.exe process, started from the test and found through its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class VelmoraProcess {
public:
    VelmoraProcess() = default;
    ~VelmoraProcess();  // ends the process if it still runs
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;

    // velmora.exe beside the test program.
    static std::wstring ExePath();

    bool Start();
    // The main window of this process ("Velmora", owned by no window), once it exists; null
    // after the timeout.
    HWND WaitForMainWindow(DWORD timeoutMs = 10000);
    // A top-level window of this process with this class (and caption, when given), visible.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs = 10000);
    // The exit code, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(DWORD timeoutMs = 10000);
    bool Running() const;
    DWORD Pid() const { return m_pi.dwProcessId; }

private:
    HWND Find(const wchar_t* className, const wchar_t* caption, bool unownedOnly, DWORD timeoutMs);
    PROCESS_INFORMATION m_pi{};
};

// The texts of a window's children, in order.
std::vector<std::wstring> ChildTexts(HWND parent);
