// The program at the display scale of the session it runs in. The DisplayScale tests run in the
// normal session (96 DPI) and again, each time in a Wine session of its own, at 120, 144 and
// 192 DPI; VELMORA_TEST_DPI names the DPI the session was made with.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CLauncherApp.h"
#include "app/CMainTrayWnd.h"
#include "entries/EntryStore.h"
#include "entries/StoreNames.h"
#include "dialogs/CChangeIconDlg.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "framework/CMenu.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "icons/DisplayScale.h"
#include "res/resource.h"
#include "tests/support/EntryWindowsFixture.h"
#include "tests/support/Fixtures.h"
#include "tests/support/Pixels.h"
#include "tests/support/ProgramFiles.h"
#include "tests/support/ProgramResources.h"
#include "tests/support/TestEntries.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CGroupTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

using display_scale::Scale;

// The DPI the session was made with.
UINT SessionDpi() {
    wchar_t value[16] = {};
    DWORD length = ::GetEnvironmentVariableW(L"VELMORA_TEST_DPI", value, 16);
    return length > 0 && length < 16 ? static_cast<UINT>(_wtoi(value)) : display_scale::kBaseDpi;
}

// The sizes Windows uses at each scale the program is tried at.
struct Sizes {
    UINT dpi;
    int small;
    int large;
};
constexpr Sizes kSizes[] = {{96, 16, 32}, {120, 20, 40}, {144, 24, 48}, {192, 32, 64}};

Sizes SessionSizes() {
    for (const Sizes& s : kSizes) {
        if (s.dpi == SessionDpi()) {
            return s;
        }
    }
    ADD_FAILURE() << "no sizes known for " << SessionDpi() << " DPI";
    return kSizes[0];
}

// sizes.ico (in sizes.exe) has an image of every size, each a square of its own colour.
uint32_t SizeColour(int size) {
    switch (size) {
        case 16:
            return 0xFF0000;
        case 20:
            return 0xFF8000;
        case 24:
            return 0x00FF00;
        case 32:
            return 0x0000FF;
        case 40:
            return 0xFF00FF;
        case 48:
            return 0x00FFFF;
        case 64:
            return 0x808000;
        default:
            return 0;
    }
}

CString SizesExe() { return fixtures::Path("sizes.exe"); }

// The file's own image of this size, straight from the file.
std::vector<uint32_t> FileImage(const CString& file, int size) {
    HICON icon = nullptr;
    UINT id = 0;
    ::PrivateExtractIconsW(Widen(file.View()).c_str(), 0, size, size, &icon, &id, 1, 0);
    UniqueIcon owned(icon);
    return pixels::RenderIcon(icon, size);
}

std::vector<uint32_t> ResourceImage(UINT id, int size) {
    UniqueIcon icon(pixels::LoadProgramIcon(id, size));
    return pixels::RenderIcon(icon.Get(), size);
}

// The colour in the middle of a picture of size x size.
uint32_t Middle(const std::vector<uint32_t>& picture, int size) {
    return picture.size() == static_cast<size_t>(size * size)
               ? picture[(size / 2) * size + size / 2]
               : 0xFFFFFFFF;
}

// The part of a canvas at (x, y), size x size.
std::vector<uint32_t> Cut(const pixels::Canvas& canvas, int x, int y, int size) {
    std::vector<uint32_t> part;
    for (int row = y; row < y + size; ++row) {
        for (int col = x; col < x + size; ++col) {
            part.push_back(canvas.At(col, row));
        }
    }
    return part;
}

AppEntry Group(const char* title) { return Entry(title, "", 1); }

AppEntry WithIconFile(AppEntry e, const CString& icon) {
    e.Icon = icon;
    return e;
}

