#include "framework/Environment.h"

#include <windows.h>

#include "framework/Utf.h"

std::wstring ExpandEnvironment(const std::wstring& text) {
    if (text.find(L'%') == std::wstring::npos) {
        return text;
    }
    // One call to measure (the count includes the terminating zero), one to write; a variable
    // that changed in between shows as a count larger than the buffer.
    const DWORD needed = ::ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) {
        return text;
    }
    std::wstring expanded(needed, L'\0');
    const DWORD written = ::ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
    if (written == 0 || written > needed) {
        return text;
    }
    expanded.resize(written - 1);
    return expanded;
}

CString ExpandEnvironment(const CString& text) {
    if (text.View().find('%') == std::string_view::npos) {
        return text;
    }
    return CString(Narrow(ExpandEnvironment(Widen(text.View()))));
}
