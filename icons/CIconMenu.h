// A pop-up menu whose items show a small icon (16 x 16 at 96 DPI) at the left and a label beside
// it, drawn by the program at the DPI it was made for. The menu keeps copies of the icons and the
// labels, so the caller can hand them over and forget them.
#pragma once

#include <windows.h>

#include "framework/CImageList.h"
#include "framework/CMenu.h"
#include "framework/CString.h"
#include "framework/CStringList.h"
#include "icons/DisplayScale.h"

class CIconMenu : public CMenu {
    DECLARE_DYNCREATE(CIconMenu)
public:
    CIconMenu() = default;
    ~CIconMenu() override;

    // Makes the empty menu and its empty icon list, for drawing at `dpi`.
    BOOL CreateIconMenu(UINT dpi);
    // Appends an owner-drawn item with a copy of the icon; the caller keeps its icon. A null
    // icon, or a handle that is no icon, appends nothing at all.
    void AppendIconItem(UINT nID, const CString& label, HICON hIcon);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    // Image k and label k belong to the owner-drawn item whose item data is k.
    CImageList m_imageList;
    CStringList m_listLabels{10};
    UINT m_dpi = display_scale::kBaseDpi;  // the DPI every figure is drawn at

private:
    // The label of the item with this item data; empty for data that names none.
    CString LabelOf(ULONG_PTR itemData) const;
};
