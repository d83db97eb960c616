// Groups as the main window makes them from the store: their numbers, icons and tips, the member
// menu and what starts from it, the group menu's commands, and what reaches the store and when.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "entries/StoreNames.h"
#include "entries/EntryStore.h"
#include "framework/CMenu.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "icons/CIconMenu.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Pixels.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/TestEntries.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tests/support/WindowRefusal.h"
#include "tests/support/helpers/LaunchRecord.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

AppEntry Group(const char* title) { return Entry(title, "", 1); }

// Group n's members as stored, in order.
std::vector<AppEntry> StoredMembers(int groupNo) {
    std::vector<AppEntry> members;
    const int count =
        theApp.GetProfileInt(store_names::GroupSection(groupNo).GetString(), "Num", -1);
    for (int n = 1; n <= count; ++n) {
        AppEntry e;
        LoadEntrySection(theApp, store_names::MemberSection(groupNo, n), e);
        members.push_back(e);
    }
    return members;
}

void StoreMembers(int groupNo, const std::vector<AppEntry>& members) {
    theApp.WriteProfileInt(store_names::GroupSection(groupNo).GetString(), "Num",
                           static_cast<int>(members.size()));
    for (size_t i = 0; i < members.size(); ++i) {
        SaveEntrySection(theApp, store_names::MemberSection(groupNo, static_cast<int>(i) + 1),
                         members[i]);
    }
}

std::vector<uint32_t> ResourcePixels(UINT id) {
    UniqueIcon icon(pixels::LoadProgramIcon(id, 16));
    return pixels::RenderIcon(icon.Get(), 16);
}

std::vector<uint32_t> FilePixels(const CString& file, int index) {
    CLoadIcon loader;
    loader.Create(TRUE, display_scale::kBaseDpi);
    loader.SetFile(file);
    UniqueIcon icon(loader.GetIcon(index));
    return pixels::RenderIcon(icon.Get(), 16);
}

// Item `data` of an icon menu as it draws itself, unselected, into a DIB.
std::vector<uint32_t> DrawnItem(CMenu* menu, ULONG_PTR data) {
    pixels::Canvas canvas(160, 20);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = ID_MEMBER_FIRST + static_cast<UINT>(data);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = reinterpret_cast<HWND>(menu->m_hMenu);
    draw.hDC = canvas.Dc();
    draw.rcItem = RECT{0, 0, 160, 20};
    draw.itemData = data;
    menu->DrawItem(&draw);
    return canvas.Pixels();
}

// What an icon menu item with this label and icon looks like.
std::vector<uint32_t> ExpectedItem(const CString& label, HICON icon) {
    CIconMenu menu;
    menu.CreateIconMenu(display_scale::kBaseDpi);
    menu.AppendIconItem(ID_MEMBER_FIRST, label, icon);
    return DrawnItem(&menu, 0);
}

class GroupTrayWndTest : public EntryWindowsFixture {
protected:
    // Ends the program the way the quit command does, which saves everything.
    void Close() {
        ::SendMessageW(Main()->m_hWnd, WM_CLOSE, 0, 0);
        ui::Pump();
    }

    CButtonTrayWnd* Wnd(int i) {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)));
    }
    CGroupTrayWnd* GroupWnd(int i) { return static_cast<CGroupTrayWnd*>(Wnd(i)); }
    HWND Hwnd(int i) { return Wnd(i)->m_hWnd; }

    static std::vector<uint32_t> HeldPixels(HWND owner) {
        const CTrayIconService::Icon* held = CTrayIconService::Instance().Find(owner);
        return held != nullptr ? pixels::RenderIcon(held->icon.Get(), 16) : std::vector<uint32_t>{};
    }
    // Runs a group command that opens one dialog or question; `step` answers it.
    void RunModal(HWND wnd, UINT command, ui::ModalScript::Step step) {
        ui::ModalScript script;
        script.Then(std::move(step));
        ::PostMessageW(wnd, WM_COMMAND, command, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        ui::PumpFor(200);
    }
};

