// The small icons the tray and the menus show, each a copy of our own that the caller destroys,
// made at the small icon size of the DPI they are shown at.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "framework/CString.h"
#include "framework/WinHandles.h"

// Icon resource `id` of the program at the small icon size of `dpi`, from its image of that
// size. A copy (not the shared one LoadIcon gives), so that it can be destroyed like every other
// icon.
UniqueIcon LoadSmallResourceIcon(UINT id, UINT dpi);

// Icon `index` of `file` at the small icon size of `dpi`, or empty when the file gives none.
UniqueIcon LoadFileIcon(const CString& file, int index, UINT dpi);

// The entry's icon at the small icon size of `dpi`: icon IconIndex of its icon file, or of its
// program when it names none; the substitute icon when neither gives one.
UniqueIcon LoadEntryIcon(const AppEntry& entry, UINT dpi);
