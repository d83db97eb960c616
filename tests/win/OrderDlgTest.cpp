// The order dialogs on real list boxes and message boxes: moves, deletes and the keys that do
// (or do not) close them, checked both on the screen and in the caller's list.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/CIconOrderDlg.h"
#include "dialogs/COrderDlg.h"
#include "framework/Afx.h"
#include "framework/Utf.h"
#include "res/resource.h"
#include "tests/support/Printers.h"
#include "tests/support/TestEntries.h"
#include "tests/support/UiDriver.h"
#include "tray/CButtonTrayWnd.h"
#include "tray/CTrayIconService.h"

namespace {

std::vector<std::wstring> Lines(HWND dialog) {
    HWND list = ::GetDlgItem(dialog, IDC_ORDER_LIST);
    std::vector<std::wstring> lines;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(::SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        text.resize(::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        lines.push_back(text);
    }
    return lines;
}

int Selection(HWND dialog) {
    return static_cast<int>(::SendDlgItemMessageW(dialog, IDC_ORDER_LIST, LB_GETCURSEL, 0, 0));
}

void Select(HWND dialog, int line) {
    ::SendDlgItemMessageW(dialog, IDC_ORDER_LIST, LB_SETCURSEL, line, 0);
}

// A button pressed synchronously: a message box it opens is answered by the script's next step
// before this returns.
void Press(HWND dialog, int id) {
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Runs the dialog; `body` acts on it from inside its modal loop, then "閉じる" closes it.
INT_PTR RunDialog(CDialog& dlg, ui::ModalScript& script, const std::function<void(HWND)>& body) {
    script.Then([&body](HWND dialog) {
        body(dialog);
        ui::Click(dialog, IDCANCEL);
    });
    return dlg.DoModal();
}

// A group's members, owned here as the group window owns them.
struct Members {
    std::vector<std::unique_ptr<AppEntry>> owned;
    CPtrList list;
    int count = 0;

    explicit Members(std::vector<AppEntry> entries) {
        for (AppEntry& e : entries) {
            owned.push_back(std::make_unique<AppEntry>(e));
            list.AddTail(owned.back().get());
            ++count;
        }
    }
    ~Members() {
        // The dialog deletes what it removes; what is left belongs to us.
        for (auto& p : owned) {
            if (!Holds(p.get())) {
                p.release();
            }
        }
    }
    bool Holds(const AppEntry* e) const {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            if (list.GetNext(pos) == e) {
                return true;
            }
        }
        return false;
    }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const auto* e = static_cast<const AppEntry*>(list.GetNext(pos));
            titles.push_back(e->Title.Str() + "|" + e->AppName.Str());
        }
        return titles;
    }
};

std::vector<AppEntry> ThreeMembers() {
    return {Entry("メモ帳", "C:\\Windows\\notepad.exe"), Entry("", "C:\\Tools\\Calc.Exe"),
            Entry("", "C:\\Tools\\")};
}

const std::wstring kA = L"メモ帳", kB = L"Calc.Exe", kC = L"C:\\Tools\\";
const std::string kEa = "メモ帳|C:\\Windows\\notepad.exe", kEb = "|C:\\Tools\\Calc.Exe",
                  kEc = "|C:\\Tools\\";

TEST(OrderDlgTest, FillsOneLineAPerMemberByTitleFileNameOrWholePathWithNothingSelected) {
    Members m(ThreeMembers());
    COrderDlg dlg;
    dlg.SetList(&m.count, &m.list);
    ui::ModalScript script;
    EXPECT_EQ(RunDialog(dlg, script,
                        [](HWND dialog) {
                            EXPECT_EQ(ui::WindowText(dialog), L"順序");
                            EXPECT_EQ(Lines(dialog), (std::vector<std::wstring>{kA, kB, kC}));
                            EXPECT_EQ(Selection(dialog), LB_ERR);
                            for (int id : {IDC_ORDER_EDIT, IDC_ORDER_DELETE}) {
                                EXPECT_NE(::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) &
                                              WS_VISIBLE,
                                          0);
                            }
                        }),
              IDCANCEL);
}

