#include "framework/CMenu.h"

#include <unordered_map>
#include <utility>

#include "framework/CWnd.h"
#include "framework/Utf.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

// Every menu handle held by a CMenu (one UI thread).
std::unordered_map<HMENU, CMenu*>& HandleMap() {
    static std::unordered_map<HMENU, CMenu*> map;
    return map;
}

// A menu being tracked, kept on the stack of CMenu::TrackPopupMenu for the duration of the
// call. A menu opened while another one is tracked (from a modal step, say) links to the outer.
struct Tracking {
    HWND owner;
    CMenu* menu;
    const Tracking* outer;
};
const Tracking* g_tracking = nullptr;

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

BOOL CMenu::CreatePopupMenu() {
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr) {
        return FALSE;
    }
    DestroyMenu();
    HandleMap()[hMenu] = this;
    m_hMenu = hMenu;
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    HandleMap().erase(m_hMenu);
    return ::DestroyMenu(std::exchange(m_hMenu, nullptr));
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CString& text) {
    // A separator's text is not read.
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, Widen(text.View()).c_str());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, ULONG_PTR itemData) {
    if ((nFlags & MF_OWNERDRAW) == 0) {
        return FALSE;
    }
    // For an owner-drawn item the "new item" pointer is not text: it becomes the item data.
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, reinterpret_cast<LPCWSTR>(itemData));
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd) {
    HWND owner = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    Tracking tracking{owner, this, g_tracking};
    g_tracking = &tracking;
    BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, owner, nullptr);
    g_tracking = tracking.outer;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    if (hMenu == nullptr) {
        return nullptr;
    }
    auto it = HandleMap().find(hMenu);
    return it != HandleMap().end() ? it->second : nullptr;
}

CMenu* CMenu::FromTrackingOwner(HWND hWndOwner) {
    for (const Tracking* t = g_tracking; t != nullptr; t = t->outer) {
        if (t->owner == hWndOwner && hWndOwner != nullptr) {
            return t->menu;
        }
    }
    return nullptr;
}
