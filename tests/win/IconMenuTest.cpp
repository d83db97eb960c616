// CIconMenu under Wine: item sizes, the items it appends, what it draws into a real DIB, and a
// real tracked menu that reaches it through the framework's owner-draw routing.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/WinHandles.h"
#include "icons/CIconMenu.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "tests/support/Printers.h"
#include "tests/support/Fixtures.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Pixels.h"
#include "tests/support/TestOwnerWnd.h"
#include "tests/support/UiDriver.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;

// One draw request as the menu received it.
struct DrawCall {
    ULONG_PTR data;
    UINT action;
    bool selected;
};

// Counts the requests that reach the menu and shows what it keeps.
class TestIconMenu : public CIconMenu {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override {
        m_draws.push_back({lpDrawItemStruct->itemData, lpDrawItemStruct->itemAction,
                           (lpDrawItemStruct->itemState & ODS_SELECTED) != 0});
        CIconMenu::DrawItem(lpDrawItemStruct);
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override {
        ++m_measures;
        CIconMenu::MeasureItem(lpMeasureItemStruct);
    }
    int ImageCount() const { return m_imageList.GetImageCount(); }
    std::vector<CString> Labels() const {
        std::vector<CString> labels;
        for (POSITION pos = m_listLabels.GetHeadPosition(); pos != nullptr;) {
            labels.push_back(m_listLabels.GetNext(pos));
        }
        return labels;
    }

    std::vector<DrawCall> m_draws;
    int m_measures = 0;
};

// The fixture program's icon at this index, 16 x 16: 0 red, 1 green, 2 blue.
UniqueIcon FixtureIcon(int index) {
    CLoadIcon loader;
    loader.Create(TRUE, display_scale::kBaseDpi);
    loader.SetFile(fixtures::Path("threeicons.exe"));
    return UniqueIcon(loader.GetIcon(index));
}

uint32_t Rgb(COLORREF colour) {
    return (uint32_t{GetRValue(colour)} << 16) | (uint32_t{GetGValue(colour)} << 8) |
           GetBValue(colour);
}

using pixels::Canvas;

void Draw(CIconMenu& menu, HDC dc, const RECT& rc, ULONG_PTR data, UINT action, UINT state) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 701 + static_cast<UINT>(data);
    draw.itemAction = action;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu.m_hMenu);
    draw.hDC = dc;
    draw.rcItem = rc;
    draw.itemData = data;
    menu.DrawItem(&draw);
}

TEST(IconMenuTest, ItemsAreTwentyHighAndSixPixelsWidePerShiftJisByte) {
    struct Case {
        const char* label;
        UINT width;
    };
    const Case cases[] = {
        {"", 16},
        {"Notepad", 16 + 6 * 7},
        {"あいうえおかきくけこ", 136},  // ten double-byte characters
        {"ｱｲｺﾝ", 16 + 6 * 4},           // half-width katakana: one byte each
        {"ｱｲｺﾝの追加(&A)", 16 + 6 * 14},
        {"é", 16 + 6 * 2},  // not in Shift-JIS: counted as a double-byte character
        {"😀", 16 + 6 * 2},  // one character, though two UTF-16 units
    };
    UniqueIcon icon = FixtureIcon(0);
    TestIconMenu menu;
    ASSERT_TRUE(menu.CreateIconMenu(display_scale::kBaseDpi));
    for (const Case& c : cases) {
        menu.AppendIconItem(701, c.label, icon.Get());
    }
    for (ULONG_PTR data = 0; data < std::size(cases) + 1; ++data) {
        SCOPED_TRACE(data);
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemData = data;
        menu.MeasureItem(&measure);
        EXPECT_EQ(measure.itemHeight, 20u);
        // Item data that names no label measures as an empty one.
        EXPECT_EQ(measure.itemWidth, data < std::size(cases) ? cases[data].width : 16u);
    }
}

