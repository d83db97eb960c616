// The single-entry tray window as the main window makes it at start: its icon and tip in the
// tray, what each mouse event does, its menu, the settings dialog and the delete question, and
// what reaches the store.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Pixels.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tests/support/helpers/LaunchRecord.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

AppEntry Entry(const char* title, const CString& path, int iconIndex = 0) {
    AppEntry e;
    e.Title = title;
    e.AppName = path;
    e.IconIndex = iconIndex;
    return e;
}

// A 16 x 16 icon of a fixture file as the shell's icon extraction gives it.
std::vector<uint32_t> FilePixels(const CString& file, int index) {
    HICON small = nullptr;
    ::ExtractIconExW(Widen(file.View()).c_str(), index, nullptr, &small, 1);
    UniqueIcon owned(small);
    return pixels::RenderIcon(small, 16);
}

std::vector<uint32_t> SubstitutePixels() {
    UniqueIcon icon(pixels::LoadProgramIcon(IDI_SUBSTITUTE, 16));
    return pixels::RenderIcon(icon.Get(), 16);
}

class ButtonTrayWndTest : public EntryWindowsFixture {
protected:
    CButtonTrayWnd* Wnd(int i) {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)));
    }
    HWND Hwnd(int i) { return Wnd(i)->m_hWnd; }

    static const CTrayIconService::Icon* Held(HWND owner) {
        return CTrayIconService::Instance().Find(owner);
    }
    static std::vector<uint32_t> HeldPixels(HWND owner) {
        const CTrayIconService::Icon* held = Held(owner);
        return held != nullptr ? pixels::RenderIcon(held->icon.Get(), 16) : std::vector<uint32_t>{};
    }
};

TEST_F(ButtonTrayWndTest, LoadMakesOneHiddenPopupPerEntryWithItsIconInStoreOrder) {
    Start({Entry("one", fixtures::Path("threeicons.exe")),
           Entry("two", fixtures::Path("noicon.exe")),
           Entry("three", fixtures::Path("picture.ico"))});
    std::vector<HWND> expected{Main()->m_hWnd};
    for (int i = 0; i < 3; ++i) {
        HWND hwnd = Hwnd(i);
        expected.push_back(hwnd);
        EXPECT_EQ(ui::WindowText(hwnd), L"Velmora");
        EXPECT_FALSE(::IsWindowVisible(hwnd));
        EXPECT_EQ(::GetWindow(hwnd, GW_OWNER), Main()->m_hWnd);
        LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_BORDER | WS_THICKFRAME | WS_CAPTION),
                  WS_POPUP | WS_BORDER | WS_THICKFRAME);
        EXPECT_EQ(::GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND),
                  reinterpret_cast<LONG_PTR>(::GetStockObject(LTGRAY_BRUSH)));
        EXPECT_EQ(::GetClassLongW(hwnd, GCL_STYLE), static_cast<DWORD>(CS_HREDRAW | CS_VREDRAW));
    }
    EXPECT_EQ(CTrayIconService::Instance().Owners(), expected);
    EXPECT_EQ(Main()->m_nBusy, 0);
}

TEST_F(ButtonTrayWndTest, TipAndIconFollowTheEntry) {
    const CString three = fixtures::Path("threeicons.exe");
    CString longTitle;
    for (int i = 0; i < 62; ++i) {
        longTitle += "あ";
    }
    longTitle += "𠮷𠮷";  // units 62..65: the first pair would straddle the 63-unit limit
    CString cutTitle = longTitle.Left(62 * 3);

    struct Case {
        const char* what;
        AppEntry entry;
        CString tip;
        std::vector<uint32_t> pixels;
    };
    AppEntry withIconFile = Entry("", "C:\\nowhere\\Tool.EXE");
    withIconFile.Icon = fixtures::Path("threeicons.dll");
    withIconFile.IconIndex = 2;
    const Case cases[] = {
        {"title", Entry("メモ帳", three, 1), "メモ帳", FilePixels(three, 1)},
        {"file name in its case", Entry("", fixtures::Path("mixed.Dll"), 2), "mixed.Dll",
         FilePixels(three, 2)},
        {"icon file", withIconFile, "Tool.EXE", FilePixels(three, 2)},
        {"path ending in a backslash", Entry("", "C:\\Tools\\"), "C:\\Tools\\", SubstitutePixels()},
        {"missing file", Entry("", "C:\\nowhere\\gone.exe"), "gone.exe", SubstitutePixels()},
        {"long Japanese title", Entry(longTitle.GetString(), three), cutTitle,
         FilePixels(three, 0)},
    };
    std::vector<AppEntry> entries;
    for (const Case& c : cases) {
        entries.push_back(c.entry);
    }
    Start(entries);
    EXPECT_NE(FilePixels(three, 0), FilePixels(three, 1));
    EXPECT_NE(FilePixels(three, 0), SubstitutePixels());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        const CTrayIconService::Icon* held = Held(Hwnd(static_cast<int>(i)));
        ASSERT_NE(held, nullptr);
        EXPECT_EQ(held->tip, cases[i].tip);
        EXPECT_EQ(HeldPixels(Hwnd(static_cast<int>(i))), cases[i].pixels);
    }
}

