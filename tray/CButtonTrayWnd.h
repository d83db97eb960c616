// The hidden window behind one single entry's tray icon: starts the entry on a double click and
// offers "設定変更(&S)" and "削除(&D)" when the right button is released over the icon. Made with
// new by the main window, which is its parent; it deletes itself once its window is gone.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "entries/CAppStart.h"
#include "entries/IconGuid.h"
#include "framework/CImageList.h"
#include "framework/CString.h"
#include "framework/CWnd.h"
#include "tray/CTrayIconService.h"

class CMainTrayWnd;

class CButtonTrayWnd : public CWnd {
public:
    CButtonTrayWnd() = default;
    ~CButtonTrayWnd() override = default;

    int m_bHideIcons = 0;    // 1 while the icon is out of the tray (the program-wide hide)
    CImageList m_imageList;  // holds the tray icon, image 0, while it is in the tray
    CAppStart m_appStart;    // starts m_entry
    AppEntry m_entry;
    IconGuid m_guid;               // the tray icon's, for the entry's whole life (see the store)
    int m_nStoreNo = 0;            // n of the section "Btn<n>" holding the entry now; 0: not stored
    bool m_bTrayByWindow = false;  // the shell took no GUID this time: the icon goes by window

    // Takes the entry, primes the starter and adds the tray icon. The tray call's result.
    BOOL SetEntry(AppEntry entry);
    void GetEntry(AppEntry& entry) const;
    // 1: takes the icon out of the tray; anything else: adds it again, at the end of the tray.
    void HideIcon(int flag);

    // Hands the tip and an icon from `makeIcon` to the tray with NIM_ADD or NIM_MODIFY, as
    // m_guid. The icon goes through the image list, made at the tray's icon size, whenever the
    // tray service makes it (now, and again when the taskbar's scale changes).
    BOOL NotifyTray(DWORD message, CTrayIconService::IconMaker makeIcon, const CString& tip);
    // Takes the icon out of the tray and drops the image list.
    void RemoveTrayIcon();
    // The settings dialog over the entry; TRUE when it was changed and everything saved.
    BOOL EditEntry();
    // Asks, then takes the window out of the main window's list and closes it.
    void DeleteEntry();

    // Builds icon and tip from the entry and hands them to the tray (NIM_ADD or NIM_MODIFY).
    BOOL ShowTrayIcon(DWORD message);
    void ShowEntryMenu();

protected:
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCTW cs);
    void OnDestroy();
    void OnChangeSettings();
    void OnDeleteEntry();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTrayDblClk();
    void OnTrayMenu();

    // The main window, whose busy counter guards every tray window; null only before it exists.
    static CMainTrayWnd* MainWnd();
    // Runs when the shell refused m_guid and took the icon another way: a new GUID is the
    // entry's from now on and is stored at once in its section.
    void OnGuidTaken(const IconGuid& guid);

    DECLARE_MESSAGE_MAP()
};
