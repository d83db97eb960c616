// The identity of every tray icon: a GUID of its own that stays with the program's icon and
// with each entry across starts, saves and reordering, so that where the user placed an icon in
// the taskbar's settings sticks; and the ways out when the shell refuses a GUID.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "entries/EntryStore.h"
#include "entries/IconGuid.h"
#include "entries/StoreNames.h"
#include "res/resource.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/ImportRedirect.h"
#include "tests/support/Printers.h"
#include "tests/support/TestEntries.h"
#include "tests/support/TestTray.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

AppEntry Group(const char* title) { return Entry(title, "", 1); }

// The GUID stored in a section, or null.
IconGuid StoredGuid(const CString& section) {
    return LoadIconGuid(theApp, section).value_or(IconGuid{});
}
IconGuid StoredEntryGuid(int n) { return StoredGuid(store_names::EntrySection(n)); }
IconGuid StoredOwnGuid() { return StoredGuid(CString(store_names::kCountSection)); }

class TrayIdentityTest : public EntryWindowsFixture {
protected:
    void SetUp() override {
        EntryWindowsFixture::SetUp();
        ASSERT_TRUE(m_tray.Works()) << "the test tray does not see the program's calls";
    }

    // Ends the program without saving, as a kill or a crash would, and starts it again.
    void Restart() {
        theApp.m_pMainWnd->DestroyWindow();
        ui::Pump();
        theApp.ExitInstance();
        m_tray.Restart();
        m_tray.Clear();
        ASSERT_TRUE(theApp.InitInstance());
    }

    CButtonTrayWnd* Wnd(int i) {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)));
    }
    // The GUID each icon was accepted with, by tip: "Velmora" for the own icon, else the title.
    std::map<std::string, IconGuid> AcceptedGuids() const {
        std::map<std::string, IconGuid> guids;
        for (const TestTray::Call& add : m_tray.Adds()) {
            guids[TipOf(add.owner)] = add.guid;
        }
        return guids;
    }
    static std::string TipOf(HWND owner) {
        const CTrayIconService::Icon* icon = CTrayIconService::Instance().Find(owner);
        return icon != nullptr ? std::string(icon->tip.View()) : std::string();
    }

    TestTray m_tray;
};

// Each icon is added as a GUID of its own, uID 1 and the callback as always; two entries with
// identical values too. A store of an older version holds no GUIDs: starting writes none, and
// every start gives the same ones until a save stores exactly those.
TEST_F(TrayIdentityTest, EveryIconHasItsOwnGuidTheSameAtEveryStartAndStoredByASave) {
    Start({Entry("a", "C:\\a.exe"), Group("g"), Entry("a", "C:\\a.exe")});
    std::map<std::string, IconGuid> first;
    std::vector<IconGuid> all;
    for (const TestTray::Call& add : m_tray.Adds()) {
        EXPECT_NE(add.flags & NIF_GUID, 0u);
        EXPECT_EQ(add.flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP),
                  UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
        EXPECT_EQ(add.id, 1u);
        EXPECT_FALSE(add.guid.IsNull());
        all.push_back(add.guid);
    }
    ASSERT_EQ(all.size(), 4u);
    std::sort(all.begin(), all.end(), [](const IconGuid& a, const IconGuid& b) {
        return FormatIconGuid(a) < FormatIconGuid(b);
    });
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "two icons share a GUID";
    const std::vector<IconGuid> byPlace = {Main()->m_guid, Wnd(0)->m_guid, Wnd(1)->m_guid,
                                           Wnd(2)->m_guid};
    for (int n = 1; n <= 3; ++n) {
        EXPECT_TRUE(StoredEntryGuid(n).IsNull()) << "starting wrote a GUID for Btn" << n;
    }
    EXPECT_TRUE(StoredOwnGuid().IsNull());

    // Started again without a save: the same GUIDs.
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(
        (std::vector<IconGuid>{Main()->m_guid, Wnd(0)->m_guid, Wnd(1)->m_guid, Wnd(2)->m_guid}),
        byPlace);
    EXPECT_EQ(m_tray.Adds().size(), 4u);

    // A save stores exactly those, and the next start reads them back.
    ASSERT_TRUE(Main()->SaveAll());
    EXPECT_EQ(StoredOwnGuid(), byPlace[0]);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(StoredEntryGuid(n), byPlace[n]);
    }
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(
        (std::vector<IconGuid>{Main()->m_guid, Wnd(0)->m_guid, Wnd(1)->m_guid, Wnd(2)->m_guid}),
        byPlace);
    std::vector<IconGuid> added;
    for (const TestTray::Call& add : m_tray.Adds()) {
        added.push_back(add.guid);
    }
    EXPECT_EQ(added, byPlace);
}

