#include "tests/support/UiDriver.h"

#include <gtest/gtest.h>

namespace ui {
namespace {
constexpr UINT_PTR kStepTimer = 0x5101;
constexpr UINT_PTR kWatchdogTimer = 0x5102;
constexpr DWORD kWatchdogMs = 15000;

thread_local ModalScript* t_modal = nullptr;
thread_local MenuScript* t_menu = nullptr;
}  // namespace

std::wstring WindowText(HWND hwnd) {
    int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int n = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(hwnd, name, 256);
    return name;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.caption = WindowText(box);
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        std::wstring cls = ClassName(child);
        LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(cls.c_str(), L"Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                info.icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
            } else if (info.text.empty()) {
                info.text = WindowText(child);
            }
        } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && (style & WS_VISIBLE) != 0) {
            info.buttons.push_back(::GetDlgCtrlID(child));
        }
    }
    return info;
}

void Click(HWND dialog, int id) {
    HWND button = ::GetDlgItem(dialog, id);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

std::function<void(HWND)> ReadAndPress(MessageBoxInfo* info, int button) {
    return [info, button](HWND box) {
        *info = ReadMessageBox(box);
        Click(box, button);
    };
}

ModalScript::ModalScript() {
    t_modal = this;
    m_hook = ::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId());
}

ModalScript::~ModalScript() {
    if (m_hook != nullptr) {
        ::UnhookWindowsHookEx(m_hook);
    }
    t_modal = nullptr;
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog step(s) never ran";
}

LRESULT CALLBACK ModalScript::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    ModalScript* self = t_modal;
    if (self != nullptr && code == HCBT_ACTIVATE) {
        auto hwnd = reinterpret_cast<HWND>(wParam);
        if (ClassName(hwnd) == L"#32770" &&
            std::find(self->m_handled.begin(), self->m_handled.end(), hwnd) ==
                self->m_handled.end()) {
            self->m_handled.push_back(hwnd);
            // Act from inside the modal loop, after the dialog has finished initialising.
            ::SetTimer(hwnd, kStepTimer, 0, &StepTimer);
            ::SetTimer(hwnd, kWatchdogTimer, kWatchdogMs, &Watchdog);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK ModalScript::StepTimer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(hwnd, id);
    ModalScript* self = t_modal;
    if (self == nullptr) {
        return;
    }
    ++self->m_seen;
    if (self->m_steps.empty()) {
        ADD_FAILURE() << "unexpected dialog \"" << testing::PrintToString(WindowText(hwnd))
                      << "\"; closing it";
        ::EndDialog(hwnd, IDCANCEL);
        return;
    }
    Step step = std::move(self->m_steps.front());
    self->m_steps.pop_front();
    step(hwnd);
}

void CALLBACK ModalScript::Watchdog(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(hwnd, id);
    ADD_FAILURE() << "dialog still open after " << kWatchdogMs << " ms; ending it";
    ::EndDialog(hwnd, IDCANCEL);
}

std::vector<MenuItem> ReadMenu(HMENU menu) {
    std::vector<MenuItem> items;
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_STRING;
        wchar_t text[512] = {};
        mii.dwTypeData = text;
        mii.cch = 511;
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
        MenuItem item;
        item.id = mii.wID;
        item.type = mii.fType;
        item.state = mii.fState;
        item.data = mii.dwItemData;
        if ((mii.fType & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_BITMAP)) == 0) {
            item.text = text;
        }
        items.push_back(item);
    }
    return items;
}

MenuScript::MenuScript(Step step) : m_step(std::move(step)) {
    t_menu = this;
    m_started = ::GetTickCount();
    m_timer = ::SetTimer(nullptr, 0, 20, &Poll);
}

MenuScript::~MenuScript() {
    if (m_timer != 0) {
        ::KillTimer(nullptr, m_timer);
    }
    t_menu = nullptr;
}

void CALLBACK MenuScript::Poll(HWND, UINT, UINT_PTR id, DWORD) {
    MenuScript* self = t_menu;
    if (self == nullptr || self->m_ran) {
        return;
    }
    // The popup of a menu this thread tracks right now.
    HWND found = nullptr;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        if (::IsWindowVisible(w) &&
            ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId()) {
            found = w;
            break;
        }
    }
    if (found == nullptr) {
        if (::GetTickCount() - self->m_started > kWatchdogMs) {
            ::KillTimer(nullptr, id);
            self->m_timer = 0;
            ::EndMenu();
        }
        return;
    }
    ::KillTimer(nullptr, id);
    self->m_timer = 0;
    self->m_ran = true;
    auto menu = reinterpret_cast<HMENU>(::SendMessageW(found, MN_GETHMENU, 0, 0));
    self->m_items = ReadMenu(menu);
    self->m_step(found, menu);
}

void MenuScript::Choose(HWND menuWindow, HMENU menu, UINT id) {
    // Down-arrow steps over separators; count the stops to the item, then press Enter.
    int presses = 0;
    bool found = false;
    for (const MenuItem& item : ReadMenu(menu)) {
        if ((item.type & MFT_SEPARATOR) != 0) {
            continue;
        }
        ++presses;
        if (item.id == id) {
            found = true;
            break;
        }
    }
    ASSERT_TRUE(found) << "menu has no item " << id;
    for (int i = 0; i < presses; ++i) {
        ::PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
    }
    ::PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
}

void MenuScript::Cancel(HWND menuWindow) { ::PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0); }

}  // namespace ui
