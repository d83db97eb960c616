// A modal dialog from a template of the program's resources. The object is attached to its
// window at WM_INITDIALOG (`this` travels in DialogBoxParam's lParam) and detached at
// WM_NCDESTROY; messages reach handlers through the same message maps as other windows.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

class CDialog : public CWnd {
public:
    // pParentWnd null: the dialog is owned by the application's main window, if there is one.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog and runs its modal loop: the value given to EndDialog (IDOK, IDCANCEL),
    // or -1 when the dialog could not be made.
    virtual INT_PTR DoModal();

    // FALSE: members -> controls; TRUE: controls -> members. FALSE when a data exchange helper
    // failed (see CDataExchange.h); after a failed TRUE exchange the focus is on the control
    // that failed, if it exists.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // A view of the control with this id, owned by the dialog and valid while the dialog's
    // window lives; null when there is no such control.
    CWnd* GetDlgItem(int nID);

protected:
    // Runs when the dialog's controls exist, before it is shown: fills the controls from the
    // members (a failed exchange still shows the dialog). TRUE lets the dialog manager put the
    // focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Runs when OK is pressed (or Enter): takes the controls into the members and ends IDOK;
    // the dialog stays open when the exchange fails.
    virtual void OnOK();
    // Runs when Cancel, Esc or the close box is pressed: ends IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    // The dialog manager does the default handling of whatever the dialog procedure leaves
    // unhandled, so there is nothing to call here.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Adds the combo box items of the template's initialisation data.
    void ExecuteDlgInit();
    // Runs once the dialog is set up, before it is shown: centred over the visible window that
    // opened it, or else on the monitor under the mouse pointer (the tray's).
    void PlaceOnScreen();

    std::map<HWND, std::unique_ptr<CWnd>> m_views;  // GetDlgItem's views
};
