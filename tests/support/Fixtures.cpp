#include "tests/support/Fixtures.h"

#include <windows.h>

#include <string>

#include "framework/Utf.h"

namespace fixtures {

CString Path(const char* name) {
    std::wstring exe(256, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);  // cut short: try a larger buffer
    }
    std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    return CString(Narrow(dir) + "fixtures\\" + name);
}

}  // namespace fixtures
