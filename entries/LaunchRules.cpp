#include "entries/LaunchRules.h"

#include <string_view>

#include "entries/PathParts.h"

LaunchWay LaunchWayFor(const CString& extension) {
    if (extension.CompareNoCase(".exe") == 0 || extension.CompareNoCase(".com") == 0) {
        return LaunchWay::Program;
    }
    if (extension.CompareNoCase(".cpl") == 0) {
        return LaunchWay::ControlPanel;
    }
    return LaunchWay::Document;
}

int ShowCodeFor(int show) {
    switch (show) {
        case 1:
            return kShowMinimized;
        case 2:
            return kShowMaximized;
        default:
            // SW_SHOW rather than SW_SHOWNORMAL: the window keeps the size and place the
            // program gives it.
            return kShowNormal;
    }
}

CString StartDirectoryFor(const CString& dir, const CString& path) {
    if (!dir.IsEmpty()) {
        return dir;
    }
    return PathDriveAndDir(path);
}

CString ControlPanelCommandLine(const CString& path) {
    CString line;
    const bool quoted = path.View().find(',') != std::string_view::npos;
    line.Format(quoted ? "rundll32 shell32.dll,Control_RunDLL \"%s\",,0"
                       : "rundll32 shell32.dll,Control_RunDLL %s,,0",
                path);
    return line;
}
