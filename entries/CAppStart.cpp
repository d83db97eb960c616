#include "entries/CAppStart.h"

#include <shellapi.h>

#include <string>

#include "entries/LaunchRules.h"
#include "entries/PathParts.h"
#include "framework/Afx.h"
#include "framework/Environment.h"
#include "framework/SystemDll.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"

IMPLEMENT_DYNCREATE(CAppStart, CObject)

static_assert(kShowMinimized == SW_SHOWMINIMIZED && kShowMaximized == SW_SHOWMAXIMIZED &&
              kShowNormal == SW_SHOW);

namespace {

void ShowStartFailure(const CString& path) {
    CString text;
    text.Format("%sの起動に失敗しました。", path);
    AfxMessageBox(text, MB_OK);
}

}  // namespace

void CAppStart::SetData(HWND owner, const CString& path, const CString& dir, const CString& parm,
                        int show) {
    m_hWndOwner = owner;
    m_strPath = path;
    m_strDir = dir;
    m_strParm = parm;
    m_nShow = show;
}

CString CAppStart::StartPath() const { return ExpandEnvironment(m_strPath); }

void CAppStart::Start() {
    switch (LaunchWayFor(PathExtension(StartPath()))) {
        case LaunchWay::Program:
            StartProgram();
            break;
        case LaunchWay::ControlPanel:
            StartControlPanel();
            break;
        case LaunchWay::Document:
            StartDocument();
            break;
    }
}

CString CAppStart::GetStartDir() const {
    return StartDirectoryFor(ExpandEnvironment(m_strDir), StartPath());
}

void CAppStart::StartProgram() {
    const std::wstring parms = Widen(m_strParm.View());
    ShellStart(parms.c_str());
}

void CAppStart::StartDocument() { ShellStart(nullptr); }

void CAppStart::ShellStart(const wchar_t* parms) {
    const std::wstring file = Widen(StartPath().View());
    const std::wstring dir = Widen(GetStartDir().View());
    // No operation: the file's default action ("open" for a program) runs.
    const HINSTANCE result = ::ShellExecuteW(m_hWndOwner, nullptr, file.c_str(), parms, dir.c_str(),
                                             ShowCodeFor(m_nShow));
    // The result is an HINSTANCE only for compatibility: values up to 32 are error codes.
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        ShowStartFailure(m_strPath);
    }
}

void CAppStart::StartControlPanel() {
    // CreateProcess may write into the command line, so it gets a buffer of its own.
    std::wstring commandLine = Widen(ControlPanelCommandLine(StartPath()).View());
    // The program comes from the system directory by its full name: a search for "rundll32"
    // would look in the program's own folder first and run whatever rundll32.exe lies there.
    const std::wstring systemDir = system_dll::SystemDirectory();
    const std::wstring rundll32 = systemDir + L"rundll32.exe";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    const BOOL started = !systemDir.empty() &&
                         ::CreateProcessW(rundll32.c_str(), commandLine.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, nullptr, &startup, &process);
    if (!started) {
        AfxMessageBox("Error ", MB_OK);
        return;
    }
    // Nothing waits for the applet: its handles are closed at once.
    UniqueKernelHandle thread(process.hThread);
    UniqueKernelHandle processHandle(process.hProcess);
}
