// A user's session from an empty store, on velmora.exe driven from outside: a program and a
// group added through the main menu, a member through the group's menu, quit; the next start
// finds everything as it was left and starts the member from the group's menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/VelmoraProcess.h"
#include "tests/support/Files.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Printers.h"
#include "tests/support/TestStore.h"
#include "tests/support/helpers/LaunchRecord.h"

namespace {

struct Owned {
    DWORD pid;
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<Owned*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    if (pid == s->pid && ::GetWindow(hwnd, GW_OWNER) == s->owner &&
        std::wstring(text) == L"Velmora") {
        s->found.push_back(hwnd);
    }
    return TRUE;
}

// The hidden entry windows of the program, in no particular order.
std::vector<HWND> EntryWindows(const VelmoraProcess& velmora, HWND main) {
    Owned s{velmora.Pid(), main, {}};
    ::EnumWindows(&CollectOwned, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// What a test waits for in velmora.exe, polled while the test's own messages are dispatched.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    return ui::PumpUntil(done, timeoutMs);
}

// The recorder's record, empty while there is none.
std::string RecordText(const std::wstring& path) { return ReadWholeFile(path).value_or(""); }

DWORD StoredDword(const wchar_t* section, const wchar_t* name) {
    auto value = store::ReadDword(section, name);
    return value ? *value : 0xFFFFFFFF;
}

class UserSessionTest : public testing::Test {
protected:
    void SetUp() override {
        store::Clear();
        m_record = TempDirectory() + L"velmora-e2e-record.txt";
        ::DeleteFileW(m_record.c_str());
        // Inherited by velmora.exe and from it by what it starts.
        ::SetEnvironmentVariableW(kLaunchRecordVariable, m_record.c_str());
    }
    void TearDown() override {
        store::Clear();
        ::DeleteFileW(m_record.c_str());
    }

    // The tray menu the mouse code opens on `wnd`, once no earlier menu is showing any more.
    static HWND OpenMenu(VelmoraProcess& velmora, HWND wnd, UINT mouse) {
        WaitFor([&] { return velmora.WaitForWindow(L"#32768", nullptr, 0) == nullptr; });
        ::PostMessageW(wnd, WM_TRAYNOTIFY, 1, mouse);
        return velmora.WaitForWindow(L"#32768", nullptr, 3000);
    }
    static void ChooseByKeys(HWND menu, int downs) {
        for (int i = 0; i < downs; ++i) {
            ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        }
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    }
    // Fills the settings dialog that the chosen command opens, then presses OK.
    static void FillSettings(VelmoraProcess& velmora, const wchar_t* title,
                             const std::wstring& path, const wchar_t* parm, bool group) {
        HWND settings = velmora.WaitForWindow(L"#32770", L"新規登録");
        ASSERT_NE(settings, nullptr);
        ::SetDlgItemTextW(settings, IDC_TITLE, title);
        if (group) {
            ::PostMessageW(::GetDlgItem(settings, IDC_MAKE_GROUP), BM_CLICK, 0, 0);
            ASSERT_TRUE(WaitFor([&] {
                return ::SendDlgItemMessageW(settings, IDC_MAKE_GROUP, BM_GETCHECK, 0, 0) ==
                       BST_CHECKED;
            }));
        } else {
            ::SetDlgItemTextW(settings, IDC_PATH, path.c_str());
            ::SetDlgItemTextW(settings, IDC_PARM, parm);
        }
        ::PostMessageW(::GetDlgItem(settings, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(settings); }));
    }

    std::wstring m_record;
};

TEST_F(UserSessionTest, EntriesAndAGroupAddedThroughTheMenusAreFoundAsLeftAtTheNextStart) {
    std::wstring recorder = VelmoraProcess::ExePath();
    recorder = recorder.substr(0, recorder.find_last_of(L'\\') + 1) + L"velmora_recorder.exe";
    {
        VelmoraProcess velmora;
        ASSERT_TRUE(velmora.Start());
        HWND main = velmora.WaitForMainWindow();
        ASSERT_NE(main, nullptr);

        // "ｱｲｺﾝの追加(&A)", the first item: a program.
        HWND menu = OpenMenu(velmora, main, WM_RBUTTONUP);
        ASSERT_NE(menu, nullptr);
        ChooseByKeys(menu, 1);
        ASSERT_NO_FATAL_FAILURE(FillSettings(velmora, L"記録", recorder, L"single-run", false));
        ASSERT_TRUE(WaitFor([] { return StoredDword(L"Button", L"Num") == 1; }));
        const std::vector<HWND> first = EntryWindows(velmora, main);
        ASSERT_EQ(first.size(), 1u);

        // Then a group.
        menu = OpenMenu(velmora, main, WM_RBUTTONUP);
        ASSERT_NE(menu, nullptr);
        ChooseByKeys(menu, 1);
        ASSERT_NO_FATAL_FAILURE(FillSettings(velmora, L"道具", L"", L"", true));
        ASSERT_TRUE(WaitFor([] { return StoredDword(L"Button", L"Num") == 2; }));
        HWND group = nullptr;
        for (HWND wnd : EntryWindows(velmora, main)) {
            group = wnd != first[0] ? wnd : group;
        }
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(StoredDword(L"Group\\Grp1", L"Num"), 0u);

        // "ｸﾞﾙｰﾌﾟへ追加(&A)", the third item of the group's menu: a member.
        menu = OpenMenu(velmora, group, WM_RBUTTONUP);
        ASSERT_NE(menu, nullptr);
        ChooseByKeys(menu, 3);
        ASSERT_NO_FATAL_FAILURE(FillSettings(velmora, L"", recorder, L"member-run", false));
        ASSERT_TRUE(WaitFor([] { return StoredDword(L"Group\\Grp1", L"Num") == 1; }));

        // "Velmora の終了(&X)", the last item, and OK.
        menu = OpenMenu(velmora, main, WM_RBUTTONUP);
        ASSERT_NE(menu, nullptr);
        ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        HWND question = velmora.WaitForWindow(L"#32770", L"Velmora");
        ASSERT_NE(question, nullptr);
        ::PostMessageW(::GetDlgItem(question, IDOK), BM_CLICK, 0, 0);
        ASSERT_EQ(velmora.WaitForExit(10000), 0u);
    }
    EXPECT_EQ(store::ReadString(L"Btn1", L"Title"), L"記録");
    EXPECT_EQ(store::ReadString(L"Btn1", L"Data"), L"0,0,0");
    EXPECT_EQ(store::ReadString(L"Btn2", L"Title"), L"道具");
    EXPECT_EQ(store::ReadString(L"Btn2", L"Data"), L"0,0,1");
    EXPECT_EQ(store::ReadString(L"Group\\Grp1\\App1", L"AppName"), recorder);
    EXPECT_EQ(RecordText(m_record), "");  // nothing was started yet

    VelmoraProcess again;
    ASSERT_TRUE(again.Start());
    HWND main = again.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return EntryWindows(again, main).size() == 2; }));
    // Only the group answers a left release, with its member menu; its one member starts.
    int menus = 0;
    for (HWND wnd : EntryWindows(again, main)) {
        HWND menu = OpenMenu(again, wnd, WM_LBUTTONUP);
        if (menu != nullptr) {
            ++menus;
            ChooseByKeys(menu, 1);
        }
    }
    EXPECT_EQ(menus, 1);
    EXPECT_TRUE(
        WaitFor([&] { return RecordText(m_record).find("member-run") != std::string::npos; }));
    ::PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(10000), 0u);
    EXPECT_EQ(StoredDword(L"Button", L"Num"), 2u);
    EXPECT_EQ(StoredDword(L"Group\\Grp1", L"Num"), 1u);
}

}  // namespace