// The longest stretch of one colour along any row of the window's picture on the screen.
int LongestRun(HWND window, uint32_t colour) {
    RECT rc{};
    ::GetWindowRect(window, &rc);
    pixels::Canvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    WindowDc screen(nullptr);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen.Get(), rc.left, rc.top,
             SRCCOPY);
    int longest = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < canvas.Width(); ++x) {
            run = canvas.At(x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

class DisplayScaleTest : public EntryWindowsFixture {
protected:
    CButtonTrayWnd* Wnd(int i) {
        return static_cast<CButtonTrayWnd*>(
            Main()->m_listWnd.GetAt(Main()->m_listWnd.FindIndex(i)));
    }
    CGroupTrayWnd* GroupWnd(int i) { return static_cast<CGroupTrayWnd*>(Wnd(i)); }
    static HICON Held(HWND owner) {
        const CTrayIconService::Icon* held = CTrayIconService::Instance().Find(owner);
        return held != nullptr ? held->icon.Get() : nullptr;
    }
};

// The session really has its scale, for this program and for the taskbar, and the program
// declares itself aware of each monitor's DPI.
TEST_F(DisplayScaleTest, TheSessionHasItsScaleAndTheProgramIsAwareOfIt) {
    const Sizes s = SessionSizes();
    EXPECT_EQ(display_scale::SystemDpi(), s.dpi);
    EXPECT_EQ(display_scale::TaskbarDpi(), s.dpi);
    EXPECT_EQ(display_scale::SmallIconSize(s.dpi), s.small);
    EXPECT_EQ(display_scale::LargeIconSize(s.dpi), s.large);

    // The test program carries the program's manifest: Windows 10 and Wine read its
    // dpiAwareness, and the thread runs per monitor aware.
    using GetContext = DPI_AWARENESS_CONTEXT(WINAPI*)();
    using GetAwareness = DPI_AWARENESS(WINAPI*)(DPI_AWARENESS_CONTEXT);
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_NE(getContext, nullptr);
    ASSERT_NE(getAwareness, nullptr);
    EXPECT_EQ(getAwareness(getContext()), DPI_AWARENESS_PER_MONITOR_AWARE);

    // velmora.exe itself declares the same.
    const std::string manifest = ProgramManifest(ThisProgramDirectory() + L"velmora.exe");
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
}

// Every icon handed to the shell has the taskbar's small icon size and is the file's or the
// program's own image of that size, in the record and in the tray's picture.
TEST_F(DisplayScaleTest, TrayIconsAreTheImagesOfTheTaskbarsSmallIconSize) {
    const Sizes s = SessionSizes();
    Start({Entry("sizes", SizesExe()), Group("built-in"), WithIconFile(Group("own"), SizesExe())});
    ASSERT_EQ(CTrayIconService::Instance().Dpi(), s.dpi);

    struct Case {
        const char* what;
        HWND owner;
        std::vector<uint32_t> image;
    };
    const UINT ownIcon = Main()->m_bHideIcons ? IDI_TRAY_HIDDEN : IDI_TRAY_SHOWN;
    const Case cases[] = {
        {"the program's", Main()->m_hWnd, ResourceImage(ownIcon, s.small)},
        {"an entry's", Wnd(0)->m_hWnd, FileImage(SizesExe(), s.small)},
        {"a group's built-in", Wnd(1)->m_hWnd,
         ResourceImage(IDI_GROUP_BASE + GroupWnd(1)->m_nGroupNo % IDI_GROUP_COUNT, s.small)},
        {"a group's icon file", Wnd(2)->m_hWnd, FileImage(SizesExe(), s.small)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HICON held = Held(c.owner);
        const SIZE size = pixels::IconSize(held);
        EXPECT_EQ(size.cx, s.small);
        EXPECT_EQ(size.cy, s.small);
        EXPECT_EQ(pixels::RenderIcon(held, s.small), c.image);
    }
    EXPECT_EQ(Middle(FileImage(SizesExe(), s.small), s.small), SizeColour(s.small));

    // The tray shows the image of its size: the square of that size's colour, whole, inside a
    // one-pixel edge and a margin of 1/16.
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr);
    // The taskbar paints in its own time.
    const int side = s.small - 2 * (s.small / 16) - 2;
    ui::PumpUntil([&] { return LongestRun(taskbar, SizeColour(s.small)) == side; });
    EXPECT_EQ(LongestRun(taskbar, SizeColour(s.small)), side);
}

// The member menu's rows grow with the scale: each is tall and wide enough for its label in
// the menu font, and shows the member's image of the small icon size.
TEST_F(DisplayScaleTest, MemberMenuRowsFitTheirLabelsAndShowTheImageOfTheirSize) {
    const Sizes s = SessionSizes();
    const char* labels[] = {"ﾚｼﾞｽﾄﾘ ｴﾃﾞｨﾀ", "ｺﾏﾝﾄﾞ ﾌﾟﾛﾝﾌﾟﾄ", "メモ帳"};
    theApp.WriteProfileInt(store_names::GroupSection(1).GetString(), "Num", 3);
    for (int i = 0; i < 3; ++i) {
        SaveEntrySection(theApp, store_names::MemberSection(1, i + 1),
                         Entry(labels[i], SizesExe()));
    }
    Start({Group("g")});

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    UniqueGdiObject menuFont(::CreateFontIndirectW(&metrics.lfMenuFont));

    std::vector<RECT> rows;
    std::vector<std::vector<uint32_t>> icons;
    HWND hwnd = Wnd(0)->m_hWnd;
    ui::MenuScript menu([&](HWND window, HMENU popup) {
        CMenu* tracked = CMenu::FromTrackingOwner(hwnd);
        for (int k = 0; k < 3; ++k) {
            RECT rc{};
            ::GetMenuItemRect(nullptr, popup, k, &rc);
            rows.push_back(rc);
            if (tracked == nullptr) {
                continue;
            }
            const int width = rc.right - rc.left;
            const int height = rc.bottom - rc.top;
            pixels::Canvas canvas(width, height, pixels::kBackground);
            DRAWITEMSTRUCT draw{};
            draw.CtlType = ODT_MENU;
            draw.itemID = ID_MEMBER_FIRST + k;
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hwndItem = reinterpret_cast<HWND>(popup);
            draw.hDC = canvas.Dc();
            draw.rcItem = RECT{0, 0, width, height};
            draw.itemData = k;
            tracked->DrawItem(&draw);
            icons.push_back(Cut(canvas, Scale(1, s.dpi), Scale(2, s.dpi), s.small));
        }
        ui::MenuScript::Cancel(window);
    });
    ::SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_LBUTTONUP);
    ASSERT_TRUE(ui::PumpUntil([&] { return menu.Ran(); }));
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(icons.size(), 3u);

    WindowDc screen(nullptr);
    HGDIOBJ old = ::SelectObject(screen.Get(), menuFont.Get());
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(labels[k]);
        const std::wstring label = Widen(labels[k]);
        SIZE extent{};
        ::GetTextExtentPoint32W(screen.Get(), label.c_str(), static_cast<int>(label.size()),
                                &extent);
        EXPECT_EQ(rows[k].bottom - rows[k].top, Scale(20, s.dpi));
        EXPECT_LE(extent.cy, Scale(20, s.dpi));
        EXPECT_LE(Scale(21, s.dpi) + extent.cx, rows[k].right - rows[k].left)
            << "text extent " << extent.cx;
        EXPECT_EQ(icons[k], FileImage(SizesExe(), s.small));
    }
    ::SelectObject(screen.Get(), old);
}

