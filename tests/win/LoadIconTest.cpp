// CLoadIcon on real files under Wine: icons by index from programs and libraries, the shell's
// icon for everything else, the count rule, the two sizes and the ownership of the result.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/WinHandles.h"
#include "icons/CLoadIcon.h"
#include "icons/DisplayScale.h"
#include "tests/support/Printers.h"
#include "tests/support/Fixtures.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Pixels.h"

namespace {

// The colours of the fixture pictures (0xRRGGBB, as pixels::RenderIcon gives them).
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kYellow = 0xFFFF00;
constexpr uint32_t kNoIcon = 0xFFFFFFFF;

// The colour in the middle of the icon drawn at its size: the fixture pictures are solid there.
uint32_t CentreColour(HICON icon, int size) {
    std::vector<uint32_t> px = pixels::RenderIcon(icon, size);
    return px.empty() ? kNoIcon : px[static_cast<size_t>(size / 2 * size + size / 2)];
}

struct Loader {
    explicit Loader(const char* file, BOOL small = TRUE) {
        loader.Create(small, display_scale::kBaseDpi);
        loader.SetFile(fixtures::Path(file));
    }
    UniqueIcon Get(int index) { return UniqueIcon(loader.GetIcon(index)); }
    CLoadIcon loader;
};

TEST(LoadIconTest, ProgramsAndLibrariesGiveTheirIconsByIndex) {
    // Any letter case of the extension; a name that is not ASCII.
    for (const char* file :
         {"threeicons.exe", "threeicons.dll", "upper.DLL", "mixed.Dll", "アイコン.exe"}) {
        SCOPED_TRACE(file);
        Loader icons(file);
        EXPECT_EQ(icons.loader.GetCount(), 3);
        EXPECT_EQ(CentreColour(icons.Get(0).Get(), 16), kRed);
        EXPECT_EQ(CentreColour(icons.Get(1).Get(), 16), kGreen);
        EXPECT_EQ(CentreColour(icons.Get(2).Get(), 16), kBlue);
        EXPECT_EQ(icons.loader.GetCount(), 3);
    }
}

TEST(LoadIconTest, AnIndexBeyondTheIconsGivesTheShellsIconAndCountOne) {
    Loader icons("threeicons.exe");
    UniqueIcon shell = icons.Get(5);
    ASSERT_TRUE(shell);
    EXPECT_EQ(icons.loader.GetCount(), 1);
    // Wine's shell shows every program by one generic icon (Windows shows its first icon).
    Loader generic("noicon.exe");
    EXPECT_EQ(pixels::RenderIcon(shell.Get(), 16), pixels::RenderIcon(generic.Get(0).Get(), 16));
    // It stays 1 until the file is set again; the next icon by index still comes from the file.
    EXPECT_EQ(CentreColour(icons.Get(2).Get(), 16), kBlue);
    EXPECT_EQ(icons.loader.GetCount(), 1);
    icons.loader.SetFile(fixtures::Path("threeicons.exe"));
    EXPECT_EQ(icons.loader.GetCount(), 3);
}

// Files that do not offer icons by index: the count, then what GetIcon gives and the count after.
TEST(LoadIconTest, CountsAndFallBacks) {
    struct Case {
        const char* file;
        int count;       // after SetFile
        bool icon;       // GetIcon gives one (the shell's)
        int countAfter;  // after GetIcon
    };
    const Case cases[] = {
        {"noicon.exe", 0, true, 1},
        {"corrupt.exe", 0, true, 1},
        {"picture.ico", 1, true, 1},
        {"sample.com", 1, true, 1},
        {"sample.cpl", 1, true, 1},
        {"sample.txt", 1, true, 1},
        {"missing.exe", 0, false, 1},
        {"missing.txt", 1, false, 1},
        // The extension is that of the last path component only.
        {"threeicons.dll\\missing", 1, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Loader icons(c.file);
        EXPECT_EQ(icons.loader.GetCount(), c.count);
        UniqueIcon first = icons.Get(0);
        EXPECT_EQ(static_cast<bool>(first), c.icon);
        EXPECT_EQ(icons.loader.GetCount(), c.countAfter);
        if (c.icon) {
            // The shell's icon for the file, whatever the index.
            EXPECT_EQ(pixels::RenderIcon(icons.Get(4).Get(), 16),
                      pixels::RenderIcon(first.Get(), 16));
        }
    }
}

TEST(LoadIconTest, SmallAndLargeLoadersGiveTheirSizeFromAnySource) {
    struct Case {
        const char* file;
        int index;
        uint32_t colour;  // kNoIcon: not a fixture picture (the shell's own)
    };
    // only32.exe holds a 32 x 32 picture only.
    const Case cases[] = {{"only32.exe", 0, kYellow},
                          {"threeicons.dll", 1, kGreen},
                          {"noicon.exe", 0, kNoIcon},
                          {"sample.txt", 0, kNoIcon}};
    for (const Case& c : cases) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(testing::Message() << c.file << " at " << size);
            Loader icons(c.file, size == 16);
            UniqueIcon icon = icons.Get(c.index);
            ASSERT_TRUE(icon);
            SIZE got = pixels::IconSize(icon.Get());
            EXPECT_EQ(got.cx, size);
            EXPECT_EQ(got.cy, size);
            if (c.colour != kNoIcon) {
                EXPECT_EQ(CentreColour(icon.Get(), size), c.colour);
            }
        }
    }
}

