// AppEntry: one launch entry as windows, dialogs, menus and the store pass it around, by value.
#pragma once

#include "framework/CString.h"

struct AppEntry {
    CString Title;    // tray tip and menu label; empty: a label is derived from AppName
    CString AppName;  // full path of the program, applet (".cpl") or document
    CString Dir;      // start directory; empty: drive and directory of AppName
    CString Parm;     // command-line parameters, passed to programs only
    int Show = 0;     // 0 normal window, 1 minimised, 2 maximised; other values start normal
    CString Icon;     // icon file; empty: AppName (a group uses a built-in icon)
    int IconIndex = 0;
    int IsGroup = 0;  // 1 for a group; 0 for a single entry and for every group member

    friend bool operator==(const AppEntry&, const AppEntry&) = default;
};
