// Which DPI the program draws at, and which icon sizes go with it. Every pixel figure of the
// program is given for 96 DPI and scaled here; icons are made at the size the system uses at
// the DPI in question, never a smaller one stretched. Functions of Windows 10 are looked up at
// run time, so the program still runs where they are missing.
#pragma once

#include <windows.h>

namespace display_scale {

// The DPI every figure of the program is given for (100 %).
constexpr UINT kBaseDpi = 96;

// The screen's DPI, as the system reports it to this program.
UINT SystemDpi();
// The DPI `hwnd` is drawn at (the DPI of its monitor for a program aware of each monitor's);
// the screen's where the system cannot say.
UINT WindowDpi(HWND hwnd);
// The DPI of the taskbar, whose notification area shows the tray icons; the screen's when
// there is no taskbar (yet) or the system cannot say.
UINT TaskbarDpi();

// The small-icon size (tray, menus) at `dpi`: 16, 20, 24, 32 at 96, 120, 144, 192.
int SmallIconSize(UINT dpi);
// The large-icon size (previews) at `dpi`: 32, 40, 48, 64 at 96, 120, 144, 192.
int LargeIconSize(UINT dpi);

// A figure given for 96 DPI, at `dpi` (rounded to the nearest pixel).
int Scale(int figure, UINT dpi);

}  // namespace display_scale
