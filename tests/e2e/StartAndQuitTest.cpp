// velmora.exe started, looked at and ended from outside, as a user (or a second start) would.
#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/VelmoraProcess.h"
#include "tests/support/Printers.h"
#include "tests/support/TestStore.h"

namespace {

class VelmoraTest : public testing::Test {
protected:
    void SetUp() override { store::Clear(); }
    void TearDown() override { store::Clear(); }
};

TEST_F(VelmoraTest, MainWindowIsAHiddenTopmostToolWindowOfHundredPixels) {
    VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start());
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    EXPECT_FALSE(::IsWindowVisible(main));
    LONG ex = ::GetWindowLongW(main, GWL_EXSTYLE);
    EXPECT_EQ(ex & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    RECT rc{};
    ::GetWindowRect(main, &rc);
    // Asked for 100 x 100; a window with a caption is never narrower than the system's
    // minimum tracking size, on Windows as under Wine.
    EXPECT_EQ(rc.right - rc.left, std::max(100, ::GetSystemMetrics(SM_CXMINTRACK)));
    EXPECT_EQ(rc.bottom - rc.top, std::max(100, ::GetSystemMetrics(SM_CYMINTRACK)));
}

TEST_F(VelmoraTest, SecondStartEndsAtOnceAndLeavesTheFirstAlone) {
    VelmoraProcess first;
    ASSERT_TRUE(first.Start());
    HWND main = first.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    VelmoraProcess second;
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.WaitForExit(10000), 0u);
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(first.WaitForMainWindow(0), main);
}

TEST_F(VelmoraTest, QuitFromTheTrayMenuAnsweredOkEndsAndWritesTheCount) {
    VelmoraProcess velmora;
    ASSERT_TRUE(velmora.Start());
    HWND main = velmora.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_FALSE(store::Read(L"Button", L"Num"));

    // Right button released over the own icon: the menu; its last item quits.
    ::PostMessageW(main, WM_TRAYNOTIFY, 1, WM_RBUTTONUP);
    HWND menu = velmora.WaitForWindow(L"#32768", nullptr);
    ASSERT_NE(menu, nullptr);
    ::PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);

    HWND question = velmora.WaitForWindow(L"#32770", L"Velmora");
    ASSERT_NE(question, nullptr);
    auto texts = ChildTexts(question);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"終了してもよろしいですか？"), texts.end());
    ::PostMessageW(::GetDlgItem(question, IDOK), BM_CLICK, 0, 0);

    EXPECT_EQ(velmora.WaitForExit(10000), 0u);
    auto num = store::Read(L"Button", L"Num");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->type, DWORD{REG_DWORD});
    EXPECT_EQ(num->AsDword(), 0u);
}

}  // namespace
