// Code from the system's folder only. A portable program is often started from a folder where
// anything may lie beside it (Downloads); a DLL there named like a system one must never run.
#pragma once

#include <windows.h>

#include <string>

#include "framework/WinHandles.h"

namespace system_dll {

// Called first thing at start: every DLL loaded from then on by its name alone, by the program
// or by the system's DLLs on its behalf, comes from the system folder, never from the program's
// folder, the current folder or PATH.
void RestrictSearch();

// The system folder with a trailing backslash; empty if the system gives none.
std::wstring SystemDirectory();

// The system's DLL of this file name ("msimg32.dll"), loaded from the system folder by its full
// path; empty when it cannot be loaded (GetLastError says why). Each owner holds one load of it.
UniqueModule LoadFromSystemFolder(const wchar_t* fileName);

// A function of a system DLL the process has loaded already (kernel32, user32), or null where
// the system lacks it. Looking it up loads nothing, so no search is involved.
FARPROC LoadedFunction(const wchar_t* module, const char* name);

template <class Fn>
Fn LoadedFunction(const wchar_t* module, const char* name) {
    // Through void*: a cast from FARPROC straight to another function type is what GCC's
    // -Wcast-function-type warns of.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(LoadedFunction(module, name)));
}

}  // namespace system_dll
