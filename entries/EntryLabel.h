// How an entry is named where the program shows it (tray tip, menu line, list line).
#pragma once

#include "entries/AppEntry.h"
#include "framework/CString.h"

// The title; without one, the file name with its extension as the path writes it; without that
// too (a path ending in a separator), the whole path.
CString EntryLabel(const AppEntry& entry);