TEST(IconMenuTest, AppendsOwnerDrawnItemsWithCopiesOfTheirIconsAndSkipsItemsWithout) {
    UniqueIcon red = FixtureIcon(0);
    UniqueIcon blue = FixtureIcon(2);
    UniqueGdiObject brush(::CreateSolidBrush(RGB(0, 0, 0)));
    HMENU handle = nullptr;
    {
        TestIconMenu menu;
        ASSERT_TRUE(menu.CreateIconMenu(display_scale::kBaseDpi));
        handle = menu.m_hMenu;
        menu.AppendIconItem(701, "Red", red.Get());
        menu.AppendIconItem(702, "None", nullptr);
        menu.AppendIconItem(703, "Not an icon", reinterpret_cast<HICON>(brush.Get()));
        // A plain item, appended to the handle directly, as the group window's placeholder is.
        ::AppendMenuW(menu.m_hMenu, MF_STRING | MF_GRAYED, 0, L"(なし)");
        menu.AppendIconItem(704, "Blue", blue.Get());

        std::vector<ui::MenuItem> items = ui::ReadMenu(menu.m_hMenu);
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].id, 701u);
        EXPECT_EQ(items[0].type, UINT{MFT_OWNERDRAW});
        EXPECT_EQ(items[0].data, 0u);
        EXPECT_EQ(items[1].type, UINT{MFT_STRING});
        EXPECT_EQ(items[1].text, L"(なし)");
        EXPECT_EQ(items[2].id, 704u);
        EXPECT_EQ(items[2].type, UINT{MFT_OWNERDRAW});
        EXPECT_EQ(items[2].data, 1u);
        EXPECT_EQ(menu.Labels(), (std::vector<CString>{"Red", "Blue"}));
        EXPECT_EQ(menu.ImageCount(), 2);

        // The menu drew from its own copy: the caller's icon may go at once.
        red.Reset();
        Canvas canvas(120, 20);
        Draw(menu, canvas.Dc(), RECT{0, 0, 120, 20}, 0, ODA_FOCUS, 0);
        EXPECT_EQ(canvas.At(1 + 8, 2 + 8), kRed);
    }
    EXPECT_FALSE(::IsMenu(handle));
}

// What each kind of request paints: the background of the whole item, the label, the icon on
// top at (1, top + 2), and the colours it leaves in the DC.
TEST(IconMenuTest, DrawsBackgroundLabelAndIconForEachRequest) {
    const uint32_t highlight = Rgb(::GetSysColor(COLOR_HIGHLIGHT));
    const uint32_t menuBack = Rgb(::GetSysColor(COLOR_MENU));
    const COLORREF kDcText = RGB(1, 2, 3);
    const COLORREF kDcBack = RGB(4, 5, 6);
    struct Case {
        const char* what;
        UINT action;
        UINT state;
        uint32_t background;  // of the item outside label and icon (kBlank: untouched)
        bool label;
        COLORREF textAfter;
        COLORREF backAfter;
    };
    const Case cases[] = {
        {"selected, drawn whole", ODA_DRAWENTIRE, ODS_SELECTED, highlight, true,
         ::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT)},
        {"selected", ODA_SELECT, ODS_SELECTED, highlight, true, ::GetSysColor(COLOR_HIGHLIGHTTEXT),
         ::GetSysColor(COLOR_HIGHLIGHT)},
        {"deselected", ODA_SELECT, 0, menuBack, true, ::GetSysColor(COLOR_MENUTEXT),
         ::GetSysColor(COLOR_MENU)},
        {"drawn whole", ODA_DRAWENTIRE, 0, Canvas::kBlank, true, ::GetSysColor(COLOR_MENUTEXT),
         kDcBack},
        {"focus only", ODA_FOCUS, ODS_SELECTED | ODS_FOCUS, Canvas::kBlank, false, kDcText,
         kDcBack},
    };
    UniqueIcon red = FixtureIcon(0);
    const std::vector<uint32_t> icon = pixels::RenderIcon(red.Get(), 16);
    TestIconMenu menu;
    ASSERT_TRUE(menu.CreateIconMenu(display_scale::kBaseDpi));
    menu.AppendIconItem(701, "Notepad", red.Get());
    const RECT item{0, 20, 110, 40};
    constexpr int kTextX = 21;

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Canvas canvas(120, 60);
        HDC dc = canvas.Dc();
        ::SetTextColor(dc, kDcText);
        ::SetBkColor(dc, kDcBack);
        SIZE line{};
        ::GetTextExtentPoint32W(dc, L"C:\\Sample", 9, &line);
        const int textTop = item.top + (20 - line.cy) / 2;

        Draw(menu, dc, item, 0, c.action, c.state);

        EXPECT_EQ(::GetTextColor(dc), c.textAfter);
        EXPECT_EQ(::GetBkColor(dc), c.backAfter);
        int labelPixels = 0;
        int mismatches = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                uint32_t got = canvas.At(x, y);
                bool inItem = x >= item.left && x < item.right && y >= item.top && y < item.bottom;
                bool inIcon = x >= 1 && x < 17 && y >= item.top + 2 && y < item.top + 18;
                uint32_t want = inItem ? c.background : Canvas::kBlank;
                if (inIcon) {
                    uint32_t px = icon[static_cast<size_t>((y - item.top - 2) * 16 + x - 1)];
                    want = px == pixels::kBackground ? want : px;  // transparent: what lies below
                } else if (x >= kTextX && got != want) {
                    // The label: only in its own line, right of x = 21.
                    ++labelPixels;
                    mismatches += y >= textTop && y < textTop + line.cy ? 0 : 1;
                    continue;
                }
                mismatches += got == want ? 0 : 1;
            }
        }
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(labelPixels > 0, c.label);
    }
}

