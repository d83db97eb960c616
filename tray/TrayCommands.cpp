#include "tray/TrayCommands.h"

#include "framework/CWnd.h"
#include "res/resource.h"

LRESULT PostTrayCommand(CWnd& wnd, LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            wnd.PostMessage(WM_COMMAND, ID_TRAY_DBLCLK, 0);
            break;
        case WM_RBUTTONUP:
            wnd.PostMessage(WM_COMMAND, ID_TRAY_MENU, 0);
            break;
        default:
            break;
    }
    return 0;
}
