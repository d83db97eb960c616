// The rules by which an entry is started: how the extension picks the way of starting, which
// show code a show value asks for, the working directory and the applet command line.
#pragma once

#include "framework/CString.h"

enum class LaunchWay {
    Program,       // ".exe", ".com": the shell starts it with the entry's parameters
    ControlPanel,  // ".cpl": rundll32 opens the applet
    Document,      // anything else: the shell's default action, without parameters
};

// The way of starting for an extension such as ".EXE" (letter case does not matter).
LaunchWay LaunchWayFor(const CString& extension);

// The show codes of the window API (SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOW).
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShowNormal = 5;

// The show code for a show value: 1 minimised, 2 maximised, anything else a normal window.
int ShowCodeFor(int show);

// The working directory: the entry's start directory unchanged, or when that is empty the
// drive and directory of the path (with its trailing separator; empty for a bare file name).
CString StartDirectoryFor(const CString& dir, const CString& path);

// The command line that opens an applet. The path goes in as it is, unquoted: rundll32 hands
// everything after the entry point's name to Control_RunDLL, blanks included. Control_RunDLL
// splits its text at commas, though, so a path with a comma goes in double quotes.
CString ControlPanelCommandLine(const CString& path);
