#include "framework/CDataExchange.h"

#include "framework/CWnd.h"

namespace {
// A button that holds a check state: check boxes and radio buttons of every kind.
bool HoldsCheckState(HWND control) {
    wchar_t cls[8] = {};
    if (::GetClassNameW(control, cls, 8) == 0 || ::lstrcmpiW(cls, L"Button") != 0) {
        return false;
    }
    switch (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}
}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (control == nullptr) {
        Fail(nIDC);
    }
    return control;
}

void CDataExchange::Fail(int nIDC) {
    if (!m_bFailed) {
        m_bFailed = true;
        m_idFailed = nIDC;
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr) {
        return;
    }
    CWnd view;
    view.m_hWnd = control;
    if (pDX->m_bSaveAndValidate) {
        value = view.GetWindowText();
    } else {
        view.SetWindowText(value);
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control == nullptr) {
        return;
    }
    if (!HoldsCheckState(control)) {
        pDX->Fail(nIDC);
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr) {
        return;
    }
    // Refreshed in both directions, so that a second DoModal of the same object views the
    // controls of the new dialog, not the handles of the last one.
    control.m_hWnd = hWnd;
}
