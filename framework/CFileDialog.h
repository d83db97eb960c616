// The system's open file dialog. The filter is given in the framework's form, pairs of
// description and patterns separated by bars and ended by two: "Programs|*.exe;*.com|All|*.*||".
// The chosen path may be of any length.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

#include "framework/CString.h"

class CWnd;

class CFileDialog {
public:
    // fileName: the name first shown; flags: OFN_* besides OFN_EXPLORER. pParentWnd owns the
    // dialog while it is open.
    CFileDialog(const char* fileName, DWORD flags, const char* filter, CWnd* pParentWnd = nullptr);

    // IDOK when the user chose a file, IDCANCEL otherwise (also when the dialog failed).
    INT_PTR DoModal();
    // The full path chosen, after IDOK.
    CString GetPathName() const { return m_strPathName; }

private:
    // The bar-separated filter as the system wants it: every bar a NUL, the whole list ended by
    // two NULs. Text after the last pair (anything but the closing bars) is kept as it is.
    static std::wstring MakeSystemFilter(const char* filter);

    std::wstring m_fileName;
    std::wstring m_filter;  // already in the system's form
    DWORD m_flags;
    CWnd* m_pParentWnd;
    CString m_strPathName;
};
