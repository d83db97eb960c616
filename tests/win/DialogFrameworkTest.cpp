// The dialog framework on Wine's real dialog manager: the program's templates as they come up,
// data exchange in both directions, message results, borrowed control views, and the system's
// file dialog driven like a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CDialog.h"
#include "framework/CFileDialog.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/UiDriver.h"

namespace {

std::wstring ItemText(HWND dialog, int id) { return ui::WindowText(::GetDlgItem(dialog, id)); }

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1,
                          L'\0');
        text.resize(static_cast<size_t>(
            ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

// A control's position and size in pixels of the dialog's client area, as left, top, width,
// height.
RECT PixelBox(HWND dialog, HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The same for a box in dialog units: the dialog manager converts position and size each on
// its own, as MapDialogRect does with each of the four numbers.
RECT PixelBox(HWND dialog, int x, int y, int cx, int cy) {
    RECT r{x, y, cx, cy};
    ::MapDialogRect(dialog, &r);
    return r;
}

struct Control {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    int x, y, cx, cy;
    DWORD style;  // bits that must be set
};

struct Template {
    UINT id;
    const wchar_t* caption;
    int cx, cy;
    std::vector<Control> controls;
};

// Each template, as the dialog manager made it: caption, font, size, and per control its class,
// text and rectangle (in dialog units, to the nearest unit).
TEST(DialogFrameworkTest, TemplatesComeUpAsLaidOut) {
    const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP | WS_VISIBLE;
    const DWORD button = WS_TABSTOP | WS_VISIBLE;
    const Template templates[] = {
        {IDD_ENTRY_SETTINGS,
         L"設定",
         255,
         163,
         {
             {IDC_TITLE, L"Edit", L"", 74, 8, 120, 14, edit},
             {IDC_PATH, L"Edit", L"", 74, 25, 120, 14, edit},
             {IDC_DIR, L"Edit", L"", 75, 42, 120, 14, edit},
             {IDC_PARM, L"Edit", L"", 75, 59, 120, 14, edit},
             {IDC_SHOW, L"ComboBox", L"", 75, 76, 75, -1, CBS_DROPDOWNLIST | WS_TABSTOP},
             {IDC_MAKE_GROUP, L"Button", L"ｸﾞﾙｰﾌﾟの作成", 66, 98, 100, 10,
              BS_AUTOCHECKBOX | button},
             {IDC_CHANGE_ICON, L"Button", L"ｱｲｺﾝの変更", 202, 8, 50, 14, button},
             {IDC_BROWSE, L"Button", L"参照", 202, 25, 50, 14, button},
             {IDOK, L"Button", L"OK", 202, 59, 50, 14, button},
             {IDCANCEL, L"Button", L"ｷｬﾝｾﾙ", 202, 75, 50, 14, button},
             {IDC_ENTRY_PREVIEW, L"Static", L"", 166, 84, 20, 20, SS_ICON},
         }},
        {IDD_CHANGE_ICON,
         L"ｱｲｺﾝの変更",
         246,
         79,
         {
             {IDC_PATH, L"Edit", L"", 65, 18, 106, 14, edit},
             {IDC_ICON_BROWSE, L"Button", L"参照", 188, 18, 35, 14, button},
             {IDC_ICON_PREVIEW, L"Static", L"", 65, 45, 18, 20, SS_ICON},
             {IDC_ICON_PREV, L"Button", L"<-", 93, 42, 32, 14, button},
             {IDC_ICON_NEXT, L"Button", L"->", 125, 42, 32, 14, button},
             {IDC_ICON_DEFAULT, L"Button", L"ﾃﾞﾌｫﾙﾄｱｲｺﾝを使用", 93, 56, 64, 14, button},
             {IDOK, L"Button", L"OK", 164, 56, 31, 14, BS_DEFPUSHBUTTON | button},
             {IDCANCEL, L"Button", L"ｷｬﾝｾﾙ", 195, 56, 31, 14, button},
         }},
        {IDD_ORDER,
         L"順序",
         145,
         125,
         {
             // (the list box drops WS_VSCROLL while it has nothing to scroll)
             {IDC_ORDER_LIST, L"ListBox", L"", 5, 7, 85, 109,
              LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP},
             {IDC_ORDER_UP, L"Button", L"↑上へ", 96, 16, 40, 14, button},
             {IDC_ORDER_DOWN, L"Button", L"↓下へ", 96, 36, 40, 14, button},
             {IDC_ORDER_EDIT, L"Button", L"編集", 96, 59, 40, 14, button},
             {IDC_ORDER_DELETE, L"Button", L"削除", 96, 77, 40, 14, button},
             {IDCANCEL, L"Button", L"閉じる", 96, 104, 40, 14, button},
             {IDOK, L"Button", L"OK", 129, 93, 6, 6, BS_DEFPUSHBUTTON | WS_DISABLED},
         }},
    };
    for (const Template& t : templates) {
        SCOPED_TRACE(t.id);
        ui::ModalScript script;
        script.Then([&t](HWND dialog) {
            EXPECT_EQ(ui::WindowText(dialog), t.caption);
            LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
            EXPECT_EQ(style & (DS_MODALFRAME | WS_CAPTION | WS_SYSMENU),
                      DS_MODALFRAME | WS_CAPTION | WS_SYSMENU);
            bool acceptsFiles = (::GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
            EXPECT_EQ(acceptsFiles, t.id == IDD_ENTRY_SETTINGS);

            LOGFONTW font{};
            auto hfont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
            ASSERT_NE(hfont, nullptr);
            ::GetObjectW(hfont, sizeof(font), &font);
            EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");

            RECT client{};
            ::GetClientRect(dialog, &client);
            RECT expected{0, 0, t.cx, t.cy};
            ::MapDialogRect(dialog, &expected);
            EXPECT_EQ(client.right, expected.right);
            EXPECT_EQ(client.bottom, expected.bottom);

            for (const Control& c : t.controls) {
                SCOPED_TRACE(c.id);
                HWND control = ::GetDlgItem(dialog, c.id);
                ASSERT_NE(control, nullptr);
                EXPECT_EQ(ui::ClassName(control), c.cls);
                EXPECT_EQ(ui::WindowText(control), c.text);
                DWORD cstyle = static_cast<DWORD>(::GetWindowLongW(control, GWL_STYLE));
                EXPECT_EQ(cstyle & c.style, c.style);
                RECT actual = PixelBox(dialog, control);
                RECT expected = PixelBox(dialog, c.x, c.y, c.cx, c.cy);
                EXPECT_EQ(actual.left, expected.left);
                EXPECT_EQ(actual.top, expected.top);
                EXPECT_EQ(actual.right, expected.right);
                if (c.cy >= 0) {  // a drop-down list's height is its open list's
                    EXPECT_EQ(actual.bottom, expected.bottom);
                }
            }
            if (t.id == IDD_ORDER) {
                EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDOK)));
            }
            if (t.id == IDD_ENTRY_SETTINGS) {
                // The size items come from the template's initialisation data.
                std::vector<std::wstring> sizes = {L"通常のｳｲﾝﾄﾞｳ", L"最小化", L"最大化"};
                EXPECT_EQ(ComboItems(::GetDlgItem(dialog, IDC_SHOW)), sizes);
                // The first tab stop gets the focus: the title.
                EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDC_TITLE));
                // The credit band below the line.
                std::vector<std::wstring> texts;
                HICON icon = nullptr;
                for (HWND c = ::GetWindow(dialog, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                    if (::GetDlgCtrlID(c) == IDC_STATIC &&
                        PixelBox(dialog, c).top > PixelBox(dialog, 0, 113, 0, 0).top) {
                        if ((::GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                            icon = reinterpret_cast<HICON>(::SendMessageW(c, STM_GETICON, 0, 0));
                        } else {
                            texts.push_back(ui::WindowText(c));
                        }
                    }
                }
                EXPECT_NE(icon, nullptr);
                ASSERT_EQ(texts.size(), 3u);
                EXPECT_EQ(texts[1], L"Velmora   Version 1.06");
            }
            ::EndDialog(dialog, IDCANCEL);
        });
        CDialog dialog(t.id);
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

// A dialog on the entry template that binds a text, a check box and a control view, and
// answers one private message.
class ExchangeDlg : public CDialog {
public:
    ExchangeDlg() : CDialog(IDD_ENTRY_SETTINGS) {}
    static constexpr UINT kAsk = WM_APP + 1;
    static constexpr LRESULT kAnswer = 0x12345678;

    CString m_strText;
    int m_bCheck = 0;
    CWnd m_combo;
    int m_nUpdates = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_SHOW, m_combo);
        DDX_Text(pDX, IDC_PATH, m_strText);
        DDX_Check(pDX, IDC_MAKE_GROUP, m_bCheck);
    }
    // Runs when the test asks the dialog something.
    LRESULT OnAsk(WPARAM, LPARAM) { return kAnswer; }
    // Runs when the text of the path edit changes, also while data exchange fills it.
    void OnPathUpdate() { ++m_nUpdates; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDlg, CDialog)
    ON_MESSAGE(ExchangeDlg::kAsk, OnAsk)
    ON_EN_UPDATE(IDC_PATH, OnPathUpdate)
END_MESSAGE_MAP()

TEST(DialogFrameworkTest, DataExchangeBothWaysAndTheResultOfTheButton) {
    // Longer than any fixed path buffer, with Japanese text.
    std::string longText(600, 'a');
    longText += "ﾌﾙﾊﾟｽ";
    struct Case {
        const char* what;
        int button;
        INT_PTR result;
    };
    for (Case c : {Case{"OK", IDOK, IDOK}, Case{"Cancel", IDCANCEL, IDCANCEL}}) {
        SCOPED_TRACE(c.what);
        ExchangeDlg dlg;
        dlg.m_strText = CString(longText);
        dlg.m_bCheck = 1;
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_PATH).size(), 605u);
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_MAKE_GROUP), BST_CHECKED);
            EXPECT_EQ(dlg.m_combo.m_hWnd, ::GetDlgItem(dialog, IDC_SHOW));
            EXPECT_GE(dlg.m_nUpdates, 1);  // the exchange at start set the text
            // A handler's result reaches the sender (through DWLP_MSGRESULT).
            EXPECT_EQ(::SendMessageW(dialog, ExchangeDlg::kAsk, 0, 0), ExchangeDlg::kAnswer);
            // The framework's view of a control dies without taking the control along.
            CWnd* view = dlg.GetDlgItem(IDC_TITLE);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(dlg.GetDlgItem(IDC_TITLE), view);
            EXPECT_EQ(dlg.GetDlgItem(4711), nullptr);
            {
                CWnd borrowed;
                borrowed.m_hWnd = ::GetDlgItem(dialog, IDC_DIR);
            }
            EXPECT_TRUE(::IsWindow(::GetDlgItem(dialog, IDC_DIR)));
            ::SetDlgItemTextW(dialog, IDC_PATH, L" C:\\新しい\\path.exe ");
            ::CheckDlgButton(dialog, IDC_MAKE_GROUP, BST_UNCHECKED);
            ui::Click(dialog, c.button);
        });
        EXPECT_EQ(dlg.DoModal(), c.result);
        if (c.result == IDOK) {
            EXPECT_EQ(dlg.m_strText, " C:\\新しい\\path.exe ");
            EXPECT_EQ(dlg.m_bCheck, 0);
        } else {
            EXPECT_EQ(dlg.m_strText, CString(longText));
            EXPECT_EQ(dlg.m_bCheck, 1);
        }
    }
}

