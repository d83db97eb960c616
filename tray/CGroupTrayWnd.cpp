#include "tray/CGroupTrayWnd.h"

#include <memory>
#include <utility>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "dialogs/COrderDlg.h"
#include "entries/CAppStart.h"
#include "entries/EntryLabel.h"
#include "entries/EntryStore.h"
#include "entries/StoreBatch.h"
#include "entries/StoreJournal.h"
#include "entries/StoreNames.h"
#include "framework/Afx.h"
#include "framework/WinHandles.h"
#include "icons/CIconMenu.h"
#include "icons/DisplayScale.h"
#include "icons/EntryIcon.h"
#include "res/resource.h"
#include "tray/TrayCommands.h"

// Based on CWnd's map, not the single entry's: a group has no start on a double click and no
// settings or delete commands of its own numbers.
BEGIN_MESSAGE_MAP(CGroupTrayWnd, CWnd)
    ON_WM_DESTROY()
    ON_COMMAND(ID_GROUP_RENAME, OnRenameGroup)
    ON_COMMAND(ID_GROUP_DELETE, OnDeleteEntry)
    ON_COMMAND(ID_GROUP_ADD, OnAddMember)
    ON_COMMAND(ID_GROUP_EDIT, OnEditMembers)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
    ON_COMMAND(ID_TRAY_CLICK, OnTrayClick)
    ON_COMMAND(ID_TRAY_MENU, OnTrayMenu)
END_MESSAGE_MAP()

namespace {

constexpr TrayMenuItem kGroupMenu[] = {
    {ID_GROUP_RENAME, "ｸﾞﾙｰﾌﾟ名の変更(&N)"}, {ID_GROUP_DELETE, "ｸﾞﾙｰﾌﾟの削除(&D)"}, {},
    {ID_GROUP_ADD, "ｸﾞﾙｰﾌﾟへ追加(&A)"},      {ID_GROUP_EDIT, "ｸﾞﾙｰﾌﾟの編集(&E)"},
};

}  // namespace

CGroupTrayWnd::~CGroupTrayWnd() { FreeMembers(); }

void CGroupTrayWnd::FreeMembers() {
    for (POSITION pos = m_listMembers.GetHeadPosition(); pos != nullptr;) {
        delete static_cast<AppEntry*>(m_listMembers.GetNext(pos));
    }
    m_listMembers.RemoveAll();
    m_nMemberCount = 0;
}

BOOL CGroupTrayWnd::SetEntry(AppEntry entry) {
    m_entry = std::move(entry);
    LoadGroup();
    return ShowGroupTrayIcon(NIM_ADD);
}

void CGroupTrayWnd::HideIcon(int flag) {
    m_bHideIcons = flag;
    if (flag == 1) {
        RemoveTrayIcon();
    } else {
        ShowGroupTrayIcon(NIM_ADD);
    }
}

void CGroupTrayWnd::LoadGroup() {
    FreeMembers();
    const CString section = store_names::GroupSection(m_nGroupNo);
    const int count = theApp.GetProfileInt(section.GetString(), store_names::kCount, 0);
    // Members past the last stored section would all be empty; a count of millions would
    // otherwise fill the memory (and the store, at the next save) with them.
    const int last =
        theApp.GetHighestNumberedSection(section.GetString(), store_names::kMemberPrefix, count);
    for (int n = 1; n <= last; ++n) {
        auto member = std::make_unique<AppEntry>();
        LoadEntrySection(theApp, store_names::MemberSection(m_nGroupNo, n), *member);
        m_listMembers.AddTail(member.release());
    }
    m_nMemberCount = m_listMembers.GetCount();
}

void CGroupTrayWnd::SaveGroup() {
    // The count is written before the members: cut off in between, the group would show a
    // member it never had (what a bigger group of this number once left stored). Made as one.
    StoreBatch batch;
    SaveGroup(batch);
    StoreJournal::Commit(theApp, batch);
}

void CGroupTrayWnd::SaveGroup(StoreBatch& batch) {
    batch.WriteInt(store_names::GroupSection(m_nGroupNo), store_names::kCount, m_nMemberCount);
    int n = 1;
    for (POSITION pos = m_listMembers.GetHeadPosition(); pos != nullptr; ++n) {
        const auto* member = static_cast<const AppEntry*>(m_listMembers.GetNext(pos));
        SaveEntrySection(batch, store_names::MemberSection(m_nGroupNo, n), *member);
    }
}

UniqueIcon CGroupTrayWnd::LoadGroupIcon(UINT dpi) const {
    UniqueIcon icon;
    if (!m_entry.Icon.IsEmpty()) {
        icon = LoadFileIcon(m_entry.Icon, m_entry.IconIndex, dpi);
    }
    if (!icon) {
        icon = LoadSmallResourceIcon(IDI_GROUP_BASE + m_nGroupNo % IDI_GROUP_COUNT, dpi);
    }
    return icon;
}

