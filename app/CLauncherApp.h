// The application object: registry root, one running copy, the operating-system gate, the
// hidden main window and the loading of all entries.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "framework/CWinApp.h"
#include "framework/WinHandles.h"

class StoreBatch;

class CLauncherApp : public CWinApp {
public:
    CLauncherApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The top-level entry n (counted from 1) of the store, section "Btn%d".
    void LoadButton(int n, AppEntry& entry);
    void SaveButton(int n, AppEntry entry);
    // The same, added to a batch that is written later as a whole.
    void SaveButton(StoreBatch& batch, int n, const AppEntry& entry);

    // The name of the mutex that makes a second copy started at the same instant end too.
    static const wchar_t* const kInstanceMutexName;

    // The major version of the operating system; replaceable, since no system to test on
    // reports a version below 4.
    DWORD (*m_pfnGetOsMajorVersion)() = &QueryOsMajorVersion;
    static DWORD QueryOsMajorVersion();

private:
    UniqueKernelHandle m_instanceMutex;
};

extern CLauncherApp theApp;
