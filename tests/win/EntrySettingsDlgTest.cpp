// The entry settings dialog driven like a user: modes, the group box, validation messages,
// the size list, dropped files, the live preview, "参照" and "ｱｲｺﾝの変更", read back from the
// real controls and from the entry it gives back.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <utility>

#include "dialogs/CChangeIconDlg.h"
#include "dialogs/CEntrySettingsDlg.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/UiDriver.h"
#include "tests/win/DialogTesting.h"

namespace {

using namespace dlgtest;

constexpr int kPathControls[] = {IDC_PATH, IDC_DIR, IDC_PARM, IDC_SHOW, IDC_BROWSE};
constexpr int kAlwaysEnabled[] = {IDC_TITLE, IDC_CHANGE_ICON, IDOK, IDCANCEL};

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != 0; }
// The control's own visibility, whatever its dialog's.
bool Visible(HWND dialog, int id) {
    return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

// A real click on the check box (it toggles and tells the dialog).
void ClickCheckBox(HWND dialog) {
    ::SendMessageW(::GetDlgItem(dialog, IDC_MAKE_GROUP), BM_CLICK, 0, 0);
}

AppEntry SampleEntry() {
    AppEntry e;
    e.Title = "ﾒﾓ帳";
    e.AppName = "C:\\windows\\notepad.exe";
    e.Dir = "C:\\作業";
    e.Parm = "/a b";
    e.Show = 1;
    e.Icon = "";
    e.IconIndex = 0;
    e.IsGroup = 0;
    return e;
}

// What the modes show at opening: caption, the group box, the path controls.
TEST(EntrySettingsDlgTest, ModesSetCaptionGroupBoxAndPathControls) {
    struct Case {
        const char* what;
        int isNew, group, groupChoice;
        const wchar_t* caption;
        bool boxVisible, pathEnabled;
    };
    const Case cases[] = {
        {"new, group offered", 1, 0, 1, L"新規登録", true, true},
        {"new member", 1, 0, 0, L"新規登録", false, true},
        {"change of a group", 0, 1, 0, L"設定変更", false, false},
        {"change of an entry", 0, 0, 0, L"設定変更", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(ui::WindowText(dialog), c.caption);
            EXPECT_EQ(Visible(dialog, IDC_MAKE_GROUP), c.boxVisible);
            for (int id : kPathControls) {
                EXPECT_EQ(Enabled(dialog, id), c.pathEnabled) << id;
            }
            for (int id : kAlwaysEnabled) {
                EXPECT_TRUE(Enabled(dialog, id)) << id;
            }
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDC_TITLE));
            ui::Click(dialog, IDCANCEL);
        });
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(c.group, c.groupChoice);
        if (!c.isNew) {
            dlg.SetEntry(SampleEntry(), 0);
        }
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

