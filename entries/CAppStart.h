// CAppStart: starts one entry — a program, a control-panel applet or a document — and reports
// a failure in a message box. A single-entry window keeps one for its life; a group window
// makes one for each member it starts.
#pragma once

#include <windows.h>

#include "framework/CObject.h"
#include "framework/CString.h"

class CAppStart : public CObject {
    DECLARE_DYNCREATE(CAppStart)
public:
    CAppStart() = default;
    ~CAppStart() override = default;

    // Takes what Start needs from an entry: path and start directory as typed, %NAME% variables
    // and all; they are expanded each time the entry starts.
    void SetData(HWND owner, const CString& path, const CString& dir, const CString& parm,
                 int show);

    // Starts the entry the way its extension asks for: ".exe" and ".com" as programs, ".cpl"
    // as applets, everything else as documents. Returns once started, or once the user has
    // closed the failure message.
    void Start();

    // The start directory, or when it is empty the drive and directory of the path; expanded.
    CString GetStartDir() const;

    // The shell starts the program with the parameters, in the start directory.
    void StartProgram();
    // The shell runs the document's default action, never with parameters.
    void StartDocument();
    // rundll32 opens the applet; show value, start directory and parameters are not used.
    void StartControlPanel();

private:
    // The path with its %NAME% variables expanded, as the entry starts now.
    CString StartPath() const;
    // Runs the path through the shell; parms null for a document.
    void ShellStart(const wchar_t* parms);

    HWND m_hWndOwner = nullptr;
    CString m_strPath;
    int m_nShow = 0;
    CString m_strDir;
    CString m_strParm;
};
