#include "entries/LaunchRules.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/support/Printers.h"

namespace {

TEST(LaunchRulesTest, ExtensionPicksTheWayIgnoringCase) {
    struct Case {
        const char* extension;
        LaunchWay way;
    };
    const Case cases[] = {
        {".exe", LaunchWay::Program},      {".EXE", LaunchWay::Program},
        {".Exe", LaunchWay::Program},      {".com", LaunchWay::Program},
        {".COM", LaunchWay::Program},      {".cpl", LaunchWay::ControlPanel},
        {".CPL", LaunchWay::ControlPanel}, {".txt", LaunchWay::Document},
        {"", LaunchWay::Document},         {".", LaunchWay::Document},
        {"exe", LaunchWay::Document},      {".exe ", LaunchWay::Document},
        {".exes", LaunchWay::Document},    {".ｅｘｅ", LaunchWay::Document},
        {".bat", LaunchWay::Document},     {".lnk", LaunchWay::Document},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        EXPECT_EQ(LaunchWayFor(c.extension), c.way);
    }
}

TEST(LaunchRulesTest, ShowValueToShowCode) {
    struct Case {
        int show;
        int code;
    };
    const Case cases[] = {{0, 5}, {1, 2}, {2, 3}, {3, 5}, {-1, 5}, {INT_MAX, 5}, {INT_MIN, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.show);
        EXPECT_EQ(ShowCodeFor(c.show), c.code);
    }
}

TEST(LaunchRulesTest, StartDirectory) {
    struct Case {
        const char* dir;
        const char* path;
        const char* start;
    };
    const Case cases[] = {
        {"", "C:\\Tools\\edit.exe", "C:\\Tools\\"},
        {"D:\\Work", "C:\\Tools\\edit.exe", "D:\\Work"},
        {"", "edit.exe", ""},
        {"", "C:/Tools/edit.exe", "C:/Tools/"},
        {"", "C:\\my.dir\\tool", "C:\\my.dir\\"},
        {"", "C:\\ユーザー\\文書\\メモ.txt", "C:\\ユーザー\\文書\\"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(StartDirectoryFor(c.dir, c.path), c.start);
    }
}

// Unquoted, blanks and all, unless a comma would split the path.
TEST(LaunchRulesTest, AppletCommandLineQuotesThePathOnlyForAComma) {
    EXPECT_EQ(ControlPanelCommandLine("C:\\Windows\\System\\desk.cpl"),
              "rundll32 shell32.dll,Control_RunDLL C:\\Windows\\System\\desk.cpl,,0");
    EXPECT_EQ(ControlPanelCommandLine("C:\\Program Files\\My Tools\\画面 設定.cpl"),
              "rundll32 shell32.dll,Control_RunDLL C:\\Program Files\\My Tools\\画面 設定.cpl,,0");
    // A percent sign in the path is text, not a format.
    EXPECT_EQ(ControlPanelCommandLine("C:\\100%s\\x.cpl"),
              "rundll32 shell32.dll,Control_RunDLL C:\\100%s\\x.cpl,,0");
    EXPECT_EQ(ControlPanelCommandLine("C:\\cpl dir, v2\\my applet.cpl"),
              "rundll32 shell32.dll,Control_RunDLL \"C:\\cpl dir, v2\\my applet.cpl\",,0");
    EXPECT_EQ(ControlPanelCommandLine(","), "rundll32 shell32.dll,Control_RunDLL \",\",,0");
}

}  // namespace
