// The hidden window behind one group's tray icon. Releasing the left button over the icon lists
// the members with their icons, and choosing one starts it; releasing the right button offers
// rename, delete, add a member and edit the members. The window owns its member records.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "framework/CPtrList.h"
#include "tray/CButtonTrayWnd.h"

class StoreBatch;

class CGroupTrayWnd : public CButtonTrayWnd {
public:
    CGroupTrayWnd() = default;
    // Frees every member record.
    ~CGroupTrayWnd() override;

    // The menu offers commands 701..800, so it lists at most this many members.
    static constexpr int kMaxMenuMembers = 100;

    int m_nMemberCount = 0;
    CPtrList m_listMembers{10};  // AppEntry* in menu order, owned
    int m_nGroupNo = 0;          // names the sections "Group\Grp%d" and "Group\Grp%d\App%d"

    // Takes the group's own entry, reads its members and adds the tray icon. The tray call's
    // result.
    BOOL SetEntry(AppEntry entry);
    // 1: takes the icon out of the tray; anything else: adds it again, at the end of the tray.
    void HideIcon(int flag);
    // Reads "Num" and every member of group m_nGroupNo, in place of the members held.
    void LoadGroup();
    // Writes "Num" and every member, in list order, to group m_nGroupNo.
    void SaveGroup();
    // The same, added to a batch that is written later as a whole.
    void SaveGroup(StoreBatch& batch);

    // The icon file's icon, else the built-in icon of the group number; the title as tip.
    BOOL ShowGroupTrayIcon(DWORD message);
    // The group's tray icon at the small icon size of `dpi`: its icon file's, else the built-in
    // folder of its number.
    UniqueIcon LoadGroupIcon(UINT dpi) const;
    void ShowMemberMenu();
    void ShowGroupMenu();
    // Starts member `index` (counted from 0); an index that names no member does nothing.
    void StartMember(int index);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnRenameGroup();
    void OnAddMember();
    void OnEditMembers();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTrayClick();
    void OnTrayMenu();

    DECLARE_MESSAGE_MAP()

private:
    void FreeMembers();
};
