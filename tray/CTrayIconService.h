// The one caller of Shell_NotifyIcon. Every tray icon of the program goes through here, and the
// service keeps a record of what the shell holds, so that the icons can be handed again after
// the taskbar restarts and so that a look at the tray needs no access to the shell. Icons are
// made at the small icon size of the taskbar's DPI, by a maker each owner hands over, so that
// they can be made again when the scale changes. Each icon goes by a GUID of its owner's, which
// is how Windows 7 and later remember where the user wants it; by its window and identifier 1
// where the shell takes no GUID.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>
#include <vector>

#include "entries/IconGuid.h"
#include "framework/CString.h"
#include "framework/WinHandles.h"

class CTrayIconService {
public:
    // Makes an owner's tray icon at the small icon size of `dpi`; the icon is the service's.
    using IconMaker = std::function<UniqueIcon(UINT dpi)>;
    // Told when the shell refused the GUID an icon was to be added with and took it with
    // another: a new GUID, the icon's from now on, or the null one (it goes by its window).
    using GuidTaken = std::function<void(const IconGuid& guid)>;
    // An icon the program has handed to the shell and not taken back.
    struct Icon {
        HWND owner;
        CString tip;      // as the record carries it (cut to fit)
        UniqueIcon icon;  // the service's own copy
        bool held;        // the shell accepted it (a tray that was not there refuses)
        IconMaker make;   // makes the icon again at another DPI
        IconGuid guid;    // the identity it was added with (null: its window and identifier)
        GuidTaken taken;
    };
    // One call made to the shell.
    struct Call {
        DWORD message;  // NIM_ADD, NIM_MODIFY or NIM_DELETE
        HWND owner;
        BOOL result;
        IconGuid guid;  // the identity the call named (null: window and identifier)
    };
    // Told of every call after the shell answered it; empty for none (the program sets none).
    using CallObserver = std::function<void(const Call&)>;
    // Says which DPI the taskbar has; empty for the real taskbar's (the program sets none).
    using DpiSource = std::function<UINT()>;

    static CTrayIconService& Instance();

    // NIM_ADD or NIM_MODIFY for the icon of `owner` (identifier 1, callback WM_TRAYNOTIFY).
    // The icon is made for the call at Dpi(): the service keeps it, to hand it again when the
    // taskbar is created anew, and keeps the maker, to make it again at another scale.
    // NIM_ADD adds it as `guid` (null: by its window), or as the identity `taken` is told of
    // when the shell refuses that GUID (see Add); a modify goes by the identity of the add.
    BOOL Notify(DWORD message, HWND owner, IconMaker makeIcon, const CString& tip,
                const IconGuid& guid = {}, GuidTaken taken = {});
    // NIM_DELETE for the icon of `owner`, by the identity it was added with.
    BOOL Delete(HWND owner);
    // Hands every icon to the shell again, in the order they were added: after the taskbar
    // was created anew, all of them, including those a missing tray refused before, and an
    // icon the shell still holds is modified rather than added twice. A new taskbar may have a
    // new scale: the icons are made again first when it has.
    void ReAddAll();
    // A new random GUID, for an icon that never had one.
    static IconGuid NewGuid();
    // Reads the taskbar's DPI again; when it changed, makes every icon again at the new size
    // and modifies those the shell holds. TRUE when it changed.
    BOOL Rescale();
    // The DPI the icons are made at: the taskbar's when the first icon was made or last read.
    UINT Dpi();

    const Icon* Find(HWND owner) const;
    // The owners of the icons the shell holds, in tray order.
    std::vector<HWND> Owners() const;
    // Replaces the observer; an empty one removes it.
    void SetCallObserver(CallObserver observer) { m_observer = std::move(observer); }
    // Replaces the source of the taskbar's DPI, read again by the next Rescale or ReAddAll.
    void SetDpiSource(DpiSource source) { m_dpiSource = std::move(source); }

private:
    CTrayIconService() = default;
    BOOL Send(DWORD message, HWND owner, HICON icon, const CString& tip, const IconGuid& guid);
    // Adds the icon of the record as its GUID; see the .cpp for what follows a refusal.
    BOOL Add(Icon& icon);
    // Reads the DPI again and makes every icon anew when it changed; TRUE when it changed.
    bool RemakeIfRescaled();
    UINT ReadDpi() const;

    std::vector<Icon> m_icons;
    CallObserver m_observer;
    DpiSource m_dpiSource;
    UINT m_dpi = 0;  // 0 until the first icon is made
};