// OK tests the title when the group box is checked, else the full path; blanks alone are
// refused with a message (caption the application name, OK only, no icon) and the dialog
// stays; what is accepted is kept as typed.
TEST(EntrySettingsDlgTest, OkTestsTitleOrPath) {
    struct Case {
        const char* what;
        int isNew, group, groupChoice;
        int boxClicks;
        CString title, path;     // typed first
        const wchar_t* message;  // null: accepted at once
        CString title2, path2;   // typed after the message
        int groupChecked;
    };
    const Case cases[] = {
        {"new group without a title", 1, 0, 1, 1, "", "", L"ﾀｲﾄﾙが指定されていません。", "ｸﾞﾙｰﾌﾟ",
         "", 1},
        {"box checked and unchecked", 1, 0, 1, 2, "", "", L"ﾌﾙﾊﾟｽが指定されていません。", "",
         "C:\\a.exe", 0},
        {"path of blanks", 1, 0, 0, 0, "t", "  \t ", L"ﾌﾙﾊﾟｽが指定されていません。", "t",
         "  C:\\b c.exe  ", 0},
        {"entry without a title", 1, 0, 0, 0, "", "C:\\a.exe", nullptr, "", "", 0},
        {"change of a group", 0, 1, 0, 0, " ", "", L"ﾀｲﾄﾙが指定されていません。", " G ", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        HWND settings = nullptr;
        script.Then([&](HWND dialog) {
            settings = dialog;
            for (int i = 0; i < c.boxClicks; ++i) {
                ClickCheckBox(dialog);
            }
            bool checked = ::IsDlgButtonChecked(dialog, IDC_MAKE_GROUP) == BST_CHECKED;
            for (int id : kPathControls) {
                EXPECT_EQ(Enabled(dialog, id), !checked) << id;
            }
            SetText(dialog, IDC_TITLE, c.title);
            SetText(dialog, IDC_PATH, c.path);
            ui::Click(dialog, IDOK);
        });
        if (c.message != nullptr) {
            script.Then([&](HWND box) {
                ui::MessageBoxInfo info = ui::ReadMessageBox(box);
                EXPECT_EQ(info.caption, L"Velmora");
                EXPECT_EQ(info.text, c.message);
                EXPECT_EQ(info.icon, nullptr);
                EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
                EXPECT_EQ(::GetWindow(box, GW_OWNER), settings);
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                WhenClosed(box, [&] {
                    // Still open, everything as it was.
                    EXPECT_TRUE(::IsWindow(settings));
                    EXPECT_EQ(Text(settings, IDC_PATH), Widen(c.path.View()));
                    SetText(settings, IDC_TITLE, c.title2);
                    SetText(settings, IDC_PATH, c.path2);
                    ui::Click(settings, IDOK);
                });
            });
        }
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(c.group, c.groupChoice);
        if (!c.isNew) {
            AppEntry group;
            group.IsGroup = 1;
            dlg.SetEntry(group, 0);
        }
        ASSERT_EQ(dlg.DoModal(), IDOK);
        AppEntry out;
        out.IsGroup = 7;  // not the dialog's to change
        dlg.GetEntry(out);
        EXPECT_EQ(out.Title, c.message ? c.title2 : c.title);
        EXPECT_EQ(out.AppName, c.message ? c.path2 : c.path);
        EXPECT_EQ(out.IsGroup, 7);
        EXPECT_EQ(dlg.IsGroupChecked(), c.groupChecked);
    }
}

// The fields open with the entry's values and come back as typed; the size is the list's
// selection by index, -1 when the stored value selects nothing.
TEST(EntrySettingsDlgTest, FieldsAndSizeRoundTrip) {
    struct Case {
        int stored;
        int opened;               // selection at opening
        std::optional<int> pick;  // chosen in the list
        int result;
    };
    const Case cases[] = {
        {1, 1, std::nullopt, 1}, {5, -1, std::nullopt, -1}, {-1, -1, 2, 2}, {2, 2, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        AppEntry in = SampleEntry();
        in.Show = c.stored;
        in.Icon = Fixture("library6.dll");
        in.IconIndex = 2;
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_TITLE), L"ﾒﾓ帳");
            EXPECT_EQ(Text(dialog, IDC_PATH), L"C:\\windows\\notepad.exe");
            EXPECT_EQ(Text(dialog, IDC_DIR), L"C:\\作業");
            EXPECT_EQ(Text(dialog, IDC_PARM), L"/a b");
            HWND combo = ::GetDlgItem(dialog, IDC_SHOW);
            EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), c.opened);
            if (c.pick) {
                ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(*c.pick), 0);
            }
            SetText(dialog, IDC_DIR, " D:\\ ");
            ui::Click(dialog, IDOK);
        });
        CEntrySettingsDlg dlg;
        dlg.SetGroupMode(0, 0);
        dlg.SetEntry(in, 0);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        AppEntry out;
        dlg.GetEntry(out);
        AppEntry expected = in;
        expected.Dir = " D:\\ ";
        expected.Show = c.result;
        EXPECT_EQ(out, expected);
    }
}

// A drop handle as the shell makes it: DROPFILES and the wide names, each NUL-ended, then one
// NUL more.
HGLOBAL MakeDrop(const std::vector<std::wstring>& names) {
    size_t chars = 1;
    for (const std::wstring& n : names) {
        chars += n.size() + 1;
    }
    HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& n : names) {
        out = std::copy(n.begin(), n.end(), out);
        *out++ = L'\0';
    }
    *out = L'\0';
    ::GlobalUnlock(mem);
    return mem;
}

