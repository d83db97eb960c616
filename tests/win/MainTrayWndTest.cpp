// Start-up, the program's own tray icon and the ways the program ends, on the real registry,
// tray and message boxes of Wine.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "framework/WinHandles.h"
#include "entries/StoreNames.h"
#include "entries/EntryStore.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/AppFixture.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestEntries.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

// Every value stored anywhere below the key, counted through all subkeys.
int CountValues(HKEY parent, const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD subkeys = 0;
    DWORD values = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr);
    int total = static_cast<int>(values);
    for (DWORD i = 0; i < subkeys; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            total += CountValues(key, name);
        }
    }
    ::RegCloseKey(key);
    return total;
}

class AppTest : public AppFixture {
protected:
    HWND MainHwnd() { return Main()->m_hWnd; }

    void Start() {
        ASSERT_TRUE(theApp.InitInstance());
        ASSERT_NE(Main(), nullptr);
        m_trayCalls.Clear();
    }

    static std::vector<uint32_t> HeldIconPixels(HWND owner) {
        const CTrayIconService::Icon* held = CTrayIconService::Instance().Find(owner);
        return held != nullptr ? pixels::RenderIcon(held->icon.Get(), 16) : std::vector<uint32_t>{};
    }
    static std::vector<uint32_t> ResourcePixels(UINT id) {
        UniqueIcon icon(pixels::LoadProgramIcon(id, 16));
        return pixels::RenderIcon(icon.Get(), 16);
    }
    size_t TrayCallCount() const { return m_trayCalls.Calls().size(); }

    // Seeds "Btn%d" and "Num" with the entries, then starts.
    void StartWith(const std::vector<AppEntry>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) {
            theApp.SaveButton(static_cast<int>(i) + 1, entries[i]);
        }
        theApp.WriteProfileInt("Button", "Num", static_cast<int>(entries.size()));
        ASSERT_NO_FATAL_FAILURE(Start());
        ASSERT_EQ(Main()->m_listWnd.GetCount(), static_cast<int>(entries.size()));
    }
    HWND EntryHwnd(int i) {
        return static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)))
            ->m_hWnd;
    }
    // Posts a main menu command that opens one dialog or question; `step` answers it.
    void RunModal(UINT command, ui::ModalScript::Step step) {
        ui::ModalScript script;
        script.Then(std::move(step));
        ::PostMessageW(MainHwnd(), WM_COMMAND, command, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        ui::PumpFor(200);
    }
};

AppEntry StoredButton(int n) {
    AppEntry e;
    theApp.LoadButton(n, e);
    return e;
}

std::vector<CString> StoredMemberTitles(int groupNo) {
    std::vector<CString> titles;
    const int count =
        theApp.GetProfileInt(store_names::GroupSection(groupNo).GetString(), "Num", -1);
    for (int n = 1; n <= count; ++n) {
        AppEntry e;
        LoadEntrySection(theApp, store_names::MemberSection(groupNo, n), e);
        titles.push_back(e.Title);
    }
    return titles;
}

void StoreMembers(int groupNo, const std::vector<const char*>& titles) {
    theApp.WriteProfileInt(store_names::GroupSection(groupNo).GetString(), "Num",
                           static_cast<int>(titles.size()));
    for (size_t i = 0; i < titles.size(); ++i) {
        SaveEntrySection(theApp, store_names::MemberSection(groupNo, static_cast<int>(i) + 1),
                         Entry(titles[i], "C:\\m.exe"));
    }
}

TEST_F(AppTest, StartCreatesTheHiddenMainWindowAndItsIconWithoutWritingTheStore) {
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(Main(), nullptr);
    HWND hwnd = MainHwnd();

    EXPECT_EQ(::FindWindowW(nullptr, L"Velmora"), hwnd);
    EXPECT_FALSE(::IsWindowVisible(hwnd));
    LONG ex = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_MINIMIZEBOX | WS_POPUP | WS_CHILD | WS_THICKFRAME),
              WS_CAPTION | WS_MINIMIZEBOX);
    EXPECT_EQ(theApp.m_nCmdShow, SW_HIDE);
    EXPECT_EQ(Main()->m_nEntryCount, 0);
    EXPECT_EQ(Main()->m_nBusy, 0);

    // The own icon: the only one, tip "Velmora", picture 132.
    auto& tray = CTrayIconService::Instance();
    ASSERT_EQ(tray.Owners(), std::vector<HWND>{hwnd});
    EXPECT_EQ(tray.Find(hwnd)->tip, "Velmora");
    EXPECT_EQ(HeldIconPixels(hwnd), ResourcePixels(IDI_TRAY_SHOWN));
    EXPECT_NE(ResourcePixels(IDI_TRAY_SHOWN), ResourcePixels(IDI_TRAY_HIDDEN));

    // The store lives under the company and application keys, and start-up writes nothing.
    EXPECT_EQ(theApp.m_strRegistryKey, "Brennick");
    EXPECT_TRUE(store::KeyExists());
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, store::kRoot), 0);
}

