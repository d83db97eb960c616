#include "framework/CMenu.h"

#include "framework/CWnd.h"
#include "framework/Utf.h"

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr) {
        return FALSE;
    }
    DestroyMenu();
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CString& text) {
    if ((nFlags & (MF_SEPARATOR | MF_OWNERDRAW | MF_BITMAP)) != 0) {
        return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, nullptr);
    }
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, Widen(text.View()).c_str());
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const RECT* rect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd != nullptr ? pWnd->m_hWnd : nullptr,
                            rect);
}
