#include "framework/CDialog.h"

#include <span>

#include "framework/Afx.h"
#include "framework/DlgInit.h"
#include "framework/Utf.h"
#include "framework/Placement.h"

namespace {
constexpr WORD kDlgInitType = 240;
}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr) {
        owner = m_pParentWnd->m_hWnd;
    } else if (CWnd* main = AfxGetMainWnd(); main != nullptr) {
        // Owned by the (hidden) main window, which the modal loop disables meanwhile, so the
        // program's other windows stay out of the way until the dialog ends.
        owner = main->m_hWnd;
    }
    return ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    if (!dx.Failed()) {
        return TRUE;
    }
    // The user is taken to the value that could not be read, as the dialog manager moves the
    // focus (an edit's text comes up selected).
    HWND control = ::GetDlgItem(m_hWnd, dx.FailedControl());
    if (bSaveAndValidate && control != nullptr) {
        ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
    return FALSE;
}

CWnd* CDialog::GetDlgItem(int nID) {
    HWND control = m_hWnd != nullptr ? ::GetDlgItem(m_hWnd, nID) : nullptr;
    if (control == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CWnd>& view = m_views[control];
    if (!view) {
        view = std::make_unique<CWnd>();
        view->m_hWnd = control;
    }
    return view.get();
}

BOOL CDialog::OnInitDialog() {
    // A failed exchange is not fatal here: the dialog comes up with what could be shown (and
    // OK will not end it).
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    ::EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel() { ::EndDialog(m_hWnd, IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }

void CDialog::ExecuteDlgInit() {
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC info =
        ::FindResourceW(instance, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(kDlgInitType));
    if (info == nullptr) {
        return;
    }
    HGLOBAL loaded = ::LoadResource(instance, info);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return;
    }
    std::span data(static_cast<const std::byte*>(bytes), ::SizeofResource(instance, info));
    for (const DlgInitItem& item : ParseDlgInit(data)) {
        std::wstring text = Widen(item.text);
        ::SendDlgItemMessageW(m_hWnd, item.controlId, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CDialog::PlaceOnScreen() {
    // The template's own place is the top left of the screen, far from where the user clicked.
    HWND opener = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    if (opener != nullptr && ::IsWindowVisible(opener) && !::IsIconic(opener)) {
        CentreOver(m_hWnd, opener);
    } else {
        // Opened from a tray icon, whose window is hidden: where the tray is.
        CentreOnCursorMonitor(m_hWnd);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dlg = nullptr;
    if (message == WM_INITDIALOG) {
        // `this`, from DoModal.
        dlg = reinterpret_cast<CDialog*>(lParam);
        dlg->Attach(hWnd);
        // No C++ exception may unwind into the dialog manager: a dialog that cannot be set
        // up ends at once, and DoModal reports -1.
        try {
            dlg->ExecuteDlgInit();
            const BOOL focusDefault = dlg->OnInitDialog();
            dlg->PlaceOnScreen();
            return focusDefault;
        } catch (...) {
            ::EndDialog(hWnd, -1);
            return FALSE;
        }
    }

    dlg = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (dlg == nullptr) {
        // Messages before WM_INITDIALOG (WM_SETFONT, ...): the dialog manager's defaults.
        return FALSE;
    }
    INT_PTR handled = FALSE;
    LRESULT result = 0;
    try {
        // A handled message's result goes into DWLP_MSGRESULT. (The program handles none of the
        // few messages, WM_CTLCOLOR* and the like, whose result the procedure returns itself.)
        if (dlg->OnWndMsg(message, wParam, lParam, &result)) {
            ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
            handled = TRUE;
        }
    } catch (...) {
        handled = FALSE;
    }
    if (message == WM_NCDESTROY) {
        dlg->m_views.clear();
        dlg->Detach();
        dlg->PostNcDestroy();
    }
    return handled;
}
