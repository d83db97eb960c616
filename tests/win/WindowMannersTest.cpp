// How the program's windows meet the user: dialogs open where the user is, a click on the tray
// while one waits for an answer brings it to the front, and paths may name %NAME% variables.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "entries/EntryStore.h"
#include "entries/StoreNames.h"
#include "framework/CMenu.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "icons/CIconMenu.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Pixels.h"
#include "tests/support/Printers.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/TestEntries.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

POINT Centre(HWND window) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

RECT WorkArea(POINT at) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Within a pixel: halving odd sizes rounds.
void ExpectNear(POINT got, POINT want) {
    EXPECT_LE(std::abs(got.x - want.x), 1) << got.x << " vs " << want.x;
    EXPECT_LE(std::abs(got.y - want.y), 1) << got.y << " vs " << want.y;
}

class WindowMannersTest : public EntryWindowsFixture {
protected:
    CButtonTrayWnd* Wnd(int i) {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)));
    }
};

// The settings and order dialogs come up centred on the work area of the monitor under the
// pointer (where the tray was clicked), not at the screen's top left corner.
TEST_F(WindowMannersTest, DialogsFromTheTrayOpenCentredWhereThePointerIs) {
    Start({Entry("a", "C:\\a.exe")});
    ::SetCursorPos(700, 560);
    const RECT work = WorkArea({700, 560});
    const POINT middle{(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    struct Case {
        const char* what;
        HWND target;
        UINT command;
    };
    const Case cases[] = {{"a new entry", Main()->m_hWnd, ID_ICON_ADD},
                          {"the order", Main()->m_hWnd, ID_ICON_ORDER},
                          {"an entry's settings", Wnd(0)->m_hWnd, ID_ENTRY_SETTINGS}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        POINT seen{-1, -1};
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            seen = Centre(dialog);
            ui::Click(dialog, IDCANCEL);
        });
        ::PostMessageW(c.target, WM_COMMAND, c.command, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        ui::PumpFor(100);
        ExpectNear(seen, middle);
    }
}

// The change-icon dialog and the file dialog open centred over the settings dialog, wherever
// the user moved it.
TEST_F(WindowMannersTest, DialogsOfADialogOpenCentredOverIt) {
    for (int opener : {IDC_CHANGE_ICON, IDC_BROWSE}) {
        SCOPED_TRACE(opener);
        POINT settingsCentre{};
        POINT seen{-1, -1};
        ui::ModalScript script;
        HWND settingsWindow = nullptr;
        script.Then([&](HWND settings) {
            // Away from the middle, where the tray's dialogs open, and room for the file
            // dialog around its centre.
            ::SetWindowPos(settings, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            settingsCentre = Centre(settings);
            settingsWindow = settings;
            ui::Click(settings, opener);
        });
        script.Then([&](HWND inner) {
            seen = Centre(inner);
            ::PostMessageW(inner, WM_COMMAND, IDCANCEL, 0);
            ::PostMessageW(settingsWindow, WM_COMMAND, IDCANCEL, 0);
        });
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(0, 0);
        dlg.SetEntry(Entry("a", "C:\\a.exe"), 0);
        dlg.DoModal();
        EXPECT_EQ(script.Pending(), 0);
        ExpectNear(seen, settingsCentre);
    }
}

// A click on a tray icon while a dialog or question waits under another window beeps, as
// before, and brings what waits to the front.
TEST_F(WindowMannersTest, ABusyClickBringsTheCoveredDialogForward) {
    Start({Entry("a", "C:\\a.exe"), Entry("b", "C:\\b.exe")});
    struct Case {
        const char* what;
        UINT command;  // opens the dialog or question, on entry a
        int answer;    // closes it
    };
    const Case cases[] = {{"the settings dialog", ID_ENTRY_SETTINGS, IDCANCEL},
                          {"the delete question", ID_ENTRY_DELETE, IDCANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_beeps = 0;
        HWND cover = ::CreateWindowExW(0, L"STATIC", L"cover", WS_POPUP | WS_VISIBLE, 0, 0, 800,
                                       600, nullptr, nullptr, nullptr, nullptr);
        HWND front = nullptr;
        HWND waiting = nullptr;
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            waiting = dialog;
            ::SetForegroundWindow(cover);
            ASSERT_EQ(::GetForegroundWindow(), cover);
            ::SendMessageW(Wnd(1)->m_hWnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
            // The click becomes a command the window posts itself.
            ui::PumpUntil([] { return s_beeps == 1; });
            front = ::GetForegroundWindow();
            ::PostMessageW(dialog, WM_COMMAND, c.answer, 0);
        });
        ::PostMessageW(Wnd(0)->m_hWnd, WM_COMMAND, c.command, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        ui::PumpFor(100);
        ::DestroyWindow(cover);
        EXPECT_EQ(s_beeps, 1);
        EXPECT_NE(waiting, nullptr);
        EXPECT_EQ(front, waiting) << "in front: " << testing::PrintToString(ui::WindowText(front));
    }
    EXPECT_EQ(Main()->m_listWnd.GetCount(), 2);
}

// An entry's paths may name %NAME% variables: its tray icon, its icon in a member menu and its
// preview come from the file they name, and the store keeps what was typed.
TEST_F(WindowMannersTest, PathsWithVariablesShowTheirIconsAndAreStoredAsTyped) {
    const std::wstring folder = ThisProgramDirectory() + L"fixtures";
    ::SetEnvironmentVariableW(L"VELMORA_TEST_FIXTURES", folder.c_str());
    const CString typed = "%VELMORA_TEST_FIXTURES%\\threeicons.exe";
    const CString real = fixtures::Path("threeicons.exe");
    AppEntry entry = Entry("vars", typed);
    entry.Dir = "%VELMORA_TEST_FIXTURES%";
    AppEntry byIconFile = Entry("icon file", "C:\\nowhere.exe");
    byIconFile.Icon = typed;
    byIconFile.IconIndex = 2;
    theApp.WriteProfileInt(store_names::GroupSection(1).GetString(), store_names::kCount, 1);
    SaveEntrySection(theApp, store_names::MemberSection(1, 1), byIconFile);
    Start({entry, byIconFile, Entry("g", "", 1)});

    auto smallIcon = [](const CString& file, int index) {
        CLoadIcon loader;
        loader.Create(TRUE, display_scale::kBaseDpi);
        loader.SetFile(file);
        UniqueIcon icon(loader.GetIcon(index));
        return pixels::RenderIcon(icon.Get(), 16);
    };
    const std::vector<uint32_t> first = smallIcon(real, 0);
    const std::vector<uint32_t> third = smallIcon(real, 2);
    ASSERT_FALSE(first.empty());
    ASSERT_NE(first, third);
    auto held = [](HWND owner) {
        const CTrayIconService::Icon* icon = CTrayIconService::Instance().Find(owner);
        return icon != nullptr ? pixels::RenderIcon(icon->icon.Get(), 16) : std::vector<uint32_t>{};
    };
    EXPECT_EQ(held(Wnd(0)->m_hWnd), first);
    EXPECT_EQ(held(Wnd(1)->m_hWnd), third);

    // The member's row in the group's menu.
    std::vector<uint32_t> row;
    HWND group = Wnd(2)->m_hWnd;
    ui::MenuScript menu([&](HWND window, HMENU) {
        if (CMenu* tracked = CMenu::FromTrackingOwner(group)) {
            pixels::Canvas canvas(160, 20, pixels::kBackground);
            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemID = ID_MEMBER_FIRST;
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hDC = canvas.Dc();
            draw.rcItem = RECT{0, 0, 160, 20};
            tracked->DrawItem(&draw);
            for (int y = 2; y < 18; ++y) {
                for (int x = 1; x < 17; ++x) {
                    row.push_back(canvas.At(x, y));
                }
            }
        }
        ui::MenuScript::Cancel(window);
    });
    ::SendMessageW(group, WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    EXPECT_EQ(row, third);

    // The settings dialog's preview.
    {
        std::vector<uint32_t> preview;
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            HICON shown = reinterpret_cast<HICON>(
                ::SendDlgItemMessageW(dialog, IDC_ENTRY_PREVIEW, STM_GETICON, 0, 0));
            preview = pixels::RenderIcon(shown, 32);
            ui::Click(dialog, IDCANCEL);
        });
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(0, 0);
        dlg.SetEntry(byIconFile, 0);
        dlg.DoModal();
        CLoadIcon large;
        large.Create(FALSE, display_scale::kBaseDpi);
        large.SetFile(real);
        UniqueIcon want(large.GetIcon(2));
        EXPECT_EQ(preview, pixels::RenderIcon(want.Get(), 32));
    }

    // Saved, the paths are as typed.
    ASSERT_TRUE(Main()->SaveAll());
    EXPECT_EQ(Stored(1).AppName, typed);
    EXPECT_EQ(Stored(1).Dir, "%VELMORA_TEST_FIXTURES%");
    EXPECT_EQ(Stored(2).Icon, typed);
    ::SetEnvironmentVariableW(L"VELMORA_TEST_FIXTURES", nullptr);
}

}  // namespace
