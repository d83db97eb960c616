// A notification area of the harness's own, so that every tray icon a measured program adds is
// seen and timed in one place, the same way for the program and for the floor.
//
// Wine's Shell_NotifyIconW looks the tray up with FindWindowExW(0, NULL, L"Shell_TrayWnd", NULL)
// and sends it the record as WM_COPYDATA (dwData: NIM_ADD, NIM_MODIFY, ...; wParam: the owner
// window); the call returns what the tray answers. FindWindowEx walks the top-level windows in
// z-order, and explorer's own tray window is not topmost, so a topmost window of that class
// created here is the one found. SelfTest checks that this holds before anything is measured.
//
// The record carries the icon's pictures, not its handle (the tray is another process): after
// the fields of the record, Wine puts the colour bitmap's width, height, planes and bit depth,
// then the bits. The width is kept with each add, so that the size of the icons a program hands
// to the tray can be checked.
#pragma once

#include <windows.h>

#include <vector>

class FakeTray {
public:
    // One icon added (NIM_ADD) by some process.
    struct Add {
        DWORD pid;
        LONGLONG ticks;  // QueryPerformanceCounter at arrival
        int iconWidth;   // of the icon's picture in the record; 0 when it carried none
    };

    FakeTray();
    ~FakeTray();
    FakeTray(const FakeTray&) = delete;
    FakeTray& operator=(const FakeTray&) = delete;

    // True when Shell_NotifyIconW of this process reaches this window and the record tells the
    // width of the icon it carried.
    bool SelfTest();

    void Clear() { m_adds.clear(); }
    // The icons added by process pid since the last Clear, in order of arrival.
    std::vector<Add> AddsOf(DWORD pid) const;
    int CountOf(DWORD pid) const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    std::vector<Add> m_adds;
};
