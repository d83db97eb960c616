#include "bench/FakeTray.h"

#include <shellapi.h>

namespace {
constexpr wchar_t kClassName[] = L"Shell_TrayWnd";
FakeTray* g_tray = nullptr;

// The record Wine's Shell_NotifyIconW sends, laid out alike for 32- and 64-bit senders; the
// icon's mask and colour bits follow it when it carries an icon (NIF_ICON).
struct TrayRecord {
    LONG hwnd;
    UINT id;
    UINT flags;
    UINT callbackMessage;
    WCHAR tip[128];
    DWORD state;
    DWORD stateMask;
    WCHAR info[256];
    UINT timeoutOrVersion;
    WCHAR infoTitle[64];
    DWORD infoFlags;
    GUID item;
    UINT iconWidth;
    UINT iconHeight;
    UINT iconPlanes;
    UINT iconBitsPerPixel;
};

// The width of the icon's picture as a tray receives it: the colour bitmap's, or the mask's
// for a monochrome icon.
int PictureWidth(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    return bitmap.bmWidth;
}
}  // namespace

FakeTray::FakeTray() {
    g_tray = this;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    ::RegisterClassW(&wc);
    // Topmost, so that it comes before explorer's tray in z-order; never shown.
    m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 1,
                               1, nullptr, nullptr, wc.hInstance, nullptr);
}

FakeTray::~FakeTray() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
    g_tray = nullptr;
}

bool FakeTray::SelfTest() {
    if (m_hwnd == nullptr || ::FindWindowExW(nullptr, nullptr, kClassName, nullptr) != m_hwnd) {
        return false;
    }
    Clear();
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = m_hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON;
    nid.hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    const BOOL added = ::Shell_NotifyIconW(NIM_ADD, &nid);
    const std::vector<Add> adds = AddsOf(::GetCurrentProcessId());
    Clear();
    return added != FALSE && adds.size() == 1 && adds[0].iconWidth > 0 &&
           adds[0].iconWidth == PictureWidth(nid.hIcon);
}

std::vector<FakeTray::Add> FakeTray::AddsOf(DWORD pid) const {
    std::vector<Add> adds;
    for (const Add& a : m_adds) {
        if (a.pid == pid) {
            adds.push_back(a);
        }
    }
    return adds;
}

int FakeTray::CountOf(DWORD pid) const { return static_cast<int>(AddsOf(pid).size()); }

// Runs for every message of the tray window; the shell's records arrive as WM_COPYDATA, sent, so
// the sender waits until this returns.
LRESULT CALLBACK FakeTray::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA || g_tray == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data != nullptr && data->dwData == NIM_ADD) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(reinterpret_cast<HWND>(wParam), &pid);
        int width = 0;
        if (data->cbData >= sizeof(TrayRecord)) {
            const auto* record = static_cast<const TrayRecord*>(data->lpData);
            width = (record->flags & NIF_ICON) != 0 ? static_cast<int>(record->iconWidth) : 0;
        }
        g_tray->m_adds.push_back({pid, now.QuadPart, width});
    }
    return TRUE;  // every record is taken, as a working tray would
}
