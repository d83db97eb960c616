#include "app/CLauncherApp.h"

#include <commctrl.h>

#include "app/CMainTrayWnd.h"
#include "entries/EntryStore.h"
#include "entries/StoreJournal.h"
#include "entries/StoreNames.h"
#include "framework/Afx.h"
#include "framework/Utf.h"
#include "res/resource.h"

CLauncherApp theApp;

const wchar_t* const CLauncherApp::kInstanceMutexName = L"Local\\Brennick.Velmora.Instance";

CLauncherApp::CLauncherApp() = default;

DWORD CLauncherApp::QueryOsMajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ::GetVersionExW(&info);  // the result is not needed: a failure leaves the fields zero
#pragma GCC diagnostic pop
    return info.dwMajorVersion;
}

// Called when the message loop has ended, or when InitInstance refused to start.
int CLauncherApp::ExitInstance() {
    m_instanceMutex.Reset();
    return CWinApp::ExitInstance();
}

// Called once at start; FALSE ends the program before the message loop.
BOOL CLauncherApp::InitInstance() {
    SetRegistryKey(store_names::kCompany);

    CString title = AfxLoadString(IDS_MAIN_TITLE);
    if (::FindWindowW(nullptr, Widen(title.View()).c_str()) != nullptr) {
        return FALSE;  // a copy is running already: end without a word
    }
    // Two copies started at the same instant can both miss each other's window; the first
    // to create the mutex is the one that stays.
    m_instanceMutex.Reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        m_instanceMutex.Reset();
        return FALSE;
    }

    if (m_pfnGetOsMajorVersion() < 4) {
        AfxMessageBox("このﾊﾞｰｼﾞｮﾝのOSでは起動できません。", MB_OK);
        return FALSE;
    }

    // The dialogs use the common controls of the manifest's version 6 (the look of the
    // system, three-dimensional controls included).
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    // A save that was cut off (the program killed, the machine gone) is finished before the
    // main window reads the count.
    StoreJournal::Recover(*this);

    auto* mainWnd = new CMainTrayWnd;
    CString wndClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                            static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)),
                            ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    if (!mainWnd->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wndClass, title,
                           WS_CAPTION | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr)) {
        // Without its window the program could never be reached or ended: stop here (the
        // window object has deleted itself).
        return FALSE;
    }
    m_nCmdShow = SW_HIDE;
    mainWnd->ShowWindow(SW_HIDE);
    m_pMainWnd = mainWnd;
    mainWnd->LoadAll();
    return TRUE;
}

void CLauncherApp::LoadButton(int n, AppEntry& entry) {
    LoadEntrySection(*this, store_names::EntrySection(n), entry);
}

void CLauncherApp::SaveButton(int n, AppEntry entry) {
    SaveEntrySection(*this, store_names::EntrySection(n), entry);
}

void CLauncherApp::SaveButton(StoreBatch& batch, int n, const AppEntry& entry) {
    SaveEntrySection(batch, store_names::EntrySection(n), entry);
}
