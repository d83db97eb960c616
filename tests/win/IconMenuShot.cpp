// Shows a tracked icon menu for a while, for a look at it (a screenshot): three members with
// the fixture program's red, green and blue icons, the first one highlighted by the keyboard.
// Not a test; ctest does not run it.
//
//   velmora_iconmenu_shot.exe [seconds]    (default 5)
//
// It prints "menu open" once the item is highlighted. From the source folder, for example:
//   scripts/wine-run --build build/x64 start
//   scripts/wine-run --build build/x64 build/x64/bin/velmora_iconmenu_shot.exe 6 &
//   sleep 3; DISPLAY=$(scripts/wine-run --build build/x64 display) import -window root shot.png
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/CLauncherApp.h"
#include "framework/WinHandles.h"
#include "icons/CIconMenu.h"
#include "icons/CLoadIcon.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TestOwnerWnd.h"

namespace {

UINT g_closeAfterMs = 5000;

HWND TrackedMenuWindow() {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, L"#32768", nullptr)) {
        if (::IsWindowVisible(w) &&
            ::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId()) {
            return w;
        }
    }
    return nullptr;
}

// Runs inside the menu loop: highlights the first item, then closes the menu later on.
void CALLBACK Step(HWND, UINT, UINT_PTR id, DWORD) {
    static bool highlighted = false;
    HWND menu = TrackedMenuWindow();
    if (menu == nullptr) {
        return;
    }
    ::KillTimer(nullptr, id);
    if (!highlighted) {
        highlighted = true;
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        std::printf("menu open\n");
        std::fflush(stdout);
        ::SetTimer(nullptr, 0, g_closeAfterMs, &Step);
    } else {
        ::EndMenu();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        g_closeAfterMs = static_cast<UINT>(std::atoi(argv[1])) * 1000;
    }
    theApp.SetCurrentHandles(::GetModuleHandleW(nullptr));
    CLoadIcon loader;
    loader.Create(TRUE);
    loader.SetFile(fixtures::Path("threeicons.exe"));
    UniqueIcon icons[] = {UniqueIcon(loader.GetIcon(0)), UniqueIcon(loader.GetIcon(1)),
                          UniqueIcon(loader.GetIcon(2))};

    TestOwnerWnd owner;
    CIconMenu menu;
    menu.CreateIconMenu();
    menu.AppendIconItem(701, "メモ帳", icons[0].Get());
    menu.AppendIconItem(702, "電卓 (Calculator)", icons[1].Get());
    menu.AppendIconItem(703, "ｱｲｺﾝ Blue", icons[2].Get());

    ::SetTimer(nullptr, 0, 200, &Step);
    owner.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_RIGHTALIGN, 400 - 5, 300, &owner);
    std::printf("menu closed\n");
    return 0;
}
