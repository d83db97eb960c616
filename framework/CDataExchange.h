// Dialog data exchange: moves values between a dialog's controls and the members of its
// object, one direction at a time. No validation: texts have no length limit and checks take
// whatever state the box is in. Each helper answers false (and changes nothing) when the
// dialog has no control with that id.
#pragma once

#include <windows.h>

#include "framework/CString.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    // The control with this id of the dialog, or null.
    HWND PrepareCtrl(int nIDC) const;

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
};

// Edit (or any window) text <-> string, whole, in UTF-8.
bool DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Check box state <-> BST_UNCHECKED (0), BST_CHECKED (1) or BST_INDETERMINATE (2).
bool DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// Makes `control` a borrowed view of the control (both directions): it never destroys it.
bool DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
