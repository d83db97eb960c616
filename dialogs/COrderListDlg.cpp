#include "dialogs/COrderListDlg.h"

#include <string>

#include "framework/Utf.h"
#include "res/resource.h"

COrderListDlg::COrderListDlg(CWnd* pParentWnd) : CDialog(IDD_ORDER, pParentWnd) {}

void COrderListDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ORDER_LIST, m_listBox);
}

void COrderListDlg::FillList() {
    const int count = GetListCount();
    for (int i = 0; i < count; ++i) {
        CString text;
        GetItemText(i, text);
        std::wstring wide = Widen(text.View());
        ::SendMessageW(m_listBox.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

int COrderListDlg::GetSelection() const {
    LRESULT lines = ::SendMessageW(m_listBox.m_hWnd, LB_GETCOUNT, 0, 0);
    if (lines == LB_ERR || lines <= 0) {
        return -1;
    }
    LRESULT s = ::SendMessageW(m_listBox.m_hWnd, LB_GETCURSEL, 0, 0);
    return s == LB_ERR ? -1 : static_cast<int>(s);
}

CString COrderListDlg::GetLineText(int line) const {
    LRESULT length = ::SendMessageW(m_listBox.m_hWnd, LB_GETTEXTLEN, line, 0);
    if (length == LB_ERR) {
        return CString();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied =
        ::SendMessageW(m_listBox.m_hWnd, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return CString(Narrow(text));
}

void COrderListDlg::InsertLine(int line, const CString& text) {
    std::wstring wide = Widen(text.View());
    ::SendMessageW(m_listBox.m_hWnd, LB_INSERTSTRING, line, reinterpret_cast<LPARAM>(wide.c_str()));
}

void COrderListDlg::DeleteLine(int line) {
    ::SendMessageW(m_listBox.m_hWnd, LB_DELETESTRING, line, 0);
}

void COrderListDlg::SelectLine(int line) {
    ::SendMessageW(m_listBox.m_hWnd, LB_SETCURSEL, line, 0);
}

void COrderListDlg::MoveSelectionUp() {
    const int s = GetSelection();
    if (s <= 0) {
        return;
    }
    Exchange(s - 1, s - 1);
}

void COrderListDlg::MoveSelectionDown() {
    const int s = GetSelection();
    if (s < 0 || s >= GetListCount() - 1) {
        return;
    }
    Exchange(s, s + 1);
}

void COrderListDlg::Exchange(int s, int to) {
    // A count that does not match the list (a caller's slip) must not reach past its end.
    if (m_pList == nullptr) {
        return;
    }
    POSITION upper = m_pList->FindIndex(s);
    POSITION lower = m_pList->FindIndex(s + 1);
    if (upper == nullptr || lower == nullptr) {
        return;
    }
    // The element of the upper line goes after the one of the lower line: the pair is swapped,
    // and the texts move with their elements rather than being made anew.
    void* element = m_pList->GetAt(upper);
    m_pList->RemoveAt(upper);
    m_pList->InsertAfter(lower, element);
    CString text = GetLineText(s);
    DeleteLine(s);
    InsertLine(s + 1, text);
    SelectLine(to);
}
