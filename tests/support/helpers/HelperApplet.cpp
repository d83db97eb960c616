// A control-panel applet for the tests: one applet that records, at every message, how its
// host process was started and which messages it has received so far.
#include <windows.h>
#include <cpl.h>

#include <string>

#include "tests/support/helpers/LaunchRecord.h"

namespace {
std::wstring g_events;

void Note(const wchar_t* event) {
    if (!g_events.empty()) {
        g_events += L",";
    }
    g_events += event;
    WriteLaunchRecord(L"events=" + g_events + L"\n");
}
}  // namespace

extern "C" __declspec(dllexport) LONG APIENTRY
    CPlApplet(HWND, UINT message, LPARAM lParam1, LPARAM lParam2) {
    switch (message) {
        case CPL_INIT:
            Note(L"INIT");
            return TRUE;
        case CPL_GETCOUNT:
            Note(L"GETCOUNT");
            return 1;
        case CPL_INQUIRE: {
            Note(L"INQUIRE");
            auto* info = reinterpret_cast<CPLINFO*>(lParam2);
            // The name and icon come with CPL_NEWINQUIRE.
            info->idIcon = CPL_DYNAMIC_RES;
            info->idName = CPL_DYNAMIC_RES;
            info->idInfo = CPL_DYNAMIC_RES;
            info->lData = 0;
            return 0;
        }
        case CPL_NEWINQUIRE: {
            Note(L"NEWINQUIRE");
            auto* info = reinterpret_cast<NEWCPLINFOW*>(lParam2);
            info->dwSize = sizeof(NEWCPLINFOW);
            info->dwFlags = 0;
            info->dwHelpContext = 0;
            info->lData = 0;
            info->hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
            lstrcpynW(info->szName, L"Velmora test applet", 32);
            lstrcpynW(info->szInfo, L"Records how it was opened", 64);
            info->szHelpFile[0] = L'\0';
            return 0;
        }
        case CPL_STARTWPARMSW:
            Note(L"STARTWPARMS");
            return FALSE;  // not handled: the host sends CPL_DBLCLK
        case CPL_DBLCLK:
            Note(L"DBLCLK");
            return 0;
        case CPL_STOP:
            Note(L"STOP");
            return 0;
        case CPL_EXIT:
            Note(L"EXIT");
            return 0;
        default:
            (void)lParam1;
            return 0;
    }
}
