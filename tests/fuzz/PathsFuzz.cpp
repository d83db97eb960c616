// libFuzzer target: the path split and the launch rules on any text. Checks that the parts put
// back together give the path, that they are cut where the rules say, and that valid UTF-8 is
// never cut inside a character.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "entries/LaunchRules.h"
#include "entries/PathParts.h"
#include "framework/Utf.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsValidUtf8(std::string_view text) { return Utf16ToUtf8(Utf8ToUtf16(text)) == text; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CString path(text);

    const CString dir = PathDriveAndDir(path);
    const CString name = PathFileName(path);
    const CString ext = PathExtension(path);

    Check((dir + name).Str() == text);
    Check(name.ReverseFind('\\') < 0 && name.ReverseFind('/') < 0);
    if (!dir.IsEmpty()) {
        const char last = dir[dir.GetLength() - 1];
        Check(last == '\\' || last == '/' || (dir.GetLength() == 2 && dir[1] == ':'));
    }
    if (text.size() >= 2 && text[1] == ':') {
        Check(dir.GetLength() >= 2);
    }
    Check(name.View().ends_with(ext.View()));
    Check(ext.IsEmpty() || (ext[0] == '.' && ext.ReverseFind('.') == 0));
    Check(!ext.IsEmpty() || name.ReverseFind('.') < 0);
    if (IsValidUtf8(text)) {
        Check(IsValidUtf8(dir.View()) && IsValidUtf8(name.View()) && IsValidUtf8(ext.View()));
    }

    Check(StartDirectoryFor("", path) == dir);
    Check(StartDirectoryFor("D:\\Work", path) == "D:\\Work");
    const LaunchWay way = LaunchWayFor(ext);
    Check(way == LaunchWay::Document || ext.GetLength() == 4);

    // The path goes into the applet command line untouched, in quotes when it holds a comma
    // (a NUL would end the C string).
    if (text.find('\0') == std::string_view::npos) {
        const std::string quote = text.find(',') != std::string_view::npos ? "\"" : "";
        Check(ControlPanelCommandLine(path).Str() ==
              "rundll32 shell32.dll,Control_RunDLL " + quote + std::string(text) + quote + ",,0");
    }

    int show = 0;
    if (size > 0) {
        std::memcpy(&show, data, size < sizeof(show) ? size : sizeof(show));
    }
    const int code = ShowCodeFor(show);
    Check(code == (show == 1 ? 2 : show == 2 ? 3 : 5));
    return 0;
}
