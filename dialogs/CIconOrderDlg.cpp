#include "dialogs/CIconOrderDlg.h"

#include "entries/EntryLabel.h"
#include "res/resource.h"
#include "tray/CButtonTrayWnd.h"

BEGIN_MESSAGE_MAP(CIconOrderDlg, COrderListDlg)
    ON_BN_CLICKED(IDC_ORDER_UP, OnUp)
    ON_BN_CLICKED(IDC_ORDER_DOWN, OnDown)
END_MESSAGE_MAP()

void CIconOrderDlg::SetList(int nCount, CPtrList* pList) {
    m_nCount = nCount;
    m_pList = pList;
}

void CIconOrderDlg::GetItemText(int index, CString& text) {
    POSITION pos = m_pList != nullptr ? m_pList->FindIndex(index) : nullptr;
    if (pos == nullptr) {
        text.Empty();
        return;
    }
    AppEntry entry;
    static_cast<CButtonTrayWnd*>(m_pList->GetAt(pos))->GetEntry(entry);
    text = entry.IsGroup == 1 ? entry.Title : EntryLabel(entry);
}

void CIconOrderDlg::DoDataExchange(CDataExchange* pDX) {
    COrderListDlg::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate) {
        FillList();
        // Entries are edited and deleted from their own tray icons, not here.
        for (int id : {IDC_ORDER_EDIT, IDC_ORDER_DELETE}) {
            if (CWnd* button = GetDlgItem(id); button != nullptr) {
                button->ShowWindow(SW_HIDE);
            }
        }
    }
}

void CIconOrderDlg::OnUp() { MoveSelectionUp(); }

void CIconOrderDlg::OnDown() { MoveSelectionDown(); }