BOOL CGroupTrayWnd::ShowGroupTrayIcon(DWORD message) {
    return NotifyTray(
        message, [this](UINT dpi) { return LoadGroupIcon(dpi); }, m_entry.Title);
}

void CGroupTrayWnd::ShowMemberMenu() {
    // The menu is drawn at the DPI of the window that owns it.
    const UINT dpi = display_scale::WindowDpi(m_hWnd);
    CIconMenu menu;
    menu.CreateIconMenu(dpi);
    if (m_nMemberCount == 0) {
        menu.AppendMenu(MF_STRING | MF_GRAYED, ID_MEMBER_NONE, "未登録");
    }
    // Members beyond the hundredth have no command number; they stay stored and can be moved
    // up into the menu with "ｸﾞﾙｰﾌﾟの編集(&E)".
    int i = 0;
    for (POSITION pos = m_listMembers.GetHeadPosition(); pos != nullptr && i < kMaxMenuMembers;
         ++i) {
        const auto* member = static_cast<const AppEntry*>(m_listMembers.GetNext(pos));
        UniqueIcon icon = LoadEntryIcon(*member, dpi);
        menu.AppendIconItem(ID_MEMBER_FIRST + i, EntryLabel(*member), icon.Get());
    }
    TrackTrayMenuAtCursor(menu, *this);
}

void CGroupTrayWnd::ShowGroupMenu() { ShowTrayMenu(*this, kGroupMenu); }

void CGroupTrayWnd::StartMember(int index) {
    if (index < 0 || index >= m_nMemberCount) {
        return;
    }
    POSITION pos = m_listMembers.FindIndex(index);
    if (pos == nullptr) {
        return;
    }
    const auto* member = static_cast<const AppEntry*>(m_listMembers.GetAt(pos));
    CAppStart start;
    start.SetData(m_hWnd, member->AppName, member->Dir, member->Parm, member->Show);
    start.Start();
}

// Runs for every command; the member menu's commands have no map entries and are caught here.
BOOL CGroupTrayWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (wParam > ID_MEMBER_NONE && wParam <= ID_MEMBER_LAST) {
        StartMember(static_cast<int>(wParam) - ID_MEMBER_FIRST);
    }
    return CWnd::OnCommand(wParam, lParam);
}

// Runs when "ｸﾞﾙｰﾌﾟ名の変更(&N)" is chosen: name and icon change in place.
void CGroupTrayWnd::OnRenameGroup() {
    if (EditEntry()) {
        ShowGroupTrayIcon(NIM_MODIFY);
    }
}

// Runs when "ｸﾞﾙｰﾌﾟへ追加(&A)" is chosen: one new member at the end, saved with the group.
void CGroupTrayWnd::OnAddMember() {
    if (m_nMemberCount >= kMaxMenuMembers) {
        return;
    }
    CMainTrayWnd* main = MainWnd();
    if (main == nullptr) {
        return;
    }
    auto member = std::make_unique<AppEntry>();
    CMainTrayWnd::BusyScope busy(*main);
    CEntrySettingsDlg dlg(this);
    dlg.SetGroupMode(0, 0);
    dlg.SetEntry(*member, 1);
    SetForegroundWindow();
    // Only OK adds anything; a dialog that could not be shown (-1) counts as cancelled.
    if (dlg.DoModal() == IDOK) {
        dlg.GetEntry(*member);
        m_listMembers.AddTail(member.release());
        m_nMemberCount = m_listMembers.GetCount();
        SaveGroup();
    }
}

// Runs when "ｸﾞﾙｰﾌﾟの編集(&E)" is chosen: the dialog works on the members in place.
void CGroupTrayWnd::OnEditMembers() {
    CMainTrayWnd* main = MainWnd();
    if (main == nullptr) {
        return;
    }
    CMainTrayWnd::BusyScope busy(*main);
    COrderDlg dlg;
    dlg.SetList(&m_nMemberCount, &m_listMembers);
    dlg.DoModal();
}

// Runs when the shell reports a mouse event on the icon. Acts later, through a command, so
// that nothing modal runs inside the shell's callback. A group has no double-click action.
LRESULT CGroupTrayWnd::OnTrayNotify(WPARAM, LPARAM lParam) {
    return PostTrayCommand(*this, lParam, kGroupClicks);
}

// Runs after the left button was released over the icon.
void CGroupTrayWnd::OnTrayClick() {
    CMainTrayWnd* main = MainWnd();
    if (main != nullptr && main->IsNotBusy()) {
        ShowMemberMenu();
    }
}

// Runs after the right button was released over the icon.
void CGroupTrayWnd::OnTrayMenu() {
    CMainTrayWnd* main = MainWnd();
    if (main != nullptr && main->IsNotBusy()) {
        ShowGroupMenu();
    }
}
