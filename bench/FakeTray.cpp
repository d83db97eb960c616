#include "bench/FakeTray.h"

#include <shellapi.h>

namespace {
constexpr wchar_t kClassName[] = L"Shell_TrayWnd";
FakeTray* g_tray = nullptr;
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
    const bool seen = CountOf(::GetCurrentProcessId()) == 1;
    Clear();
    return added != FALSE && seen;
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
        g_tray->m_adds.push_back({pid, now.QuadPart});
    }
    return TRUE;  // every record is taken, as a working tray would
}
