// What the program does when the system or its own code fails under it: an entry window the
// system refuses, a window whose creation throws, a save the registry refuses or that throws.
// The user is told, and the store keeps what it had.
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "entries/StoreNames.h"
#include "framework/Afx.h"
#include "framework/CWnd.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/AppFixture.h"
#include "tests/support/ImportRedirect.h"
#include "tests/support/Printers.h"
#include "tests/support/TestEntries.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tests/support/WindowRefusal.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"

namespace {

std::wstring StoredTitle(int n) {
    return store::ReadString(L"Btn" + std::to_wstring(n), L"Title").value_or(L"<none>");
}

class FailureTest : public AppFixture {
protected:
    void StartWith(const std::vector<AppEntry>& entries) {
        for (size_t i = 0; i < entries.size(); ++i) {
            theApp.SaveButton(static_cast<int>(i) + 1, entries[i]);
        }
        theApp.WriteProfileInt("Button", "Num", static_cast<int>(entries.size()));
        ASSERT_TRUE(theApp.InitInstance());
        ASSERT_EQ(Main()->m_listWnd.GetCount(), static_cast<int>(entries.size()));
    }

    // "ｱｲｺﾝの追加(&A)" with the settings filled in and OK pressed; `more` answers what opens
    // after the dialog.
    void Add(const wchar_t* title, bool group, std::vector<ui::ModalScript::Step> more = {}) {
        ui::ModalScript script;
        script.Then([=](HWND settings) {
            ::SetDlgItemTextW(settings, IDC_TITLE, title);
            if (group) {
                ::SendDlgItemMessageW(settings, IDC_MAKE_GROUP, BM_CLICK, 0, 0);
            } else {
                ::SetDlgItemTextW(settings, IDC_PATH, L"C:\\new.exe");
            }
            ui::Click(settings, IDOK);
        });
        for (auto& step : more) {
            script.Then(std::move(step));
        }
        ::PostMessageW(Main()->m_hWnd, WM_COMMAND, ID_ICON_ADD, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        ui::PumpFor(100);
    }

    // Closes the program as the tray's quit does, answering what opens on the way.
    void Close(std::vector<ui::ModalScript::Step> steps = {}) {
        ui::ModalScript script;
        for (auto& step : steps) {
            script.Then(std::move(step));
        }
        ::SendMessageW(Main()->m_hWnd, WM_CLOSE, 0, 0);
        ui::Pump();
        EXPECT_EQ(script.Pending(), 0);
    }

    static CButtonTrayWnd* FirstWnd() {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.GetHeadPosition()));
    }

    static void ExpectExclamation(const ui::MessageBoxInfo& box, const wchar_t* text) {
        EXPECT_EQ(box.caption, L"Velmora");
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_EXCLAMATION));
        EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    }
};

// The system refuses the new entry's window: the user is told, nothing is counted or stored (a
// group's leftover members stay as they were), and everything after works as before, the save
// that renumbers the list included.
TEST_F(FailureTest, AnEntryWhoseWindowIsRefusedIsNeitherCountedNorStored) {
    for (bool group : {false, true}) {
        SCOPED_TRACE(group ? "group" : "single");
        TearDown();
        SetUp();
        store::WriteDword(L"Group\\Grp1", L"Num", 1);
        store::WriteString(L"Group\\Grp1\\App1", L"Title", L"left over");
        ASSERT_NO_FATAL_FAILURE(StartWith({Entry("first", "C:\\first.exe")}));
        {
            WindowRefusal refusal(0);
            ui::MessageBoxInfo box;
            ASSERT_NO_FATAL_FAILURE(Add(L"refused", group, {ui::ReadAndPress(&box, IDOK)}));
            EXPECT_EQ(refusal.Refused(), 1);
            ExpectExclamation(box, L"ｱｲｺﾝを作成できませんでした。");
        }
        EXPECT_EQ(Main()->m_listWnd.GetCount(), 1);
        EXPECT_EQ(Main()->m_nEntryCount, 1);
        EXPECT_EQ(Main()->m_nGroupCount, 0);
        EXPECT_TRUE(Main()->HoldsEveryEntry());
        EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 1u);
        EXPECT_FALSE(store::KeyExists(L"Btn2"));
        EXPECT_EQ(store::ReadDword(L"Group\\Grp1", L"Num"), 1u);

        ASSERT_NO_FATAL_FAILURE(Add(L"made", group));
        ASSERT_EQ(Main()->m_listWnd.GetCount(), 2);
        // A change the exit save must write: a list that lost count would write nothing.
        FirstWnd()->m_entry.Title = "first, changed";
        Close();
        EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 2u);
        EXPECT_EQ(StoredTitle(1), L"first, changed");
        EXPECT_EQ(StoredTitle(2), L"made");
        EXPECT_EQ(store::ReadDword(L"Group\\Grp1", L"Num"), group ? 0u : 1u);
    }
}

// A window whose creation handler throws is not made: the exception does not pass for success.
class ThrowingWnd : public CWnd {
public:
    bool m_gone = false;

protected:
    int OnCreate(LPCREATESTRUCTW) { throw std::runtime_error("no window today"); }
    void PostNcDestroy() override { m_gone = true; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ThrowingWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(FailureTest, AWindowWhoseCreationThrowsIsNotMade) {
    ThrowingWnd wnd;
    const CString wndClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    EXPECT_FALSE(wnd.CreateEx(0, wndClass, "throws", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.m_gone);
    EXPECT_EQ(::FindWindowW(nullptr, L"throws"), nullptr);
}

// The registry's writes, failing or throwing while a redirect points the program at them.
LSTATUS WINAPI RefusedSetValue(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) {
    return ERROR_ACCESS_DENIED;
}
LSTATUS WINAPI ThrowingSetValue(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) {
    throw std::bad_alloc();
}

struct SaveFailure {
    const char* name;
    void* setValue;
};
std::ostream& operator<<(std::ostream& os, const SaveFailure& c) { return os << c.name; }

class ExitSaveFailureTest : public FailureTest, public testing::WithParamInterface<SaveFailure> {};

// The exit save could not be made: the user hears of it, and the store keeps the old list.
TEST_P(ExitSaveFailureTest, TellsTheUserAndKeepsTheOldList) {
    ASSERT_NO_FATAL_FAILURE(
        StartWith({Entry("a", "C:\\a.exe"), Entry("b", "C:\\b.exe"), Entry("c", "C:\\c.exe")}));
    FirstWnd()->m_entry.Title = "a, changed";
    ui::MessageBoxInfo box;
    {
        ImportRedirect refused("RegSetValueExW", GetParam().setValue);
        ASSERT_NE(refused.Original<void*>(), nullptr);
        Close({ui::ReadAndPress(&box, IDOK)});
    }
    ExpectExclamation(box, L"設定を保存できませんでした。");
    EXPECT_EQ(theApp.m_pMainWnd, nullptr) << "the program ends all the same";
    EXPECT_EQ(store::ReadDword(L"Button", L"Num"), 3u);
    EXPECT_EQ(StoredTitle(1), L"a");
    EXPECT_EQ(StoredTitle(2), L"b");
    EXPECT_EQ(StoredTitle(3), L"c");
}

INSTANTIATE_TEST_SUITE_P(
    Writes, ExitSaveFailureTest,
    testing::Values(SaveFailure{"Refused", reinterpret_cast<void*>(&RefusedSetValue)},
                    SaveFailure{"Throwing", reinterpret_cast<void*>(&ThrowingSetValue)}),
    [](const testing::TestParamInfo<SaveFailure>& info) { return std::string(info.param.name); });

}  // namespace
