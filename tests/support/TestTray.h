// A notification area of the test's own, which sees every Shell_NotifyIcon call of the program
// with the identity it names, and answers as Windows 7 and later do: an icon goes by its GUID
// when the call names one, else by its window and identifier; an add of an icon held already
// fails, and so does a modify or delete of one not held. It can refuse chosen GUIDs, the way
// Windows refuses a GUID first used by a program at another path.
//
// Wine's Shell_NotifyIconW finds the tray with FindWindowEx(0, 0, "Shell_TrayWnd", 0) and sends
// it the call as WM_COPYDATA (dwData: the NIM_ message; wParam: the owner window), returning
// what the tray answers. A topmost window of that class made here comes before explorer's in
// z-order, so the test's own is the one found while it lives.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "entries/IconGuid.h"

class TestTray {
public:
    struct Call {
        DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
        HWND owner;
        UINT id;
        UINT flags;     // NIF_*
        IconGuid guid;  // null unless the call names one (NIF_GUID)
        BOOL answer;
    };

    TestTray();
    ~TestTray();
    TestTray(const TestTray&) = delete;
    TestTray& operator=(const TestTray&) = delete;

    // True when it is the tray Shell_NotifyIcon reaches and it reads the GUIDs of the calls.
    bool Works() const { return m_works; }

    // Every later call naming this GUID fails.
    void Refuse(const IconGuid& guid) { m_refused.push_back(guid); }
    // Every later call naming any GUID fails: a shell that knows none.
    void RefuseEveryGuid() { m_refuseAll = true; }
    // Forgets every icon, as a taskbar created anew holds none.
    void Restart() { m_held.clear(); }

    const std::vector<Call>& Calls() const { return m_calls; }
    void Clear() { m_calls.clear(); }
    // The accepted adds since the last Clear, in order.
    std::vector<Call> Adds() const;
    size_t HeldCount() const { return m_held.size(); }

private:
    struct Held {
        HWND owner;
        UINT id;
        IconGuid guid;
    };
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Answer(DWORD message, const Call& call);
    bool Probe();

    HWND m_hwnd = nullptr;
    bool m_works = false;
    size_t m_guidOffset = 0;  // where Wine's record carries the GUID; found by Probe
    bool m_probing = false;
    std::vector<Call> m_calls;
    std::vector<Held> m_held;
    std::vector<IconGuid> m_refused;
    bool m_refuseAll = false;
    std::vector<unsigned char> m_probeRecord;
};
