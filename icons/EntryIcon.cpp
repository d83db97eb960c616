#include "icons/EntryIcon.h"

#include "framework/Afx.h"
#include "icons/CLoadIcon.h"
#include "res/resource.h"

UniqueIcon LoadSmallResourceIcon(UINT id) {
    return UniqueIcon(static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id),
                                                      IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

UniqueIcon LoadEntryIcon(const AppEntry& entry) {
    CLoadIcon loader;
    loader.Create(TRUE);
    loader.SetFile(entry.Icon.IsEmpty() ? entry.AppName : entry.Icon);
    UniqueIcon icon(loader.GetIcon(entry.IconIndex));
    if (!icon) {
        icon = LoadSmallResourceIcon(IDI_SUBSTITUTE);
    }
    return icon;
}
