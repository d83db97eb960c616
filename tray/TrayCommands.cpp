#include "tray/TrayCommands.h"

#include "framework/CMenu.h"
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

void TrackTrayMenu(CMenu& menu, CWnd& owner, POINT cursor) {
    // A tray menu only closes on a click beside it when its owner is the foreground window.
    owner.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_RIGHTALIGN, cursor.x - 5, cursor.y, &owner);
    // Without a message after the menu, the next click beside the menu would not close it.
    owner.PostMessage(WM_NULL, 0, 0);
}
