// Drives the program's modal UI from inside its own thread, the way a user would, with real
// messages to real windows: a thread-local CBT hook sees each dialog or message box become
// active and runs the next scripted step inside the modal loop; a thread timer finds each
// tracked popup menu. Every step has a watchdog, so a stuck dialog or menu fails the test
// instead of hanging it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/MessagePump.h"

namespace ui {

// What a message box shows.
struct MessageBoxInfo {
    std::wstring caption;
    std::wstring text;
    HICON icon = nullptr;      // the standard icon it shows, or null
    std::vector<int> buttons;  // ids of its visible buttons, in child order
};
MessageBoxInfo ReadMessageBox(HWND box);

// Clicks a button of a dialog (posted: the click may open another modal step).
void Click(HWND dialog, int id);

// A dialog step: read the message box into *info, then press `button`.
std::function<void(HWND)> ReadAndPress(MessageBoxInfo* info, int button);

// Scripted answers to the dialogs and message boxes that open while it lives.
class ModalScript {
public:
    using Step = std::function<void(HWND dialog)>;
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    void Then(Step step) { m_steps.push_back(std::move(step)); }
    int Pending() const { return static_cast<int>(m_steps.size()); }
    int Seen() const { return m_seen; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK StepTimer(HWND hwnd, UINT, UINT_PTR id, DWORD);
    static void CALLBACK Watchdog(HWND hwnd, UINT, UINT_PTR id, DWORD);

    HHOOK m_hook = nullptr;
    std::deque<Step> m_steps;
    std::vector<HWND> m_handled;
    int m_seen = 0;
};

struct MenuItem {
    UINT id = 0;
    UINT type = 0;   // MFT_* (MFT_SEPARATOR, MFT_OWNERDRAW, ...)
    UINT state = 0;  // MFS_* (MFS_GRAYED, ...)
    ULONG_PTR data = 0;
    std::wstring text;
};
std::vector<MenuItem> ReadMenu(HMENU menu);

// Scripted handling of the next popup menu tracked by this thread.
class MenuScript {
public:
    using Step = std::function<void(HWND menuWindow, HMENU menu)>;
    explicit MenuScript(Step step);
    ~MenuScript();
    MenuScript(const MenuScript&) = delete;
    MenuScript& operator=(const MenuScript&) = delete;

    bool Ran() const { return m_ran; }
    const std::vector<MenuItem>& Items() const { return m_items; }

    // Steps: choose the item with this command by keyboard, or close the menu.
    static void Choose(HWND menuWindow, HMENU menu, UINT id);
    static void Cancel(HWND menuWindow);

private:
    static void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD);
    Step m_step;
    UINT_PTR m_timer = 0;
    DWORD m_started = 0;
    bool m_ran = false;
    std::vector<MenuItem> m_items;
};

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

}  // namespace ui
