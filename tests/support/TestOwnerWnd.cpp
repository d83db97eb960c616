#include "tests/support/TestOwnerWnd.h"

#include "framework/Afx.h"

TestOwnerWnd::TestOwnerWnd() {
    CreateEx(0, AfxRegisterWndClass(0), "Velmora test owner", WS_POPUP, 0, 0, 100, 100, nullptr,
             nullptr);
}

BOOL TestOwnerWnd::OnCommand(WPARAM wParam, LPARAM) {
    m_commands.push_back(LOWORD(wParam));
    return TRUE;
}
