#include "tests/support/ProgramFiles.h"

#include <windows.h>

std::wstring ThisProgramPath() {
    std::wstring path(256, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
}

std::wstring ThisProgramDirectory() {
    const std::wstring path = ThisProgramPath();
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}
