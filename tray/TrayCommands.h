// How a click on a tray icon becomes a command. Nothing acts inside the shell's callback: the
// handler posts a command to its own window and returns, and the command handler acts.
#pragma once

#include <windows.h>

class CMenu;
class CWnd;

// The decoding of the program's own icon and of a single entry's icon: a double click of the
// left button posts ID_TRAY_DBLCLK, the release of the right button ID_TRAY_MENU; every other
// mouse message is ignored. Returns the answer to WM_TRAYNOTIFY (0).
LRESULT PostTrayCommand(CWnd& wnd, LPARAM mouseMessage);

// Shows a tray icon's popup menu as every tray menu of the program is shown: the owner made the
// foreground window first, the menu right-aligned at cursor x - 5, and a WM_NULL posted after
// it. The chosen command reaches the owner as WM_COMMAND.
void TrackTrayMenu(CMenu& menu, CWnd& owner, POINT cursor);
