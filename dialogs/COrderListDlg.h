// The order dialog (template 141): a list of entries or tray windows in a list box, moved one
// line at a time. Works directly on the caller's list; nothing is undone by closing, and the
// dialog always ends with IDCANCEL (its default button is invisible and disabled, so Enter in the
// list does nothing).
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "framework/CDialog.h"
#include "framework/CPtrList.h"
#include "framework/CString.h"

class COrderListDlg : public CDialog {
public:
    explicit COrderListDlg(CWnd* pParentWnd = nullptr);

    // The text of line `index`: the label of list element `index`.
    virtual void GetItemText(int index, CString& text) = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // How many lines there are to fill and how far down a line may go.
    virtual int GetListCount() const = 0;
    // Appends one line per list element (during the first exchange, members -> controls).
    void FillList();

    // The selected line, or -1 when the list is empty or nothing is selected.
    int GetSelection() const;
    CString GetLineText(int line) const;
    void InsertLine(int line, const CString& text);
    void DeleteLine(int line);
    void SelectLine(int line);

    // Moves the selected line and its element up or down by one; anything else does nothing.
    void MoveSelectionUp();
    void MoveSelectionDown();

    CWnd m_listBox;               // list box 1015
    CPtrList* m_pList = nullptr;  // the caller's list, not owned

private:
    // Swaps element and line s with element and line s + 1; the moved one ends at `to`.
    void Exchange(int s, int to);
};