// The icon previews of both dialogs are the file's own image of the large icon size.
TEST_F(DisplayScaleTest, DialogPreviewsAreTheImagesOfTheLargeIconSize) {
    const Sizes s = SessionSizes();
    auto preview = [&](HWND dialog, int id) {
        HICON shown = reinterpret_cast<HICON>(::SendDlgItemMessageW(dialog, id, STM_GETICON, 0, 0));
        const SIZE size = pixels::IconSize(shown);
        EXPECT_EQ(size.cx, s.large);
        EXPECT_EQ(pixels::RenderIcon(shown, s.large), FileImage(SizesExe(), s.large));
        EXPECT_EQ(Middle(pixels::RenderIcon(shown, s.large), s.large), SizeColour(s.large));
    };
    {
        SCOPED_TRACE("settings");
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            preview(dialog, IDC_ENTRY_PREVIEW);
            ui::Click(dialog, IDCANCEL);
        });
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(0, 0);
        dlg.SetEntry(Entry("sizes", SizesExe()), 0);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    {
        SCOPED_TRACE("change icon");
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            preview(dialog, IDC_ICON_PREVIEW);
            ui::Click(dialog, IDCANCEL);
        });
        CChangeIconDlg dlg;
        dlg.m_strDefaultFile = SizesExe();
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

