#include "framework/Afx.h"

#include <cstdio>

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/Utf.h"

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_hInstance != nullptr) {
        return app->m_hInstance;
    }
    return ::GetModuleHandleW(nullptr);
}

const char* AfxGetAppName() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_strAppName.GetString() : "";
}

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}

int AfxMessageBox(const CString& text, UINT nType) {
    if ((nType & MB_ICONMASK) == 0) {
        nType |= MB_ICONEXCLAMATION;
    }
    // Own the box by the window the user is working in: the main window's last active
    // popup (an open dialog), else the hidden main window itself.
    HWND owner = nullptr;
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr) {
        owner = ::GetLastActivePopup(main->m_hWnd);
    }
    if (owner == nullptr) {
        owner = ::GetActiveWindow();
    }
    return ::MessageBoxW(owner, Widen(text.View()).c_str(), Widen(AfxGetAppName()).c_str(), nType);
}

CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[128];
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    std::wstring wide = Widen(name);
    WNDCLASSW existing{};
    if (!::GetClassInfoW(instance, wide.c_str(), &existing)) {
        WNDCLASSW wc{};
        wc.style = nClassStyle;
        wc.lpfnWndProc = &CWnd::AfxWndProc;
        wc.hInstance = instance;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = wide.c_str();
        ::RegisterClassW(&wc);
    }
    return CString(name);
}

CString AfxLoadString(UINT nID) {
    // With a zero buffer size LoadString hands out a read-only pointer into the resource,
    // so no buffer length has to be guessed.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(AfxGetInstanceHandle(), nID, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return CString();
    }
    return CString(Narrow(std::wstring_view(text, static_cast<size_t>(length))));
}

int AfxWinMain(CWinApp& theApp, HINSTANCE hInstance, int nCmdShow) {
    CWinApp* app = &theApp;
    app->SetCurrentHandles(hInstance);
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        return app->ExitInstance();
    }
    return app->Run();
}
