#include "tests/support/WindowRefusal.h"

#include <string_view>

namespace {

// One refusal at a time, on the test's thread.
int g_allowed = 0;
int g_refused = 0;

LRESULT CALLBACK RefuseEntryWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (cs->hwndParent != nullptr && !IS_INTRESOURCE(cs->lpszClass) &&
            cs->lpszName != nullptr && std::wstring_view(cs->lpszName) == L"Velmora") {
            if (g_allowed == 0) {
                ++g_refused;
                return 1;  // the window is not made
            }
            --g_allowed;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

WindowRefusal::WindowRefusal(int allowed) {
    g_allowed = allowed;
    g_refused = 0;
    m_hook = ::SetWindowsHookExW(WH_CBT, &RefuseEntryWindows, nullptr, ::GetCurrentThreadId());
}

WindowRefusal::~WindowRefusal() { ::UnhookWindowsHookEx(m_hook); }

int WindowRefusal::Refused() const { return g_refused; }
