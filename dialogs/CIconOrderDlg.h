// The order dialog of the tray entries: moves the main window's entry windows (and with them
// their tray icons and store sections) up and down. No edit, no delete.
#pragma once

#include "dialogs/COrderListDlg.h"

class CIconOrderDlg : public COrderListDlg {
public:
    explicit CIconOrderDlg(CWnd* pParentWnd = nullptr) : COrderListDlg(pParentWnd) {}

    // nCount: the number of entries when the dialog opens; pList: the entry windows.
    void SetList(int nCount, CPtrList* pList);

    // A group by its title, even an empty one; a single entry like any entry.
    void GetItemText(int index, CString& text) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int GetListCount() const override { return m_nCount; }

    // Runs when "↑上へ" is pressed.
    void OnUp();
    // Runs when "↓下へ" is pressed.
    void OnDown();

    int m_nCount = 0;

    DECLARE_MESSAGE_MAP()
};
