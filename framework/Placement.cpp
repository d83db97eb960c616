#include "framework/Placement.h"

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Moves the window so that its centre is at (x, y), pushed inside the work area of the monitor
// that holds most of it there; a window larger than the work area keeps its top left inside.
void MoveCentreTo(HWND window, int x, int y) {
    RECT rc{};
    if (!::GetWindowRect(window, &rc)) {
        return;
    }
    RECT target{x - Width(rc) / 2, y - Height(rc) / 2, 0, 0};
    target.right = target.left + Width(rc);
    target.bottom = target.top + Height(rc);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromRect(&target, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (target.right > work.right) {
            target.left -= target.right - work.right;
        }
        if (target.bottom > work.bottom) {
            target.top -= target.bottom - work.bottom;
        }
        if (target.left < work.left) {
            target.left = work.left;
        }
        if (target.top < work.top) {
            target.top = work.top;
        }
    }
    ::SetWindowPos(window, nullptr, target.left, target.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CentreOnCursorMonitor(HWND window) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    MoveCentreTo(window, work.left + Width(work) / 2, work.top + Height(work) / 2);
}

void CentreOver(HWND window, HWND over) {
    RECT rc{};
    if (!::GetWindowRect(over, &rc)) {
        return;
    }
    MoveCentreTo(window, rc.left + Width(rc) / 2, rc.top + Height(rc) / 2);
}