// A tracked menu is measured and drawn through its owner window, repaints items as the
// keyboard moves the selection, and sends the chosen command to the owner.
TEST(IconMenuTest, TrackedMenuIsDrawnThroughItsOwnerAndSendsTheChosenCommand) {
    UniqueIcon icons[] = {FixtureIcon(0), FixtureIcon(1), FixtureIcon(2)};
    TestOwnerWnd owner;
    TestIconMenu menu;
    ASSERT_TRUE(menu.CreateIconMenu(display_scale::kBaseDpi));
    menu.AppendIconItem(701, "Red", icons[0].Get());
    menu.AppendIconItem(702, "Green", icons[1].Get());
    menu.AppendIconItem(703, "Blue", icons[2].Get());

    ui::MenuScript script(
        [](HWND window, HMENU tracked) { ui::MenuScript::Choose(window, tracked, 702); });
    owner.SetForegroundWindow();
    menu.TrackPopupMenu(TPM_RIGHTALIGN, 300, 200, &owner);
    ASSERT_TRUE(script.Ran());
    ASSERT_TRUE(ui::PumpUntil([&] { return !owner.m_commands.empty(); }));
    EXPECT_EQ(owner.m_commands, std::vector<UINT>{702});

    EXPECT_GE(menu.m_measures, 3);
    // Every item was drawn whole; the first arrow key selected item 0, the second one moved the
    // selection on: item 0 deselected, item 1 selected.
    auto find = [&](ULONG_PTR data, UINT action, bool selected, size_t from) {
        for (size_t i = from; i < menu.m_draws.size(); ++i) {
            const DrawCall& d = menu.m_draws[i];
            if (d.data == data && (d.action & action) != 0 && d.selected == selected) {
                return i;
            }
        }
        return menu.m_draws.size();
    };
    for (ULONG_PTR data : {0, 1, 2}) {
        EXPECT_LT(find(data, ODA_DRAWENTIRE, false, 0), menu.m_draws.size()) << data;
    }
    size_t select0 = find(0, ODA_SELECT, true, 0);
    size_t deselect0 = find(0, ODA_SELECT, false, select0);
    size_t select1 = find(1, ODA_SELECT, true, select0);
    EXPECT_LT(select0, menu.m_draws.size());
    EXPECT_LT(deselect0, menu.m_draws.size());
    EXPECT_LT(select1, menu.m_draws.size());
}

TEST(IconMenuTest, IsCreatedByItsClassName) {
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CIconMenu"));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CIconMenu)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CMenu)));
}

// 1000 menus built, measured, drawn and destroyed: no icon, image list, brush or menu stays.
TEST(IconMenuTest, LeavesNoGdiOrUserObjectsBehind) {
    UniqueIcon icons[] = {FixtureIcon(0), FixtureIcon(1), FixtureIcon(2)};
    Canvas canvas(120, 60);
    auto showMenus = [&](int n) {
        for (int i = 0; i < n; ++i) {
            CIconMenu menu;
            menu.CreateIconMenu(display_scale::kBaseDpi);
            for (UINT k = 0; k < 3; ++k) {
                menu.AppendIconItem(701 + k, "Member", icons[k].Get());
            }
            for (ULONG_PTR data = 0; data < 3; ++data) {
                MEASUREITEMSTRUCT measure{};
                measure.itemData = data;
                menu.MeasureItem(&measure);
            }
            // Each way of drawing once: highlight, menu colour, icon alone.
            RECT rc{0, 20, 110, 40};
            Draw(menu, canvas.Dc(), rc, 0, ODA_DRAWENTIRE, ODS_SELECTED);
            Draw(menu, canvas.Dc(), rc, 1, ODA_SELECT, 0);
            Draw(menu, canvas.Dc(), rc, 2, ODA_FOCUS, 0);
        }
    };
    showMenus(1);
    guiobjects::Counts before = guiobjects::Take();
    showMenus(1000);
    guiobjects::Counts after = guiobjects::Take();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
