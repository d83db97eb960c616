#include "framework/CWnd.h"

#include "framework/Afx.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "framework/Utf.h"

namespace {
// The window being created, until its WM_NCCREATE attaches it (one UI thread).
CWnd* g_wndInit = nullptr;
}  // namespace

CWnd::~CWnd() {
    if (m_hWnd == nullptr) {
        return;
    }
    HWND hWnd = m_hWnd;
    bool created = m_bCreated;
    // Keep the window's last messages away from this half-destroyed object.
    Detach();
    // Only a window this object created goes down with it: a dialog belongs to the dialog
    // manager, and a borrowed view (a control) to its dialog.
    if (created) {
        ::DestroyWindow(hWnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

void CWnd::Attach(HWND hWnd) {
    m_hWnd = hWnd;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWnd::Detach() {
    if (m_hWnd != nullptr) {
        // A borrowed view was never attached: leave the window's user data alone.
        if (FromHandlePermanent(m_hWnd) == this) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        }
        m_hWnd = nullptr;
    }
    m_bCreated = false;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&) { return TRUE; }

BOOL CWnd::CreateEx(DWORD dwExStyle, const CString& className, const CString& windowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu) {
    std::wstring cls = Widen(className.View());
    std::wstring name = Widen(windowName.View());
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = cls.c_str();
    cs.lpszName = name.c_str();
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = this;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    g_wndInit = this;
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                  static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (hWnd == nullptr && g_wndInit == this) {
        // Refused before WM_NCCREATE: no WM_NCDESTROY will come to clean up, so do it here.
        g_wndInit = nullptr;
        PostNcDestroy();
    }
    g_wndInit = nullptr;
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

void CWnd::SetWindowText(const CString& text) {
    ::SetWindowTextW(m_hWnd, Widen(text.View()).c_str());
}

CString CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return CString(Narrow(text));
}

int CWnd::MessageBox(const CString& text, const char* caption, UINT nType) {
    CString title = caption != nullptr ? CString(caption) : CString(AfxGetAppName());
    return ::MessageBoxW(m_hWnd, Widen(text.View()).c_str(), Widen(title.View()).c_str(), nType);
}

void CWnd::PostNcDestroy() {}

const AFX_MSGMAP* CWnd::GetThisMessageMap() {
    static constexpr AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr, nullptr}};
    static constexpr AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CWnd::FindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code,
                                               UINT id) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->pRegistered != nullptr) {
                if (*e->pRegistered != 0 && *e->pRegistered == message) {
                    return e;
                }
                continue;
            }
            if (e->nMessage != message) {
                continue;
            }
            if (message != WM_COMMAND) {
                return e;
            }
            if (e->nCode == code && e->nID == id) {
                return e;
            }
        }
    }
    return nullptr;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    // Menu items and accelerators (no control window) are plain commands, code 0.
    UINT code = lParam == 0 ? 0 : HIWORD(wParam);
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_COMMAND, code, id);
    if (e == nullptr) {
        return FALSE;
    }
    e->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 0;
            return TRUE;
        }
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (e == nullptr) {
        return OnMenuOwnerDraw(message, lParam, pResult);
    }
    *pResult = e->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnMenuOwnerDraw(UINT message, LPARAM lParam, LRESULT* pResult) {
    if (lParam == 0) {
        return FALSE;
    }
    CMenu* menu = nullptr;
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        // For a menu item, hwndItem carries the handle of the menu that holds it.
        if (draw->CtlType == ODT_MENU) {
            menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(draw->hwndItem));
            if (menu != nullptr) {
                menu->DrawItem(draw);
            }
        }
    } else if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        // A measure request names no menu: it comes from the menu being tracked for us.
        if (measure->CtlType == ODT_MENU) {
            menu = CMenu::FromTrackingOwner(m_hWnd);
            if (menu != nullptr) {
                menu->MeasureItem(measure);
            }
        }
    }
    if (menu == nullptr) {
        return FALSE;
    }
    *pResult = TRUE;
    return TRUE;
}

LRESULT CALLBACK CWnd::AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = nullptr;
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        wnd = static_cast<CWnd*>(cs->lpCreateParams);
        if (wnd != nullptr) {
            wnd->Attach(hWnd);
            wnd->m_bCreated = true;
            if (g_wndInit == wnd) {
                g_wndInit = nullptr;
            }
        }
    } else {
        wnd = FromHandlePermanent(hWnd);
    }
    if (wnd == nullptr) {
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    }

    MSG saved = wnd->m_currentMsg;
    wnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    // No C++ exception may unwind into the system's dispatcher. A window whose creation threw
    // is not made (CreateWindowEx fails); any other message gets the default answer.
    try {
        if (!wnd->OnWndMsg(message, wParam, lParam, &result)) {
            result = wnd->DefWindowProc(message, wParam, lParam);
        }
    } catch (...) {
        if (message == WM_NCCREATE) {
            result = FALSE;
        } else if (message == WM_CREATE) {
            result = -1;
        } else {
            result = ::DefWindowProcW(hWnd, message, wParam, lParam);
        }
    }

    if (message == WM_NCDESTROY) {
        wnd->Detach();
        CWinApp* app = AfxGetApp();
        if (app != nullptr && app->m_pMainWnd == wnd) {
            // The main window is gone: end the message loop.
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        wnd->PostNcDestroy();  // may delete wnd
        return result;
    }
    wnd->m_currentMsg = saved;
    return result;
}
