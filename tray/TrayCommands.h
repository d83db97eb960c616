// How a click on a tray icon becomes a command, and how every tray menu is shown. Nothing acts
// inside the shell's callback: the handler posts a command to its own window and returns, and
// the command handler acts.
#pragma once

#include <windows.h>

#include <span>

#include "res/resource.h"

class CMenu;
class CWnd;

// A mouse message of the shell's callback and the command it posts.
struct TrayClick {
    UINT mouseMessage;
    UINT command;
};

// The program's own icon and a single entry's icon: a double click of the left button starts
// (or hides and shows), the release of the right button opens the menu.
inline constexpr TrayClick kEntryClicks[] = {{WM_LBUTTONDBLCLK, ID_TRAY_DBLCLK},
                                             {WM_RBUTTONUP, ID_TRAY_MENU}};
// A group's icon: the release of the left button lists the members; no double-click action.
inline constexpr TrayClick kGroupClicks[] = {{WM_LBUTTONUP, ID_TRAY_CLICK},
                                             {WM_RBUTTONUP, ID_TRAY_MENU}};

// Posts the command the table gives for the mouse message; every other message is ignored.
// Returns the answer to WM_TRAYNOTIFY (0).
LRESULT PostTrayCommand(CWnd& wnd, LPARAM mouseMessage, std::span<const TrayClick> clicks);

// One line of a tray menu; a line with no text is a separator.
struct TrayMenuItem {
    UINT command = 0;
    const char* text = nullptr;
};

// Builds the menu of the items afresh and shows it at the cursor (see TrackTrayMenuAtCursor).
void ShowTrayMenu(CWnd& owner, std::span<const TrayMenuItem> items);

// Shows a menu the caller built as every tray menu of the program is shown: the owner made the
// foreground window first, the menu right-aligned at cursor x - 5, and a WM_NULL posted after
// it. The chosen command reaches the owner as WM_COMMAND.
void TrackTrayMenuAtCursor(CMenu& menu, CWnd& owner);
