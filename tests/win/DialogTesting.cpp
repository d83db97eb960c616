#include "tests/win/DialogTesting.h"

#include <gtest/gtest.h>

#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "tests/support/Pixels.h"
#include "tests/support/UiDriver.h"

namespace dlgtest {

std::vector<uint32_t> PreviewPixels(HWND dialog, int id) {
    auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageW(dialog, id, STM_GETICON, 0, 0));
    return pixels::RenderIcon(icon, 32);
}

std::vector<uint32_t> IconPixels(const CString& file, int index) {
    CLoadIcon loader;
    loader.Create(FALSE, display_scale::kBaseDpi);
    loader.SetFile(file);
    UniqueIcon icon(loader.GetIcon(index));
    return pixels::RenderIcon(icon.Get(), 32);
}

void Press(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::wstring Text(HWND dialog, int id) { return ui::WindowText(::GetDlgItem(dialog, id)); }

void SetText(HWND dialog, int id, const CString& text) {
    ::SetDlgItemTextW(dialog, id, Widen(text.View()).c_str());
}

namespace {
struct Pending {
    HWND window;
    std::function<void()> then;
    DWORD started;
};
std::vector<Pending> g_pending;
UINT_PTR g_timer = 0;

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
    for (size_t i = 0; i < g_pending.size(); ++i) {
        Pending& p = g_pending[i];
        if (!::IsWindow(p.window) || ::GetTickCount() - p.started > 15000) {
            bool timedOut = ::IsWindow(p.window);
            std::function<void()> then = std::move(p.then);
            g_pending.erase(g_pending.begin() + static_cast<std::ptrdiff_t>(i));
            if (g_pending.empty()) {
                ::KillTimer(nullptr, g_timer);
                g_timer = 0;
            }
            if (timedOut) {
                ADD_FAILURE() << "window still open after 15 s";
            } else {
                then();
            }
            return;
        }
    }
}
}  // namespace

void WhenClosed(HWND window, std::function<void()> then) {
    g_pending.push_back({window, std::move(then), ::GetTickCount()});
    if (g_timer == 0) {
        g_timer = ::SetTimer(nullptr, 0, 20, &Poll);
    }
}

}  // namespace dlgtest
