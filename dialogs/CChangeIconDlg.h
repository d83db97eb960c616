// The change-icon dialog: an icon file (empty: the entry's own file) and the index of one of its
// icons, stepped through with "<-" and "->" and shown at the large icon size in a preview.
#pragma once

#include "dialogs/CIconPreview.h"
#include "framework/CDialog.h"
#include "framework/CString.h"
#include "icons/CLoadIcon.h"

class CChangeIconDlg : public CDialog {
public:
    explicit CChangeIconDlg(CWnd* pParent = nullptr);

    // The caller sets m_strDefaultFile, m_strIconFile and m_nIconIndex before DoModal and reads
    // m_strIconFile and m_nIconIndex after IDOK.
    CLoadIcon m_loadIcon;       // icons of the current file, at the large icon size
    int m_nIconIndex = 0;       // the icon shown
    CString m_strDefaultFile;   // the entry's own file: the full path as typed in its settings
    CIconPreview m_wndPreview;  // static 1009
    CWnd m_wndIconFile;         // edit 1000
    CString m_strIconFile;      // edit 1000; empty: the entry's own file

    // Writes m_strIconFile into the edit and shows icon m_nIconIndex of the source file.
    void Refresh();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Runs when "<-" is pressed.
    void OnPrevIcon();
    // Runs when "->" is pressed.
    void OnNextIcon();
    // Runs when the text of the file edit changes, typed or set by the program.
    void OnUpdateIconFile();
    // Runs when "参照" is pressed.
    void OnBrowse();
    // Runs when "ﾃﾞﾌｫﾙﾄｱｲｺﾝを使用" is pressed.
    void OnDefaultIcon();

    DECLARE_MESSAGE_MAP()

private:
    // m_strIconFile, or the entry's own file when it is empty.
    const CString& SourceFile() const;

    bool m_bInitialised = false;
};
