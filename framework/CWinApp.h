// The application object: start-up and the message loop, the registry profile, help and
// string resources. Exactly one exists; AfxGetApp() returns it.
#pragma once

#include <windows.h>

#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/WinHandles.h"

class CWnd;

class CWinApp : public CObject {
public:
    // The application takes its name from string AFX_IDS_APP_TITLE.
    CWinApp();
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;       // caption of message boxes, application key of the profile
    CString m_strRegistryKey;   // company key under HKCU\Software
    CString m_strHelpFilePath;  // the program's path with ".HLP"
    CString m_strHtmlHelpPath;  // the program's path with ".html": the guide for today's systems

    // Takes the module handle and the names that come with it; called before InitInstance.
    void SetCurrentHandles(HINSTANCE hInstance);

    virtual BOOL InitInstance();
    // The message loop; returns ExitInstance's result once WM_QUIT arrives.
    virtual int Run();
    virtual int ExitInstance();

    // From now on the profile lives under HKCU\Software\<company>\<application name>.
    void SetRegistryKey(const char* company);

    // Profile functions. A section "A\B" is the nested key B below A; opening a section
    // creates its key. Values of an unexpected type read as the default.
    int GetProfileInt(const char* section, const char* entry, int nDefault);
    CString GetProfileString(const char* section, const char* entry, const char* def = "");
    BOOL WriteProfileInt(const char* section, const char* entry, int nValue);
    // The highest n (1 or more, at most `limit`) for which the section "<parent>\<prefix><n>"
    // exists; 0 if there is none. `parent` "" is the profile root. Creates nothing.
    int GetHighestNumberedSection(const char* parent, const char* prefix, int limit);

    // Opens the application's help file.
    void WinHelp(DWORD_PTR dwData, UINT nCmd);

    // The profile root key, created when missing (null without a registry key).
    UniqueRegKey GetAppRegistryKey();
    UniqueRegKey GetSectionKey(const char* section);

private:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();
