#include "icons/DisplayScale.h"

#include "framework/SystemDll.h"
#include "framework/WinHandles.h"

namespace display_scale {

namespace {

// Windows 10 (1607) and later only; declared here because the program is built for Windows 7.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// user32 is always loaded in a program with windows: looking it up loads nothing.
GetDpiForWindowFn DpiForWindowFunction() {
    static const auto fn =
        system_dll::LoadedFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    return fn;
}

GetSystemMetricsForDpiFn MetricsForDpiFunction() {
    static const auto fn = system_dll::LoadedFunction<GetSystemMetricsForDpiFn>(
        L"user32.dll", "GetSystemMetricsForDpi");
    return fn;
}

// A DPI the system reported, or the screen's for an answer of 0 (a window that is gone).
UINT Checked(UINT dpi) { return dpi != 0 ? dpi : SystemDpi(); }

// The size `metric` has at `dpi`. Without the per-DPI function the system's own figure is for
// the screen's DPI, and is scaled from there.
int MetricForDpi(int metric, UINT dpi) {
    if (GetSystemMetricsForDpiFn fn = MetricsForDpiFunction()) {
        const int size = fn(metric, dpi);
        if (size > 0) {
            return size;
        }
    }
    return ::MulDiv(::GetSystemMetrics(metric), static_cast<int>(dpi),
                    static_cast<int>(SystemDpi()));
}

}  // namespace

UINT SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT WindowDpi(HWND hwnd) {
    if (GetDpiForWindowFn fn = DpiForWindowFunction(); fn != nullptr && hwnd != nullptr) {
        return Checked(fn(hwnd));
    }
    return SystemDpi();
}

UINT TaskbarDpi() {
    // The taskbar's window lies on the monitor that holds it, and has that monitor's DPI.
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    return taskbar != nullptr ? WindowDpi(taskbar) : SystemDpi();
}

int SmallIconSize(UINT dpi) { return MetricForDpi(SM_CXSMICON, dpi); }

int LargeIconSize(UINT dpi) { return MetricForDpi(SM_CXICON, dpi); }

int Scale(int figure, UINT dpi) {
    return ::MulDiv(figure, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

}  // namespace display_scale