// The GUID stays with the entry when the order changes and when its group is renumbered; a
// deleted entry's GUID is used by no other.
TEST_F(TrayIdentityTest, GuidsFollowTheirEntriesThroughReorderingAndDeleting) {
    Start({Group("g1"), Entry("b", "C:\\b.exe"), Group("g2")});
    std::map<std::string, IconGuid> before = AcceptedGuids();
    ASSERT_EQ(before.size(), 4u);

    // The order dialog's work: the windows move in the list ("g1" to the end); the next save
    // renumbers the entries and the groups.
    CPtrList& list = Main()->m_listWnd;
    void* g1 = list.GetAt(list.FindIndex(0));
    list.RemoveAt(list.FindIndex(0));
    list.AddTail(g1);
    ASSERT_TRUE(Main()->SaveAll());
    ASSERT_NO_FATAL_FAILURE(Restart());
    EXPECT_EQ(TipOf(Wnd(0)->m_hWnd), "b");
    EXPECT_EQ(TipOf(Wnd(2)->m_hWnd), "g1");
    EXPECT_EQ(AcceptedGuids(), before);

    // Deleting "b" moves the groups up a place; their GUIDs go with them.
    Main()->RemoveEntryWnd(Wnd(0));
    ASSERT_NO_FATAL_FAILURE(Restart());
    std::map<std::string, IconGuid> after = AcceptedGuids();
    EXPECT_EQ(after.size(), 3u);
    EXPECT_EQ(after.count("b"), 0u);
    EXPECT_EQ(after["g1"], before["g1"]);
    EXPECT_EQ(after["g2"], before["g2"]);
    EXPECT_EQ(StoredEntryGuid(1), before["g2"]);
    EXPECT_EQ(StoredEntryGuid(2), before["g1"]);
}

// Two sections holding one GUID (a store copied by hand) give two GUIDs all the same.
TEST_F(TrayIdentityTest, AGuidStoredTwiceIsTheFirstEntrysOnly) {
    const IconGuid shared = NameBasedIconGuid("copied");
    SaveIconGuid(theApp, store_names::EntrySection(1), shared);
    SaveIconGuid(theApp, store_names::EntrySection(2), shared);
    Start({Entry("a", "C:\\a.exe"), Entry("b", "C:\\b.exe")});
    EXPECT_EQ(Wnd(0)->m_guid, shared);
    EXPECT_NE(Wnd(1)->m_guid, shared);
    EXPECT_FALSE(Wnd(1)->m_guid.IsNull());
}

// After the program's folder moved, Windows refuses the GUIDs it knew: each icon is added with
// a new GUID, stored at once and asked for at the next start; later calls go by the new one.
TEST_F(TrayIdentityTest, ARefusedGuidIsReplacedStoredAndUsedFromThenOn) {
    Start({Entry("a", "C:\\a.exe")});
    const IconGuid oldOwn = Main()->m_guid;
    const IconGuid oldEntry = Wnd(0)->m_guid;
    m_tray.Refuse(oldOwn);
    m_tray.Refuse(oldEntry);
    ASSERT_NO_FATAL_FAILURE(Restart());

    const IconGuid newOwn = Main()->m_guid;
    const IconGuid newEntry = Wnd(0)->m_guid;
    EXPECT_NE(newOwn, oldOwn);
    EXPECT_NE(newEntry, oldEntry);
    EXPECT_FALSE(newOwn.IsNull());
    EXPECT_FALSE(newEntry.IsNull());
    EXPECT_EQ(StoredOwnGuid(), newOwn);
    EXPECT_EQ(StoredEntryGuid(1), newEntry);
    // The own icon's calls: the old GUID, a modify in case the shell held it, the new GUID.
    const std::vector<TestTray::Call>& calls = m_tray.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].message, DWORD{NIM_ADD});
    EXPECT_EQ(calls[0].guid, oldOwn);
    EXPECT_EQ(calls[1].message, DWORD{NIM_MODIFY});
    EXPECT_EQ(calls[2].message, DWORD{NIM_ADD});
    EXPECT_EQ(calls[2].guid, newOwn);
    EXPECT_TRUE(calls[2].answer);

    // Hiding and showing the entry icons: modify and delete by the new GUIDs.
    m_tray.Clear();
    Main()->ToggleIcons();
    Main()->ToggleIcons();
    for (const TestTray::Call& c : m_tray.Calls()) {
        SCOPED_TRACE(c.message);
        EXPECT_TRUE(c.answer);
        EXPECT_TRUE(c.guid == newOwn || c.guid == newEntry) << FormatIconGuid(c.guid);
    }
    EXPECT_GE(m_tray.Calls().size(), 3u);

    // The next start asks for the new GUIDs first, and writes nothing.
    ASSERT_NO_FATAL_FAILURE(Restart());
    ASSERT_EQ(m_tray.Calls().size(), 2u);
    EXPECT_EQ(m_tray.Calls()[0].guid, newOwn);
    EXPECT_EQ(m_tray.Calls()[1].guid, newEntry);
    EXPECT_TRUE(m_tray.Calls()[0].answer && m_tray.Calls()[1].answer);
}

