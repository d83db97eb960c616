#include "entries/EntryLabel.h"

#include "entries/PathParts.h"

CString EntryLabel(const AppEntry& entry) {
    if (!entry.Title.IsEmpty()) {
        return entry.Title;
    }
    CString name = PathFileName(entry.AppName);
    return name.IsEmpty() ? entry.AppName : name;
}