TEST(OrderDlgTest, MovesAndDeletes) {
    struct Case {
        const char* what;
        int select;  // -1: none
        int button;
        int answer;  // the delete question's answer; 0: no question expected
        std::vector<std::wstring> lines;
        int selection;
        std::vector<std::string> list;
    };
    const Case cases[] = {
        {"last down", 2, IDC_ORDER_DOWN, 0, {kA, kB, kC}, 2, {kEa, kEb, kEc}},
        {"last up", 2, IDC_ORDER_UP, 0, {kA, kC, kB}, 1, {kEa, kEc, kEb}},
        {"first up", 0, IDC_ORDER_UP, 0, {kA, kB, kC}, 0, {kEa, kEb, kEc}},
        {"first down", 0, IDC_ORDER_DOWN, 0, {kB, kA, kC}, 1, {kEb, kEa, kEc}},
        {"up without selection", -1, IDC_ORDER_UP, 0, {kA, kB, kC}, LB_ERR, {kEa, kEb, kEc}},
        {"down without selection", -1, IDC_ORDER_DOWN, 0, {kA, kB, kC}, LB_ERR, {kEa, kEb, kEc}},
        {"delete without selection",
         -1,
         IDC_ORDER_DELETE,
         0,
         {kA, kB, kC},
         LB_ERR,
         {kEa, kEb, kEc}},
        {"delete middle, OK", 1, IDC_ORDER_DELETE, IDOK, {kA, kC}, LB_ERR, {kEa, kEc}},
        {"delete middle, cancel", 1, IDC_ORDER_DELETE, IDCANCEL, {kA, kB, kC}, 1, {kEa, kEb, kEc}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Members m(ThreeMembers());
        COrderDlg dlg;
        dlg.SetList(&m.count, &m.list);
        ui::ModalScript script;
        RunDialog(dlg, script, [&](HWND dialog) {
            Select(dialog, c.select);
            if (c.answer != 0) {
                script.Then([&c](HWND box) {
                    ui::MessageBoxInfo info = ui::ReadMessageBox(box);
                    EXPECT_EQ(info.text, L"削除してもよろしいですか？");
                    EXPECT_EQ(info.caption, L"Velmora");
                    EXPECT_EQ(info.buttons, (std::vector<int>{IDOK, IDCANCEL}));
                    EXPECT_NE(info.icon, nullptr);
                    ui::Click(box, c.answer);
                });
            }
            Press(dialog, c.button);
            EXPECT_EQ(Lines(dialog), c.lines);
            EXPECT_EQ(Selection(dialog), c.selection);
        });
        EXPECT_EQ(m.Titles(), c.list);
        EXPECT_EQ(m.count, static_cast<int>(c.list.size()));
    }
}

// "編集" and a double click open the settings dialog over the order dialog; only OK changes the
// member record and its line, in place.
TEST(OrderDlgTest, EditsAMemberInPlace) {
    struct Case {
        const char* what;
        bool doubleClick;
        int answer;
    };
    for (Case c : {Case{"button, OK", false, IDOK}, Case{"double click, OK", true, IDOK},
                   Case{"button, cancel", false, IDCANCEL}}) {
        SCOPED_TRACE(c.what);
        Members m(ThreeMembers());
        m.owned[1]->Parm = "/x";
        COrderDlg dlg;
        dlg.SetList(&m.count, &m.list);
        ui::ModalScript script;
        RunDialog(dlg, script, [&](HWND dialog) {
            Select(dialog, 1);
            script.Then([&](HWND settings) {
                EXPECT_EQ(::GetWindow(settings, GW_OWNER), dialog);
                EXPECT_EQ(ui::WindowText(::GetDlgItem(settings, IDC_PATH)), L"C:\\Tools\\Calc.Exe");
                ::SetDlgItemTextW(settings, IDC_TITLE, L"電卓");
                ::SetDlgItemTextW(settings, IDC_PARM, L"/y");
                ui::Click(settings, c.answer);
            });
            if (c.doubleClick) {
                ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ORDER_LIST, LBN_DBLCLK),
                               reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_ORDER_LIST)));
            } else {
                Press(dialog, IDC_ORDER_EDIT);
            }
            const bool ok = c.answer == IDOK;
            EXPECT_EQ(Lines(dialog), (std::vector<std::wstring>{kA, ok ? L"電卓" : kB, kC}));
            EXPECT_EQ(Selection(dialog), 1);
        });
        const AppEntry& member = *m.owned[1];
        EXPECT_EQ(member.Title, c.answer == IDOK ? "電卓" : "");
        EXPECT_EQ(member.Parm, c.answer == IDOK ? "/y" : "/x");
        EXPECT_EQ(member.AppName, "C:\\Tools\\Calc.Exe");
        EXPECT_EQ(member.IsGroup, 0);
        EXPECT_EQ(m.Titles()[1], (c.answer == IDOK ? "電卓" : "") + kEb);
    }
}

TEST(OrderDlgTest, EmptyListButtonsDoNothing) {
    Members m({});
    COrderDlg dlg;
    dlg.SetList(&m.count, &m.list);
    ui::ModalScript script;  // a question would be an unexpected dialog
    RunDialog(dlg, script, [](HWND dialog) {
        for (int id : {IDC_ORDER_UP, IDC_ORDER_DOWN, IDC_ORDER_EDIT, IDC_ORDER_DELETE}) {
            Press(dialog, id);
        }
        EXPECT_TRUE(Lines(dialog).empty());
    });
    EXPECT_EQ(m.count, 0);
    EXPECT_EQ(m.list.GetCount(), 0);
}

