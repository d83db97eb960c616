#include "icons/EntryIcon.h"

#include "framework/Afx.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"

UniqueIcon LoadSmallResourceIcon(UINT id, UINT dpi) {
    const int size = display_scale::SmallIconSize(dpi);
    return UniqueIcon(static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id),
                                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

UniqueIcon LoadFileIcon(const CString& file, int index, UINT dpi) {
    CLoadIcon loader;
    loader.Create(TRUE, dpi);
    loader.SetFile(file);
    return UniqueIcon(loader.GetIcon(index));
}

UniqueIcon LoadEntryIcon(const AppEntry& entry, UINT dpi) {
    UniqueIcon icon =
        LoadFileIcon(entry.Icon.IsEmpty() ? entry.AppName : entry.Icon, entry.IconIndex, dpi);
    if (!icon) {
        icon = LoadSmallResourceIcon(IDI_SUBSTITUTE, dpi);
    }
    return icon;
}
