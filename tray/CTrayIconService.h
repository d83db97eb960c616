// The one caller of Shell_NotifyIcon. Every tray icon of the program goes through here, and the
// service keeps a record of what the shell holds, so that the icons can be handed again after
// the taskbar restarts and so that a look at the tray needs no access to the shell.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/CString.h"
#include "framework/WinHandles.h"

class CTrayIconService {
public:
    // An icon the program has handed to the shell and not taken back.
    struct Icon {
        HWND owner;
        CString tip;      // as the record carries it (cut to fit)
        UniqueIcon icon;  // the service's own copy
        bool held;        // the shell accepted it (a tray that was not there refuses)
    };
    struct Call {
        DWORD message;  // NIM_ADD, NIM_MODIFY or NIM_DELETE
        HWND owner;
        BOOL result;
    };

    static CTrayIconService& Instance();

    // NIM_ADD or NIM_MODIFY for the icon of `owner` (identifier 1, callback WM_TRAYNOTIFY).
    // The icon is made for the call: the service keeps it, to hand it again when the taskbar
    // is created anew.
    BOOL Notify(DWORD message, HWND owner, UniqueIcon icon, const CString& tip);
    // NIM_DELETE for the icon of `owner`.
    BOOL Delete(HWND owner);
    // Hands every icon to the shell again, in the order they were added: after the taskbar
    // was created anew, all of them, including those a missing tray refused before.
    void ReAddAll();

    const Icon* Find(HWND owner) const;
    // The owners of the icons the shell holds, in tray order.
    std::vector<HWND> Owners() const;
    const std::vector<Call>& Journal() const { return m_journal; }
    void ClearJournal() { m_journal.clear(); }

private:
    CTrayIconService() = default;
    BOOL Send(DWORD message, HWND owner, HICON icon, const CString& tip);
    void Record(DWORD message, HWND owner, BOOL result);

    std::vector<Icon> m_icons;
    std::vector<Call> m_journal;
};
