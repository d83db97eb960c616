// The framework's routing of owner-drawn menu items: CWnd passes WM_DRAWITEM to the CMenu that
// holds the menu handle it names, and WM_MEASUREITEM to the CMenu tracked for that window.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CMenu.h"
#include "tests/support/Printers.h"
#include "tests/support/TestOwnerWnd.h"
#include "tests/support/UiDriver.h"

namespace {

class RecordingMenu : public CMenu {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        ++m_draws;
        m_lastData = lpDrawItemStruct->itemData;
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override {
        ++m_measures;
        m_lastData = lpMeasureItemStruct->itemData;
        lpMeasureItemStruct->itemWidth = 60;
        lpMeasureItemStruct->itemHeight = 20;
    }
    int m_draws = 0;
    int m_measures = 0;
    ULONG_PTR m_lastData = 0;
};

LRESULT SendDraw(HWND owner, UINT type, HMENU menu, ULONG_PTR data = 0) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = type;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.itemData = data;
    return ::SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
}

LRESULT SendMeasure(HWND owner, UINT type, ULONG_PTR data = 0) {
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = type;
    measure.itemData = data;
    return ::SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
}

TEST(MenuOwnerDrawTest, DrawRequestsGoToTheMenuThatHoldsTheHandle) {
    TestOwnerWnd owner;
    ASSERT_NE(owner.m_hWnd, nullptr);
    RecordingMenu first;
    ASSERT_TRUE(first.CreatePopupMenu());
    HMENU handle = first.m_hMenu;

    EXPECT_EQ(SendDraw(owner.m_hWnd, ODT_MENU, handle, 7), TRUE);
    EXPECT_EQ(first.m_draws, 1);
    EXPECT_EQ(first.m_lastData, 7u);

    // Not for a control, nor for a menu that no CMenu holds.
    EXPECT_EQ(SendDraw(owner.m_hWnd, ODT_BUTTON, handle), FALSE);
    HMENU stranger = ::CreatePopupMenu();
    EXPECT_EQ(SendDraw(owner.m_hWnd, ODT_MENU, stranger), FALSE);
    ::DestroyMenu(stranger);
    EXPECT_EQ(first.m_draws, 1);

    // The handle is forgotten once the menu is gone.
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), &first);
    first.DestroyMenu();
    EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
    EXPECT_FALSE(::IsMenu(handle));
}

TEST(MenuOwnerDrawTest, OwnerDrawnItemsCarryTheirItemData) {
    RecordingMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_OWNERDRAW, 601, ULONG_PTR{42}));
    // Item data is for owner-drawn items only: a string item would take it for text.
    EXPECT_FALSE(menu.AppendMenu(MF_STRING, 602, ULONG_PTR{43}));
    std::vector<ui::MenuItem> items = ui::ReadMenu(menu.m_hMenu);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 601u);
    EXPECT_TRUE(items[0].type & MFT_OWNERDRAW);
    EXPECT_EQ(items[0].data, 42u);
}

// Measure requests name no menu: they go to the menu tracked for the window that gets them,
// and only while it is tracked.
TEST(MenuOwnerDrawTest, MeasureRequestsGoToTheMenuTrackedForThatWindow) {
    TestOwnerWnd owner;
    TestOwnerWnd bystander;
    RecordingMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 601, ULONG_PTR{0});
    menu.AppendMenu(MF_OWNERDRAW, 602, ULONG_PTR{1});

    EXPECT_EQ(SendMeasure(owner.m_hWnd, ODT_MENU), FALSE);
    EXPECT_EQ(menu.m_measures, 0);

    int measuredBySystem = 0;
    int drawnBySystem = 0;
    LRESULT toOwner = 0;
    LRESULT toBystander = 0;
    LRESULT forControl = 0;
    ui::MenuScript script([&](HWND window, HMENU) {
        measuredBySystem = menu.m_measures;
        drawnBySystem = menu.m_draws;
        toOwner = SendMeasure(owner.m_hWnd, ODT_MENU, 9);
        toBystander = SendMeasure(bystander.m_hWnd, ODT_MENU);
        forControl = SendMeasure(owner.m_hWnd, ODT_LISTBOX);
        ui::MenuScript::Cancel(window);
    });
    owner.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_LEFTALIGN, 200, 200, &owner);
    ASSERT_TRUE(script.Ran());

    // The system asked for both items' sizes and drew both through the owner.
    EXPECT_GE(measuredBySystem, 2);
    EXPECT_GE(drawnBySystem, 2);
    EXPECT_EQ(toOwner, TRUE);
    EXPECT_EQ(menu.m_lastData, 9u);
    EXPECT_EQ(toBystander, FALSE);
    EXPECT_EQ(forControl, FALSE);
    EXPECT_EQ(CMenu::FromTrackingOwner(owner.m_hWnd), nullptr);
}

}  // namespace