// The count says how many of the stored sections are entries: a section past it is not read,
// and stays in the store as it is.
TEST_F(AppTest, StartReadsTheEntryCountFromTheStore) {
    for (int n = 1; n <= 3; ++n) {
        theApp.SaveButton(n, Entry(n == 3 ? "past the count" : "counted", "C:\\tool.exe"));
    }
    store::WriteDword(L"Button", L"Num", 2);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Main()->m_nEntryCount, 2);
    ASSERT_EQ(Main()->m_listWnd.GetCount(), 2);
    EXPECT_EQ(CTrayIconService::Instance().Owners(),
              (std::vector<HWND>{MainHwnd(), EntryHwnd(0), EntryHwnd(1)}));
    EXPECT_EQ(store::ReadString(L"Btn3", L"Title"), L"past the count");
}

// A second copy ends at once and silently: no window, no icon, no message, no registry access.
TEST_F(AppTest, SecondStartEndsSilently) {
    struct Case {
        const char* what;
        bool windowExists;
        bool mutexExists;
    };
    for (Case c : {Case{"window titled Velmora", true, false},
                   Case{"started at the same instant", false, true}}) {
        SCOPED_TRACE(c.what);
        store::Clear();
        HWND other = nullptr;
        if (c.windowExists) {
            other = ::CreateWindowExW(0, L"Static", L"Velmora", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr);
            ASSERT_NE(other, nullptr);
        }
        UniqueKernelHandle mutex;
        if (c.mutexExists) {
            mutex.Reset(::CreateMutexW(nullptr, FALSE, CLauncherApp::kInstanceMutexName));
        }
        ui::ModalScript noDialogs;  // any message box would fail the test
        EXPECT_FALSE(theApp.InitInstance());
        ui::Pump();
        EXPECT_EQ(theApp.m_pMainWnd, nullptr);
        EXPECT_EQ(TrayCallCount(), 0u);
        EXPECT_FALSE(store::KeyExists());
        EXPECT_EQ(noDialogs.Seen(), 0);
        if (other != nullptr) {
            ::DestroyWindow(other);
        }
    }
}

TEST_F(AppTest, SystemBeforeVersionFourIsRefused) {
    theApp.m_pfnGetOsMajorVersion = [] { return DWORD{3}; };
    ui::ModalScript script;
    ui::MessageBoxInfo box;
    script.Then(ui::ReadAndPress(&box, IDOK));
    EXPECT_FALSE(theApp.InitInstance());
    theApp.m_pfnGetOsMajorVersion = &CLauncherApp::QueryOsMajorVersion;

    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.text, L"このﾊﾞｰｼﾞｮﾝのOSでは起動できません。");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(TrayCallCount(), 0u);
    EXPECT_FALSE(store::KeyExists());
}

TEST_F(AppTest, SystemOfVersionFourStarts) {
    theApp.m_pfnGetOsMajorVersion = [] { return DWORD{4}; };
    EXPECT_TRUE(theApp.InitInstance());
    theApp.m_pfnGetOsMajorVersion = &CLauncherApp::QueryOsMajorVersion;
}

