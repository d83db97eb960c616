// Reading and writing one entry's section of the settings store: "Btn%d" for a top-level entry,
// "Group\Grp%d\App%d" for a group member. Both hold the same six REG_SZ values.
#pragma once

#include "entries/AppEntry.h"
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
