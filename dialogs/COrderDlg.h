// The order dialog of one group's members: move, edit and delete members in place. The list
// holds AppEntry records owned by the group window; the count is the group's member counter.
#pragma once

#include "dialogs/COrderListDlg.h"

class COrderDlg : public COrderListDlg {
public:
    explicit COrderDlg(CWnd* pParentWnd = nullptr) : COrderListDlg(pParentWnd) {}

    // pCount: the group's member counter, kept in step on deletion; pList: its AppEntry*.
    void SetList(int* pCount, CPtrList* pList);

    void GetItemText(int index, CString& text) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int GetListCount() const override;

    // Runs when "↑上へ" is pressed.
    void OnUp();
    // Runs when "↓下へ" is pressed.
    void OnDown();
    // Runs when "編集" is pressed or a line is double-clicked.
    void OnEdit();
    // Runs when "削除" is pressed.
    void OnDelete();

    int* m_pCount = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    AppEntry* EntryAt(int index) const;
};
