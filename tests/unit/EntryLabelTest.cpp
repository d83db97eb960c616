// How an entry is named in the tray tip, the member menu and the order dialogs.
#include "entries/EntryLabel.h"

#include <gtest/gtest.h>

#include "tests/support/Printers.h"

namespace {

TEST(EntryLabelTest, TitleElseFileNameElseWholePath) {
    struct Case {
        const char* title;
        const char* path;
        const char* label;
    };
    const Case cases[] = {
        {"メモ帳", "C:\\Windows\\notepad.exe", "メモ帳"},
        {"", "C:\\Tools\\Calc.Exe", "Calc.Exe"},   // the path's own letter case
        {"", "C:\\my.dir\\tool", "tool"},          // a name without extension
        {"", "D:/docs/readme.txt", "readme.txt"},  // forward slashes separate too
        {"", "ﾂｰﾙ\\電卓.exe", "電卓.exe"},
        {"", "C:\\Tools\\", "C:\\Tools\\"},  // no file name: the whole path
        {"", "", ""},
        {" ", "C:\\Tools\\x.exe", " "},  // a blank title is a title
    };
    for (const Case& c : cases) {
        AppEntry entry;
        entry.Title = c.title;
        entry.AppName = c.path;
        EXPECT_EQ(EntryLabel(entry), CString(c.label)) << c.title << " / " << c.path;
    }
}

}  // namespace