TEST_F(GroupTrayWndTest, GroupsAreNumberedInListOrderAndReadTheirOwnMembers) {
    const AppEntry a = Entry("a", "C:\\a.exe"), b = Entry("b", "C:\\b.exe"),
                   c = Entry("c", "C:\\c.exe");
    StoreMembers(1, {a});
    StoreMembers(2, {b, c});
    AppEntry odd = Group("odd");
    odd.IsGroup = 7;  // never written by the program; read as a group all the same
    Start({Entry("single", "C:\\s.exe"), Group("first"), odd});

    EXPECT_EQ(Main()->m_nGroupCount, 2);
    EXPECT_EQ(Main()->m_nBusy, 0);
    ASSERT_EQ(GroupWnd(1)->m_nGroupNo, 1);
    ASSERT_EQ(GroupWnd(2)->m_nGroupNo, 2);
    EXPECT_EQ(GroupWnd(1)->m_nMemberCount, 1);
    EXPECT_EQ(GroupWnd(2)->m_nMemberCount, 2);
    EXPECT_EQ(*static_cast<AppEntry*>(
                  GroupWnd(2)->m_listMembers.GetAt(GroupWnd(2)->m_listMembers.FindIndex(1))),
              c);
    EXPECT_EQ(GroupWnd(2)->m_entry.IsGroup, 1);

    Close();
    EXPECT_EQ(Stored(3).IsGroup, 1);
    EXPECT_EQ(StoredMembers(1), (std::vector<AppEntry>{a}));
    EXPECT_EQ(StoredMembers(2), (std::vector<AppEntry>{b, c}));
}

TEST_F(GroupTrayWndTest, TrayIconIsTheIconFileOrTheBuiltInIconOfTheGroupNumber) {
    const CString three = fixtures::Path("threeicons.exe");
    std::vector<AppEntry> groups;
    for (int i = 1; i <= 7; ++i) {
        groups.push_back(Group(i == 3 ? "" : "g"));
    }
    groups[1].Icon = three;  // group 2: its icon file
    groups[1].IconIndex = 1;
    groups[3].Icon = "C:\\nowhere\\gone.ico";  // group 4: a file with no icon
    groups[3].AppName = three;                 // never a source for a group's icon
    Start(groups);

    struct Case {
        int index;
        std::vector<uint32_t> pixels;
    };
    const Case cases[] = {
        {0, ResourcePixels(134)}, {1, FilePixels(three, 1)}, {3, ResourcePixels(137)},
        {5, ResourcePixels(133)}, {6, ResourcePixels(134)},
    };
    EXPECT_NE(ResourcePixels(133), ResourcePixels(134));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(HeldPixels(Hwnd(c.index)), c.pixels);
    }
    EXPECT_EQ(CTrayIconService::Instance().Find(Hwnd(2))->tip, "");  // an empty title is the tip
    EXPECT_EQ(CTrayIconService::Instance().Find(Hwnd(0))->tip, "g");
}

TEST_F(GroupTrayWndTest, LeftReleaseOpensTheMemberMenuAndNothingElseDoes) {
    Start({Group("empty")});
    HWND hwnd = Hwnd(0);
    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
            EXPECT_EQ(::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, code), 0);
        }
        ui::PumpFor(500);
        EXPECT_FALSE(menu.Ran());
    }
    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
        ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
        ASSERT_EQ(menu.Items().size(), 1u);
        EXPECT_EQ(menu.Items()[0].id, static_cast<UINT>(ID_MEMBER_NONE));
        EXPECT_EQ(menu.Items()[0].text, L"未登録");
        EXPECT_NE(menu.Items()[0].state & MFS_GRAYED, 0u);
    }
    {
        ui::MenuScript menu([](HWND window, HMENU) { ui::MenuScript::Cancel(window); });
        ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
        ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
        const std::vector<ui::MenuItem>& items = menu.Items();
        ASSERT_EQ(items.size(), 5u);
        const std::pair<UINT, const wchar_t*> expected[] = {
            {ID_GROUP_RENAME, L"ｸﾞﾙｰﾌﾟ名の変更(&N)"},
            {ID_GROUP_DELETE, L"ｸﾞﾙｰﾌﾟの削除(&D)"},
            {0, L""},
            {ID_GROUP_ADD, L"ｸﾞﾙｰﾌﾟへ追加(&A)"},
            {ID_GROUP_EDIT, L"ｸﾞﾙｰﾌﾟの編集(&E)"},
        };
        for (size_t i = 0; i < items.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ((items[i].type & MFT_SEPARATOR) != 0, expected[i].first == 0);
            if (expected[i].first != 0) {
                EXPECT_EQ(items[i].id, expected[i].first);
                EXPECT_EQ(items[i].text, expected[i].second);
                EXPECT_EQ(items[i].state & MFS_GRAYED, 0u);
            }
        }
    }
    EXPECT_EQ(Main()->m_nBusy, 0);
    EXPECT_EQ(s_beeps, 0);
}

