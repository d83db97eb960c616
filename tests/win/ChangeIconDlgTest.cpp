// The change-icon dialog on real files: what it opens on, stepping with the arrows, typing,
// browsing and the default icon, read back from the preview's pixels and the dialog's results.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/CChangeIconDlg.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/UiDriver.h"
#include "tests/win/DialogTesting.h"

namespace {

using namespace dlgtest;

struct Result {
    INT_PTR code;
    CString file;
    int index;
};

Result RunDialog(const CString& own, const CString& iconFile, int index,
                 ui::ModalScript::Step step) {
    ui::ModalScript script;
    script.Then(std::move(step));
    CChangeIconDlg dlg;
    dlg.m_strDefaultFile = own;
    dlg.m_strIconFile = iconFile;
    dlg.m_nIconIndex = index;
    INT_PTR code = dlg.DoModal();
    return {code, dlg.m_strIconFile, dlg.m_nIconIndex};
}

TEST(ChangeIconDlgTest, LibrariesAreDistinctFixtures) {
    CString lib = Fixture("library6.dll");
    for (int i = 0; i < 5; ++i) {
        ASSERT_FALSE(IconPixels(lib, i).empty());
        ASSERT_NE(IconPixels(lib, i), IconPixels(lib, i + 1)) << i;
    }
}

// Opens on the given icon when the file has it, else on icon 0; OK without touching anything
// gives back the file and the icon shown.
TEST(ChangeIconDlgTest, OpensOnTheStoredIconWhenTheFileHasIt) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    struct Case {
        CString own, iconFile;
        int given, shown;
    };
    const Case cases[] = {
        {lib3, lib, 5, 5},  // an icon file of its own
        {lib, "", 4, 4},    // the entry's own file
        {lib3, "", 9, 0},   // beyond the file's three icons
        {lib3, "", -1, 0}, {Fixture("noicon.exe"), "", 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.iconFile.GetString() << " " << c.given);
        const CString& source = c.iconFile.IsEmpty() ? c.own : c.iconFile;
        Result r = RunDialog(c.own, c.iconFile, c.given, [&](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_PATH), Widen(c.iconFile.View()));
            EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels(source, c.shown));
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDC_PATH));
            ui::Click(dialog, IDOK);
        });
        EXPECT_EQ(r.code, IDOK);
        EXPECT_EQ(r.file, c.iconFile);
        EXPECT_EQ(r.index, c.shown);
    }
}

// The arrows move one icon at a time within the current file and never wrap.
TEST(ChangeIconDlgTest, ArrowsStepWithinTheFile) {
    CString lib = Fixture("library6.dll");
    struct Case {
        const char* what;
        CString file;
        int start;
        std::vector<int> presses;
        int end;
    };
    const Case cases[] = {
        {"library forward", lib, 0, {IDC_ICON_NEXT, IDC_ICON_NEXT}, 2},
        {"library back from 3", lib, 3, {IDC_ICON_PREV}, 2},
        {"back at the first", lib, 0, {IDC_ICON_PREV}, 0},
        {"forward at the last", lib, 5, {IDC_ICON_NEXT}, 5},
        {"icon file", Fixture("picture.ico"), 0, {IDC_ICON_NEXT, IDC_ICON_PREV}, 0},
        {"program without icons", Fixture("noicon.exe"), 0, {IDC_ICON_NEXT, IDC_ICON_PREV}, 0},
        {"document", Fixture("sample.txt"), 0, {IDC_ICON_NEXT}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Result r = RunDialog("", c.file, c.start, [&](HWND dialog) {
            for (int id : c.presses) {
                Press(dialog, id);
            }
            EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels(c.file, c.end));
            ui::Click(dialog, IDOK);
        });
        EXPECT_EQ(r.code, IDOK);
        EXPECT_EQ(r.index, c.end);
    }
}