// Entry windows as the main window lists them; destroyed (and self-deleted) at the end.
struct EntryWindows {
    CPtrList list;
    std::vector<HWND> hwnds;

    explicit EntryWindows(const std::vector<AppEntry>& entries) {
        for (const AppEntry& e : entries) {
            auto* wnd = new CButtonTrayWnd;
            EXPECT_TRUE(wnd->CreateEx(0, AfxRegisterWndClass(0), "Velmora", WS_POPUP, 10, 10, 100,
                                      100, nullptr, nullptr));
            wnd->SetEntry(e);
            list.AddTail(wnd);
            hwnds.push_back(wnd->m_hWnd);
        }
    }
    ~EntryWindows() {
        for (HWND hwnd : hwnds) {
            ::DestroyWindow(hwnd);
        }
    }
    std::vector<HWND> Order() const {
        std::vector<HWND> order;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            order.push_back(static_cast<CButtonTrayWnd*>(list.GetNext(pos))->m_hWnd);
        }
        return order;
    }
};

TEST(IconOrderDlgTest, ListsEntryWindowsAndMovesThemWithinTheCountGivenAtOpening) {
    AppEntry group = Entry("", "C:\\x\\grp.exe");
    group.IsGroup = 1;
    struct Case {
        const char* what;
        int count;  // given at opening
        int select;
        int button;
        std::vector<std::wstring> lines;
        int selection;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"group last, up", 3, 2, IDC_ORDER_UP, {kA, L"", kB}, 1, {0, 2, 1}},
        {"first, down", 3, 0, IDC_ORDER_DOWN, {kB, kA, L""}, 1, {1, 0, 2}},
        {"last, down", 3, 2, IDC_ORDER_DOWN, {kA, kB, L""}, 2, {0, 1, 2}},
        {"hidden edit", 3, 1, IDC_ORDER_EDIT, {kA, kB, L""}, 1, {0, 1, 2}},
        {"hidden delete", 3, 1, IDC_ORDER_DELETE, {kA, kB, L""}, 1, {0, 1, 2}},
        {"count 2, second down", 2, 1, IDC_ORDER_DOWN, {kA, kB}, 1, {0, 1, 2}},
        {"count 0, nothing", 0, -1, IDC_ORDER_UP, {}, LB_ERR, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EntryWindows windows(
            {Entry("メモ帳", "C:\\Windows\\notepad.exe"), Entry("", "C:\\Tools\\Calc.Exe"), group});
        CIconOrderDlg dlg;
        dlg.SetList(c.count, &windows.list);
        ui::ModalScript script;  // any dialog opened here would fail the test
        EXPECT_EQ(RunDialog(dlg, script,
                            [&](HWND dialog) {
                                for (int id : {IDC_ORDER_EDIT, IDC_ORDER_DELETE}) {
                                    EXPECT_EQ(
                                        ::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) &
                                            WS_VISIBLE,
                                        0);
                                }
                                EXPECT_EQ(Selection(dialog), LB_ERR);
                                Select(dialog, c.select);
                                Press(dialog, c.button);
                                EXPECT_EQ(Lines(dialog), c.lines);
                                EXPECT_EQ(Selection(dialog), c.selection);
                            }),
                  IDCANCEL);
        std::vector<HWND> expected;
        for (int i : c.order) {
            expected.push_back(windows.hwnds[static_cast<size_t>(i)]);
        }
        EXPECT_EQ(windows.Order(), expected);
    }
}

// Enter with the focus in the list must not end either dialog; Esc ends it with IDCANCEL.
TEST(OrderDlgTest, EnterDoesNothingAndEscCloses) {
    const auto enterThenEsc = [](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_ORDER_LIST);
        ::SetFocus(list);
        Select(dialog, 1);
        ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageW(list, WM_KEYUP, VK_RETURN, 0xC0000000);
        ::PostMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    Members m(ThreeMembers());
    COrderDlg members;
    members.SetList(&m.count, &m.list);
    EntryWindows windows(ThreeMembers());
    CIconOrderDlg icons;
    icons.SetList(3, &windows.list);
    for (CDialog* dlg : {static_cast<CDialog*>(&members), static_cast<CDialog*>(&icons)}) {
        ui::ModalScript script;
        script.Then(enterThenEsc);
        EXPECT_EQ(dlg->DoModal(), IDCANCEL);
    }
    EXPECT_EQ(m.count, 3);
}

}  // namespace
