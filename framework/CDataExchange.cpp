#include "framework/CDataExchange.h"

#include "framework/CWnd.h"
#include "framework/Utf.h"

HWND CDataExchange::PrepareCtrl(int nIDC) const {
    if (m_pDlgWnd == nullptr || m_pDlgWnd->m_hWnd == nullptr) {
        return nullptr;
    }
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
}

bool DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr) {
        return false;
    }
    CWnd view;
    view.m_hWnd = control;
    if (pDX->m_bSaveAndValidate) {
        value = view.GetWindowText();
    } else {
        view.SetWindowText(value);
    }
    return true;
}

bool DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr) {
        return false;
    }
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
    return true;
}

bool DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr) {
        return false;
    }
    // Refreshed in both directions, so that a second DoModal of the same object views the
    // controls of the new dialog, not the handles of the last one.
    control.m_hWnd = hWnd;
    return true;
}
