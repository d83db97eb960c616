// Dialog data exchange: moves values between a dialog's controls and the members of its
// object, one direction at a time. Texts have no length limit. A helper that cannot do its
// exchange changes nothing and marks the exchange as failed, naming its control: when the
// dialog has no control with that id, or (DDX_Check) when the control is no check box or radio
// button, whose state would otherwise read as unchecked. CDialog::UpdateData reports the failure.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control with this id of the dialog; null (and the exchange failed) when there is none.
    HWND PrepareCtrl(int nIDC);
    // Marks the exchange as failed at this control. The first failure is the one kept.
    void Fail(int nIDC);

    bool Failed() const { return m_bFailed; }
    // The control of the first failure.
    int FailedControl() const { return m_idFailed; }

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;

private:
    bool m_bFailed = false;
    int m_idFailed = 0;
};

// Edit (or any window) text <-> string, whole, in UTF-8.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Check box or radio button state <-> BST_UNCHECKED (0), BST_CHECKED (1) or
// BST_INDETERMINATE (2).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Makes `control` a borrowed view of the control (both directions): it never destroys it.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
