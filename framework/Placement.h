// Where a window opens on the screen: where the user is looking, and never beyond the work area
// (the screen less the taskbar) of the monitor it lands on.
#pragma once

#include <windows.h>

// Centred on the work area of the monitor under the mouse pointer: for a window opened from a
// tray icon, the monitor that holds the tray.
void CentreOnCursorMonitor(HWND window);
// Centred over `over` (the window that opened it).
void CentreOver(HWND window, HWND over);
