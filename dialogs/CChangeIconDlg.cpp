#include "dialogs/CChangeIconDlg.h"

#include "framework/CFileDialog.h"
#include "framework/Utf.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"

namespace {
constexpr char kIconFilter[] =
    "ｱｲｺﾝﾌｧｲﾙ|*.exe;*.com;*.dll;*.ico|ﾌﾟﾛｸﾞﾗﾑ|*.exe;*.com|ﾗｲﾌﾞﾗﾘ|*.dll|ｱｲｺﾝ|*.ico|"
    "すべてのﾌｧｲﾙ|*.*||";

// File names compared as the file system does: whole characters, letter case ignored (also
// outside ASCII).
bool SameFileName(const CString& a, const CString& b) {
    std::wstring wa = Widen(a.View());
    std::wstring wb = Widen(b.View());
    return ::CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                  static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}
}  // namespace

BEGIN_MESSAGE_MAP(CChangeIconDlg, CDialog)
    ON_BN_CLICKED(IDC_ICON_PREV, OnPrevIcon)
    ON_BN_CLICKED(IDC_ICON_NEXT, OnNextIcon)
    ON_EN_UPDATE(IDC_PATH, OnUpdateIconFile)
    ON_BN_CLICKED(IDC_ICON_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ICON_DEFAULT, OnDefaultIcon)
END_MESSAGE_MAP()

CChangeIconDlg::CChangeIconDlg(CWnd* pParent) : CDialog(IDD_CHANGE_ICON, pParent) {
    // At the screen's DPI until the dialog has a window, whose DPI it takes then.
    m_loadIcon.Create(FALSE, display_scale::SystemDpi());
}

void CChangeIconDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ICON_PREVIEW, m_wndPreview);
    DDX_Control(pDX, IDC_PATH, m_wndIconFile);
    DDX_Text(pDX, IDC_PATH, m_strIconFile);
}

BOOL CChangeIconDlg::OnInitDialog() {
    // Filling the edit sends EN_UPDATE, whose step would reset the caller's index: the
    // text-change step waits until the dialog is set up.
    m_bInitialised = false;
    // The previews are the large icon size of the monitor the dialog opens on.
    m_loadIcon.Create(FALSE, display_scale::WindowDpi(m_hWnd));
    CDialog::OnInitDialog();
    m_bInitialised = true;

    m_loadIcon.SetFile(SourceFile());
    if (m_nIconIndex < 0 || m_nIconIndex >= m_loadIcon.GetCount()) {
        m_nIconIndex = 0;
    }
    m_wndPreview.ShowIcon(m_loadIcon.GetIcon(m_nIconIndex));
    return TRUE;
}

void CChangeIconDlg::OnOK() { CDialog::OnOK(); }

void CChangeIconDlg::OnPrevIcon() {
    if (m_nIconIndex - 1 < 0) {
        return;
    }
    HICON icon = m_loadIcon.GetIcon(m_nIconIndex - 1);
    if (icon != nullptr) {
        m_wndPreview.ShowIcon(icon);
        --m_nIconIndex;
    }
}

void CChangeIconDlg::OnNextIcon() {
    if (m_loadIcon.GetCount() <= m_nIconIndex + 1) {
        return;
    }
    HICON icon = m_loadIcon.GetIcon(m_nIconIndex + 1);
    if (icon != nullptr) {
        m_wndPreview.ShowIcon(icon);
        ++m_nIconIndex;
    }
}

void CChangeIconDlg::OnUpdateIconFile() {
    if (!m_bInitialised) {
        return;
    }
    m_nIconIndex = 0;
    m_loadIcon.SetFile(m_wndIconFile.GetWindowText());
    m_wndPreview.ShowIcon(m_loadIcon.GetIcon(0));
}

void CChangeIconDlg::OnBrowse() {
    // Owned by this dialog, so that it stays modal over it.
    CFileDialog dlg("*.exe;*.com;*.dll;*.ico", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kIconFilter,
                    this);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    m_strIconFile = dlg.GetPathName();
    // The entry's own file is its default icon, however its name is written.
    if (SameFileName(m_strIconFile, m_strDefaultFile)) {
        m_strIconFile.Empty();
    }
    m_nIconIndex = 0;
    Refresh();
}

void CChangeIconDlg::OnDefaultIcon() {
    m_nIconIndex = 0;
    m_strIconFile.Empty();
    Refresh();
}

void CChangeIconDlg::Refresh() {
    m_wndIconFile.SetWindowText(m_strIconFile);  // runs the text-change step
    m_loadIcon.SetFile(SourceFile());
    HICON icon = m_loadIcon.GetIcon(m_nIconIndex);
    if (icon != nullptr) {
        m_wndPreview.ShowIcon(icon);
    }
}

const CString& CChangeIconDlg::SourceFile() const {
    return m_strIconFile.IsEmpty() ? m_strDefaultFile : m_strIconFile;
}
