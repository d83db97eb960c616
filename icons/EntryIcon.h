// The small icons the tray and the menus show, each a copy of our own that the caller destroys.
#pragma once

#include <windows.h>

#include "entries/AppEntry.h"
#include "framework/WinHandles.h"

// Icon resource `id` of the program at 16 x 16. A copy (not the shared one LoadIcon gives), so
// that it can be destroyed like every other icon.
UniqueIcon LoadSmallResourceIcon(UINT id);

// The entry's icon: icon IconIndex of its icon file, or of its program when it names none; the
// substitute icon when neither gives one.
UniqueIcon LoadEntryIcon(const AppEntry& entry);
