#include "bench/IdleCloser.h"

namespace {
thread_local IdleCloser* t_closer = nullptr;
}  // namespace

IdleCloser::IdleCloser() {
    t_closer = this;
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
}

IdleCloser::~IdleCloser() {
    if (m_hook != nullptr) {
        ::UnhookWindowsHookEx(m_hook);
    }
    t_closer = nullptr;
}

LRESULT CALLBACK IdleCloser::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    IdleCloser* self = t_closer;
    if (code == HC_ACTION && call->message == WM_ENTERIDLE && self != nullptr) {
        if (call->wParam == MSGF_MENU) {
            ++self->m_menus;
            auto popup = reinterpret_cast<HWND>(call->lParam);
            auto menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
            RECT row{};
            self->m_rowHeight = menu != nullptr && ::GetMenuItemRect(popup, menu, 0, &row)
                                    ? row.bottom - row.top
                                    : 0;
            ::EndMenu();
        } else if (call->wParam == MSGF_DIALOGBOX) {
            auto dialog = reinterpret_cast<HWND>(call->lParam);
            // The loop may go idle again before the posted Cancel arrives: count a dialog once.
            if (dialog != self->m_lastDialog) {
                self->m_lastDialog = dialog;
                ++self->m_dialogs;
            }
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
