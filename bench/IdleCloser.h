// Closes every popup menu and modal dialog of this thread as soon as it is up and idle, so that
// a measured pop or dialog is "built, shown, closed" without a timer or a user in between.
//
// The menu loop and the modal dialog loop both send WM_ENTERIDLE to the owner once their window
// is shown and painted and the queue is empty (wParam MSGF_MENU or MSGF_DIALOGBOX; for a dialog,
// lParam is the dialog). A thread hook sees it before the owner's window procedure does: a menu
// is ended with EndMenu, a dialog is cancelled the way its Cancel button would (IDCANCEL). For a
// menu, lParam is the popup's window: the height of its first row is taken before it is ended.
#pragma once

#include <windows.h>

class IdleCloser {
public:
    IdleCloser();
    ~IdleCloser();
    IdleCloser(const IdleCloser&) = delete;
    IdleCloser& operator=(const IdleCloser&) = delete;

    int MenusClosed() const { return m_menus; }
    int DialogsClosed() const { return m_dialogs; }
    // The height in pixels of the first row of the last menu closed, as laid out on the screen;
    // 0 before the first menu, or when it had no rows.
    int LastMenuRowHeight() const { return m_rowHeight; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook = nullptr;
    int m_menus = 0;
    int m_dialogs = 0;
    int m_rowHeight = 0;
    HWND m_lastDialog = nullptr;
};