TEST_F(ButtonTrayWndTest, OnlyDoubleClickStartsAndOnlyRightReleaseOpensTheMenu) {
    const std::wstring recorder = Widen(fixtures::Path("..\\velmora_recorder.exe").View());
    Start({Entry("recorder", Narrow(recorder).c_str())});
    HWND hwnd = Hwnd(0);

    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
            EXPECT_EQ(::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, code), 0);
        }
        ui::PumpFor(500);
        EXPECT_FALSE(menu.Ran());
        EXPECT_FALSE(Launched());
    }
    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
        const std::vector<ui::MenuItem>& items = menu.Items();
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].id, static_cast<UINT>(ID_ENTRY_SETTINGS));
        EXPECT_EQ(items[0].text, L"設定変更(&S)");
        EXPECT_NE(items[1].type & MFT_SEPARATOR, 0u);
        EXPECT_EQ(items[2].id, static_cast<UINT>(ID_ENTRY_DELETE));
        EXPECT_EQ(items[2].text, L"削除(&D)");
        EXPECT_EQ(items[0].state & MFS_GRAYED, 0u);
        EXPECT_EQ(items[2].state & MFS_GRAYED, 0u);
        EXPECT_FALSE(Launched());
    }
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(ui::PumpUntil([&] { return Launched(); }, 10000));
    EXPECT_EQ(Main()->m_nBusy, 0);
    EXPECT_EQ(s_beeps, 0);
}

// While the settings dialog or the delete question of one entry is open, a click on any entry
// only beeps.
struct ModalStep {
    const char* name;
    UINT command;
    int busy;  // the busy count while it is open
};

std::ostream& operator<<(std::ostream& os, const ModalStep& c) { return os << c.name; }

class ButtonTrayWndModalTest : public ButtonTrayWndTest,
                               public testing::WithParamInterface<ModalStep> {};