// Only the first dropped file counts, however long its name; the rest of the entry stays.
TEST(EntrySettingsDlgTest, DroppedFilesGiveTheFirstName) {
    std::wstring longName = L"C:\\" + std::wstring(280, L'長') + L"\\first.exe";
    struct Case {
        const char* what;
        std::vector<std::wstring> names;
    };
    const Case cases[] = {
        {"three files", {L"C:\\one.exe", L"C:\\two.exe", L"C:\\three.exe"}},
        {"a name longer than 260", {longName, L"C:\\two.exe"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            SetText(dialog, IDC_TITLE, "kept");
            ::SendMessageW(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(c.names)), 0);
            EXPECT_EQ(Text(dialog, IDC_PATH), c.names[0]);
            EXPECT_EQ(Text(dialog, IDC_TITLE), L"kept");
            EXPECT_EQ(Text(dialog, IDC_DIR), L"");
            ui::Click(dialog, IDOK);
        });
        CEntrySettingsDlg dlg;
        ASSERT_EQ(dlg.DoModal(), IDOK);
        AppEntry out;
        dlg.GetEntry(out);
        EXPECT_EQ(Widen(out.AppName.View()), c.names[0]);
        EXPECT_EQ(out.Title, "kept");
    }
}

// The preview shows the entry's icon; typing a path moves it to that file's first icon, unless
// the entry has an icon file of its own.
TEST(EntrySettingsDlgTest, PreviewFollowsThePathUnlessAnIconFileIsSet) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    struct Case {
        const char* what;
        CString appName, icon;
        int index;
        std::vector<uint32_t> opened, afterTyping;
    };
    const Case cases[] = {
        {"own file", lib, "", 3, IconPixels(lib, 3), IconPixels(lib3, 0)},
        {"icon file", lib3, lib, 4, IconPixels(lib, 4), IconPixels(lib, 4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(PreviewPixels(dialog, IDC_ENTRY_PREVIEW), c.opened);
            SetText(dialog, IDC_PATH, lib3);
            EXPECT_EQ(PreviewPixels(dialog, IDC_ENTRY_PREVIEW), c.afterTyping);
            ui::Click(dialog, IDCANCEL);
        });
        AppEntry in;
        in.AppName = c.appName;
        in.Icon = c.icon;
        in.IconIndex = c.index;
        CEntrySettingsDlg dlg;
        dlg.SetEntry(in, 0);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

// "ｱｲｺﾝの変更" hands over the path as typed (not yet confirmed), the icon file and index; OK
// there brings the choice back and into the preview, cancel there changes nothing.
TEST(EntrySettingsDlgTest, ChangeIconGetsThePathAsTyped) {
    CString lib = Fixture("library6.dll");
    for (bool confirm : {true, false}) {
        SCOPED_TRACE(confirm ? "OK" : "cancel");
        ui::ModalScript script;
        HWND settings = nullptr;
        script.Then([&](HWND dialog) {
            settings = dialog;
            SetText(dialog, IDC_PATH, lib);
            ui::Click(dialog, IDC_CHANGE_ICON);
        });
        script.Then([&](HWND changeIcon) {
            EXPECT_EQ(::GetWindow(changeIcon, GW_OWNER), settings);
            EXPECT_EQ(Text(changeIcon, IDC_PATH), L"");
            // Icon 4 of the file typed in the settings: the entry's own file.
            EXPECT_EQ(PreviewPixels(changeIcon, IDC_ICON_PREVIEW), IconPixels(lib, 4));
            Press(changeIcon, IDC_ICON_NEXT);
            ui::Click(changeIcon, confirm ? IDOK : IDCANCEL);
            WhenClosed(changeIcon, [&] {
                EXPECT_EQ(PreviewPixels(settings, IDC_ENTRY_PREVIEW),
                          confirm ? IconPixels(lib, 5) : IconPixels(lib, 0));
                ui::Click(settings, IDOK);
            });
        });
        AppEntry in;
        in.AppName = Fixture("picture.ico");
        in.IconIndex = 4;
        CEntrySettingsDlg dlg;
        dlg.SetEntry(in, 1);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        AppEntry out;
        dlg.GetEntry(out);
        EXPECT_EQ(out.AppName, lib);
        EXPECT_EQ(out.Icon, "");
        EXPECT_EQ(out.IconIndex, confirm ? 5 : 4);
    }
}

// "参照" offers the program filter and puts the chosen path into the full path (Wine's open
// dialog: file name in 0x47c, filter list in 0x470); cancel there changes nothing.
TEST(EntrySettingsDlgTest, BrowseFillsTheFullPath) {
    CString lib = Fixture("library6.dll");
    for (bool choose : {true, false}) {
        SCOPED_TRACE(choose ? "chosen" : "cancelled");
        ui::ModalScript script;
        HWND settings = nullptr;
        script.Then([&](HWND dialog) {
            settings = dialog;
            SetText(dialog, IDC_PATH, "C:\\before.exe");
            ui::Click(dialog, IDC_BROWSE);
        });
        script.Then([&](HWND fileDialog) {
            EXPECT_EQ(::GetParent(fileDialog), settings);
            EXPECT_EQ(Text(fileDialog, 0x47c), L"*.exe;*.com");
            HWND filters = ::GetDlgItem(fileDialog, 0x470);
            std::vector<std::wstring> expected = {
                L"実行ﾌｧｲﾙ(*.exe ;*.com) ", L"ｺﾝﾄﾛｰﾙﾊﾟﾈﾙｱﾌﾟﾘｹｰｼｮﾝ(*.cpl)",
                L"ﾄﾞｷｭﾒﾝﾄ ﾌｧｲﾙ(*.doc;*.txt)", L"すべてのﾌｧｲﾙ(*.*)"};
            std::vector<std::wstring> shown;
            for (int i = 0; i < ::SendMessageW(filters, CB_GETCOUNT, 0, 0); ++i) {
                wchar_t text[128] = {};
                ::SendMessageW(filters, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                shown.push_back(text);
            }
            EXPECT_EQ(shown, expected);
            if (choose) {
                SetText(fileDialog, 0x47c, lib);
            }
            ::PostMessageW(fileDialog, WM_COMMAND, choose ? IDOK : IDCANCEL, 0);
            WhenClosed(fileDialog, [&] {
                EXPECT_EQ(Text(settings, IDC_PATH),
                          choose ? Widen(lib.View()) : std::wstring(L"C:\\before.exe"));
                EXPECT_EQ(Text(settings, IDC_TITLE), L"");
                if (choose) {
                    EXPECT_EQ(PreviewPixels(settings, IDC_ENTRY_PREVIEW), IconPixels(lib, 0));
                }
                ui::Click(settings, IDOK);
            });
        });
        CEntrySettingsDlg dlg;
        ASSERT_EQ(dlg.DoModal(), IDOK);
        AppEntry out;
        dlg.GetEntry(out);
        EXPECT_EQ(out.AppName, choose ? lib : CString("C:\\before.exe"));
    }
}

}  // namespace

// Every icon a preview was given is destroyed once it is replaced or the dialog ends: many
// changes leave no icon (and no GDI bitmap) behind.
TEST(EntrySettingsDlgTest, PreviewsLeaveNoIconsBehind) {
    CString lib = Fixture("library6.dll");
    CString lib3 = Fixture("threeicons.dll");
    auto settings = [&] {
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            for (int i = 0; i < 10; ++i) {
                SetText(dialog, IDC_PATH, i % 2 ? lib : lib3);
            }
            ui::Click(dialog, IDCANCEL);
        });
        AppEntry in;
        in.AppName = lib;
        CEntrySettingsDlg dlg;
        dlg.SetEntry(in, 0);
        dlg.DoModal();
    };
    auto changeIcon = [&] {
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            for (int i = 0; i < 5; ++i) {
                Press(dialog, IDC_ICON_NEXT);
            }
            SetText(dialog, IDC_PATH, lib3);
            Press(dialog, IDC_ICON_DEFAULT);
            ui::Click(dialog, IDCANCEL);
        });
        CChangeIconDlg dlg;
        dlg.m_strDefaultFile = lib;
        dlg.DoModal();
    };
    const std::pair<const char*, std::function<void()>> runs[] = {{"settings", settings},
                                                                  {"change icon", changeIcon}};
    for (const auto& [what, run] : runs) {
        SCOPED_TRACE(what);
        // Whatever Wine caches on first use (fonts, the shell's icons) can take a second run.
        run();
        run();
        guiobjects::Counts before = guiobjects::Take();
        run();
        EXPECT_EQ(guiobjects::Take(), before);
    }
}