TEST_F(GroupTrayWndTest, MembersAreListedByTitleOrFileNameWithTheirIcons) {
    const CString three = fixtures::Path("threeicons.exe");
    AppEntry iconFile = Entry("", "C:\\nowhere\\Tool.EXE");
    iconFile.Icon = three;
    iconFile.IconIndex = 2;
    AppEntry titled = Entry("メモ帳", three);
    titled.IconIndex = 1;
    StoreMembers(1, {titled, Entry("", three), iconFile, Entry("", "C:\\Tools\\")});
    Start({Group("g")});

    UniqueIcon substitute(pixels::LoadProgramIcon(IDI_SUBSTITUTE, 16));
    struct Case {
        const char* label;
        CString file;
        int index;  // -1: the substitute icon
    };
    const Case cases[] = {{"メモ帳", three, 1},
                          {"threeicons.exe", three, 0},
                          {"Tool.EXE", three, 2},
                          {"C:\\Tools\\", "", -1}};
    std::vector<std::vector<uint32_t>> drawn;
    HWND hwnd = Hwnd(0);
    ui::MenuScript menu([&](HWND window, HMENU) {
        CMenu* tracked = CMenu::FromTrackingOwner(hwnd);
        for (ULONG_PTR k = 0; tracked != nullptr && k < std::size(cases); ++k) {
            drawn.push_back(DrawnItem(tracked, k));
        }
        ui::MenuScript::Cancel(window);
    });
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    ASSERT_EQ(menu.Items().size(), std::size(cases));
    ASSERT_EQ(drawn.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].label);
        EXPECT_EQ(menu.Items()[i].id, ID_MEMBER_FIRST + i);
        CLoadIcon loader;
        loader.Create(TRUE, display_scale::kBaseDpi);
        loader.SetFile(cases[i].file);
        UniqueIcon icon(cases[i].index < 0 ? nullptr : loader.GetIcon(cases[i].index));
        EXPECT_EQ(drawn[i], ExpectedItem(cases[i].label, icon ? icon.Get() : substitute.Get()));
    }
}

// The menu's commands 701..800 serve a hundred members; a hundred is also the most that can be
// added. Members loaded beyond that stay stored but have no place in the menu.
class GroupTrayWndHundredTest : public GroupTrayWndTest, public testing::WithParamInterface<int> {};