TEST_P(ButtonTrayWndModalTest, ClicksWhileAModalStepIsOpenOnlyBeep) {
    const ModalStep& c = GetParam();
    const std::wstring recorder = Widen(fixtures::Path("..\\velmora_recorder.exe").View());
    Start({Entry("a", Narrow(recorder).c_str()), Entry("b", Narrow(recorder).c_str())});
    ui::ModalScript script;
    script.Then([&](HWND box) {
        EXPECT_EQ(Main()->m_nBusy, c.busy);
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        for (int i : {0, 1}) {
            ::SendMessageW(Hwnd(i), WM_COMMAND, ID_TRAY_DBLCLK, 0);
            ::SendMessageW(Hwnd(i), WM_COMMAND, ID_TRAY_MENU, 0);
        }
        EXPECT_EQ(s_beeps, 4);
        EXPECT_FALSE(menu.Ran());
        ui::Click(box, IDCANCEL);
    });
    ::PostMessageW(Hwnd(0), WM_COMMAND, c.command, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
    ui::Pump();
    EXPECT_FALSE(Launched());
    EXPECT_EQ(Main()->m_listWnd.GetCount(), 2);  // cancelled: nothing deleted
    EXPECT_EQ(Stored(1).Title, "a");
}

INSTANTIATE_TEST_SUITE_P(Steps, ButtonTrayWndModalTest,
                         testing::Values(ModalStep{"Settings", ID_ENTRY_SETTINGS, 1},
                                         ModalStep{"DeleteQuestion", ID_ENTRY_DELETE, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonTrayWndTest, SettingsOkChangesIconAndTipInPlaceAndSavesEveryEntry) {
    const CString three = fixtures::Path("threeicons.exe");
    const AppEntry first = Entry("first", three), third = Entry("third", three);
    Start({first, Entry("second", "C:\\nowhere\\gone.exe"), third});
    const std::vector<HWND> owners = CTrayIconService::Instance().Owners();
    // Stale sections: only a save of every entry puts them right again.
    theApp.SaveButton(1, Entry("stale", "x"));
    theApp.SaveButton(3, Entry("stale", "x"));

    ui::ModalScript script;
    script.Then([&](HWND settings) {
        EXPECT_EQ(::GetWindow(settings, GW_OWNER), Hwnd(1));
        EXPECT_EQ(ui::WindowText(::GetDlgItem(settings, IDC_TITLE)), L"second");
        ::SetDlgItemTextW(settings, IDC_TITLE, L"二番目");
        ::SetDlgItemTextW(settings, IDC_PATH, Widen(three.View()).c_str());
        ui::Click(settings, IDOK);
    });
    ::PostMessageW(Hwnd(1), WM_COMMAND, ID_ENTRY_SETTINGS, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
    ui::Pump();

    const auto& calls = m_trayCalls.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(calls[0].owner, Hwnd(1));
    EXPECT_EQ(CTrayIconService::Instance().Owners(), owners);
    EXPECT_EQ(Held(Hwnd(1))->tip, "二番目");
    EXPECT_EQ(HeldPixels(Hwnd(1)), FilePixels(three, 0));

    EXPECT_EQ(Stored(1), first);
    EXPECT_EQ(Stored(2).Title, "二番目");
    EXPECT_EQ(Stored(2).AppName, three);
    EXPECT_EQ(Stored(3), third);
    EXPECT_EQ(Main()->m_nBusy, 0);
}

// The delete question of the second of three entries, answered OK or cancelled.
struct DeleteAnswer {
    const char* name;
    int button;
};

std::ostream& operator<<(std::ostream& os, const DeleteAnswer& c) { return os << c.name; }

class ButtonTrayWndDeleteTest : public ButtonTrayWndTest,
                                public testing::WithParamInterface<DeleteAnswer> {};

TEST_P(ButtonTrayWndDeleteTest, DeletingTheSecondOfThreeRenumbersTheStore) {
    const int answer = GetParam().button;
    const AppEntry a = Entry("a", "C:\\a.exe"), b = Entry("b", "C:\\b.exe"),
                   c = Entry("c", "C:\\c.exe");
    Start({a, b, c});
    HWND first = Hwnd(0), second = Hwnd(1), last = Hwnd(2);
    ui::ModalScript script;
    script.Then([&](HWND box) {
        ui::MessageBoxInfo info = ui::ReadMessageBox(box);
        EXPECT_EQ(info.text, L"削除してもよろしいですか？");
        EXPECT_EQ(info.caption, L"Velmora");
        EXPECT_EQ(info.buttons, (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_NE(info.icon, nullptr);
        EXPECT_EQ(::GetWindow(box, GW_OWNER), second);
        ui::Click(box, answer);
    });
    ::PostMessageW(second, WM_COMMAND, ID_ENTRY_DELETE, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
    ui::PumpFor(200);

    if (answer == IDOK) {
        EXPECT_FALSE(::IsWindow(second));
        EXPECT_EQ(CTrayIconService::Instance().Owners(),
                  (std::vector<HWND>{Main()->m_hWnd, first, last}));
        EXPECT_EQ(Main()->m_nEntryCount, 2);
        EXPECT_EQ(Main()->m_listWnd.GetCount(), 2);
        EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 2u);
        EXPECT_EQ(Stored(1), a);
        EXPECT_EQ(Stored(2), c);
        EXPECT_EQ(Stored(3), c);  // left as it was, no longer read
    } else {
        EXPECT_TRUE(::IsWindow(second));
        EXPECT_EQ(m_trayCalls.Calls().size(), 0u);
        EXPECT_EQ(Main()->m_nEntryCount, 3);
        EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 3u);
        EXPECT_EQ(Stored(2), b);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ButtonTrayWndDeleteTest,
                         testing::Values(DeleteAnswer{"Cancel", IDCANCEL},
                                         DeleteAnswer{"Ok", IDOK}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ButtonTrayWndTest, HiddenIconsComeBackInListOrderAndAHiddenWindowCallsNoTray) {
    Start({Entry("a", "C:\\a.exe"), Entry("b", "C:\\b.exe")});
    HWND a = Hwnd(0), b = Hwnd(1);
    Main()->HideEntryIcons(1);
    EXPECT_EQ(CTrayIconService::Instance().Owners(), std::vector<HWND>{Main()->m_hWnd});
    Wnd(1)->HideIcon(0);
    Wnd(0)->HideIcon(0);
    EXPECT_EQ(CTrayIconService::Instance().Owners(), (std::vector<HWND>{Main()->m_hWnd, b, a}));

    Wnd(0)->HideIcon(1);
    m_trayCalls.Clear();
    ::DestroyWindow(a);
    EXPECT_TRUE(m_trayCalls.Calls().empty());
    ::DestroyWindow(b);
    ASSERT_EQ(m_trayCalls.Calls().size(), 1u);
    EXPECT_EQ(m_trayCalls.Calls()[0].message, static_cast<DWORD>(NIM_DELETE));
    Main()->m_listWnd.RemoveAll();
}

// An entry window that cannot be made is not listed (its object has deleted itself).
TEST_F(ButtonTrayWndTest, AWindowThatCannotBeMadeIsNotListed) {
    Start({});
    HWND real = Main()->m_hWnd;
    Main()->m_hWnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7ff0));  // no such window
    EXPECT_EQ(Main()->CreateButtonWnd(Entry("a", "C:\\a.exe"), IconGuid{}, 0), nullptr);
    Main()->m_hWnd = real;
    EXPECT_EQ(Main()->m_listWnd.GetCount(), 0);
    EXPECT_TRUE(m_trayCalls.Calls().empty());
}

}  // namespace