// A typed name shows that file's first icon and starts counting there; an emptied field shows
// what the loader gives for no file (nothing on Windows) and means the entry's own file.
TEST(ChangeIconDlgTest, TypingFollowsTheNewFile) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    Result typed = RunDialog(lib3, lib3, 2, [&](HWND dialog) {
        SetText(dialog, IDC_PATH, lib);
        EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels(lib, 0));
        Press(dialog, IDC_ICON_NEXT);
        Press(dialog, IDC_ICON_NEXT);
        Press(dialog, IDC_ICON_NEXT);
        EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels(lib, 3));
        ui::Click(dialog, IDOK);
    });
    EXPECT_EQ(typed.file, lib);
    EXPECT_EQ(typed.index, 3);

    Result emptied = RunDialog(lib3, lib, 4, [&](HWND dialog) {
        SetText(dialog, IDC_PATH, "");
        EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels("", 0));
        ui::Click(dialog, IDOK);
    });
    EXPECT_EQ(emptied.file, "");
    EXPECT_EQ(emptied.index, 0);

    Result cancelled = RunDialog(lib3, lib, 4, [&](HWND dialog) {
        SetText(dialog, IDC_PATH, lib3);
        ui::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(cancelled.code, IDCANCEL);
}

TEST(ChangeIconDlgTest, DefaultIconShowsTheEntrysOwnFirstIcon) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    Result r = RunDialog(lib3, lib, 4, [&](HWND dialog) {
        Press(dialog, IDC_ICON_DEFAULT);
        EXPECT_EQ(Text(dialog, IDC_PATH), L"");
        EXPECT_EQ(PreviewPixels(dialog, IDC_ICON_PREVIEW), IconPixels(lib3, 0));
        ui::Click(dialog, IDOK);
    });
    EXPECT_EQ(r.code, IDOK);
    EXPECT_EQ(r.file, "");
    EXPECT_EQ(r.index, 0);
}

// "参照" through the system's open dialog (Wine: file name in 0x47c, filter list in 0x470). The
// entry's own file, in any letter case, means the default icon.
TEST(ChangeIconDlgTest, BrowsingTakesTheChosenFileOrTheDefault) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    std::string shouting = lib3.Str();
    for (char& ch : shouting) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
    }
    const CString lib3Shouting(shouting);
    struct Case {
        const char* what;
        CString chosen;
        CString file;  // the result
    };
    const Case cases[] = {
        {"another file", lib, lib},
        {"the entry's own file in capitals", lib3Shouting, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        HWND changeIcon = nullptr;
        script.Then([&](HWND dialog) {
            changeIcon = dialog;
            ui::Click(dialog, IDC_ICON_BROWSE);
        });
        script.Then([&](HWND fileDialog) {
            EXPECT_EQ(::GetParent(fileDialog), changeIcon);  // modal over the dialog
            EXPECT_EQ(Text(fileDialog, 0x47c), L"*.exe;*.com;*.dll;*.ico");
            HWND filters = ::GetDlgItem(fileDialog, 0x470);
            EXPECT_EQ(::SendMessageW(filters, CB_GETCOUNT, 0, 0), 5);
            wchar_t first[64] = {};
            ::SendMessageW(filters, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
            EXPECT_STREQ(first, L"ｱｲｺﾝﾌｧｲﾙ");
            SetText(fileDialog, 0x47c, c.chosen);
            ::PostMessageW(fileDialog, WM_COMMAND, IDOK, 0);
            WhenClosed(fileDialog, [&] {
                EXPECT_EQ(Text(changeIcon, IDC_PATH), Widen(c.file.View()));
                const CString& source = c.file.IsEmpty() ? lib3 : c.file;
                EXPECT_EQ(PreviewPixels(changeIcon, IDC_ICON_PREVIEW), IconPixels(source, 0));
                ui::Click(changeIcon, IDOK);
            });
        });
        CChangeIconDlg dlg;
        dlg.m_strDefaultFile = lib3;
        dlg.m_strIconFile = lib;
        dlg.m_nIconIndex = 5;
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_strIconFile, c.file);
        EXPECT_EQ(dlg.m_nIconIndex, 0);
    }
}

}  // namespace
