// The entry settings dialog: a new launch entry (or group) or a change of an existing one. It
// works on a copy of an AppEntry; the caller takes the result after IDOK.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "dialogs/CIconPreview.h"
#include "entries/AppEntry.h"
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "icons/CLoadIcon.h"

class CEntrySettingsDlg : public CDialog {
public:
    explicit CEntrySettingsDlg(CWnd* pParent = nullptr);

    // bGroup: the entry is (or is to become) a group; bGroupChoice: a new entry may be made a
    // group through the "ｸﾞﾙｰﾌﾟの作成" check box.
    void SetGroupMode(int bGroup, int bGroupChoice);
    // Takes everything of the entry but IsGroup; bNew 1: a new entry, 0: a change.
    void SetEntry(AppEntry entry, int bNew);
    // After IDOK: gives back what SetEntry took; the target's IsGroup stays as it is.
    void GetEntry(AppEntry& entry) const;
    // After IDOK: whether the entry is to be a group.
    int IsGroupChecked() const { return m_bGroup; }

    int m_bNew = 1;          // 1: new entry, 0: change of an existing one
    int m_bGroupChoice = 0;  // 1: the group check box is offered (new mode only)
    int m_nShow = 0;         // index chosen in the size combo box; -1: none
    int m_nIconIndex = 0;
    CString m_strIcon;          // icon file; empty: the entry's own file
    CLoadIcon m_loadIcon;       // the preview's icons, at the large icon size
    CIconPreview m_wndPreview;  // static 1014
    CWnd m_wndTitle;            // edit 1001
    CWnd m_wndShow;             // combo box 1004
    CWnd m_wndPath;             // edit 1000
    CString m_strAppName;       // edit 1000
    CString m_strDir;           // edit 1002
    CString m_strParm;          // edit 1003
    CString m_strTitle;         // edit 1001
    int m_bGroup = 0;           // check box 1007

    // Shows icon m_nIconIndex of m_strIcon, or of m_strAppName when there is no icon file.
    void UpdatePreview();
    // Disables the full path, start directory, parameters, size and "参照" for a group (flag
    // not 0), enables them otherwise.
    void EnablePathControls(int bGroup);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Runs when the text of the full-path edit changes, typed or set by the program.
    void OnUpdatePath();
    // Runs when the "ｸﾞﾙｰﾌﾟの作成" check box is clicked.
    void OnMakeGroup();
    // Runs when "参照" is pressed.
    void OnBrowse();
    // Runs when files are dropped anywhere on the dialog.
    void OnDropFiles(HDROP hDrop);
    // Runs when "ｱｲｺﾝの変更" is pressed.
    void OnChangeIcon();

    DECLARE_MESSAGE_MAP()
};