TEST(LoadIconTest, EveryIconIsTheCallersOwnCopy) {
    Loader icons("threeicons.exe");
    UniqueIcon first = icons.Get(1);
    UniqueIcon second = icons.Get(1);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(first.Get(), second.Get());
    first.Reset();
    EXPECT_EQ(CentreColour(second.Get(), 16), kGreen);
    // The loader keeps nothing of what it handed out: the copy outlives it.
    UniqueIcon kept;
    {
        Loader other("threeicons.dll");
        kept = other.Get(2);
    }
    EXPECT_EQ(CentreColour(kept.Get(), 16), kBlue);
}

TEST(LoadIconTest, IsCreatedByItsClassName) {
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject("CLoadIcon"));
    ASSERT_NE(object, nullptr);
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CLoadIcon)));
    EXPECT_STREQ(object->GetRuntimeClass()->m_lpszClassName, "CLoadIcon");
}

// 1000 icons from every source: none from a file, from the shell or from the list stays behind.
TEST(LoadIconTest, LeavesNoGdiOrUserObjectsBehind) {
    auto getIcons = [](int n) {
        const char* files[] = {"threeicons.exe", "sample.txt", "missing.exe"};
        for (int i = 0; i < n; ++i) {
            // Each of the 12 combinations of file, size and index in turn.
            Loader icons(files[i % 3], i % 2 == 0);
            UniqueIcon icon = icons.Get((i / 6) % 2 == 0 ? 1 : 5);
        }
    };
    getIcons(12);  // the shell and Wine fill their caches once
    HICON shared = ::LoadIconW(nullptr, IDI_APPLICATION);  // made once, never destroyed
    guiobjects::Counts before = guiobjects::Take();
    if (before.gdi < 0) {
        // Wine's 32-bit processes carry no GDI handle table (the PEB's pointer to it is null)
        // and GetGuiResources answers 0 under Wine: there is nothing to count GDI objects by.
        GTEST_SKIP() << "no GDI object count in this process";
    }
    {
        // The counts see objects come and go.
        UniqueIcon icon(::CopyIcon(shared));
        UniqueGdiObject brush(::CreateSolidBrush(RGB(1, 2, 3)));
        guiobjects::Counts during = guiobjects::Take();
        EXPECT_GT(during.gdi, before.gdi);
        EXPECT_EQ(during.user, before.user + 1);
    }
    EXPECT_EQ(guiobjects::Take(), before);
    getIcons(1000);
    guiobjects::Counts after = guiobjects::Take();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
