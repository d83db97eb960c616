// Owner of one menu handle: destroys the menu it holds. Neither copied nor moved.
//
// Owner-drawn items: while a CMenu holds a handle it can be found from it (FromHandlePermanent),
// and while TrackPopupMenu runs it is known as the menu tracked for its owner window. CWnd's
// default handling of WM_DRAWITEM and WM_MEASUREITEM uses both to call DrawItem and MeasureItem.
#pragma once

#include <windows.h>

#include "framework/CObject.h"
#include "framework/CString.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;

    HMENU m_hMenu = nullptr;

    // Makes a new empty pop-up menu; a menu held before is destroyed.
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    // A string item, or a separator (MF_SEPARATOR, no text).
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const CString& text = CString());
    // An owner-drawn item (nFlags must hold MF_OWNERDRAW): itemData comes back in the draw and
    // measure requests.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, ULONG_PTR itemData);

    // Shows the menu and tracks it; the chosen command reaches pWnd as WM_COMMAND. For the
    // duration of the call this is the menu tracked for pWnd.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);

    // Called for an owner-drawn item of this menu that needs painting.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Called for an owner-drawn item of this menu before it is first shown, for its size.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // The CMenu that holds hMenu, or null.
    static CMenu* FromHandlePermanent(HMENU hMenu);
    // The menu being tracked for this owner window right now, or null.
    static CMenu* FromTrackingOwner(HWND hWndOwner);
};
