#include "dialogs/COrderDlg.h"

#include "dialogs/CEntrySettingsDlg.h"
#include "entries/EntryLabel.h"
#include "framework/Afx.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(COrderDlg, COrderListDlg)
    ON_BN_CLICKED(IDC_ORDER_UP, OnUp)
    ON_BN_CLICKED(IDC_ORDER_DOWN, OnDown)
    ON_BN_CLICKED(IDC_ORDER_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_ORDER_DELETE, OnDelete)
    ON_LBN_DBLCLK(IDC_ORDER_LIST, OnEdit)
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
    text = entry != nullptr ? EntryLabel(*entry) : CString();
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

void COrderDlg::OnEdit() {
    const int s = GetSelection();
    AppEntry* entry = s >= 0 ? EntryAt(s) : nullptr;
    if (entry == nullptr) {
        return;
    }
    // The member's own flag as group mode: for a member (0) every field is open and the group
    // check box is not offered.
    CEntrySettingsDlg dlg(this);
    dlg.SetGroupMode(entry->IsGroup, 0);
    dlg.SetEntry(*entry, 0);
    // Only OK changes the member; a dialog that could not be shown (-1) changes nothing either.
    if (dlg.DoModal() != IDOK) {
        return;
    }
    dlg.GetEntry(*entry);
    DeleteLine(s);
    InsertLine(s, EntryLabel(*entry));
    SelectLine(s);
}

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
