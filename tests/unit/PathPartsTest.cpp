#include "entries/PathParts.h"

#include <gtest/gtest.h>

#include "tests/support/Printers.h"

namespace {

struct PathCase {
    const char* path;
    const char* driveAndDir;
    const char* fileName;
    const char* extension;
};

TEST(PathPartsTest, SplitsLikeSplitpath) {
    const PathCase cases[] = {
        {"C:\\Tools\\APP.EXE", "C:\\Tools\\", "APP.EXE", ".EXE"},
        {"C:\\Tools\\edit.exe", "C:\\Tools\\", "edit.exe", ".exe"},
        {"C:\\Tools\\setup.old.exe", "C:\\Tools\\", "setup.old.exe", ".exe"},
        // A dot in a directory name is not an extension.
        {"C:\\my.dir\\tool", "C:\\my.dir\\", "tool", ""},
        {"C:\\Docs\\readme.txt", "C:\\Docs\\", "readme.txt", ".txt"},
        {"edit.exe", "", "edit.exe", ".exe"},
        {"tool", "", "tool", ""},
        {"", "", "", ""},
        {"C:/Tools/edit.exe", "C:/Tools/", "edit.exe", ".exe"},
        {"C:\\a/b\\c.cpl", "C:\\a/b\\", "c.cpl", ".cpl"},
        {"C:\\a.b/c", "C:\\a.b/", "c", ""},
        {"C:edit.exe", "C:", "edit.exe", ".exe"},
        {"C:", "C:", "", ""},
        {"C:\\", "C:\\", "", ""},
        {"\\\\server\\share\\x.doc", "\\\\server\\share\\", "x.doc", ".doc"},
        {"C:\\Tools\\", "C:\\Tools\\", "", ""},
        {"C:\\Tools\\.profile", "C:\\Tools\\", ".profile", ".profile"},
        {"C:\\Tools\\name.", "C:\\Tools\\", "name.", "."},
        {"D:\\ツール\\メモ帳.EXE", "D:\\ツール\\", "メモ帳.EXE", ".EXE"},
        {"C:\\表\\ﾃｽﾄ 一.覧", "C:\\表\\", "ﾃｽﾄ 一.覧", ".覧"},
        {"あ:\\x.txt", "あ:\\", "x.txt", ".txt"},  // no drive, but the directory still ends at '\'
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(PathDriveAndDir(c.path), c.driveAndDir);
        EXPECT_EQ(PathFileName(c.path), c.fileName);
        EXPECT_EQ(PathExtension(c.path), c.extension);
    }
}

}  // namespace
