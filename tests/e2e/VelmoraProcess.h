// One velmora.exe process, started from the test and found through its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

class VelmoraProcess {
public:
    // velmora.exe beside the test program.
    static std::wstring ExePath();

    // Starts velmora.exe, or a copy of it elsewhere.
    bool Start(const std::wstring& exe = ExePath());
    // The main window of this process ("Velmora", owned by no window), once it exists; null
    // after the timeout.
    HWND WaitForMainWindow(DWORD timeoutMs = 10000);
    // A top-level window of this process with this class (and caption, when given), visible.
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs = 10000);
    // The exit code, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(DWORD timeoutMs = 10000) { return m_process.WaitForExit(timeoutMs); }
    bool Running() const { return m_process.Running(); }
    DWORD Pid() const { return m_process.Pid(); }
    HANDLE Handle() const { return m_process.Handle(); }

private:
    HWND Find(const wchar_t* className, const wchar_t* caption, bool unownedOnly, DWORD timeoutMs);
    ChildProcess m_process;  // ended, if it still runs, when this goes
};

// The texts of a window's children, in order.
std::vector<std::wstring> ChildTexts(HWND parent);