TEST_F(AppTest, ExitQuestionCancelledChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    ui::ModalScript script;
    ui::MessageBoxInfo box;
    int busyDuringQuestion = -1;
    script.Then([&](HWND dlg) {
        box = ui::ReadMessageBox(dlg);
        busyDuringQuestion = Main()->m_nBusy;
        // A double click on the own icon while the question is open only beeps.
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
        ui::Click(dlg, IDCANCEL);
    });
    ::PostMessageW(hwnd, WM_COMMAND, ID_APP_EXIT, 0);
    ASSERT_TRUE(ui::PumpUntil([&] { return script.Seen() == 1 && Main()->m_nBusy == 0; }));
    ui::Pump();

    EXPECT_EQ(box.caption, L"Velmora");
    EXPECT_EQ(box.text, L"終了してもよろしいですか？");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_QUESTION));
    EXPECT_EQ(box.buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(busyDuringQuestion, 1);
    EXPECT_EQ(s_beeps, 1);
    EXPECT_TRUE(::IsWindow(hwnd));
    EXPECT_EQ(Main()->m_nBusy, 0);
    EXPECT_EQ(Main()->m_bHideIcons, 0);
    EXPECT_EQ(TrayCallCount(), 0u);
    EXPECT_EQ(CTrayIconService::Instance().Owners(), std::vector<HWND>{hwnd});
    EXPECT_FALSE(store::Read(L"Button", L"Num"));
}

// A watchdog for a message loop that should have ended (a timer procedure is WINAPI: on i686
// a lambda does not convert to one).
void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ADD_FAILURE() << "message loop did not end";
    ::PostQuitMessage(1);
}

TEST_F(AppTest, ExitQuestionAnsweredOkEndsTheProgramAndWritesTheCount) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    ui::ModalScript script;
    script.Then([](HWND dlg) { ui::Click(dlg, IDOK); });
    ::PostMessageW(hwnd, WM_COMMAND, ID_APP_EXIT, 0);
    // The framework's message loop ends once WM_CLOSE has destroyed the main window.
    const UINT_PTR watchdog = ::SetTimer(nullptr, 0, 20000, &EndStuckLoop);
    EXPECT_EQ(theApp.Run(), 0);
    ::KillTimer(nullptr, watchdog);

    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(CTrayIconService::Instance().Owners().empty());
    ASSERT_FALSE(m_trayCalls.Calls().empty());
    EXPECT_EQ(m_trayCalls.Calls().back().message, DWORD{NIM_DELETE});
    auto num = store::Read(L"Button", L"Num");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->type, DWORD{REG_DWORD});
    EXPECT_EQ(num->AsDword(), 0u);
}

TEST_F(AppTest, SessionEndSavesAndAnswersTrueAndACancelledEndBringsTheIconBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    EXPECT_EQ(::SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(CTrayIconService::Instance().Owners().empty());
    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), std::optional<DWORD>(0));

    // Another program cancelled the shutdown: the program goes on and must stay reachable.
    ::SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(CTrayIconService::Instance().Owners(), std::vector<HWND>{hwnd});
    EXPECT_EQ(HeldIconPixels(hwnd), ResourcePixels(IDI_TRAY_SHOWN));
}

// Only the double click of the left button and the release of the right one act.
TEST_F(AppTest, OwnIconReactsToDoubleClickAndRightReleaseOnly) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    for (UINT idle : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_RBUTTONDBLCLK,
                      WM_MBUTTONUP}) {
        SCOPED_TRACE(idle);
        ui::MenuScript menu([](HWND w, HMENU) { ui::MenuScript::Cancel(w); });
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, idle);
        ui::PumpFor(100);
        EXPECT_FALSE(menu.Ran());
        EXPECT_EQ(TrayCallCount(), 0u);
        EXPECT_EQ(Main()->m_bHideIcons, 0);
    }

    // Double click: the entry icons go out and the own icon turns to 129, in place.
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(ui::PumpUntil([&] { return Main()->m_bHideIcons == 1; }));
    ASSERT_EQ(TrayCallCount(), 1u);
    EXPECT_EQ(m_trayCalls.Calls()[0].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(HeldIconPixels(hwnd), ResourcePixels(IDI_TRAY_HIDDEN));

    // Right release: the menu, which now offers help and quit only.
    {
        ui::MenuScript menu([](HWND w, HMENU) { ui::MenuScript::Cancel(w); });
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
        ui::Pump();
        const auto& items = menu.Items();
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].id, UINT{ID_HELP});
        EXPECT_EQ(items[0].text, L"ﾍﾙﾌﾟ(&H)");
        EXPECT_TRUE(items[1].type & MFT_SEPARATOR);
        EXPECT_EQ(items[2].id, UINT{ID_APP_EXIT});
        EXPECT_EQ(items[2].text, L"Velmora の終了(&X)");
    }

    // A second double click brings them back, and the full menu returns.
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(ui::PumpUntil([&] { return Main()->m_bHideIcons == 0; }));
    EXPECT_EQ(HeldIconPixels(hwnd), ResourcePixels(IDI_TRAY_SHOWN));
    ui::MenuScript menu([](HWND w, HMENU) { ui::MenuScript::Cancel(w); });
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    ui::Pump();
    std::vector<std::pair<UINT, std::wstring>> got;
    for (const auto& item : menu.Items()) {
        got.emplace_back(item.type & MFT_SEPARATOR ? 0u : item.id, item.text);
    }
    std::vector<std::pair<UINT, std::wstring>> want = {{ID_ICON_ADD, L"ｱｲｺﾝの追加(&A)"},
                                                       {ID_ICON_ORDER, L"ｱｲｺﾝの順序(&S)"},
                                                       {0, L""},
                                                       {ID_HELP, L"ﾍﾙﾌﾟ(&H)"},
                                                       {0, L""},
                                                       {ID_APP_EXIT, L"Velmora の終了(&X)"}};
    EXPECT_EQ(got, want);
}