TEST_P(GroupTrayWndHundredTest, AHundredMembersFillTheMenuAndNoMoreCanBeAdded) {
    const int stored = GetParam();  // members in the store
    const std::wstring recorder = Widen(fixtures::Path("..\\velmora_recorder.exe").View());
    std::vector<AppEntry> members;
    for (int i = 1; i <= stored; ++i) {
        CString path;
        path.Format("C:\\nowhere\\m%d.exe", i);
        members.push_back(Entry("", path));
    }
    members[99] = Entry("last", Narrow(recorder).c_str());
    members[99].Parm = "member-100";
    StoreMembers(1, members);
    Start({Group("many")});

    ui::ModalScript none;
    ::SendMessageW(Hwnd(0), WM_COMMAND, ID_GROUP_ADD, 0);
    ui::PumpFor(300);
    EXPECT_EQ(none.Seen(), 0);
    EXPECT_EQ(GroupWnd(0)->m_nMemberCount, stored);

    // A command past the menu's range starts nothing (and asks nothing).
    ::SendMessageW(Hwnd(0), WM_COMMAND, ID_MEMBER_LAST + 1, 0);
    EXPECT_EQ(none.Seen(), 0);

    ui::MenuScript menu(
        [](HWND window, HMENU hmenu) { ui::MenuScript::Choose(window, hmenu, ID_MEMBER_LAST); });
    ::SendMessageW(Hwnd(0), WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    ASSERT_EQ(menu.Items().size(), 100u);
    EXPECT_EQ(menu.Items().front().id, static_cast<UINT>(ID_MEMBER_FIRST));
    EXPECT_EQ(menu.Items().back().id, static_cast<UINT>(ID_MEMBER_LAST));
    EXPECT_TRUE(
        ui::PumpUntil([&] { return Record().find("member-100") != std::string::npos; }, 10000));
    EXPECT_EQ(none.Seen(), 0);

    Close();
    EXPECT_EQ(StoredMembers(1), members);
}

INSTANTIATE_TEST_SUITE_P(Stored, GroupTrayWndHundredTest, testing::Values(100, 101),
                         [](const auto& info) { return std::to_string(info.param); });

TEST_F(GroupTrayWndTest, EditedOrderShowsAtOnceAndIsStoredWithTheNextSave) {
    const AppEntry a = Entry("a", "C:\\a.exe"), b = Entry("b", "C:\\b.exe");
    StoreMembers(1, {a, b});
    Start({Group("g")});
    RunModal(Hwnd(0), ID_GROUP_EDIT, [](HWND dialog) {
        EXPECT_EQ(ui::WindowText(dialog), L"順序");
        ::SendDlgItemMessageW(dialog, IDC_ORDER_LIST, LB_SETCURSEL, 1, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ORDER_UP, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ORDER_UP)));
        ui::Click(dialog, IDCANCEL);
    });

    HWND hwnd = Hwnd(0);
    std::vector<uint32_t> first;
    ui::MenuScript menu([&](HWND window, HMENU) {
        first = DrawnItem(CMenu::FromTrackingOwner(hwnd), 0);
        ui::MenuScript::Cancel(window);
    });
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    UniqueIcon substitute(pixels::LoadProgramIcon(IDI_SUBSTITUTE, 16));
    EXPECT_EQ(first, ExpectedItem("b", substitute.Get()));
    EXPECT_EQ(StoredMembers(1), (std::vector<AppEntry>{a, b}));

    Close();
    EXPECT_EQ(StoredMembers(1), (std::vector<AppEntry>{b, a}));
}

TEST_F(GroupTrayWndTest, AddingAMemberAppendsAndSavesTheGroupOnly) {
    const AppEntry a = Entry("a", "C:\\a.exe");
    StoreMembers(1, {a});
    Start({Group("g")});
    theApp.SaveButton(1, Entry("stale", "x"));
    RunModal(Hwnd(0), ID_GROUP_ADD, [](HWND settings) {
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(settings, IDC_MAKE_GROUP)));
        ::SetDlgItemTextW(settings, IDC_TITLE, L"新しい");
        ::SetDlgItemTextW(settings, IDC_PATH, L"C:\\new.exe");
        ui::Click(settings, IDOK);
    });
    const std::vector<AppEntry> stored = StoredMembers(1);
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0], a);
    EXPECT_EQ(stored[1].Title, "新しい");
    EXPECT_EQ(stored[1].AppName, "C:\\new.exe");
    EXPECT_EQ(stored[1].IsGroup, 0);
    EXPECT_EQ(Stored(1).Title, "stale");
    EXPECT_EQ(GroupWnd(0)->m_nMemberCount, 2);

    RunModal(Hwnd(0), ID_GROUP_ADD, [](HWND settings) { ui::Click(settings, IDCANCEL); });
    EXPECT_EQ(GroupWnd(0)->m_nMemberCount, 2);
    EXPECT_EQ(StoredMembers(1).size(), 2u);
}

TEST_F(GroupTrayWndTest, RenameChangesTipInPlaceAndSavesEverything) {
    StoreMembers(1, {Entry("a", "C:\\a.exe")});
    Start({Group("old")});
    RunModal(Hwnd(0), ID_GROUP_RENAME, [](HWND settings) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(settings, IDC_PATH)));
        ::SetDlgItemTextW(settings, IDC_TITLE, L"新名");
        ui::Click(settings, IDOK);
    });
    const auto& calls = m_trayCalls.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(CTrayIconService::Instance().Find(Hwnd(0))->tip, "新名");
    EXPECT_EQ(HeldPixels(Hwnd(0)), ResourcePixels(134));
    EXPECT_EQ(Stored(1).Title, "新名");
    EXPECT_EQ(Stored(1).IsGroup, 1);
    EXPECT_EQ(StoredMembers(1).size(), 1u);
}

