// Owner of one image list. Move-only: the list is destroyed with the object that holds it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/WinHandles.h"

class CImageList {
public:
    // The flags of a list that holds icons as they are: 32 bits keep the alpha of true-colour
    // icons (a list of the screen's depth would drop it and darken their soft edges), and the
    // mask keeps the transparency of the 16-colour ones.
    static constexpr UINT kIconFlags = ILC_COLOR32 | ILC_MASK;

    // Makes a new empty list of cx x cy images (ILC_* flags); a list held before is destroyed.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Destroys the list; FALSE when there was none.
    BOOL DeleteImageList();

    int GetImageCount() const;
    // Copies the icon into the list: over image nImage, or appended when nImage is -1. The
    // caller keeps its icon. The index of the image, or -1 when the list did not take it.
    int ReplaceIcon(int nImage, HICON hIcon);
    int Add(HICON hIcon) { return ReplaceIcon(-1, hIcon); }
    // Removes image nImage; the images after it move down by one.
    BOOL Remove(int nImage);
    // A new icon made from image nImage (drawn normally, with its mask); empty when there is no
    // such image. (Not named ExtractIcon: shellapi.h makes that name a macro.)
    UniqueIcon GetIcon(int nImage) const;

private:
    UniqueImageList m_hImageList;
};