TEST_F(AppTest, ClicksWhileBusyOnlyBeep) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    Main()->m_nBusy = 1;
    ui::MenuScript menu([](HWND w, HMENU) { ui::MenuScript::Cancel(w); });
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([] { return s_beeps == 2; }));
    ui::PumpFor(100);
    EXPECT_FALSE(menu.Ran());
    EXPECT_EQ(TrayCallCount(), 0u);
    EXPECT_EQ(Main()->m_bHideIcons, 0);
    Main()->m_nBusy = 0;
}

TEST_F(AppTest, TaskbarCreatedHandsTheIconToTheNewTaskbar) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND hwnd = MainHwnd();
    // The taskbar restarts: the shell forgets the icon behind the program's back.
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = hwnd;
    nid.uID = 1;
    ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
    ::SendMessageW(hwnd, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);

    const auto& calls = m_trayCalls.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, DWORD{NIM_ADD});
    EXPECT_EQ(calls[0].owner, hwnd);
    EXPECT_TRUE(calls[0].result);
    // The shell has it again: deleting it now succeeds.
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
}

// While the settings dialog, the order dialog or the quit question is open, a double or right
// click on the own icon only beeps.
struct MenuCommand {
    const char* name;
    UINT command;
};

std::ostream& operator<<(std::ostream& os, const MenuCommand& c) { return os << c.name; }

class AppModalTest : public AppTest, public testing::WithParamInterface<MenuCommand> {};

TEST_P(AppModalTest, ClicksWhileAMenuCommandsDialogIsOpenOnlyBeep) {
    const UINT command = GetParam().command;
    ASSERT_NO_FATAL_FAILURE(Start());
    RunModal(command, [&](HWND dialog) {
        ui::MenuScript menu([](HWND w, HMENU) { ui::MenuScript::Cancel(w); });
        ::SendMessageW(MainHwnd(), WM_COMMAND, ID_TRAY_DBLCLK, 0);
        ::SendMessageW(MainHwnd(), WM_COMMAND, ID_TRAY_MENU, 0);
        EXPECT_EQ(s_beeps, 2);
        EXPECT_FALSE(menu.Ran());
        ui::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Main()->m_bHideIcons, 0);
    EXPECT_EQ(Main()->m_nEntryCount, 0);
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, store::kRoot), 0);
}

INSTANTIATE_TEST_SUITE_P(Commands, AppModalTest,
                         testing::Values(MenuCommand{"Add", ID_ICON_ADD},
                                         MenuCommand{"Order", ID_ICON_ORDER},
                                         MenuCommand{"Exit", ID_APP_EXIT}),
                         [](const auto& info) { return std::string(info.param.name); });

// A new entry is written at once; a new group starts empty even where an earlier group of its
// number left members in the store.
class AppAddTest : public AppTest, public testing::WithParamInterface<bool> {};