// Deleting a group takes its members with it; the groups after it move to their new numbers,
// and the sections of the highest old number stay in the store unread.
TEST_F(GroupTrayWndTest, DeletingTheFirstOfTwoGroupsRenumbersTheOther) {
    const AppEntry a = Entry("a", "C:\\a.exe"), b = Entry("b", "C:\\b.exe"),
                   c = Entry("c", "C:\\c.exe");
    StoreMembers(1, {a});
    StoreMembers(2, {b, c});
    Start({Group("first"), Group("second")});
    HWND first = Hwnd(0), second = Hwnd(1);
    RunModal(first, ID_GROUP_DELETE, [](HWND box) {
        EXPECT_EQ(ui::ReadMessageBox(box).text, L"削除してもよろしいですか？");
        ui::Click(box, IDOK);
    });
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(CTrayIconService::Instance().Owners(), (std::vector<HWND>{Main()->m_hWnd, second}));
    EXPECT_EQ(Main()->m_nGroupCount, 1);
    EXPECT_EQ(GroupWnd(0)->m_nGroupNo, 1);
    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 1u);
    EXPECT_EQ(Stored(1).Title, "second");
    EXPECT_EQ(StoredMembers(1), (std::vector<AppEntry>{b, c}));
    EXPECT_EQ(StoredMembers(2), (std::vector<AppEntry>{b, c}));  // left as it was

    RunModal(second, ID_GROUP_DELETE, [](HWND box) { ui::Click(box, IDOK); });
    EXPECT_EQ(Main()->m_nGroupCount, 0);
    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 0u);
    EXPECT_EQ(Main()->m_listWnd.GetCount(), 0);
}

// A store that asks for more windows than the system gives: loading stops at the first refusal,
// and nothing stored is renumbered or written over, whatever is deleted, saved or added later.
TEST_F(GroupTrayWndTest, AStoreLargerThanTheWindowsTheSystemGivesIsLeftAsItIs) {
    const AppEntry a = Entry("a", "C:\\a.exe"), b = Entry("b", "C:\\b.exe");
    StoreMembers(1, {a});
    StoreMembers(2, {b});
    theApp.SaveButton(1, Entry("single", "C:\\s.exe"));
    theApp.SaveButton(2, Group("first"));
    theApp.SaveButton(3, Group("second"));
    theApp.WriteProfileInt("Button", "Num", 1000000);
    {
        WindowRefusal refusal(2);
        const DWORD began = ::GetTickCount();
        const BOOL started = theApp.InitInstance();
        const DWORD took = ::GetTickCount() - began;
        ASSERT_TRUE(started);
        EXPECT_LT(took, 5000u);
    }
    ASSERT_EQ(Main()->m_listWnd.GetCount(), 2);
    EXPECT_EQ(Main()->m_nGroupCount, 1);
    EXPECT_EQ(Main()->m_nEntryCount, 1000000);
    EXPECT_FALSE(Main()->HoldsEveryEntry());

    RunModal(Hwnd(0), ID_ENTRY_DELETE, [](HWND box) { ui::Click(box, IDOK); });
    {
        // Adding would take entry and group numbers that the store still holds: refused.
        ui::ModalScript none;
        s_beeps = 0;
        Main()->PostMessage(WM_COMMAND, ID_ICON_ADD, 0);
        ui::PumpFor(300);
        EXPECT_EQ(none.Seen(), 0);
        EXPECT_EQ(s_beeps, 1);
    }
    Close();

    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 1000000u);
    EXPECT_EQ(Stored(1).Title, "single");
    EXPECT_EQ(Stored(2).Title, "first");
    EXPECT_EQ(Stored(3).Title, "second");
    EXPECT_EQ(StoredMembers(1), (std::vector<AppEntry>{a}));
    EXPECT_EQ(StoredMembers(2), (std::vector<AppEntry>{b}));
}

}  // namespace