// A dialog on the entry template that exchanges one text and one check state with the controls
// a case names, which may be missing or of the wrong kind.
class NamedControlsDlg : public CDialog {
public:
    NamedControlsDlg(int textId, int checkId)
        : CDialog(IDD_ENTRY_SETTINGS), m_textId(textId), m_checkId(checkId) {}

    CString m_strText;
    int m_bCheck = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, m_textId, m_strText);
        DDX_Check(pDX, m_checkId, m_bCheck);
    }

private:
    int m_textId;
    int m_checkId;
};

// A failed exchange is reported, and OK then leaves the dialog open with the focus on the control
// that could not be read, if there is one.
TEST(DialogFrameworkTest, AFailedExchangeKeepsTheDialogOpen) {
    struct Case {
        const char* what;
        int textId;
        int checkId;
        bool exchanges;
        int focus;  // after OK
    };
    const Case cases[] = {
        {"every control there", IDC_PATH, IDC_MAKE_GROUP, true, 0},
        {"a text of no control", 4711, IDC_MAKE_GROUP, false, IDC_TITLE},
        {"a check state of an edit", IDC_PATH, IDC_DIR, false, IDC_DIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NamedControlsDlg dlg(c.textId, c.checkId);
        ui::ModalScript script;
        script.Then([&](HWND dialog) {
            EXPECT_EQ(dlg.UpdateData(FALSE), c.exchanges ? TRUE : FALSE);
            ::CheckDlgButton(dialog, IDC_MAKE_GROUP, BST_UNCHECKED);
            EXPECT_EQ(dlg.UpdateData(TRUE), c.exchanges ? TRUE : FALSE);
            ::SetFocus(::GetDlgItem(dialog, IDC_TITLE));
            ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
            if (!c.exchanges) {
                EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, c.focus));
            }
            // Reached only when OK left the dialog open.
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(dlg.DoModal(), c.exchanges ? IDOK : IDCANCEL);
        // An edit has no check state: the member keeps its value instead of reading as unchecked.
        EXPECT_EQ(dlg.m_bCheck, c.checkId == IDC_MAKE_GROUP ? BST_UNCHECKED : BST_CHECKED);
    }
}

// The file dialog, driven through its own controls: Wine's open dialog names the file in the
// combo box 0x47c (cmb13) and lists the filter in 0x470 (cmb1). (Wine's dialog itself cannot
// take a typed name longer than MAX_PATH: it overruns a buffer of its own.)
TEST(DialogFrameworkTest, FileDialogShowsTheFilterAndReturnsTheTypedPath) {
    struct Case {
        const char* what;
        std::wstring typed;  // empty: cancel
        INT_PTR result;
    };
    const Case cases[] = {
        {"a path", L"C:\\windows\\system32\\NOTEPAD.exe", IDOK},
        {"a Japanese name", L"C:\\windows\\ﾃｽﾄ\\表示.exe", IDOK},
        {"cancel", L"", IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui::ModalScript script;
        script.Then([&c](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, 0x47c), L"*.exe;*.com");
            std::vector<std::wstring> filters = {L"実行ﾌｧｲﾙ(*.exe ;*.com) ", L"すべてのﾌｧｲﾙ(*.*)"};
            EXPECT_EQ(ComboItems(::GetDlgItem(dialog, 0x470)), filters);
            if (c.typed.empty()) {
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::SetDlgItemTextW(dialog, 0x47c, c.typed.c_str());
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        CFileDialog fd("*.exe;*.com", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "実行ﾌｧｲﾙ(*.exe ;*.com) |*.exe;*.com|すべてのﾌｧｲﾙ(*.*)|*.*||");
        EXPECT_EQ(fd.DoModal(), c.result);
        if (c.result == IDOK) {
            EXPECT_EQ(Widen(fd.GetPathName().View()), c.typed);
        }
    }
}

}  // namespace