// A shell that takes no GUID at all still shows every icon: by its window and uID 1, which its
// modify and delete name too.
TEST_F(TrayIdentityTest, WithoutAnyGuidTakenTheIconsGoByTheirWindows) {
    m_tray.RefuseEveryGuid();
    Start({Entry("a", "C:\\a.exe"), Group("g")});
    EXPECT_EQ(m_tray.HeldCount(), 3u);
    std::vector<TestTray::Call> adds = m_tray.Adds();
    ASSERT_EQ(adds.size(), 3u);
    for (const TestTray::Call& add : adds) {
        EXPECT_TRUE(add.guid.IsNull());
        EXPECT_EQ(add.flags & NIF_GUID, 0u);
        EXPECT_EQ(add.id, 1u);
    }
    m_tray.Clear();
    Main()->ToggleIcons();
    Main()->ToggleIcons();
    EXPECT_FALSE(m_tray.Calls().empty());
    for (const TestTray::Call& c : m_tray.Calls()) {
        EXPECT_TRUE(c.answer);
        EXPECT_TRUE(c.guid.IsNull());
    }
    // Nothing was given up for good: the stored GUIDs stay (none had been stored).
    EXPECT_TRUE(StoredEntryGuid(1).IsNull());
    EXPECT_EQ(m_tray.HeldCount(), 3u);
}

// TaskbarCreated hands every icon again: to a new taskbar as adds; where the shell still holds
// them, as modifies, never twice.
TEST_F(TrayIdentityTest, TaskbarCreatedAddsEachIconOnceWhetherTheShellHoldsItOrNot) {
    Start({Entry("a", "C:\\a.exe"), Group("g")});
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    struct Case {
        const char* what;
        bool newTaskbar;
    };
    for (const Case c : {Case{"the shell holds them", false}, Case{"a new taskbar", true}}) {
        SCOPED_TRACE(c.what);
        if (c.newTaskbar) {
            m_tray.Restart();
        }
        m_tray.Clear();
        ::SendMessageW(Main()->m_hWnd, taskbarCreated, 0, 0);
        EXPECT_EQ(m_tray.HeldCount(), 3u);
        EXPECT_EQ(m_tray.Adds().size(), c.newTaskbar ? 3u : 0u);
        int modifies = 0;
        for (const TestTray::Call& call : m_tray.Calls()) {
            modifies += call.message == NIM_MODIFY && call.answer ? 1 : 0;
            EXPECT_FALSE(call.guid.IsNull());
        }
        EXPECT_EQ(modifies, c.newTaskbar ? 0 : 3);
        EXPECT_EQ(CTrayIconService::Instance().Owners().size(), 3u);
    }
}

// At log-on the program may start before the taskbar: every add fails, which is no refusal of
// a GUID. Nothing is replaced or stored, and TaskbarCreated adds each icon as its own GUID.
BOOL WINAPI NoTaskbarNotify(DWORD, PNOTIFYICONDATAW) { return FALSE; }
HWND WINAPI NoTaskbarFind(LPCWSTR className, LPCWSTR title) {
    return className != nullptr && std::wstring(className) == L"Shell_TrayWnd"
               ? nullptr
               : ::FindWindowExW(nullptr, nullptr, className, title);
}

TEST_F(TrayIdentityTest, IconsRefusedBeforeTheTaskbarCameKeepTheirGuids) {
    const IconGuid own = NameBasedIconGuid(store_names::kCountSection);
    {
        ImportRedirect notify("Shell_NotifyIconW", reinterpret_cast<void*>(&NoTaskbarNotify));
        ImportRedirect find("FindWindowW", reinterpret_cast<void*>(&NoTaskbarFind));
        Start({Entry("a", "C:\\a.exe")});
    }
    EXPECT_TRUE(CTrayIconService::Instance().Owners().empty());
    EXPECT_EQ(Main()->m_guid, own);
    const IconGuid entry = Wnd(0)->m_guid;
    EXPECT_TRUE(StoredOwnGuid().IsNull());
    EXPECT_TRUE(StoredEntryGuid(1).IsNull());

    ::SendMessageW(Main()->m_hWnd, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    const std::vector<TestTray::Call> adds = m_tray.Adds();
    ASSERT_EQ(adds.size(), 2u);
    EXPECT_EQ(adds[0].guid, own);
    EXPECT_EQ(adds[1].guid, entry);
    EXPECT_EQ(CTrayIconService::Instance().Owners().size(), 2u);
    EXPECT_TRUE(StoredEntryGuid(1).IsNull());
}

}  // namespace
