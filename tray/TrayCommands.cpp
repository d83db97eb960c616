#include "tray/TrayCommands.h"

#include "framework/CMenu.h"
#include "framework/CWnd.h"

LRESULT PostTrayCommand(CWnd& wnd, LPARAM mouseMessage, std::span<const TrayClick> clicks) {
    for (const TrayClick& click : clicks) {
        if (click.mouseMessage == static_cast<UINT>(mouseMessage)) {
            wnd.PostMessage(WM_COMMAND, click.command, 0);
            break;
        }
    }
    return 0;
}

void ShowTrayMenu(CWnd& owner, std::span<const TrayMenuItem> items) {
    CMenu menu;
    if (!menu.CreatePopupMenu()) {
        return;
    }
    for (const TrayMenuItem& item : items) {
        if (item.text == nullptr) {
            menu.AppendMenu(MF_SEPARATOR);
        } else {
            menu.AppendMenu(MF_STRING, item.command, item.text);
        }
    }
    TrackTrayMenuAtCursor(menu, owner);
}

void TrackTrayMenuAtCursor(CMenu& menu, CWnd& owner) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // A tray menu only closes on a click beside it when its owner is the foreground window.
    owner.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_RIGHTALIGN, cursor.x - 5, cursor.y, &owner);
    // Without a message after the menu, the next click beside the menu would not close it.
    owner.PostMessage(WM_NULL, 0, 0);
}
