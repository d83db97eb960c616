// Owner of one menu handle. Destroys the menu it holds unless it was detached.
#pragma once

#include <windows.h>

#include "framework/CObject.h"
#include "framework/CString.h"

class CWnd;

class CMenu : public CObject {
public:
    CMenu() = default;
    ~CMenu() override;

    HMENU m_hMenu = nullptr;

    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL CreatePopupMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const CString& text = CString());
    // Shows the menu and tracks it; the chosen command reaches pWnd as WM_COMMAND.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* rect = nullptr);
};