TEST_P(AppAddTest, AddingAnEntryOrAGroupWritesItAtOnce) {
    const bool group = GetParam();
    StoreMembers(1, {"old", "older"});
    ASSERT_NO_FATAL_FAILURE(StartWith({Entry("first", "C:\\first.exe")}));
    RunModal(ID_ICON_ADD, [&](HWND settings) {
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(settings, IDC_MAKE_GROUP)));
        ::SetDlgItemTextW(settings, IDC_TITLE, L"新規");
        if (group) {
            ::SendDlgItemMessageW(settings, IDC_MAKE_GROUP, BM_CLICK, 0, 0);
        } else {
            ::SetDlgItemTextW(settings, IDC_PATH, L"C:\\new.exe");
        }
        ui::Click(settings, IDOK);
    });
    ASSERT_EQ(Main()->m_listWnd.GetCount(), 2);
    EXPECT_EQ(Main()->m_nEntryCount, 2);
    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 2u);
    const AppEntry stored = StoredButton(2);
    EXPECT_EQ(stored.Title, "新規");
    EXPECT_EQ(stored.IsGroup, group ? 1 : 0);
    EXPECT_EQ(CTrayIconService::Instance().Owners(),
              (std::vector<HWND>{MainHwnd(), EntryHwnd(0), EntryHwnd(1)}));
    // Its tray icon's GUID is new, and stored with it at once.
    const auto* added =
        static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(1)));
    EXPECT_FALSE(added->m_guid.IsNull());
    EXPECT_EQ(LoadIconGuid(theApp, store_names::EntrySection(2)), added->m_guid);
    EXPECT_NE(added->m_guid,
              static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(0)))
                  ->m_guid);
    EXPECT_NE(added->m_guid, Main()->m_guid);
    EXPECT_EQ(CTrayIconService::Instance().Find(added->m_hWnd)->guid, added->m_guid);
    if (group) {
        EXPECT_EQ(Main()->m_nGroupCount, 1);
        EXPECT_TRUE(StoredMemberTitles(1).empty());
        auto* wnd =
            static_cast<CGroupTrayWnd*>(static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetAt(
                Main()->m_listWnd.FindIndex(Main()->m_listWnd.GetCount() - 1))));
        EXPECT_EQ(wnd->m_nGroupNo, 1);
        EXPECT_EQ(wnd->m_nMemberCount, 0);
    } else {
        EXPECT_EQ(stored.AppName, "C:\\new.exe");
        EXPECT_EQ(Main()->m_nGroupCount, 0);
        EXPECT_EQ(StoredMemberTitles(1), (std::vector<CString>{"old", "older"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, AppAddTest, testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "Group" : "Single");
});

// The icons leave the tray while the dialog is open and come back in the new order; the store
// follows at the next save, groups renumbered with their members.
TEST_F(AppTest, OrderingMovesTheIconsAndTheNextSaveRenumbersTheGroups) {
    StoreMembers(1, {"x"});
    StoreMembers(2, {"y", "z"});
    ASSERT_NO_FATAL_FAILURE(
        StartWith({Entry("g1", "", 1), Entry("a", "C:\\a.exe"), Entry("g2", "", 1)}));
    const HWND g1 = EntryHwnd(0), a = EntryHwnd(1), g2 = EntryHwnd(2);
    RunModal(ID_ICON_ORDER, [&](HWND dialog) {
        EXPECT_EQ(CTrayIconService::Instance().Owners(), std::vector<HWND>{MainHwnd()});
        EXPECT_EQ(Main()->m_bHideIcons, 1);
        ::SendDlgItemMessageW(dialog, IDC_ORDER_LIST, LB_SETCURSEL, 2, 0);
        for (int i = 0; i < 2; ++i) {
            ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ORDER_UP, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ORDER_UP)));
        }
        ui::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(Main()->m_bHideIcons, 0);
    EXPECT_EQ(CTrayIconService::Instance().Owners(), (std::vector<HWND>{MainHwnd(), g2, g1, a}));
    EXPECT_EQ(HeldIconPixels(MainHwnd()), ResourcePixels(IDI_TRAY_SHOWN));
    // Groups come back with their own (numbered) icons; the numbers change only at the save.
    EXPECT_EQ(HeldIconPixels(g2), ResourcePixels(IDI_GROUP_BASE + 2));
    EXPECT_EQ(HeldIconPixels(g1), ResourcePixels(IDI_GROUP_BASE + 1));
    EXPECT_EQ(StoredButton(1).Title, "g1");
    EXPECT_EQ(StoredMemberTitles(1), (std::vector<CString>{"x"}));

    ::SendMessageW(MainHwnd(), WM_CLOSE, 0, 0);
    ui::Pump();
    EXPECT_EQ(StoredButton(1).Title, "g2");
    EXPECT_EQ(StoredButton(2).Title, "g1");
    EXPECT_EQ(StoredButton(3).Title, "a");
    EXPECT_EQ(StoredMemberTitles(1), (std::vector<CString>{"y", "z"}));
    EXPECT_EQ(StoredMemberTitles(2), (std::vector<CString>{"x"}));
}

}  // namespace
