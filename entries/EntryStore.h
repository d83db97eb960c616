// Reading and writing one entry's section of the settings store: "Btn%d" for a top-level entry,
// "Group\Grp%d\App%d" for a group member. Both hold the same six REG_SZ values.
#pragma once

#include <optional>

#include "entries/AppEntry.h"
#include "entries/IconGuid.h"
#include "framework/CString.h"

class CWinApp;
class StoreBatch;

// Fills every field of the entry from the section: "Title", "AppName", "Dir", "Parm" and "Icon"
// (missing: empty), then Show, IconIndex and IsGroup from the items 0 to 2 of "Data" (missing
// items: 0).
void LoadEntrySection(CWinApp& app, const CString& section, AppEntry& entry);

// Writes "Title", "AppName", "Dir", "Parm", "Icon" and "Data" ("%d,%d,%d" of Show, IconIndex,
// IsGroup) in that order, all as strings. Other values of the section stay as they are.
void SaveEntrySection(StoreBatch& batch, const CString& section, const AppEntry& entry);
// The same, written at once.
void SaveEntrySection(CWinApp& app, const CString& section, const AppEntry& entry);

// The tray icon's GUID stored in the section ("Guid"); none when it holds no valid one, as in
// the store of a version before GUIDs.
std::optional<IconGuid> LoadIconGuid(CWinApp& app, const CString& section);
// Writes the GUID as "Guid" in the section.
void SaveIconGuid(StoreBatch& batch, const CString& section, const IconGuid& guid);
// The same, written at once.
bool SaveIconGuid(CWinApp& app, const CString& section, const IconGuid& guid);
// The GUID an entry stored without one goes by until a save stores it: made from its section
// and values, so that every start gives it the same one, and no two sections the same.
IconGuid DerivedIconGuid(const CString& section, const AppEntry& entry);
