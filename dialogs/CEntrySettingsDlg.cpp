#include "dialogs/CEntrySettingsDlg.h"

#include <string>

#include "dialogs/CChangeIconDlg.h"
#include "framework/CFileDialog.h"
#include "framework/Utf.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"

namespace {
constexpr char kProgramFilter[] =
    "実行ﾌｧｲﾙ(*.exe ;*.com) |*.exe;*.com|ｺﾝﾄﾛｰﾙﾊﾟﾈﾙｱﾌﾟﾘｹｰｼｮﾝ(*.cpl)|*.cpl|"
    "ﾄﾞｷｭﾒﾝﾄ ﾌｧｲﾙ(*.doc;*.txt)|*.doc;*.txt|すべてのﾌｧｲﾙ(*.*)|*.*||";

constexpr int kPathControls[] = {IDC_PATH, IDC_DIR, IDC_PARM, IDC_SHOW, IDC_BROWSE};

// Releases a drop handle however the handler leaves.
struct DropFinisher {
    HDROP hDrop;
    ~DropFinisher() { ::DragFinish(hDrop); }
};
}  // namespace

BEGIN_MESSAGE_MAP(CEntrySettingsDlg, CDialog)
    ON_EN_UPDATE(IDC_PATH, OnUpdatePath)
    ON_BN_CLICKED(IDC_MAKE_GROUP, OnMakeGroup)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_CHANGE_ICON, OnChangeIcon)
END_MESSAGE_MAP()

CEntrySettingsDlg::CEntrySettingsDlg(CWnd* pParent) : CDialog(IDD_ENTRY_SETTINGS, pParent) {
    // At the screen's DPI until the dialog has a window, whose DPI it takes then.
    m_loadIcon.Create(FALSE, display_scale::SystemDpi());
}

void CEntrySettingsDlg::SetGroupMode(int bGroup, int bGroupChoice) {
    m_bGroup = bGroup;
    m_bGroupChoice = bGroupChoice;
}

void CEntrySettingsDlg::SetEntry(AppEntry entry, int bNew) {
    m_strTitle = entry.Title;
    m_strAppName = entry.AppName;
    m_strDir = entry.Dir;
    m_strParm = entry.Parm;
    m_nShow = entry.Show;
    m_strIcon = entry.Icon;
    m_nIconIndex = entry.IconIndex;
    m_bNew = bNew;
}

void CEntrySettingsDlg::GetEntry(AppEntry& entry) const {
    entry.Title = m_strTitle;
    entry.AppName = m_strAppName;
    entry.Dir = m_strDir;
    entry.Parm = m_strParm;
    entry.Show = m_nShow;
    entry.Icon = m_strIcon;
    entry.IconIndex = m_nIconIndex;
}

void CEntrySettingsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ENTRY_PREVIEW, m_wndPreview);
    DDX_Control(pDX, IDC_TITLE, m_wndTitle);
    DDX_Control(pDX, IDC_SHOW, m_wndShow);
    DDX_Control(pDX, IDC_PATH, m_wndPath);
    DDX_Text(pDX, IDC_PATH, m_strAppName);
    DDX_Text(pDX, IDC_DIR, m_strDir);
    DDX_Text(pDX, IDC_PARM, m_strParm);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDX_Check(pDX, IDC_MAKE_GROUP, m_bGroup);
}

BOOL CEntrySettingsDlg::OnInitDialog() {
    // Before the first data exchange, whose filling of the full path already shows a preview:
    // the previews are the large icon size of the monitor the dialog opens on.
    m_loadIcon.Create(FALSE, display_scale::WindowDpi(m_hWnd));
    CDialog::OnInitDialog();
    // An index outside the list selects nothing.
    m_wndShow.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(m_nShow), 0);
    UpdatePreview();
    SetWindowText(m_bNew ? "新規登録" : "設定変更");
    if (!m_bNew || !m_bGroupChoice) {
        if (CWnd* makeGroup = GetDlgItem(IDC_MAKE_GROUP); makeGroup != nullptr) {
            makeGroup->ShowWindow(SW_HIDE);
        }
    }
    if (!m_bNew) {
        EnablePathControls(m_bGroup);
    }
    return TRUE;
}

void CEntrySettingsDlg::UpdatePreview() {
    m_loadIcon.SetFile(m_strIcon.IsEmpty() ? m_strAppName : m_strIcon);
    m_wndPreview.ShowIcon(m_loadIcon.GetIcon(m_nIconIndex));
}

void CEntrySettingsDlg::EnablePathControls(int bGroup) {
    for (int id : kPathControls) {
        // A template without the control has nothing to enable.
        if (CWnd* control = GetDlgItem(id); control != nullptr) {
            control->EnableWindow(bGroup == 0);
        }
    }
}

void CEntrySettingsDlg::OnUpdatePath() {
    // An icon file of its own does not follow the path.
    if (!m_strIcon.IsEmpty()) {
        return;
    }
    m_loadIcon.SetFile(m_wndPath.GetWindowText());
    m_wndPreview.ShowIcon(m_loadIcon.GetIcon(0));
}

void CEntrySettingsDlg::OnMakeGroup() {
    EnablePathControls(static_cast<int>(::IsDlgButtonChecked(m_hWnd, IDC_MAKE_GROUP)));
}

void CEntrySettingsDlg::OnBrowse() {
    // Owned by this dialog, so that it stays modal over it.
    CFileDialog dlg("*.exe;*.com", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kProgramFilter, this);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    m_strAppName = dlg.GetPathName();
    m_wndPath.SetWindowText(m_strAppName);
}

void CEntrySettingsDlg::OnDropFiles(HDROP hDrop) {
    DropFinisher finish{hDrop};
    // Only the first file counts; its name may be of any length.
    if (::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0) == 0) {
        return;
    }
    UINT length = ::DragQueryFileW(hDrop, 0, nullptr, 0);
    std::wstring name(static_cast<size_t>(length) + 1, L'\0');
    name.resize(::DragQueryFileW(hDrop, 0, name.data(), length + 1));
    CString path(Narrow(name));
    m_wndPath.SetWindowText(path);
    m_strAppName = path;
}

void CEntrySettingsDlg::OnChangeIcon() {
    m_strAppName = m_wndPath.GetWindowText();
    // Owned by this dialog, so that it stays modal over it.
    CChangeIconDlg dlg(this);
    dlg.m_strDefaultFile = m_strAppName;
    dlg.m_strIconFile = m_strIcon;
    dlg.m_nIconIndex = m_nIconIndex;
    if (dlg.DoModal() != IDOK) {
        return;
    }
    m_strIcon = dlg.m_strIconFile;
    m_nIconIndex = dlg.m_nIconIndex;
    UpdatePreview();
}

void CEntrySettingsDlg::OnOK() {
    m_nShow = static_cast<int>(m_wndShow.SendMessage(CB_GETCURSEL, 0, 0));
    // A group needs a title, a single entry a full path; blanks alone are not one.
    bool group = ::IsDlgButtonChecked(m_hWnd, IDC_MAKE_GROUP) == BST_CHECKED;
    CString text = group ? m_wndTitle.GetWindowText() : m_wndPath.GetWindowText();
    if (text.Trim().IsEmpty()) {
        // Validation messages have no icon: not AfxMessageBox, which adds one.
        MessageBox(group ? "ﾀｲﾄﾙが指定されていません。" : "ﾌﾙﾊﾟｽが指定されていません。", nullptr,
                   MB_OK);
        return;
    }
    CDialog::OnOK();
}
