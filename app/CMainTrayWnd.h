// The hidden main window: owns the program's own tray icon and its menu, the busy counter that
// keeps tray clicks from opening a second modal step, and the list of entry windows.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "entries/IconGuid.h"
#include "framework/CPtrList.h"
#include "framework/CWnd.h"

class CButtonTrayWnd;
class CGroupTrayWnd;

class CMainTrayWnd : public CWnd {
public:
    CMainTrayWnd();
    ~CMainTrayWnd() override;

    int m_bHideIcons = 0;          // 1 while the entry icons are out of the tray
    int m_nEntryCount = 0;         // tray entries, single and groups; "Button"/"Num" of the store
    int m_nGroupCount = 0;         // groups among them
    CPtrList m_listWnd;            // CButtonTrayWnd*, groups too, in tray order (not owned)
    int m_nBusy = 0;               // raised while a message box, dialog or the start-up load runs
    IconGuid m_guid;               // the own tray icon's; "Button"/"Guid" of the store
    bool m_bTrayByWindow = false;  // the shell took no GUID this time: the icon goes by window

    // Raises m_nBusy for as long as it lives: every way out of the scope lowers it again.
    class BusyScope {
    public:
        explicit BusyScope(CMainTrayWnd& main) : m_busy(main.m_nBusy) { ++m_busy; }
        ~BusyScope() { --m_busy; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        int& m_busy;
    };

    // Reads the count and the own icon's GUID (one made from the section's name while none is
    // stored).
    void LoadCount();
    // FALSE when the count could not be written.
    BOOL SaveCount();
    // Hands the program's own icon (resource iconId) to the tray with NIM_ADD or NIM_MODIFY.
    BOOL SetTrayIcon(DWORD message, UINT iconId);
    BOOL DeleteTrayIcon();
    // TRUE when no modal step is open; otherwise a beep and FALSE.
    BOOL IsNotBusy();
    // Takes the own icon out of the tray and saves everything; a save that could not be made
    // is reported to the user (the store keeps the list it had).
    void SaveOnExit();

    // Creates a window for every entry of "Btn%d" 1..m_nEntryCount, in store order, groups
    // numbered 1, 2, ... among themselves, each with the GUID stored with it (or derived while
    // none is stored, or when another entry has it already). Stops at the first window the
    // system refuses.
    void LoadAll();
    // Writes every entry window to "Btn%d" in list order, every group, numbered anew in list
    // order, to its "Group\Grp%d", the GUIDs and the count, all as one (see StoreJournal). Writes
    // nothing while some stored entry has no window (see HoldsEveryEntry). FALSE when the save
    // could not be made.
    BOOL SaveAll();
    // A hidden window for a single entry whose icon goes by `guid`, stored as "Btn<storeNo>"
    // (0: not yet), appended to the list; null when it could not be made.
    CButtonTrayWnd* CreateButtonWnd(AppEntry entry, const IconGuid& guid, int storeNo);
    // A hidden window for group number groupNo, which reads its members, the same way.
    CGroupTrayWnd* CreateGroupWnd(AppEntry entry, int groupNo, const IconGuid& guid, int storeNo);
    // Takes the window out of the list, saves all entries and the count; the window stays.
    void RemoveEntryWnd(CButtonTrayWnd* pWnd);
    // TRUE when every stored entry has its window in the list. When the system refused a window
    // while loading, the records from there on have none; they keep the store from being
    // renumbered, so that their sections are never written over.
    BOOL HoldsEveryEntry() const;

    void ToggleIcons();
    void HideEntryIcons(int flag);
    void ShowMenu();

    // The sound of a refused click; replaceable so that it can be counted.
    static BOOL(WINAPI* s_pfnBeep)(DWORD frequency, DWORD duration);
    // The message the shell broadcasts when the taskbar is created anew.
    static UINT s_uTaskbarCreated;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTW cs);
    void OnClose();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    void OnAddIcon();
    void ReportIconNotMade();
    // Runs when the shell refused m_guid and took the own icon another way: a new GUID is
    // stored at once.
    void OnGuidTaken(const IconGuid& guid);
    void OnAppExit();
    void OnIconOrder();
    void OnHelpFinder();
    // Opens the file with the shell's "open" action; FALSE when it could not be opened.
    BOOL OpenDocument(const CString& path);
    // The exclamation box about a help file that is missing or would not open.
    void ReportHelpFile(const CString& text);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTrayDblClk();
    void OnTrayMenu();
    LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    LRESULT OnDisplayScaleChange(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