// A taskbar whose scale changes while the program runs, stood in for by the tray service's
// source of the taskbar's DPI (in the normal session only).
class TrayRescaleTest : public DisplayScaleTest {};

// When the taskbar's scale changes, the icons in the tray are made again at the new size and
// modified in place; a taskbar created anew at another scale gets them at its size.
TEST_F(TrayRescaleTest, IconsAreMadeAgainWhenTheTaskbarsScaleChanges) {
    ASSERT_EQ(display_scale::TaskbarDpi(), display_scale::kBaseDpi);
    Start({Entry("sizes", SizesExe()), Group("g")});
    CTrayIconService& tray = CTrayIconService::Instance();
    const std::vector<HWND> owners = tray.Owners();
    ASSERT_EQ(owners.size(), 3u);
    struct Change {
        UINT message;
        UINT dpi;
        DWORD call;
    };
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    const Change changes[] = {{WM_DISPLAYCHANGE, 144, NIM_MODIFY},
                              {WM_DPICHANGED, 192, NIM_MODIFY},
                              {WM_SETTINGCHANGE, 120, NIM_MODIFY},
                              {taskbarCreated, 96, NIM_ADD}};
    for (const Change& c : changes) {
        SCOPED_TRACE(c.dpi);
        if (c.message == taskbarCreated) {
            for (HWND owner : owners) {
                NOTIFYICONDATAW nid{};
                nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
                nid.hWnd = owner;
                nid.uID = 1;
                ::Shell_NotifyIconW(NIM_DELETE, &nid);
            }
        }
        tray.SetDpiSource([&] { return c.dpi; });
        m_trayCalls.Clear();
        // WM_DPICHANGED comes with the window's suggested place at the new scale.
        RECT place{};
        ::GetWindowRect(Main()->m_hWnd, &place);
        ::SendMessageW(Main()->m_hWnd, c.message, MAKEWPARAM(c.dpi, c.dpi),
                       c.message == WM_DPICHANGED ? reinterpret_cast<LPARAM>(&place) : 0);
        const int size = display_scale::SmallIconSize(c.dpi);
        ASSERT_EQ(m_trayCalls.Calls().size(), owners.size());
        for (size_t i = 0; i < owners.size(); ++i) {
            EXPECT_EQ(m_trayCalls.Calls()[i].message, c.call);
            EXPECT_EQ(m_trayCalls.Calls()[i].owner, owners[i]);
            EXPECT_TRUE(m_trayCalls.Calls()[i].result);
            EXPECT_EQ(pixels::IconSize(Held(owners[i])).cx, size);
        }
        EXPECT_EQ(Middle(pixels::RenderIcon(Held(owners[1]), size), size), SizeColour(size));
        // Nothing changed: nothing is handed again.
        m_trayCalls.Clear();
        ::SendMessageW(Main()->m_hWnd, WM_DISPLAYCHANGE, 0, 0);
        EXPECT_TRUE(m_trayCalls.Calls().empty());
    }
    // Back to the real taskbar's scale.
    tray.SetDpiSource({});
    ::SendMessageW(Main()->m_hWnd, WM_DISPLAYCHANGE, 0, 0);
    EXPECT_EQ(tray.Dpi(), display_scale::TaskbarDpi());
}

}  // namespace
