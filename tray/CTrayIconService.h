// The one caller of Shell_NotifyIcon. Every tray icon of the program goes through here, and the
// service keeps a record of what the shell holds, so that the icons can be handed again after
// the taskbar restarts and so that a look at the tray needs no access to the shell.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
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
    // One call made to the shell.
    struct Call {
        DWORD message;  // NIM_ADD, NIM_MODIFY or NIM_DELETE
        HWND owner;
        BOOL result;
    };
    // Told of every call after the shell answered it; empty for none (the program sets none).
    using CallObserver = std::function<void(const Call&)>;

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
    // Replaces the observer; an empty one removes it.
    void SetCallObserver(CallObserver observer) { m_observer = std::move(observer); }

private:
    CTrayIconService() = default;
    BOOL Send(DWORD message, HWND owner, HICON icon, const CString& tip);

    std::vector<Icon> m_icons;
    CallObserver m_observer;
};
