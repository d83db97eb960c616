#include "tray/CButtonTrayWnd.h"

#include <utility>

#include "app/CMainTrayWnd.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "entries/EntryLabel.h"
#include "entries/EntryStore.h"
#include "entries/StoreNames.h"
#include "framework/Afx.h"
#include "framework/CWinApp.h"
#include "framework/WinHandles.h"
#include "icons/DisplayScale.h"
#include "icons/EntryIcon.h"
#include "res/resource.h"
#include "tray/CTrayIconService.h"
#include "tray/TrayCommands.h"

BEGIN_MESSAGE_MAP(CButtonTrayWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_ENTRY_SETTINGS, OnChangeSettings)
    ON_COMMAND(ID_ENTRY_DELETE, OnDeleteEntry)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_COMMAND(ID_TRAY_DBLCLK, OnTrayDblClk)
    ON_COMMAND(ID_TRAY_MENU, OnTrayMenu)
END_MESSAGE_MAP()

namespace {

constexpr TrayMenuItem kEntryMenu[] = {
    {ID_ENTRY_SETTINGS, "設定変更(&S)"},
    {},
    {ID_ENTRY_DELETE, "削除(&D)"},
};

}  // namespace

CMainTrayWnd* CButtonTrayWnd::MainWnd() { return static_cast<CMainTrayWnd*>(AfxGetMainWnd()); }

void CButtonTrayWnd::PostNcDestroy() { delete this; }

BOOL CButtonTrayWnd::SetEntry(AppEntry entry) {
    m_entry = std::move(entry);
    m_appStart.SetData(m_hWnd, m_entry.AppName, m_entry.Dir, m_entry.Parm, m_entry.Show);
    return ShowTrayIcon(NIM_ADD);
}

void CButtonTrayWnd::GetEntry(AppEntry& entry) const { entry = m_entry; }

void CButtonTrayWnd::HideIcon(int flag) {
    m_bHideIcons = flag;
    if (flag == 1) {
        RemoveTrayIcon();
    } else {
        ShowTrayIcon(NIM_ADD);
    }
}

BOOL CButtonTrayWnd::NotifyTray(DWORD message, CTrayIconService::IconMaker makeIcon,
                                const CString& tip) {
    auto throughList = [this, makeIcon = std::move(makeIcon)](UINT dpi) {
        UniqueIcon icon = makeIcon(dpi);
        // The list brings any icon to the tray's size with a mask; a list held before is
        // destroyed.
        const int size = display_scale::SmallIconSize(dpi);
        m_imageList.Create(size, size, CImageList::kIconFlags, 0, 0);
        m_imageList.Add(icon.Get());
        // The fresh copy for the shell is the one the service keeps in its record.
        return m_imageList.GetIcon(0);
    };
    return CTrayIconService::Instance().Notify(message, m_hWnd, std::move(throughList), tip,
                                               m_bTrayByWindow ? IconGuid{} : m_guid,
                                               [this](const IconGuid& guid) { OnGuidTaken(guid); });
}

void CButtonTrayWnd::OnGuidTaken(const IconGuid& guid) {
    if (guid.IsNull()) {
        m_bTrayByWindow = true;
        return;
    }
    m_guid = guid;
    // The one write a start may make: the next start must ask for the GUID the shell took.
    if (m_nStoreNo > 0) {
        SaveIconGuid(*AfxGetApp(), store_names::EntrySection(m_nStoreNo), guid);
    }
}

void CButtonTrayWnd::RemoveTrayIcon() {
    CTrayIconService::Instance().Delete(m_hWnd);
    m_imageList.Remove(0);
    m_imageList.DeleteImageList();
}

BOOL CButtonTrayWnd::ShowTrayIcon(DWORD message) {
    return NotifyTray(
        message, [this](UINT dpi) { return LoadEntryIcon(m_entry, dpi); }, EntryLabel(m_entry));
}

void CButtonTrayWnd::ShowEntryMenu() { ShowTrayMenu(*this, kEntryMenu); }

BOOL CButtonTrayWnd::EditEntry() {
    CMainTrayWnd* main = MainWnd();
    if (main == nullptr) {
        return FALSE;
    }
    CMainTrayWnd::BusyScope busy(*main);
    SetForegroundWindow();
    CEntrySettingsDlg dlg(this);
    dlg.SetGroupMode(m_entry.IsGroup, 0);
    dlg.SetEntry(m_entry, 0);
    // Only OK changes anything; a dialog that could not be shown (-1) counts as cancelled.
    if (dlg.DoModal() != IDOK) {
        return FALSE;
    }
    dlg.GetEntry(m_entry);
    m_appStart.SetData(m_hWnd, m_entry.AppName, m_entry.Dir, m_entry.Parm, m_entry.Show);
    // The icon stays in the tray until the caller modifies it with a list built anew.
    m_imageList.Remove(0);
    m_imageList.DeleteImageList();
    main->SaveAll();
    return TRUE;
}

void CButtonTrayWnd::DeleteEntry() {
    CMainTrayWnd* main = MainWnd();
    if (main == nullptr) {
        return;
    }
    SetForegroundWindow();
    CMainTrayWnd::BusyScope busy(*main);
    if (MessageBox("削除してもよろしいですか？", AfxGetAppName(), MB_OKCANCEL | MB_ICONQUESTION) ==
        IDOK) {
        main->RemoveEntryWnd(this);
        PostMessage(WM_CLOSE, 0, 0);
    }
}

// Runs while the window is being created; the tray icon comes later, with the entry.
int CButtonTrayWnd::OnCreate(LPCREATESTRUCTW) { return Default() == -1 ? -1 : 0; }

// Runs when the window is destroyed: its icon leaves the tray, unless it is out already.
void CButtonTrayWnd::OnDestroy() {
    Default();
    if (m_bHideIcons != 1) {
        RemoveTrayIcon();
    }
}

// Runs when "設定変更(&S)" is chosen: icon and tip change in place.
void CButtonTrayWnd::OnChangeSettings() {
    if (EditEntry()) {
        ShowTrayIcon(NIM_MODIFY);
    }
}

// Runs when "削除(&D)" is chosen.
void CButtonTrayWnd::OnDeleteEntry() {
    CMainTrayWnd* main = MainWnd();
    if (main == nullptr) {
        return;
    }
    CMainTrayWnd::BusyScope busy(*main);
    DeleteEntry();
}

// Runs when the shell reports a mouse event on the icon. Acts later, through a command, so
// that nothing modal runs inside the shell's callback.
LRESULT CButtonTrayWnd::OnTrayNotify(WPARAM, LPARAM lParam) {
    return PostTrayCommand(*this, lParam, kEntryClicks);
}

// Runs after a double click on the icon: starts the entry.
void CButtonTrayWnd::OnTrayDblClk() {
    CMainTrayWnd* main = MainWnd();
    if (main != nullptr && main->IsNotBusy()) {
        CMainTrayWnd::BusyScope busy(*main);
        m_appStart.Start();
    }
}

// Runs after the right button was released over the icon.
void CButtonTrayWnd::OnTrayMenu() {
    CMainTrayWnd* main = MainWnd();
    if (main != nullptr && main->IsNotBusy()) {
        CMainTrayWnd::BusyScope busy(*main);
        ShowEntryMenu();
    }
}
