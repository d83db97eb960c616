// Gives icons of one fixed size, the small or the large icon size at a DPI (16 x 16 or 32 x 32
// at 96 DPI), out of any file: by index from programs and libraries, otherwise the icon the shell
// shows for the file. Each icon is taken from the file at that size, not stretched from another.
// Made for one use and discarded; the icons it returns belong to the caller.
#pragma once

#include <windows.h>

#include "framework/CImageList.h"
#include "framework/CObject.h"
#include "framework/CString.h"
#include "framework/WinHandles.h"

class CLoadIcon : public CObject {
    DECLARE_DYNCREATE(CLoadIcon)
public:
    CLoadIcon() = default;
    ~CLoadIcon() override = default;

    // Chooses the size (bSmall not 0: the small icon size at `dpi`, else the large) and makes
    // the converter list. Called first; called again, it starts over at the new size.
    BOOL Create(BOOL bSmall, UINT dpi);
    // Makes path the current file, its %NAME% variables expanded; its icons are counted when
    // GetCount first asks.
    void SetFile(const CString& path);
    // How many icons the current file offers: from the file for ".exe" and ".dll", else 1; 1
    // also after GetIcon fell back to the shell's icon.
    int GetCount();
    // A new icon of the chosen size for icon `index` of the current file, owned by the caller;
    // the shell's icon for the file when the file gives none there; null when neither has one.
    HICON GetIcon(int index);

    // The icon at `index` in the file itself, at the chosen size, or empty.
    UniqueIcon ExtractFromFile(int index) const;
    // The icon the shell shows for the file, or empty. Sets the count to 1.
    UniqueIcon GetShellIcon();

private:
    // ".exe" and ".dll" files offer their own icons by index.
    bool HasIconsByIndex() const;

    // Counting reads the file's resources, and the tray and the menus, which make a loader for
    // every icon, never ask: an ".exe" or ".dll" is counted on the first GetCount.
    static constexpr int kNotCounted = -1;

    int m_nSize = 16;  // the side of every icon it gives
    int m_nCount = 0;
    // Holds at most one image: an icon put in comes out at the list's size and with a mask.
    CImageList m_imageList;
    CString m_strFile;
    CString m_strExt;
};
