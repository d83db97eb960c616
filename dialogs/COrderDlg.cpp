#include "dialogs/COrderDlg.h"

#include "framework/Afx.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(COrderDlg, COrderListDlg)
    ON_BN_CLICKED(IDC_ORDER_UP, OnUp)
    ON_BN_CLICKED(IDC_ORDER_DOWN, OnDown)
    ON_BN_CLICKED(IDC_ORDER_DELETE, OnDelete)
END_MESSAGE_MAP()

void COrderDlg::SetList(int* pCount, CPtrList* pList) {
    m_pCount = pCount;
    m_pList = pList;
}

AppEntry* COrderDlg::EntryAt(int index) const {
    POSITION pos = m_pList != nullptr ? m_pList->FindIndex(index) : nullptr;
    return pos != nullptr ? static_cast<AppEntry*>(m_pList->GetAt(pos)) : nullptr;
}

void COrderDlg::GetItemText(int index, CString& text) {
    const AppEntry* entry = EntryAt(index);
    text = entry != nullptr ? EntryText(*entry) : CString();
}

int COrderDlg::GetListCount() const { return m_pCount != nullptr ? *m_pCount : 0; }

void COrderDlg::DoDataExchange(CDataExchange* pDX) {
    COrderListDlg::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate) {
        FillList();
    }
}

void COrderDlg::OnUp() { MoveSelectionUp(); }

void COrderDlg::OnDown() { MoveSelectionDown(); }

void COrderDlg::OnDelete() {
    const int s = GetSelection();
    if (s < 0) {
        return;
    }
    POSITION pos = m_pList != nullptr ? m_pList->FindIndex(s) : nullptr;
    if (pos == nullptr) {
        return;
    }
    if (MessageBox("削除してもよろしいですか？", AfxGetAppName(), MB_OKCANCEL | MB_ICONQUESTION) !=
        IDOK) {
        return;
    }
    delete static_cast<AppEntry*>(m_pList->GetAt(pos));
    m_pList->RemoveAt(pos);
    DeleteLine(s);
    if (m_pCount != nullptr) {
        --*m_pCount;
    }
    SelectLine(-1);
}
