// Entries as the tests write them: a title, a full path, and whether it is a group.
#pragma once

#include "entries/AppEntry.h"
#include "framework/CString.h"

inline AppEntry Entry(const char* title, const CString& path, int isGroup = 0) {
    AppEntry e;
    e.Title = title;
    e.AppName = path;
    e.IsGroup = isGroup;
    return e;
}
