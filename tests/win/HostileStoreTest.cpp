// The program started on stores that no version of it wrote: values of the wrong type, very long
// texts, counts that disagree with the stored sections, garbage numbers. It must start, answer,
// make a bounded number of windows, show what it can, and lose no valid entry when it saves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/TestStore.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"
#include "tray/TrayTip.h"

namespace {

void Text(const wchar_t* section, const wchar_t* name, const std::wstring& value) {
    store::WriteString(section, name, value);
}
void Dword(const wchar_t* section, const wchar_t* name, DWORD value) {
    store::WriteDword(section, name, value);
}
void Raw(const wchar_t* section, const wchar_t* name, DWORD type, const std::wstring& text) {
    store::WriteRaw(section, name, type, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
// A valid program entry "Btn<n>" or group member, as the program writes it.
void Valid(const std::wstring& section, const std::wstring& title) {
    Text(section.c_str(), L"Title", title);
    Text(section.c_str(), L"AppName", L"C:\\" + title + L".exe");
    Text(section.c_str(), L"Data", L"1,0,0");
}

const std::wstring kLong(100000, L'x');

struct StoredTitle {
    const wchar_t* section;
    std::wstring title;
};

struct HostileCase {
    const char* name;
    void (*seed)();
    int windows;                         // entry windows made
    std::vector<std::string> tips;       // their tips, in order
    int countAfter;                      // "Button\Num" after the save
    std::vector<StoredTitle> kept;       // titles still stored after the save
    std::vector<const wchar_t*> absent;  // sections the program must not have made
    int members = -1;                    // members of the first window, a group (-1: not a group)
    const wchar_t* added = nullptr;      // a single entry added through the menu before closing
};

std::ostream& operator<<(std::ostream& os, const HostileCase& c) { return os << c.name; }

const std::string kCutTip(kTrayTipMaxUnits, 'x');

const HostileCase kCases[] = {
    {"TitleAsDword",
     [] {
         Dword(L"Btn1", L"Title", 7);
         Text(L"Btn1", L"AppName", L"C:\\dir\\tool.exe");
         Valid(L"Btn2", L"b");
         Dword(L"Button", L"Num", 2);
     },
     2,
     {"tool.exe", "b"},
     2,
     {{L"Btn2", L"b"}},
     {}},
    {"TitleAsBinaryAndExpandSz",
     [] {
         Raw(L"Btn1", L"Title", REG_BINARY, L"bin");
         Text(L"Btn1", L"AppName", L"C:\\a.exe");
         Raw(L"Btn2", L"Title", REG_EXPAND_SZ, L"%expand%");
         Dword(L"Button", L"Num", 2);
     },
     2,
     {"a.exe", "%expand%"},
     2,
     {{L"Btn2", L"%expand%"}},
     {}},
    {"DataAsDwordAndBinary",
     [] {
         Valid(L"Btn1", L"a");
         Dword(L"Btn1", L"Data", 1);
         Valid(L"Btn2", L"b");
         Raw(L"Btn2", L"Data", REG_BINARY, L"1,0,1");
         Dword(L"Button", L"Num", 2);
     },
     2,
     {"a", "b"},
     2,
     {{L"Btn1", L"a"}, {L"Btn2", L"b"}},
     {}},
    {"DataGarbageAndOverflow",
     [] {
         Valid(L"Btn1", L"a");
         Text(L"Btn1", L"Data", L"x,y,z");
         Valid(L"Btn2", L"b");
         Text(L"Btn2", L"Data", L"99999999999,-99999999999,0");
         Dword(L"Button", L"Num", 2);
     },
     2,
     {"a", "b"},
     2,
     {{L"Btn1", L"a"}, {L"Btn2", L"b"}},
     {}},
    {"DataMakesAGroupWithoutMembers",
     [] {
         Valid(L"Btn1", L"g");
         Text(L"Btn1", L"Data", L"99999999999,-99999999999,1");
         Dword(L"Button", L"Num", 1);
     },
     1,
     {"g"},
     1,
     {{L"Btn1", L"g"}},
     {L"Group\\Grp1\\App1"},
     0},
    {"VeryLongTitleAndPath",
     [] {
         Text(L"Btn1", L"Title", kLong);
         Text(L"Btn1", L"AppName", kLong);
         Text(L"Btn2", L"AppName", L"C:\\" + kLong);
         Dword(L"Button", L"Num", 2);
     },
     2,
     {kCutTip, kCutTip},
     2,
     {{L"Btn1", kLong}},
     {}},
    {"NumAsText",
     [] {
         Valid(L"Btn1", L"a");
         Text(L"Button", L"Num", L"1");
     },
     0,
     {},
     0,
     {{L"Btn1", L"a"}},
     {}},
    // Read as 0: adding still works and takes the first section.
    {"NumNegative",
     [] {
         Valid(L"Btn1", L"a");
         Valid(L"Btn2", L"b");
         Valid(L"Btn3", L"c");
         Dword(L"Button", L"Num", static_cast<DWORD>(-5));
     },
     0,
     {},
     1,
     {{L"Btn1", L"new"}, {L"Btn2", L"b"}, {L"Btn3", L"c"}},
     {},
     -1,
     L"new"},
    {"NumZero",
     [] {
         Valid(L"Btn1", L"a");
         Dword(L"Button", L"Num", 0);
     },
     0,
     {},
     0,
     {{L"Btn1", L"a"}},
     {}},
    {"NumOfAMillionWithTwoSections",
     [] {
         Valid(L"Btn1", L"a");
         Valid(L"Btn2", L"b");
         Dword(L"Button", L"Num", 1000000);
     },
     2,
     {"a", "b"},
     2,
     {{L"Btn1", L"a"}, {L"Btn2", L"b"}},
     {L"Btn3", L"Btn1000000"}},
    {"NumOfMaxIntWithAGap",
     [] {
         Valid(L"Btn1", L"a");
         Valid(L"Btn4", L"d");
         Text(L"Btn99999999999", L"Title", L"not a number the program writes");
         Dword(L"Button", L"Num", 0x7fffffff);
     },
     4,
     {"a", "", "", "d"},
     4,
     {{L"Btn1", L"a"}, {L"Btn4", L"d"}},
     {L"Btn5"}},
    {"SectionMissingInTheMiddle",
     [] {
         Valid(L"Btn1", L"a");
         Valid(L"Btn3", L"c");
         Dword(L"Button", L"Num", 3);
     },
     3,
     {"a", "", "c"},
     3,
     {{L"Btn1", L"a"}, {L"Btn3", L"c"}},
     {}},
    {"GroupNumOf101WithTwoMembers",
     [] {
         Valid(L"Btn1", L"g");
         Text(L"Btn1", L"Data", L"1,0,1");
         Dword(L"Group\\Grp1", L"Num", 101);
         Valid(L"Group\\Grp1\\App1", L"m1");
         Valid(L"Group\\Grp1\\App2", L"m2");
         Dword(L"Button", L"Num", 1);
     },
     1,
     {"g"},
     1,
     {{L"Group\\Grp1\\App1", L"m1"}, {L"Group\\Grp1\\App2", L"m2"}},
     {L"Group\\Grp1\\App3", L"Group\\Grp1\\App101"},
     2},
    {"GroupNumOfMaxIntWithAGap",
     [] {
         Valid(L"Btn1", L"g");
         Text(L"Btn1", L"Data", L"1,0,1");
         Dword(L"Group\\Grp1", L"Num", 0x7fffffff);
         Valid(L"Group\\Grp1\\App1", L"m1");
         Valid(L"Group\\Grp1\\App3", L"m3");
         Dword(L"Button", L"Num", 1);
     },
     1,
     {"g"},
     1,
     {{L"Group\\Grp1\\App1", L"m1"}, {L"Group\\Grp1\\App3", L"m3"}},
     {L"Group\\Grp1\\App4", L"Group\\Grp1\\App5000"},
     3},
};

class HostileStoreTest : public EntryWindowsFixture,
                         public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileStoreTest, StartsAnswersShowsWhatItCanAndKeepsEveryValidEntry) {
    const HostileCase& c = GetParam();
    c.seed();

    const DWORD began = ::GetTickCount();
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_LT(::GetTickCount() - began, 5000u);

    DWORD_PTR answer = 0;
    EXPECT_NE(::SendMessageTimeoutW(Main()->m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer),
              0);
    ASSERT_EQ(Main()->m_listWnd.GetCount(), c.windows);
    std::vector<std::string> tips;
    for (POSITION pos = Main()->m_listWnd.GetHeadPosition(); pos != nullptr;) {
        auto* wnd = static_cast<CButtonTrayWnd*>(Main()->m_listWnd.GetNext(pos));
        const CTrayIconService::Icon* icon = CTrayIconService::Instance().Find(wnd->m_hWnd);
        tips.push_back(icon != nullptr ? std::string(icon->tip.View()) : "<no icon>");
    }
    EXPECT_EQ(tips, c.tips);
    if (c.members >= 0) {
        auto* group = static_cast<CGroupTrayWnd*>(static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.GetHeadPosition())));
        EXPECT_EQ(group->m_nMemberCount, c.members);
    }

    if (c.added != nullptr) {
        ui::ModalScript script;
        script.Then([&](HWND settings) {
            ::SetDlgItemTextW(settings, IDC_TITLE, c.added);
            ::SetDlgItemTextW(settings, IDC_PATH, L"C:\\new.exe");
            ui::Click(settings, IDOK);
        });
        ::PostMessageW(Main()->m_hWnd, WM_COMMAND, ID_ICON_ADD, 0);
        ASSERT_TRUE(ui::PumpUntil([&] { return script.Pending() == 0 && Main()->m_nBusy == 0; }));
        EXPECT_EQ(Main()->m_listWnd.GetCount(), c.windows + 1);
    }

    ::SendMessageW(Main()->m_hWnd, WM_CLOSE, 0, 0);
    ui::Pump();

    EXPECT_EQ(static_cast<int>(store::ReadDword(L"Button", L"Num").value_or(0)), c.countAfter);
    for (const StoredTitle& k : c.kept) {
        EXPECT_EQ(store::ReadString(k.section, L"Title"), k.title) << Narrow(k.section);
    }
    for (const wchar_t* section : c.absent) {
        EXPECT_FALSE(store::KeyExists(section)) << Narrow(section);
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, HostileStoreTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<HostileCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
